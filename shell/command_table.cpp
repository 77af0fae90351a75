#include "shell/command_table.h"

#include <algorithm>
#include <array>

namespace ovilan {

namespace {

    using enum CommandId;

    constexpr CommandSpec kCommands[] = {
        { FileNew, "&New\tCtrl+N", "Create a new document", "New (Ctrl+N)", "Ctrl+N", true },
        { FileOpen,
            "&Open...\tCtrl+O",
            "Open an existing document",
            "Open (Ctrl+O)",
            "Ctrl+O",
            true },
        { FileSave, "&Save\tCtrl+S", "Save the active document", "Save (Ctrl+S)", "Ctrl+S", true },
        { FileSaveAs,
            "Save &As...",
            "Save the active document with a new name",
            "Save As",
            "",
            false },
        { SavePicture, "Save As Pi&cture...", "", "", "", false },
        { FileRecent, "Recent File", "", "", "", false },
        { FilePrint, "&Print...\tCtrl+P", "Print the active document", "Print", "Ctrl+P", false },
        { FilePrintPreview,
            "Print Pre&view...",
            "Show the active document as it will be printed",
            "Print Preview",
            "",
            false },
        { AppExit,
            "E&xit",
            "Quit the application; prompts to save documents",
            "Exit",
            "Ctrl+Q",
            false,
            QKeySequence::Quit },
        { EditUndo,
            "&Undo\tCtrl+Z",
            "Undo the last action",
            "Undo (Ctrl+Z)",
            "Ctrl+Z; Alt+Backspace",
            true },
        { EditRedo,
            "&Redo\tCtrl+Y",
            "Redo the previously undone action",
            "Redo (Ctrl+Y)",
            "Ctrl+Y",
            true,
            QKeySequence::Redo },
        { EditCopy,
            "&Copy\tCtrl+C",
            "Copy the picture and put it on the Clipboard",
            "Copy (Ctrl+C)",
            "Ctrl+C; Ctrl+Ins",
            true },
        { AddLabel, "&Add Label", "Add label", "Add Label", "", true },
        { SelectInterval,
            "Select &Scale",
            "Select interval of X and Y ",
            "Select Interval",
            "",
            true },
        { StandardCursor, "", "Standard cursor", "Standart Cursor", "", true },
        { AppEnvironmentSettings, "Environment &Settings...", "", "", "", false },
        { AddGraph,
            "&Add Graph...\tCtrl+A",
            "Add a new graph",
            "Add Graph (Ctrl+A)",
            "Ctrl+A",
            true },
        { AddTableGraph,
            "Add &Table Graph...\tCtrl+T",
            "Add table graph",
            "Add Table Graph (Ctrl+T)",
            "Ctrl+T",
            true },
        { RemoveGraph,
            "&Remove Graph\tDel",
            "Remove the selected graph",
            "Remove Graph (Del)",
            "",
            true },
        { EditGraph,
            "E&dit Graph...\tCtrl+E",
            "Edit the selected graph",
            "Edit Graph (Ctrl+E)",
            "Ctrl+E",
            true },
        { DocumentProperties,
            "Document P&roperties...\tCtrl+R",
            "Document properties",
            "Document Properties (Ctrl+R)",
            "Ctrl+R",
            true },
        { ZoomIn,
            "Zoom &In\tCtrl+I",
            "Zoom In X and Y",
            "Zoom In (Ctrl+I)",
            "Ctrl+I",
            true,
            QKeySequence::ZoomIn },
        { ZoomOut,
            "Zoom O&ut\tCtrl+U",
            "Zoom Out X and Y",
            "Zoom Out (Ctrl+U)",
            "Ctrl+U",
            true,
            QKeySequence::ZoomOut },
        { ScrollLeft,
            "Scroll &Left\tCtrl+Left arrow",
            "Scroll left",
            "Scroll left (Ctrl+Left arrow)",
            "Ctrl+Left",
            true },
        { ScrollRight,
            "Scroll &Right\tCtrl+Right arrow",
            "Scroll right",
            "Scroll right (Ctrl+Right arrow)",
            "Ctrl+Right",
            true },
        { ScrollUp,
            "Scroll U&p\tCtrl+Up arrow",
            "Scroll up",
            "Scroll up (Ctrl+Up arrow)",
            "Ctrl+Up",
            true },
        { ScrollDown,
            "Scroll &Down\tCtrl+Down arrow",
            "Scroll down",
            "Scroll down (Ctrl+Down arrow)",
            "Ctrl+Down",
            true },
        { GraphList, "&Graph List ", "Show or hide the graph list", "Toggle Graph List", "", true },
        { StandardBar, "&Standard", "Show or hide the toolbar", "Toggle ToolBar", "", false },
        { GraphsBar, "Gr&aphs", "Show or hide graphs bar", "Toggle Graphs Bar", "", false },
        { SmoothLines,
            "S&mooth Lines",
            "Draw curves, axes and texts smoothed",
            "Smooth Lines",
            "",
            false },
        { StatusBar, "S&tatus", "Show or hide the status bar", "Toggle StatusBar", "", false },
        { HelpTopics, "&Contents\tF1", "List Help topics", "Help Topics", "", false },
        { Help, "", "", "", "F1", false },
        { HelpContext, "", "", "", "Shift+F1", false },
        { NextPane, "", "", "", "F6", false },
        { PreviousPane, "", "", "", "Shift+F6", false },
        { AppAbout, "&About Ovilan", "", "", "", false },
        { EditLabel, "Edit Label...", "", "", "", false },
        { RemoveLabel, "Remove Label", "", "", "", false },
    };

