#include "dialogs/doc_property_sheet.h"
#include "dialogs/find_points_dialog.h"
#include "dialogs/fit_dialog.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/integral_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/table_graph_dialog.h"
#include "dialogs/tangent_dialog.h"
#include "dialogs/value_at_dialog.h"
#include "document/animation_frames.h"
#include "shell/about_dialog.h"
#include "shell/animation_frames_dialog.h"
#include "shell/csv_dialogs.h"
#include "shell/environment_dialog.h"
#include "shell/help_window.h"
#include "shell/main_frame.h"
#include "shell/picture_dialog.h"
#include "shell/picture_files.h"
#include "shell/sharp_picture_dialog.h"
#include "view/picture_export.h"
#include "view/plot_view.h"
#include "view/sharp_picture.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QProgressDialog>
#include <QUrl>
#include <QtMath>

#include <algorithm>

namespace ovilan {

namespace {

    // The plot is drawn in device pixels, so on a scaled screen the picture the window shows is
    // larger than the window's size in Qt's logical pixels.
    QSize shownPlotSize(const QWidget& view)
    {
        const qreal ratio = view.devicePixelRatioF();
        return { qCeil(view.width() * ratio), qCeil(view.height() * ratio) };
    }

    // The picture size first proposed: the plot as shown, brought into the sizes a picture may
    // have, so a large or scaled screen does not propose a size the dialog then refuses.
    QSize proposedPictureSize(const QWidget& view)
    {
        const QSize shown = shownPlotSize(view);
        return { std::clamp(shown.width(), kMinPictureSide, kMaxPictureSide),
            std::clamp(shown.height(), kMinPictureSide, kMaxPictureSide) };
    }

    // An SVG is the plot at its size in plot pixels; a PDF and a smooth PNG ask for more.
    std::optional<SharpPictureSize> sharpPictureSize(
        ShellInterface& ui, PictureFormat format, QSize plotSize)
    {
        if (format == PictureFormat::Svg)
            return scaledPictureSize(plotSize, 1).size;
        return ui.askSharpPictureSize(format, plotSize);
    }

    // Office suites and drawing programs paste the SVG as lines and text. Qt would answer a request
    // for "image/png" by encoding the 16-colour image; bytes given for that type are handed out
    // instead, so a program that pastes a PNG gets the smooth picture at twice the size. A sharp
    // picture that cannot be made (no memory) is left out: the bitmap is still there.
    void addSharpPictures(QMimeData& clipboardData, const COvilanDoc& document, QSize plotSize)
    {
        const QByteArray svg = svgPictureFile(document, scaledPictureSize(plotSize, 1).size);
        if (!svg.isEmpty())
            clipboardData.setData(QStringLiteral("image/svg+xml"), svg);
        const QByteArray png = smoothPngFile(document, scaledPictureSize(plotSize, 2).size);
        if (!png.isEmpty())
            clipboardData.setData(QStringLiteral("image/png"), png);
    }

} // namespace

void CMainFrame::savePicture()
{
    const QSize proposed = proposedPictureSize(*view_);
    const auto request = ui_.askPictureSize(proposed.width(), proposed.height());
    if (!request)
        return;
    const auto file = ui_.pictureFileName();
    if (!file)
        return;
    QByteArray bytes;
    if (isSharpPicture(file->format)) {
        const auto size
            = sharpPictureSize(ui_, file->format, QSize(request->width, request->height));
        if (!size)
            return;
        bytes = sharpPictureFile(document_, *size, file->format);
    } else {
        bytes = exactPictureFile(document_, *request, file->format);
    }
    if (bytes.isEmpty()) {
        ui_.showMessage(file->format == PictureFormat::Bmp
                ? QStringLiteral("Can't save the bitmap.")
                : QStringLiteral("Can't save the picture."));
        return;
    }
    if (!writeWholeFile(file->path, bytes))
        ui_.showMessage(QStringLiteral("An error has occured while saving."));
}

void CMainFrame::copyPicture()
{
    const QSize proposed = proposedPictureSize(*view_);
    const auto request = ui_.askPictureSize(proposed.width(), proposed.height());
    if (!request)
        return;
    const QImage picture = renderPictureImage(document_, request->width, request->height);
    const auto dib
        = pictureDib(picture, request->rle ? DibCompression::Rle4 : DibCompression::None);
    if (dib.empty()) {
        ui_.showMessage(QStringLiteral("Can't copy the bitmap."));
        return;
    }
    // The clipboard gets the 16-colour picture as an image (a DIB on Windows) and as BMP bytes.
    auto* clipboardData = new QMimeData;
    clipboardData->setImageData(toPaletteImage(picture));
    const std::vector<std::uint8_t> file = bmpFile(dib);
    clipboardData->setData(QStringLiteral("image/bmp"),
        QByteArray(
            reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size())));
    addSharpPictures(*clipboardData, document_, QSize(request->width, request->height));
    QGuiApplication::clipboard()->setMimeData(clipboardData);
}

