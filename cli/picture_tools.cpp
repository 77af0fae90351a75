#include "cli/picture_tools.h"

#include "view/palette_png.h"
#include "view/picture_export.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>

namespace ovilan::cli {

namespace {

    // A tool run from scripts has no session, so the notice about its missing runtime directory
    // is only noise on stderr; everything else Qt reports goes through.
    void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && message.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set"))
            return;
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }

    // Fonts need an application object; the offscreen platform needs no display.
    class HeadlessApplication {
    public:
        HeadlessApplication()
        {
            qInstallMessageHandler(quietHandler);
            qputenv("QT_QPA_PLATFORM", "offscreen");
            if (QGuiApplication::instance() == nullptr)
                app_.emplace(argc_, argv_);
        }

    private:
        char name_[11] = "ovilan-cli";
        char* argv_[2] = { name_, nullptr };
        int argc_ = 1;
        std::optional<QGuiApplication> app_;
    };

} // namespace

std::optional<std::vector<std::uint8_t>> pictureFile(
    const COvilanDoc& document, const PictureRequest& request)
{
    const HeadlessApplication application;
    const QImage picture = renderPictureImage(document, request.width, request.height);
    if (request.format == PictureFormat::Bmp) {
        const auto dib
            = pictureDib(picture, request.rle ? DibCompression::Rle4 : DibCompression::None);
        if (dib.empty())
            return std::nullopt;
        return bmpFile(dib);
    }
    auto png = palettePngFile(picture);
    if (png.empty())
        return std::nullopt;
    return png;
}

} // namespace ovilan::cli