    constexpr CommandId kStandardBar[] = { FileNew,
        FileOpen,
        FileSave,
        kSeparator,
        EditCopy,
        kSeparator,
        EditUndo,
        EditRedo,
        kSeparator,
        GraphList,
        kSeparator,
        StandardCursor,
        AddLabel,
        SelectInterval,
        kSeparator,
        ZoomIn,
        ZoomOut,
        kSeparator,
        ScrollLeft,
        ScrollRight,
        ScrollUp,
        ScrollDown };

    constexpr CommandId kGraphsBar[]
        = { DocumentProperties, kSeparator, AddGraph, AddTableGraph, RemoveGraph, EditGraph };

    constexpr CommandId kFileMenu[] = { FileNew,
        FileOpen,
        FileSave,
        FileSaveAs,
        SavePicture,
        kSeparator,
        FilePrint,
        FilePrintPreview,
        kSeparator,
        FileRecent,
        kSeparator,
        AppExit };
    constexpr CommandId kEditMenu[] = { EditUndo,
        EditRedo,
        kSeparator,
        EditCopy,
        kSeparator,
        AddLabel,
        SelectInterval,
        kSeparator,
        AppEnvironmentSettings };
    constexpr CommandId kGraphsMenu[]
        = { AddGraph, AddTableGraph, RemoveGraph, EditGraph, kSeparator, DocumentProperties };
    constexpr CommandId kViewMenu[] = { ZoomIn,
        ZoomOut,
        kSeparator,
        ScrollLeft,
        ScrollRight,
        ScrollUp,
        ScrollDown,
        kSeparator,
        GraphList,
        SmoothLines,
        kSeparator,
        StandardBar,
        GraphsBar,
        StatusBar };
    constexpr CommandId kHelpMenu[] = { HelpTopics, AppAbout };

    constexpr MenuSpec kMenus[] = {
        { "&File", kFileMenu },
        { "&Edit", kEditMenu },
        { "&Graphs", kGraphsMenu },
        { "&View", kViewMenu },
        { "&Help", kHelpMenu },
    };

    // The plot's own menu, and the one of a label; each entry shows a tool bar button's image.
    constexpr ContextMenuItem kPlotMenu[] = {
        { AddGraph, "Add Graph...", AddGraph },
        { AddTableGraph, "Add Table Graph...", AddTableGraph },
        { kSeparator, "", kSeparator },
        { EditCopy, "Copy...", EditCopy },
        { kSeparator, "", kSeparator },
        { DocumentProperties, "Document Properties", DocumentProperties },
    };
    constexpr ContextMenuItem kLabelMenu[] = {
        { EditLabel, "Edit Label...", EditGraph },
        { RemoveLabel, "Remove Label", RemoveGraph },
    };

} // namespace

std::span<const CommandSpec> commandTable() { return kCommands; }

const CommandSpec* findCommand(CommandId id)
{
    const auto found = std::find_if(std::begin(kCommands),
        std::end(kCommands),
        [id](const CommandSpec& spec) { return spec.id == id; });
    return found == std::end(kCommands) ? nullptr : found;
}

std::span<const CommandId> standardBar() { return kStandardBar; }
std::span<const CommandId> graphsBar() { return kGraphsBar; }
std::span<const MenuSpec> menuBar() { return kMenus; }
std::span<const ContextMenuItem> plotContextMenu() { return kPlotMenu; }
std::span<const ContextMenuItem> labelContextMenu() { return kLabelMenu; }

} // namespace ovilan
