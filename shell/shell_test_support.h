#pragma once

#include "document/ovilan_doc.h"
#include "graph/function_graph.h"
#include "shell/main_frame.h"
#include "shell/picture_dialog.h"
#include "shell/shell_interface.h"

#include <QPrinter>
#include <QSettings>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

// The main window with a scripted user, shared by the window's tests.
namespace ovilan::testing {

// Answers the window's questions from a script and remembers every message.
struct ScriptedShell : ShellInterface {
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    bool askYesNo(std::string_view) override { return true; }
    std::unique_ptr<CFunctionGraph> runGraphDialog(COvilanDoc&, const CFunctionGraph*) override
    {
        return std::move(nextGraph);
    }
    bool runTableGraphDialog(COvilanDoc& document, CTableGraph& graph) override
    {
        return tableGraphDialog && tableGraphDialog(document, graph);
    }
    bool askConfirmation(std::string_view) override { return true; }
    bool runLabelDialog(COvilanDoc&, CPlotLabel& label) override
    {
        if (!editLabel)
            return false;
        editLabel(label);
        return true;
    }
    void runDocumentProperties(COvilanDoc&) override { }
    SaveChangesAnswer askSaveChanges(const QString&) override { return saveChanges; }
    std::optional<QString> openFileName(const QString& folder) override
    {
        openFolders.append(folder);
        return fileName;
    }
    std::optional<QString> saveFileName(const QString&) override { return fileName; }
    std::optional<QString> csvFileName(const QString&) override { return fileName; }
    bool askCsvImport(const QString&, const CsvTable& table) override
    {
        previewedRows = table.rows.size();
        return importCsv;
    }
    std::optional<CsvExportScope> askCsvExport(bool graphSelected) override
    {
        exportAskedWithSelection = graphSelected;
        return csvExport;
    }
    std::optional<QString> csvSaveFileName(const QString& suggestion) override
    {
        csvSuggestion = suggestion;
        return fileName;
    }
    std::optional<PictureFile> pictureFileName() override
    {
        if (!fileName)
            return std::nullopt;
        return PictureFile { *fileName, chosenPictureFormat(*fileName, pictureFilter) };
    }
    std::optional<PictureRequest> askPictureSize(int width, int height) override
    {
        proposedPicture = QSize(width, height);
        return picture;
    }
    std::optional<SharpPictureSize> askSharpPictureSize(
        PictureFormat format, QSize plotSize) override
    {
        sharpPictureAsked = { format, plotSize };
        return sharpPicture;
    }
    std::optional<AnimationFramesRequest> askAnimationFrames(const ParameterTable&) override
    {
        return animationFrames;
    }
    bool askPrinter(QPrinter& printer) override
    {
        if (!setUpPrinter)
            return false;
        setUpPrinter(printer);
        return true;
    }

    std::vector<std::string> messages;
    SaveChangesAnswer saveChanges = SaveChangesAnswer::Discard;
    std::optional<QString> fileName;
    std::optional<PictureRequest> picture;
    QSize proposedPicture;
    std::optional<SharpPictureSize> sharpPicture;
    std::optional<AnimationFramesRequest> animationFrames;
    std::optional<std::pair<PictureFormat, QSize>> sharpPictureAsked;
    QString pictureFilter = kBitmapFilter;
    QStringList openFolders;
    std::unique_ptr<CFunctionGraph> nextGraph;
    std::function<void(CPlotLabel&)> editLabel;
    std::function<void(QPrinter&)> setUpPrinter; // the print dialog's choices; empty cancels
    // The Table Graph dialog's part: true for OK; empty cancels.
    std::function<bool(COvilanDoc&, CTableGraph&)> tableGraphDialog;
    bool importCsv = true; // the CSV preview's answer
    std::optional<std::size_t> previewedRows;
    std::optional<CsvExportScope> csvExport;
    std::optional<bool> exportAskedWithSelection;
    QString csvSuggestion;
};

struct Window {
    Window()
        : frame(document, preferences, settings, ui)
    {
        frame.resize(800, 600);
    }

    void addGraph(const char* formula)
    {
        auto graph = std::make_unique<CYofXGraph>(document);
        graph->setFormula(formula, 0);
        document.insertGraph(std::move(graph), document.graphCount());
        document.refreshGraphs();
    }

    QSettings settings { QStringLiteral("Quenbrix"), QStringLiteral("Ovilan") };
    AppPreferences preferences;
    COvilanDoc document { preferences };
    ScriptedShell ui;
    CMainFrame frame;
};

// While it lives, no file of this process may grow beyond `bytes`: a write past it fails as
// on a full disk (the signal that would end the process is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_ {};
    void (*previousSignal_)(int) = nullptr;
};

inline QString temporaryFile(const QTemporaryDir& dir, const char* name)
{
    return dir.filePath(QString::fromLatin1(name));
}

// A parameter of the document's table on a slider of that range.
inline FormulaParameter parameter(
    char name, double value, double minimum, double maximum, double step)
{
    FormulaParameter made;
    made.name = name;
    made.value = value;
    made.minimum = minimum;
    made.maximum = maximum;
    made.step = step;
    return made;
}

} // namespace ovilan::testing
