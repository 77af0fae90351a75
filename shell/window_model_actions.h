#pragma once

#include "shell/main_frame.h"
#include "shell/window_model_user.h"

#include <QSettings>
#include <QString>

#include <string>

namespace ovilan::testing {

// The real main window of the program on its own document, answered by a scripted user.
struct ModelWindow {
    ModelWindow(std::uint32_t seed, const QString& examples, const QString& scratch);

    ModelDice dice;
    QSettings settings { QStringLiteral("Quenbrix"), QStringLiteral("Ovilan") };
    AppPreferences preferences;
    COvilanDoc document { preferences };
    ScriptedModelUser user { dice };
    CMainFrame frame;
    // The example documents to open, and a folder for the documents the run saves.
    QString examplesFolder;
    QString scratchFolder;
    int savedDocuments = 0;
};

// Whether an action walks the history, so its effect can be told from a new change.
enum class HistoryMove { None, Undo, Redo };

struct PerformedAction {
    std::string description;
    HistoryMove move = HistoryMove::None;
};

// One user action chosen at random among those that make sense now, done the way a user does
// it: menu commands through their actions, shortcuts as keys, the mouse as presses, moves and
// releases on the plot, the graph list by its items and check boxes. Returns what was done,
// with the dialogs' answers, in words a reader can repeat by hand.
PerformedAction performRandomAction(ModelWindow& window);

} // namespace ovilan::testing
