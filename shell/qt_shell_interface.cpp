#include "shell/qt_shell_interface.h"

#include "dialogs/doc_property_sheet.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/table_graph_dialog.h"
#include "graph/function_graph.h"
#include "shell/animation_frames_dialog.h"
#include "shell/csv_dialogs.h"
#include "shell/picture_dialog.h"
#include "shell/sharp_picture_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace ovilan {

namespace {

    const QString kTitle = QStringLiteral("Ovilan");
    const QString kDocumentFilter = QStringLiteral("Ovilan Files (*.ovd)");
    const QString kMeasurementFilters
        = QStringLiteral("CSV Files (*.csv);;Text Files (*.tsv *.txt);;All Files (*.*)");

    QString toQString(std::string_view text)
    {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    // The extension a picture name typed without one gets from the chosen kind of picture.
    QString pictureSuffix(const QString& nameFilter)
    {
        if (nameFilter == kPngFilter || nameFilter == kSmoothPngFilter)
            return QStringLiteral("png");
        if (nameFilter == kSvgFilter)
            return QStringLiteral("svg");
        if (nameFilter == kPdfFilter)
            return QStringLiteral("pdf");
        return QStringLiteral("bmp");
    }

    std::optional<QString> chosen(const QString& name)
    {
        if (name.isEmpty())
            return std::nullopt;
        return name;
    }

} // namespace

void QtShellInterface::showMessage(std::string_view text)
{
    QMessageBox::warning(parent_, kTitle, toQString(text));
}

bool QtShellInterface::askYesNo(std::string_view text)
{
    return QMessageBox::question(parent_,
               kTitle,
               toQString(text),
               QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes)
        == QMessageBox::Yes;
}

bool QtShellInterface::askConfirmation(std::string_view text)
{
    return QMessageBox::question(parent_,
               QStringLiteral("Confirmation"),
               toQString(text),
               QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes)
        == QMessageBox::Yes;
}

std::unique_ptr<CFunctionGraph> QtShellInterface::runGraphDialog(
    COvilanDoc& document, const CFunctionGraph* graph)
{
    CGraphDlg dialog(document, graph, standardDialogServices(), parent_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return dialog.takeGraph();
}

bool QtShellInterface::runLabelDialog(COvilanDoc&, CPlotLabel& label)
{
    CLabelDlg dialog(label, false, standardDialogServices(), parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtShellInterface::runTableGraphDialog(COvilanDoc& document, CTableGraph& graph)
{
    CTableGraphDlg dialog(document, graph, standardDialogServices(), parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtShellInterface::runDocumentProperties(COvilanDoc& document)
{
    CDocPropertySheet sheet(document, standardDialogServices(), lastPropertyPage_, parent_);
    sheet.exec();
}

SaveChangesAnswer QtShellInterface::askSaveChanges(const QString& documentName)
{
    const auto answer = QMessageBox::warning(parent_,
        kTitle,
        QStringLiteral("Save changes to %1?").arg(documentName),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveChangesAnswer::Save;
    return answer == QMessageBox::No ? SaveChangesAnswer::Discard : SaveChangesAnswer::Cancel;
}

std::optional<QString> QtShellInterface::openFileName(const QString& folder)
{
    return chosen(QFileDialog::getOpenFileName(parent_,
        QStringLiteral("Open"),
        folder,
        kDocumentFilter + QStringLiteral(";;All Files (*.*)")));
}

std::optional<QString> QtShellInterface::saveFileName(const QString& suggestion)
{
    QFileDialog dialog(parent_, QStringLiteral("Save As"), suggestion, kDocumentFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ovd"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> QtShellInterface::csvFileName(const QString& folder)
{
    return chosen(QFileDialog::getOpenFileName(
        parent_, QStringLiteral("Import CSV"), folder, kMeasurementFilters));
}

bool QtShellInterface::askCsvImport(const QString& fileName, const CsvTable& table)
{
    CCsvPreviewDlg preview(fileName, table, parent_);
    return preview.exec() == QDialog::Accepted;
}

std::optional<CsvExportScope> QtShellInterface::askCsvExport(bool graphSelected)
{
    CCsvExportDlg choice(graphSelected, parent_);
    if (choice.exec() != QDialog::Accepted)
        return std::nullopt;
    return choice.scope();
}

std::optional<QString> QtShellInterface::csvSaveFileName(const QString& suggestion)
{
    QFileDialog dialog(
        parent_, QStringLiteral("Export CSV"), suggestion, QStringLiteral("CSV Files (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<PictureFile> QtShellInterface::pictureFileName()
{
    QFileDialog dialog(parent_, QStringLiteral("Save As Picture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({ QStringLiteral("All files (*.*)"),
        kBitmapFilter,
        kPngFilter,
        kSvgFilter,
        kPdfFilter,
        kSmoothPngFilter });
    dialog.selectNameFilter(kBitmapFilter);
    dialog.setDefaultSuffix(pictureSuffix(kBitmapFilter));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(pictureSuffix(filter));
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().front();
    return PictureFile { path, chosenPictureFormat(path, dialog.selectedNameFilter()) };
}

std::optional<PictureRequest> QtShellInterface::askPictureSize(int width, int height)
{
    PictureDialog dialog(width, height, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PictureRequest { dialog.pictureWidth(), dialog.pictureHeight(), dialog.rle() };
}

std::optional<SharpPictureSize> QtShellInterface::askSharpPictureSize(
    PictureFormat format, QSize plotSize)
{
    SharpPictureDialog dialog(format, plotSize, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.pictureSize();
}

std::optional<AnimationFramesRequest> QtShellInterface::askAnimationFrames(
    const ParameterTable& table)
{
    AnimationFramesDialog dialog(table, QDir::homePath(), parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return AnimationFramesRequest { dialog.range(), dialog.folder() };
}

bool QtShellInterface::askPrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ovilan
