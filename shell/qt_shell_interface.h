#pragma once

#include "shell/shell_interface.h"

class QWidget;

namespace ovilan {

// The questions asked with the real message boxes and dialogs, owned by the main window.
class QtShellInterface : public ShellInterface {
public:
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    bool askConfirmation(std::string_view text) override;
    std::unique_ptr<CFunctionGraph> runGraphDialog(
        COvilanDoc& document, const CFunctionGraph* graph) override;
    bool runTableGraphDialog(COvilanDoc& document, CTableGraph& graph) override;
    bool runLabelDialog(COvilanDoc& document, CPlotLabel& label) override;
    void runDocumentProperties(COvilanDoc& document) override;

    SaveChangesAnswer askSaveChanges(const QString& documentName) override;
    std::optional<QString> openFileName(const QString& folder) override;
    std::optional<QString> saveFileName(const QString& suggestion) override;
    std::optional<PictureFile> pictureFileName() override;
    std::optional<QString> csvFileName(const QString& folder) override;
    bool askCsvImport(const QString& fileName, const CsvTable& table) override;
    std::optional<CsvExportScope> askCsvExport(bool graphSelected) override;
    std::optional<QString> csvSaveFileName(const QString& suggestion) override;
    std::optional<PictureRequest> askPictureSize(int width, int height) override;
    std::optional<AnimationFramesRequest> askAnimationFrames(const ParameterTable& table) override;
    std::optional<SharpPictureSize> askSharpPictureSize(
        PictureFormat format, QSize plotSize) override;
    bool askPrinter(QPrinter& printer) override;

private:
    QWidget* parent_ = nullptr;
    // The Document Properties page last closed on, remembered for this run of the program.
    int lastPropertyPage_ = 0;
};

} // namespace ovilan
