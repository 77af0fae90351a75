#pragma once

#include "render/memory_canvas.h"

#include <string>

namespace ovilan {

// A canvas for tests that writes down every drawing primitive it is given — lines, curves, texts,
// ellipses, filled rectangles and areas — one line of text each, and draws it through the pixel
// defaults on an in-memory canvas. Its record shows what a vector surface would be asked to draw;
// its pixels show that the primitives alone give the exact picture. Single pixels are passed on
// without being written down.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(std::int32_t width, std::int32_t height);

    void setPixel(std::int32_t x, std::int32_t y, Rgb color) override;
    Rgb pixel(std::int32_t x, std::int32_t y) const override;
    DeviceRect clipBox() const override;
    DeviceRect surfaceBox() const override;
    TextExtent measureText(const FontRecord& font, std::string_view text) const override;
    std::int32_t pixelsPerInchY() const override;

    void drawLine(std::int32_t x1,
        std::int32_t y1,
        std::int32_t x2,
        std::int32_t y2,
        const Pen& pen) override;
    void drawCurve(CurvePieces& pieces, const Pen& pen) override;
    void drawText(const FontRecord& font,
        std::string_view text,
        std::int32_t left,
        std::int32_t top) override;
    void drawEllipse(DeviceRect box, Rgb outline, std::optional<Rgb> fill) override;
    void fillRect(DeviceRect area, Rgb color) override;
    void fillArea(std::span<const DevicePosition> outline, Rgb color) override;

    // One line per primitive, in drawing order:
    //   line X1 Y1 X2 Y2 WIDTH STYLE RRGGBB
    //   curve PIECES WIDTH STYLE RRGGBB
    //   text LEFT TOP PIXEL-HEIGHT RRGGBB opaque|transparent BACKGROUND TEXT
    //   ellipse LEFT TOP RIGHT BOTTOM OUTLINE FILL|-
    //   fill LEFT TOP RIGHT BOTTOM RRGGBB
    //   area CORNERS RRGGBB
    const std::string& record() const { return record_; }
    const MemoryCanvas& pixels() const { return pixels_; }

private:
    MemoryCanvas pixels_;
    std::string record_;
};

} // namespace ovilan
