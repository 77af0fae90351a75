#include "view/sharp_picture.h"

#include "view/vector_picture.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace ovilan {

namespace {

    constexpr double kMillimetresPerInch = 25.4;
    // The PDF's own resolution: fine enough that rounding its coordinates never shows.
    constexpr int kPdfResolution = 1200;

    QString number(double value) { return QString::number(value, 'g', 6); }

    // Why a device size cannot be drawn on, or nothing when it can.
    QString deviceRefusal(QSize device)
    {
        if (device.width() > kMaxSharpPictureSide || device.height() > kMaxSharpPictureSide)
            return QStringLiteral("The picture would be %1 x %2 pixels; it may have at most %3 "
                                  "pixels a side.")
                .arg(device.width())
                .arg(device.height())
                .arg(kMaxSharpPictureSide);
        if (qint64 { device.width() } * device.height() > kMaxSharpPicturePixels)
            return QStringLiteral("The picture would be %1 x %2 pixels; it may have at most %3 "
                                  "million pixels.")
                .arg(device.width())
                .arg(device.height())
                .arg(kMaxSharpPicturePixels / 1'000'000);
        return {};
    }

    QSize scaled(QSize size, double scale)
    {
        return { static_cast<int>(std::lround(size.width() * scale)),
            static_cast<int>(std::lround(size.height() * scale)) };
    }

    // A painter on `device` whose transform takes the plot's pixels onto the device's area.
    void drawScaled(QPaintDevice& device,
        const COvilanDoc& document,
        const SharpPictureSize& size,
        QSizeF deviceArea)
    {
        QPainter painter(&device);
        painter.scale(
            deviceArea.width() / size.plot.width(), deviceArea.height() / size.plot.height());
        drawVectorPicture(painter, document, size.plot);
    }

    QSizeF millimetresOf(const SharpPictureSize& size)
    {
        if (size.millimetres)
            return *size.millimetres;
        return QSizeF(size.plot) * (kMillimetresPerInch / kPlotPixelsPerInch);
    }

} // namespace

SharpPictureSizeReading scaledPictureSize(QSize plotSize, double scale)
{
    if (!(scale >= kMinPictureScale && scale <= kMaxPictureScale))
        return { {},
            QStringLiteral("The scale must be between %1 and %2.")
                .arg(number(kMinPictureScale), number(kMaxPictureScale)) };
    const SharpPictureSize size { plotSize, scaled(plotSize, scale), std::nullopt };
    return { size, deviceRefusal(size.device) };
}

SharpPictureSizeReading printedPictureSize(QSizeF millimetres, int dpi)
{
    for (const double side : { millimetres.width(), millimetres.height() })
        if (!(side >= kMinPictureMillimetres && side <= kMaxPictureMillimetres))
            return { {},
                QStringLiteral("A side of the picture must be between %1 and %2 millimetres.")
                    .arg(number(kMinPictureMillimetres), number(kMaxPictureMillimetres)) };
    if (dpi < kMinPictureDpi || dpi > kMaxPictureDpi)
        return { {},
            QStringLiteral("The resolution must be between %1 and %2 dots per inch.")
                .arg(kMinPictureDpi)
                .arg(kMaxPictureDpi) };
    const QSizeF inches = millimetres / kMillimetresPerInch;
    SharpPictureSize result;
    result.millimetres = millimetres;
    result.plot = QSize(static_cast<int>(std::lround(inches.width() * kPlotPixelsPerInch)),
        static_cast<int>(std::lround(inches.height() * kPlotPixelsPerInch)));
    result.device = QSize(static_cast<int>(std::lround(inches.width() * dpi)),
        static_cast<int>(std::lround(inches.height() * dpi)));
    return { result, deviceRefusal(result.device) };
}

QByteArray svgPictureFile(const COvilanDoc& document, const SharpPictureSize& size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size.plot);
    svg.setViewBox(QRect(QPoint(0, 0), size.plot));
    svg.setResolution(kPlotPixelsPerInch);
    svg.setTitle(QStringLiteral("Ovilan plot"));
    drawScaled(svg, document, size, QSizeF(size.plot));
    return bytes;
}

QByteArray pdfPictureFile(const COvilanDoc& document, const SharpPictureSize& size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Ovilan"));
    pdf.setTitle(QStringLiteral("Ovilan plot"));
    pdf.setResolution(kPdfResolution);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!pdf.setPageSize(QPageSize(millimetresOf(size),
            QPageSize::Millimeter,
            QStringLiteral("Ovilan plot"),
            QPageSize::ExactMatch)))
        return {};
    const QSizeF inches = millimetresOf(size) / kMillimetresPerInch;
    drawScaled(pdf, document, size, inches * kPdfResolution);
    return bytes;
}

QImage smoothPictureImage(const COvilanDoc& document, const SharpPictureSize& size)
{
    QImage picture(size.device, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    picture.fill(Qt::white);
    const double dotsPerMeter = size.millimetres
        ? size.device.width() / (size.millimetres->width() / 1000)
        : kPlotPixelsPerInch / 0.0254 * size.device.width() / size.plot.width();
    picture.setDotsPerMeterX(static_cast<int>(std::lround(dotsPerMeter)));
    picture.setDotsPerMeterY(static_cast<int>(std::lround(dotsPerMeter)));
    drawScaled(picture, document, size, QSizeF(size.device));
    return picture;
}

QByteArray smoothPngFile(const COvilanDoc& document, const SharpPictureSize& size)
{
    const QImage picture = smoothPictureImage(document, size);
    if (picture.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace ovilan
