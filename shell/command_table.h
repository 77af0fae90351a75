#pragma once

#include "shell/command_ids.h"

#include <QKeySequence>

#include <span>
#include <string_view>

namespace ovilan {

// What the program shows of one command: the menu text (a tab before the shortcut it shows), the
// status-bar prompt, the tool tip, its shortcuts, and whether a tool bar has a button for it.
// Besides its own shortcuts a command may also answer the platform's keys for it (Redo on
// Ctrl+Shift+Z, Zoom In on Ctrl++); the menu and the tool tip keep naming the program's own.
struct CommandSpec {
    CommandId id;
    std::string_view menuText;
    std::string_view prompt;
    std::string_view toolTip;
    std::string_view shortcuts; // portable key sequences, separated by "; "
    bool hasButton;
    QKeySequence::StandardKey platformKeys = QKeySequence::UnknownKey;
};

std::span<const CommandSpec> commandTable();
const CommandSpec* findCommand(CommandId id);

// The tool bars' buttons in order; Separator stands for a gap between groups.
inline constexpr CommandId kSeparator = static_cast<CommandId>(0);
std::span<const CommandId> standardBar();
std::span<const CommandId> graphsBar();

// One pull-down menu: its title and its items in order (kSeparator between groups,
// FileRecent where the recent files stand).
struct MenuSpec {
    std::string_view title;
    std::span<const CommandId> items;
};
std::span<const MenuSpec> menuBar();

// One entry of a context menu: its command, its text there, and the command whose tool bar image
// it shows.
struct ContextMenuItem {
    CommandId id;
    std::string_view text;
    CommandId imageOf;
};
std::span<const ContextMenuItem> plotContextMenu();
std::span<const ContextMenuItem> labelContextMenu();

} // namespace ovilan
