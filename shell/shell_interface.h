#pragma once

#include "document/animation_frames.h"
#include "document/csv_table.h"
#include "document/user_interface.h"
#include "view/sharp_picture.h"

#include <QSize>
#include <QString>

#include <optional>

class QPrinter;

namespace ovilan {

enum class SaveChangesAnswer { Save, Discard, Cancel };

// The 16-colour pictures (BMP, PNG) have the exact pixels of the window; the sharp ones (SVG, PDF,
// smooth PNG) are drawn as lines and text at any resolution.
enum class PictureFormat { Bmp, Png, Svg, Pdf, SmoothPng };

// Where Save As Picture writes, and in which format.
struct PictureFile {
    QString path;
    PictureFormat format = PictureFormat::Bmp;
};

struct PictureRequest {
    int width = 0;
    int height = 0;
    bool rle = false;
};

// What Export CSV writes: the points of the selected graph (a table's own points, a curve's
// traced ones) or the traced points of every graph.
enum class CsvExportScope { SelectedGraph, AllGraphs };

// Which parameter an animation moves through which values, and the folder of its frames.
struct AnimationFramesRequest {
    FrameRange range;
    QString folder;
};

// The questions the main window asks besides the document commands' ones: file names, the
// picture size, whether to save changes. The program answers with the real dialogs; tests answer
// from a script, so no modal window ever blocks them.
class ShellInterface : public UserInterface {
public:
    virtual SaveChangesAnswer askSaveChanges(const QString& documentName) = 0;
    virtual std::optional<QString> openFileName(const QString& folder) = 0;
    virtual std::optional<QString> saveFileName(const QString& suggestion) = 0;
    virtual std::optional<PictureFile> pictureFileName() = 0;
    virtual std::optional<PictureRequest> askPictureSize(int width, int height) = 0;
    // What a PDF (its page in millimetres) or a smooth PNG (a scale, or millimetres and dots per
    // inch) needs besides the plot's size in plot pixels.
    virtual std::optional<SharpPictureSize> askSharpPictureSize(
        PictureFormat format, QSize plotSize)
        = 0;
    // "Save Animation Frames" on the document's parameters, which are not none.
    virtual std::optional<AnimationFramesRequest> askAnimationFrames(const ParameterTable& table)
        = 0;
    // Import CSV: the file of measurements to read, and whether to import it once its preview
    // has been seen (a file of more than 2000 rows: its first 2000).
    virtual std::optional<QString> csvFileName(const QString& folder) = 0;
    virtual bool askCsvImport(const QString& fileName, const CsvTable& table) = 0;
    // Export CSV: what to write (the selected graph's points only when a graph is selected),
    // and where.
    virtual std::optional<CsvExportScope> askCsvExport(bool graphSelected) = 0;
    virtual std::optional<QString> csvSaveFileName(const QString& suggestion) = 0;
    // The print dialog: sets up `printer` as the user chose; false when printing was cancelled.
    virtual bool askPrinter(QPrinter& printer) = 0;
    // A message that does not come from the document: file errors, picture errors.
    void showMessage(const QString& text) { showMessage(std::string_view(text.toStdString())); }
    using UserInterface::showMessage;
};

} // namespace ovilan
