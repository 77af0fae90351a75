#include "cli/picture_tools.h"

#include "render/plot_label.h"
#include "render/plot_settings.h"
#include "view/palette_png.h"
#include "view/picture_export.h"
#include "view/qimage_canvas.h"
#include "view/sharp_picture.h"
#include "view/vector_picture.h"

#include <QFontMetrics>
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

    // The 16-colour pictures are the exact pixels of the plot; everything else is drawn through
    // the vector end.
    bool isSharp(const PictureRequest& request)
    {
        return request.format == PictureFormat::Svg || request.format == PictureFormat::Pdf
            || request.smooth || request.scale || request.dotsPerInch || request.millimetres;
    }

    SharpPictureSizeReading sharpSize(const PictureRequest& request)
    {
        if (request.millimetres) {
            // An SVG or a PDF has no pixels of its own: only a PNG needs a resolution.
            const QSizeF millimetres(request.millimetres->first, request.millimetres->second);
            return printedPictureSize(
                millimetres, request.dotsPerInch.value_or(kPlotPixelsPerInch));
        }
        return scaledPictureSize(QSize(request.width, request.height), request.scale.value_or(1));
    }

    // The fonts a plot draws with unless its document names others. Resolving them reads the
    // system's font configuration, which then need not wait for the first text of a picture.
    void resolveUsualFonts()
    {
        for (const FontRecord& font : { AxisSettings {}.labelFont,
                 AxisSettings {}.captionFont,
                 LegendSettings {}.font,
                 CPlotLabel {}.font })
            QFontMetrics(toQFont(font, kPlotPixelsPerInch)).height();
    }

    std::vector<std::uint8_t> bytesOf(const QByteArray& bytes)
    {
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }

    std::optional<std::vector<std::uint8_t>> sharpPictureFile(
        const COvilanDoc& document, const PictureRequest& request)
    {
        const SharpPictureSize size = sharpSize(request).size;
        QByteArray bytes;
        switch (request.format) {
        case PictureFormat::Svg:
            bytes = svgPictureFile(document, size);
            break;
        case PictureFormat::Pdf:
            bytes = pdfPictureFile(document, size);
            break;
        case PictureFormat::Png:
        case PictureFormat::Bmp:
            bytes = smoothPngFile(document, size);
            break;
        }
        if (bytes.isEmpty())
            return std::nullopt;
        return bytesOf(bytes);
    }

    std::optional<std::vector<std::uint8_t>> exactPictureFile(
        const COvilanDoc& document, const PictureRequest& request)
    {
        QImage picture = renderPictureImage(document, request.width, request.height);
        std::vector<std::uint8_t> bytes;
        if (request.format == PictureFormat::Bmp) {
            const auto dib = pictureDib(
                std::move(picture), request.rle ? DibCompression::Rle4 : DibCompression::None);
            if (!dib.empty())
                bytes = bmpFile(dib);
        } else {
            bytes = palettePngFile(picture);
        }
        if (bytes.empty())
            return std::nullopt;
        return bytes;
    }

} // namespace

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

std::string pictureRefusal(const PictureRequest& request)
{
    if (!isSharp(request))
        return {};
    return sharpSize(request).refusal.toStdString();
}

PictureMaker::PictureMaker()
    : application_(std::make_unique<HeadlessApplication>())
{
    resolveUsualFonts();
}

PictureMaker::~PictureMaker() = default;

std::optional<std::vector<std::uint8_t>> PictureMaker::file(
    const COvilanDoc& document, const PictureRequest& request) const
{
    if (isSharp(request))
        return sharpPictureFile(document, request);
    return exactPictureFile(document, request);
}

} // namespace ovilan::cli
