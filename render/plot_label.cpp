#include "render/plot_label.h"

#include "render/random_color.h"

#include <algorithm>
#include <limits>

namespace ovilan {

namespace {

    // Label geometry is computed wide, so a far-away anchor or a huge radius from a file cannot
    // overflow, and then pinned to the device's range.
    std::int32_t pinned(std::int64_t value)
    {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value,
            std::numeric_limits<std::int32_t>::min(),
            std::numeric_limits<std::int32_t>::max()));
    }

    // The square the marker is inscribed in: (px - r, py - r) up to but excluding
    // (px + r + 1, py + r + 1).
    DeviceRect markerSquare(DevicePoint p, std::int32_t radius)
    {
        return { pinned(std::int64_t { p.x } - radius),
            pinned(std::int64_t { p.y } - radius),
            pinned(std::int64_t { p.x } + radius + 1),
            pinned(std::int64_t { p.y } + radius + 1) };
    }

} // namespace

CPlotLabel::CPlotLabel()
    : pointColor(nextRandomColor())
{
}

DeviceRect CPlotLabel::captionBox(const Canvas& canvas, const PlotMapping& mapping) const
{
    const DevicePoint p = plotToDevice(mapping, x, y);
    const Canvas::TextExtent extent = canvas.measureText(font, caption);
    const std::int64_t w = extent.width;
    const std::int64_t h = extent.height;
    const std::int64_t r = radius;
    std::int64_t left = p.x - w / 2;
    if (horizontalAlign == 0)
        left = p.x - w - r - 2;
    else if (horizontalAlign == 2)
        left = p.x + r + 2;
    std::int64_t top = p.y - h / 2;
    if (verticalAlign == 0)
        top = p.y - h - r - 2;
    else if (verticalAlign == 2)
        top = p.y + r + 2;
    return { pinned(left), pinned(top), pinned(left + w), pinned(top + h) };
}

void CPlotLabel::draw(Canvas& canvas, const PlotMapping& mapping) const
{
    const DevicePoint p = plotToDevice(mapping, x, y);
    if (!p.inside)
        return;
    const TextStateSaver saver(canvas);
    canvas.textState().textColor = colorOf(textColor);
    const DeviceRect box = captionBox(canvas, mapping);
    constexpr Rgb kBlack = colorOf(0);
    constexpr Pen kOutline { 1, 0, kBlack };
    if (showPoint) {
        const Rgb fill = colorOf(pointColor);
        if (outlineOnly || pointTransparent)
            canvas.drawEllipse(markerSquare(p, radius), kBlack, std::nullopt);
        else
            canvas.drawEllipse(markerSquare(p, radius), pointBorder ? kBlack : fill, fill);
    }
    if (!showLabel)
        return;
    if (!outlineOnly) {
        const TextStateSaver captionSaver(canvas);
        canvas.textState().backgroundColor = colorOf(backgroundColor);
        canvas.textState().backgroundMode
            = labelTransparent ? BackgroundMode::Transparent : BackgroundMode::Opaque;
        canvas.drawText(font, caption, pinned(std::int64_t { box.left } + 1), box.top);
    }
    if (labelBorder || outlineOnly) {
        canvas.drawLine(box.left, box.top, box.left, box.bottom, kOutline);
        canvas.drawLine(box.left, box.top, box.right, box.top, kOutline);
        canvas.drawLine(box.left, box.bottom, box.right, box.bottom, kOutline);
        canvas.drawLine(box.right, box.top, box.right, box.bottom, kOutline);
    }
}

bool CPlotLabel::hitTest(
    const Canvas& canvas, const PlotMapping& mapping, std::int32_t mx, std::int32_t my) const
{
    if (showLabel) {
        const DeviceRect box = captionBox(canvas, mapping);
        if (mx >= box.left && mx < box.right && my >= box.top && my < box.bottom)
            return true;
    }
    if (!showPoint)
        return false;
    const DevicePoint p = plotToDevice(mapping, x, y);
    const double dx = static_cast<double>(p.x) - mx;
    const double dy = static_cast<double>(p.y) - my;
    const double r = radius;
    return dx * dx + dy * dy <= r * r;
}

} // namespace ovilan
