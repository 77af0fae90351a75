#include "render/axes.h"

#include "render/axis_labels.h"
#include "render/grid.h"
#include "render/step_multiples.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace ovilan {

namespace {

    constexpr std::int32_t kSolid = 0;

    void drawCaption(Canvas& canvas, const AxisSettings& axis, std::int32_t left, std::int32_t top)
    {
        const TextStateSaver saver(canvas);
        canvas.textState().textColor = colorOf(axis.captionColor);
        canvas.textState().backgroundMode = BackgroundMode::Transparent;
        canvas.drawText(axis.captionFont, axis.caption, left, top);
    }

    // Calls `at(k)` for the multiples of `step` in the axis range, from the smallest up, or from
    // the largest down. With more than `limit` multiples it calls nothing and reports false.
    template <typename At>
    bool eachMultiple(
        const AxisSettings& axis, double step, std::int64_t limit, bool downward, At at)
    {
        const StepMultiples multiples = stepMultiples(axis.min, axis.max, step, limit);
        if (multiples.count > limit)
            return false;
        for (std::int64_t i = 0; i < multiples.count; ++i)
            at(downward ? multiples.fromTop(i) : multiples.k(i));
        return true;
    }

    struct AxisPass {
        Canvas& canvas;
        const PlotMapping& mapping;
        const AxisSettings& axis;
        AxisPositions at;
        bool crossing;

        const DeviceRect& rect() const { return mapping.plotRect; }
        Rgb lineColor() const { return colorOf(axis.lineColor); }

        // A tick at every visible pixel of the span when the ticks would be closer than a
        // quarter pixel.
        template <typename Position, typename Tick>
        void ticks(PixelSpan span, bool downward, Position position, Tick tick)
        {
            const bool drawn
                = eachMultiple(axis, axis.tickStep, 4 * span.count(), downward, [&](double k) {
                      tick(position(k * axis.tickStep));
                  });
            if (!drawn)
                for (std::int32_t p = span.first; p <= span.last; ++p)
                    tick(p);
        }

        template <typename Label> void labels(LabelOrder order, Label label)
        {
            const TextStateSaver saver(canvas);
            canvas.textState().textColor = colorOf(axis.labelColor);
            canvas.textState().backgroundMode = BackgroundMode::Transparent;
            // With crossing axes the origin "0" takes the place of the label at zero.
            const ZeroLabel zero = crossing ? ZeroLabel::LeftToOrigin : ZeroLabel::Drawn;
            for (const AxisLabel& each : axisLabels(axis, order, zero))
                label(each.at, each.text, canvas.measureText(axis.labelFont, each.text));
        }

        PixelSpan columns() const
        {
            const DeviceRect surface = canvas.surfaceBox();
            return visibleSpan(rect().left, rect().right, surface.left, surface.right);
        }
        PixelSpan rows() const
        {
            const DeviceRect surface = canvas.surfaceBox();
            return visibleSpan(rect().top, rect().bottom, surface.top, surface.bottom);
        }

        void axisLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
        {
            canvas.drawLine(x1, y1, x2, y2, { axis.lineWidth, axis.lineStyle, lineColor() });
        }

        void arrowStroke(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
        {
            canvas.drawLine(x1, y1, x2, y2, { axis.lineWidth, kSolid, lineColor() });
        }
    };

    void drawXAxis(AxisPass pass)
    {
        Canvas& canvas = pass.canvas;
        const AxisSettings& axis = pass.axis;
        const DeviceRect& r = pass.rect();
        const std::int32_t ay = pass.at.y;
        if (pass.crossing) {
            pass.axisLine(r.left - 15, ay, r.right + 15, ay);
        } else {
            pass.axisLine(r.left, r.top, r.right, r.top);
            pass.axisLine(r.left, r.bottom, r.right, r.bottom);
        }
        const Canvas::TextExtent caption = canvas.measureText(axis.captionFont, axis.caption);
        drawCaption(canvas,
            axis,
            r.right + 15 - caption.width,
            axis.labelLayout ? ay + 10 : ay - caption.height - 10);
        if (axis.showArrow && pass.crossing) {
            const std::int32_t d = pass.mapping.xDirection;
            const std::int32_t end = d == 1 ? r.right : r.left;
            pass.arrowStroke(end + 5 * d, ay - 3, end + 15 * d, ay);
            pass.arrowStroke(end + 15 * d, ay, end + 5 * d, ay + 3);
        }
        if (axis.showTicks) {
            const Pen tickPen { axis.lineWidth, kSolid, colorOf(axis.tickColor) };
            const auto tickAt = [&](std::int32_t px) {
                canvas.drawLine(
                    px, ay + axis.tickLength / 2, px, ay - axis.tickLength / 2, tickPen);
            };
            pass.ticks(
                pass.columns(),
                false,
                [&](double value) { return plotToDevice(pass.mapping, value, 0).x; },
                tickAt);
        }
        if (axis.showLabels)
            pass.labels(LabelOrder::Upward,
                [&](double value, const std::string& text, Canvas::TextExtent box) {
                    const std::int32_t px = plotToDevice(pass.mapping, value, 0).x;
                    canvas.drawText(axis.labelFont,
                        text,
                        px - box.width / 2,
                        axis.labelLayout ? ay - box.height - 5 : ay + 5);
                });
    }