void CMainFrame::saveAnimationFrames()
{
    if (document_.parameterTable.empty()) {
        ui_.showMessage(QStringLiteral("The document has no parameters to animate."));
        return;
    }
    const auto request = ui_.askAnimationFrames(document_.parameterTable);
    if (!request)
        return;
    const QDir folder(request->folder);
    if (!folder.mkpath(QStringLiteral("."))) {
        ui_.showMessage(QStringLiteral("An error has occured while saving."));
        return;
    }
    // Each frame is the 16-colour PNG that Save As Picture writes, at the size of the plot.
    const QSize size = proposedPictureSize(*view_);
    const PictureRequest picture { size.width(), size.height(), false };
    const std::size_t count = frameCount(request->range);
    QProgressDialog progress(QStringLiteral("Saving the animation frames..."),
        QStringLiteral("Cancel"),
        0,
        static_cast<int>(count),
        this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    QString failure;
    drawFrames(document_, request->range, [&](std::size_t index) {
        progress.setValue(static_cast<int>(index));
        if (progress.wasCanceled())
            return false;
        const QByteArray bytes = exactPictureFile(document_, picture, PictureFormat::Png);
        const QString path = folder.filePath(QString::fromStdString(frameFileName(index, count)));
        if (bytes.isEmpty())
            failure = QStringLiteral("Can't save the picture.");
        else if (!writeWholeFile(path, bytes))
            failure = QStringLiteral("An error has occured while saving.");
        return failure.isEmpty();
    });
    progress.reset();
    if (!failure.isEmpty())
        ui_.showMessage(failure);
}

QString programDataFolder(const QString& name)
{
    // Beside the program in the build tree, or in the shared data folder of an installation.
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& folder : { name, QStringLiteral("../share/ovilan/") + name }) {
        const QFileInfo found(programDir.absoluteFilePath(folder));
        if (found.isDir())
            return found.canonicalFilePath();
    }
    return {};
}

QString dialogHelpAnchor(const QWidget* dialog)
{
    if (qobject_cast<const CGraphDlg*>(dialog))
        return QStringLiteral("dlg-graph");
    if (qobject_cast<const CTableGraphDlg*>(dialog))
        return QStringLiteral("dlg-table");
    if (qobject_cast<const CValueAtDlg*>(dialog))
        return QStringLiteral("dlg-value-at");
    if (qobject_cast<const CFindPointsDlg*>(dialog))
        return QStringLiteral("dlg-find-points");
    if (qobject_cast<const CIntegralDlg*>(dialog))
        return QStringLiteral("dlg-integral");
    if (qobject_cast<const CLabelDlg*>(dialog))
        return QStringLiteral("dlg-label");
    if (qobject_cast<const CDocPropertySheet*>(dialog))
        return QStringLiteral("dlg-document");
    if (qobject_cast<const PictureDialog*>(dialog))
        return QStringLiteral("dlg-picture");
    if (qobject_cast<const SharpPictureDialog*>(dialog))
        return QStringLiteral("dlg-sharp-picture");
    if (qobject_cast<const AnimationFramesDialog*>(dialog))
        return QStringLiteral("dlg-animation-frames");
    if (qobject_cast<const EnvironmentDialog*>(dialog))
        return QStringLiteral("dlg-environment");
    if (qobject_cast<const CFitDlg*>(dialog))
        return QStringLiteral("dlg-fit");
    if (qobject_cast<const CTangentDlg*>(dialog))
        return QStringLiteral("dlg-tangent");
    if (qobject_cast<const CCsvPreviewDlg*>(dialog))
        return QStringLiteral("dlg-import-csv");
    if (qobject_cast<const CCsvExportDlg*>(dialog))
        return QStringLiteral("dlg-export-csv");
    if (qobject_cast<const AboutDialog*>(dialog))
        return QStringLiteral("dlg-about");
    return {};
}

void CMainFrame::openHelp(const QString& page)
{
    const QString folder = programDataFolder(QStringLiteral("help"));
    if (folder.isEmpty()) {
        ui_.showMessage(QStringLiteral("The help files were not found beside the program."));
        return;
    }
    HelpWindow* help = HelpWindow::of(this);
    if (!help)
        help = new HelpWindow(folder, settings_, ui_, this);
    // F1 in a dialog shows the help over that dialog, where its modality does not block it.
    help->showPage(page, QApplication::activeModalWidget());
}

} // namespace ovilan
