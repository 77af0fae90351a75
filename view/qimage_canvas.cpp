#include "view/qimage_canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace ovilan {

namespace {

    QString toQString(std::string_view text)
    {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    QColor toQColor(Rgb color) { return QColor(color.red, color.green, color.blue); }

    DeviceRect within(DeviceRect clip, const QImage& image)
    {
        return { std::max(clip.left, 0),
            std::max(clip.top, 0),
            std::min(clip.right, image.width() - 1),
            std::min(clip.bottom, image.height() - 1) };
    }

} // namespace

PlacedText placeText(const QFontMetrics& metrics,
    std::string_view text,
    std::int32_t left,
    std::int32_t top,
    DeviceRect clip)
{
    PlacedText placed { toQString(text), {}, 0, false };
    const std::int64_t right = std::int64_t { left } + metrics.horizontalAdvance(placed.string);
    const std::int64_t bottom = std::int64_t { top } + metrics.height();
    const std::int64_t reach = metrics.height();
    placed.outside = right + reach <= clip.left || left - reach > clip.right
        || bottom + reach <= clip.top || top - reach > clip.bottom;
    placed.box = { left, top, static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom) };
    placed.baseline = top + metrics.ascent();
    return placed;
}

QFont toQFont(const FontRecord& record, std::int32_t pixelsPerInch)
{
    QFont font(toQString(record.lfFaceName));
    font.setPixelSize(fontDrawingHeight(record, pixelsPerInch));
    if (record.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(record.lfWeight, 1, 1000)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImageCanvas::QImageCanvas(QImage& image)
    : image_(image)
    , bits_(image.bits())
    , stride_(image.bytesPerLine())
    , clip_ { 0, 0, image.width() - 1, image.height() - 1 }
{
}

void QImageCanvas::setClipBox(DeviceRect clip) { clip_ = within(clip, image_); }

void QImageCanvas::setPixel(std::int32_t x, std::int32_t y, Rgb color)
{
    if (x < clip_.left || x > clip_.right || y < clip_.top || y > clip_.bottom)
        return;
    row(y)[x] = qRgb(color.red, color.green, color.blue);
}

Rgb QImageCanvas::pixel(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return {};
    const QRgb value = row(y)[x];
    return { static_cast<std::uint8_t>(qRed(value)),
        static_cast<std::uint8_t>(qGreen(value)),
        static_cast<std::uint8_t>(qBlue(value)) };
}

void QImageCanvas::fillRect(DeviceRect area, Rgb color)
{
    const std::int64_t left = std::max(area.left, clip_.left);
    const std::int64_t right
        = std::min(std::int64_t { area.right } - 1, std::int64_t { clip_.right });
    const std::int64_t top = std::max(area.top, clip_.top);
    const std::int64_t bottom
        = std::min(std::int64_t { area.bottom } - 1, std::int64_t { clip_.bottom });
    if (left > right)
        return;
    const QRgb value = qRgb(color.red, color.green, color.blue);
    for (auto y = static_cast<std::int32_t>(top); y <= bottom; ++y)
        std::fill(row(y) + left, row(y) + right + 1, value);
}

Canvas::TextExtent QImageCanvas::measureText(const FontRecord& font, std::string_view text) const
{
    const QFontMetrics metrics(toQFont(font, pixelsPerInchY()), &image_);
    return { std::min(metrics.horizontalAdvance(toQString(text)), kMaxTextWidth),
        metrics.height() };
}

void QImageCanvas::drawText(
    const FontRecord& font, std::string_view text, std::int32_t left, std::int32_t top)
{
    if (text.empty())
        return;
    const QFont qfont = toQFont(font, pixelsPerInchY());
    const QFontMetrics metrics(qfont, &image_);
    const PlacedText placed = placeText(metrics, text, left, top, clip_);
    if (placed.outside)
        return;
    if (textState().backgroundMode == BackgroundMode::Opaque)
        fillRect(placed.box, textState().backgroundColor);
    QPainter painter(&image_);
    painter.setClipRect(QRect(QPoint(clip_.left, clip_.top), QPoint(clip_.right, clip_.bottom)));
    painter.setFont(qfont);
    painter.setPen(toQColor(textState().textColor));
    painter.drawText(QPoint(left, placed.baseline), placed.string);
}

std::int32_t QImageCanvas::pixelsPerInchY() const { return image_.logicalDpiY(); }

} // namespace ovilan