    void drawYAxis(AxisPass pass)
    {
        Canvas& canvas = pass.canvas;
        const AxisSettings& axis = pass.axis;
        const DeviceRect& r = pass.rect();
        const std::int32_t ax = pass.at.x;
        if (pass.crossing) {
            pass.axisLine(ax, r.top - 15, ax, r.bottom + 15);
        } else {
            pass.axisLine(r.left, r.top, r.left, r.bottom);
            pass.axisLine(r.right, r.top, r.right, r.bottom);
        }
        const Canvas::TextExtent caption = canvas.measureText(axis.captionFont, axis.caption);
        drawCaption(canvas, axis, axis.labelLayout ? ax - caption.width - 10 : ax + 10, r.top - 15);
        if (axis.showArrow && pass.crossing) {
            const std::int32_t d = pass.mapping.yDirection;
            const std::int32_t end = d == 1 ? r.top : r.bottom;
            pass.arrowStroke(ax - 3, end - 5 * d, ax, end - 15 * d);
            pass.arrowStroke(ax, end - 15 * d, ax + 3, end - 5 * d);
        }
        if (axis.showTicks) {
            const Pen tickPen { axis.lineWidth, kSolid, colorOf(axis.tickColor) };
            const auto tickAt = [&](std::int32_t py) {
                canvas.drawLine(
                    ax - axis.tickLength / 2, py, ax + axis.tickLength / 2, py, tickPen);
            };
            pass.ticks(
                pass.rows(),
                true,
                [&](double value) { return plotToDevice(pass.mapping, 0, value).y; },
                tickAt);
        }
        if (axis.showLabels)
            pass.labels(LabelOrder::Downward,
                [&](double value, const std::string& text, Canvas::TextExtent box) {
                    const std::int32_t py = plotToDevice(pass.mapping, 0, value).y;
                    canvas.drawText(axis.labelFont,
                        text,
                        axis.labelLayout ? ax + 5 : ax - box.width - 5,
                        py + 1 - box.height / 2);
                });
    }

    // The single "0" at the crossing point, moved 3 pixels clear of it toward the sides where the
    // labels of the two axes hang.
    void drawOrigin(
        Canvas& canvas, const PlotMapping& mapping, const PlotSettings& settings, AxisPositions at)
    {
        const DevicePoint zero = plotToDevice(mapping, 0, 0);
        const DeviceRect& r = mapping.plotRect;
        const AxisSettings& x = settings.xAxis;
        const AxisSettings& y = settings.yAxis;
        int sx = 0;
        int sy = 0;
        const AxisSettings* font = nullptr;
        if (zero.y >= r.top && zero.y <= r.bottom && y.showAxis && y.showLabels) {
            sx = y.labelLayout ? 1 : -1;
            font = &y;
        }
        if (zero.x >= r.left && zero.x <= r.right && x.showAxis && x.showLabels) {
            sy = x.labelLayout ? -1 : 1;
            font = &x;
        }
        if (font == nullptr)
            return;
        const TextStateSaver saver(canvas);
        canvas.textState().textColor = colorOf(font->labelColor);
        canvas.textState().backgroundMode = BackgroundMode::Transparent;
        const Canvas::TextExtent box = canvas.measureText(font->labelFont, "0");
        canvas.drawText(font->labelFont,
            "0",
            at.x - box.width / 2 + (box.width / 2 + 3) * sx,
            at.y - box.height / 2 + (box.height / 2 + 3) * sy);
    }

} // namespace

AxisPositions axisPositions(const PlotMapping& mapping, const PlotSettings& settings)
{
    const DeviceRect& r = mapping.plotRect;
    const std::int32_t width = r.right - r.left;
    const std::int32_t height = r.bottom - r.top;
    const std::int32_t xd = mapping.xDirection;
    const std::int32_t yd = mapping.yDirection;
    // The origin lies inside the plot unless an edge takes its place below; an offset that the
    // mapping could not compute within the int range (a range of 10^246 beside one of 10) is held
    // just beyond the plot, so the sums below cannot overflow.
    std::int32_t ex = std::clamp(roundToDevice(mapping.xOffset), -width - 1, width + 1);
    std::int32_t ey = std::clamp(roundToDevice(mapping.yOffset), -height - 1, height + 1);
    // The edge that holds a range's minimum, and the one that holds its maximum.
    const std::int32_t exAtMin = ((width + 1) * xd) / -2;
    const std::int32_t eyAtMin = ((height + 1) * yd) / -2;
    if (settings.general.rectangularAxes == 1) {
        ex = exAtMin;
        ey = eyAtMin;
    } else {
        if (settings.xAxis.min >= 0)
            ex = exAtMin;
        if (settings.xAxis.max <= 0)
            ex = ((width + 1) * xd) / 2;
        if (settings.yAxis.min >= 0)
            ey = eyAtMin;
        if (settings.yAxis.max <= 0)
            ey = ((height + 1) * yd) / 2;
    }
    return { r.left + width / 2 + ex, r.top + height / 2 - ey };
}

void drawAxes(Canvas& canvas,
    const PlotMapping& mapping,
    const PlotSettings& settings,
    std::span<const LegendEntry> legendEntries)
{
    drawLegend(canvas, mapping, settings.legend, legendEntries);
    drawGrid(canvas, mapping, settings);
    const AxisPositions at = axisPositions(mapping, settings);
    const bool crossing = settings.general.rectangularAxes != 1;
    if (settings.xAxis.showAxis)
        drawXAxis({ canvas, mapping, settings.xAxis, at, crossing });
    if (settings.yAxis.showAxis)
        drawYAxis({ canvas, mapping, settings.yAxis, at, crossing });
    if (crossing)
        drawOrigin(canvas, mapping, settings, at);
}

} // namespace ovilan
