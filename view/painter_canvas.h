#pragma once

#include "render/canvas.h"

#include <QImage>
#include <QPainter>

namespace ovilan {

// How the vector end draws: smoothed or not, and how few lines a curve becomes. A point closer than
// `curveTolerance` plot pixels to the last one looked at is passed over (0 looks at every point);
// points that all lie within `straightTolerance` plot pixels of one straight line become that line
// (0: every point looked at is kept). So a curve traced with many more points than pixels gives a
// picture file as small as its shape needs: a twentieth of a plot pixel is a sixth of a pixel at
// 300 dots per inch. A long curve is stroked in parts of at most `pointsPerStroke` points (0: one
// stroke each). With `separateSegments` a curve is drawn as separate straight segments
// with square ends, its dashes cut by the canvas: Qt's raster engine draws those with its fast
// line rasteriser, where a wide round-joined outline costs many times more.
struct VectorStyle {
    bool antialiased = true;
    double curveTolerance = 0.25;
    double straightTolerance = 0.05;
    int pointsPerStroke = 0;
    bool separateSegments = false;
};

// The plot's primitives drawn as real lines, paths, ellipses and texts on a QPainter: the end
// that SVG, PDF, printing, sharp PNG pictures and smooth screen lines draw through. Its
// coordinates are the plot pixels of a surface of the given size at pixelsPerInch; the painter's
// transform takes them to the device at any resolution, so line widths, dash lengths and texts
// keep their proportion to the picture. Texts are measured exactly as the pixel end measures them,
// so the layout is the one of the exact picture of that size. The painter must outlive the canvas.
class PainterCanvas : public Canvas {
public:
    PainterCanvas(
        QPainter& painter, DeviceRect surface, std::int32_t pixelsPerInch, VectorStyle style = {});

    // A single pixel becomes a filled square; a drawn picture cannot be read back, so every pixel
    // reads as black.
    void setPixel(std::int32_t x, std::int32_t y, Rgb color) override;
    Rgb pixel(std::int32_t x, std::int32_t y) const override;
    DeviceRect clipBox() const override { return clip_; }
    void setClipBox(DeviceRect clip);
    DeviceRect surfaceBox() const override { return surface_; }

    void drawLine(std::int32_t x1,
        std::int32_t y1,
        std::int32_t x2,
        std::int32_t y2,
        const Pen& pen) override;
    void drawCurve(CurvePieces& pieces, const Pen& pen) override;
    void fillRect(DeviceRect area, Rgb color) override;
    void fillArea(std::span<const DevicePosition> outline, Rgb color) override;
    TextExtent measureText(const FontRecord& font, std::string_view text) const override;
    void drawText(const FontRecord& font,
        std::string_view text,
        std::int32_t left,
        std::int32_t top) override;
    std::int32_t pixelsPerInchY() const override { return pixelsPerInch_; }
    void drawEllipse(DeviceRect box, Rgb outline, std::optional<Rgb> fill) override;

private:
    QPainter& painter_;
    DeviceRect surface_;
    DeviceRect clip_;
    std::int32_t pixelsPerInch_;
    VectorStyle style_;
    QImage measuring_; // a surface of the canvas's resolution, to measure texts as they are drawn
};

} // namespace ovilan
