#pragma once

namespace ovilan {

// The program's command identifiers. The command table maps each to its menu text, prompt, tool
// tip, shortcuts, image and handler.
enum class CommandId : int {
    AppEnvironmentSettings = 112,
    GraphList = 32771,
    DocumentProperties = 32772,
    SavePicture = 32773,
    AddGraph = 32774,
    RemoveGraph = 32775,
    EditGraph = 32776,
    ZoomIn = 32778,
    ZoomOut = 32781,
    AddTableGraph = 32784,
    AddLabel = 32785,
    SelectInterval = 32789,
    StandardCursor = 32793,
    ScrollLeft = 32795,
    ScrollRight = 32796,
    ScrollUp = 32797,
    ScrollDown = 32798,
    GraphsBar = 32821,
    EditLabel = 32822,
    RemoveLabel = 32823,
    SmoothLines = 32824,
    TraceCurve = 32840,
    ValueAt = 32841,
    FindPoints = 32850,
    Integral = 32851,
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FileRecent = 57616,
    EditCopy = 57634,
    EditUndo = 57643,
    EditRedo = 57644,
    AppExit = 57665,
    AppAbout = 57664,
    HelpTopics = 57667,
    HelpContext = 57669,
    Help = 57670,
    NextPane = 57680,
    PreviousPane = 57681,
    StandardBar = 59392,
    StatusBar = 59393,
};

} // namespace ovilan
