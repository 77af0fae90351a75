#pragma once

#include "dialogs/dialog_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace ovilan::testing {

struct ShownMessage {
    QString text;
    MessageIcon icon;

    bool operator==(const ShownMessage&) const = default;
};

// Remembers every message a dialog shows instead of opening a box.
struct RecordingSink : MessageSink {
    void show(QWidget*, const QString& text, MessageIcon icon) override
    {
        shown.push_back({ text, icon });
    }
    std::vector<ShownMessage> shown;
};

// Answers the font chooser from a script (Cancel unless told) and remembers what it was opened
// on.
struct ScriptedFontChooser : FontChooser {
    std::optional<FontChoice> choose(QWidget*, const FontRecord& font, Rgb color, int) override
    {
        openedOn = font;
        openedWith = color;
        return respond ? respond(font, color) : std::nullopt;
    }
    std::function<std::optional<FontChoice>(const FontRecord&, Rgb)> respond;
    std::optional<FontRecord> openedOn;
    Rgb openedWith;
};

struct ScriptedServices {
    RecordingSink messages;
    ScriptedFontChooser fonts;
    DialogServices services() { return { messages, fonts }; }
};

// Shows a dialog without running it modally, so a test drives it with events.
inline void showForTest(QWidget& dialog)
{
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
}

// Clicks a check box on its indicator, where a user clicks it; the middle of a wide box may lie
// beyond its text.
inline void clickBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

template <typename Widget> Widget* child(QWidget& parent, const char* name)
{
    return parent.findChild<Widget*>(QString::fromLatin1(name));
}

// The field a refusal handed back: it has the focus and, where asked, its whole text selected.
inline bool handedBack(QWidget& dialog, QLineEdit* field) { return dialog.focusWidget() == field; }

// The refusal shown last is `message` as a warning (a refused formula may say on a second line
// what is wrong with it), and its field was handed back with the text, or the faulty part of a
// formula, selected; the record is cleared for the next refusal.
inline void expectRefused(RecordingSink& messages, QLineEdit& field, const QString& message)
{
    ASSERT_FALSE(messages.shown.empty());
    const ShownMessage& shown = messages.shown.back();
    EXPECT_EQ(shown.text.section(QLatin1Char('\n'), 0, 0), message);
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    EXPECT_EQ(field.hasSelectedText(), !field.text().isEmpty());
    EXPECT_TRUE(field.text().contains(field.selectedText()));
    messages.shown.clear();
}

} // namespace ovilan::testing
