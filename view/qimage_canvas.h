#pragma once

#include "render/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>

namespace ovilan {

// The font a record describes, at its height in pixels for a device of `pixelsPerInch`. Text is
// drawn without smoothing, so every text pixel is one of the plot's 16 colours, as on screen.
QFont toQFont(const FontRecord& record, std::int32_t pixelsPerInch);

// A text placed with its box's top left corner at (left, top): its box, its baseline, and whether
// it lies wholly outside `clip`. Such a text is not handed to a painter, whose coordinates cannot
// hold every device position. Glyphs may reach past the text's box (an italic f leans beyond its
// advance), so only a text a line's height away counts as outside.
struct PlacedText {
    QString string;
    DeviceRect box;
    std::int32_t baseline = 0;
    bool outside = false;
};
PlacedText placeText(const QFontMetrics& metrics,
    std::string_view text,
    std::int32_t left,
    std::int32_t top,
    DeviceRect clip);

// A canvas over a 32-bit image: pixels are written straight into its scan lines; QPainter only
// draws the texts.
class QImageCanvas : public Canvas {
public:
    // The image must be Format_RGB32 or Format_ARGB32 and outlive the canvas.
    explicit QImageCanvas(QImage& image);

    void setPixel(std::int32_t x, std::int32_t y, Rgb color) override;
    Rgb pixel(std::int32_t x, std::int32_t y) const override;
    DeviceRect clipBox() const override { return clip_; }
    void setClipBox(DeviceRect clip);
    DeviceRect surfaceBox() const override
    {
        return { 0, 0, image_.width() - 1, image_.height() - 1 };
    }
    void fillRect(DeviceRect area, Rgb color) override;
    TextExtent measureText(const FontRecord& font, std::string_view text) const override;
    void drawText(const FontRecord& font,
        std::string_view text,
        std::int32_t left,
        std::int32_t top) override;
    std::int32_t pixelsPerInchY() const override;

private:
    QRgb* row(std::int32_t y) const
    {
        return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
    }

    QImage& image_;
    uchar* bits_;
    qsizetype stride_;
    DeviceRect clip_;
};

} // namespace ovilan
