#include "render/grid.h"

#include "render/step_multiples.h"

#include <functional>

namespace ovilan {

namespace {

    // Calls `draw` with the device position of every multiple of `step` in min..max. More lines
    // than pixels cannot be told apart, so a step finer than that paints every pixel position of
    // the span once instead of looping over billions of multiples.
    void eachLine(double min,
        double max,
        double step,
        bool skipZero,
        PixelSpan span,
        const std::function<std::int32_t(double)>& position,
        const std::function<void(std::int32_t)>& draw)
    {
        const StepMultiples multiples = stepMultiples(min, max, step, 4 * span.count());
        if (multiples.count > 4 * span.count()) {
            for (std::int32_t at = span.first; at <= span.last; ++at)
                draw(at);
            return;
        }
        for (std::int64_t i = 0; i < multiples.count; ++i) {
            const double k = multiples.k(i);
            if (k == 0 && skipZero)
                continue;
            draw(position(k * step));
        }
    }

    Pen penOf(const GridLineSet& lines)
    {
        return { lines.width, lines.style, colorOf(lines.color) };
    }

} // namespace

void drawGrid(Canvas& canvas, const PlotMapping& mapping, const PlotSettings& settings)
{
    const DeviceRect& rect = mapping.plotRect;
    const DeviceRect surface = canvas.surfaceBox();
    const bool crossing = settings.general.rectangularAxes != 1;
    const GridLineSet& horizontal = settings.grid.horizontal;
    if (horizontal.shown) {
        eachLine(
            settings.yAxis.min,
            settings.yAxis.max,
            horizontal.step,
            crossing && settings.xAxis.showAxis,
            visibleSpan(rect.top, rect.bottom, surface.top, surface.bottom),
            [&mapping](double y) { return plotToDevice(mapping, 0, y).y; },
            [&](std::int32_t py) {
                canvas.drawLine(rect.left, py, rect.right, py, penOf(horizontal));
            });
    }
    const GridLineSet& vertical = settings.grid.vertical;
    if (vertical.shown) {
        eachLine(
            settings.xAxis.min,
            settings.xAxis.max,
            vertical.step,
            crossing && settings.yAxis.showAxis,
            visibleSpan(rect.left, rect.right, surface.left, surface.right),
            [&mapping](double x) { return plotToDevice(mapping, x, 0).x; },
            [&](std::int32_t px) {
                canvas.drawLine(px, rect.top, px, rect.bottom, penOf(vertical));
            });
    }
}

} // namespace ovilan
