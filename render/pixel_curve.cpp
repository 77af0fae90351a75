#include "render/pixel_curve.h"

#include "render/curve_brush.h"
#include "render/dash_pattern.h"
#include "render/line_steps.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ovilan {

namespace {

    // The running state of one curve being drawn.
    struct TraceRun {
        Canvas& canvas;
        Rgb color;
        std::span<const BrushOffset> brush;
        LeadingEdges leadingEdges;
        std::array<bool, 32> pattern;
        int position = 0;
        bool dashStart = true;
        std::int32_t lastX = -100;
        std::int32_t lastY = -100;
        // The clip box grown by the two pixels a brush reaches beyond its centre.
        DeviceRect reach {};

        void stamp(std::int32_t x, std::int32_t y, std::span<const BrushOffset> offsets)
        {
            for (const BrushOffset& offset : offsets)
                canvas.setPixel(x + offset.dx, y + offset.dy, color);
        }

        // A pixel more than two pixels outside the clip box stamps nothing that can be seen; it
        // only moves the pattern on.
        void handle(std::int64_t x, std::int64_t y, std::int64_t previousX, std::int64_t previousY)
        {
            if (pattern[static_cast<std::size_t>(position)]) {
                const DeviceRect& clip = reach;
                const bool seen
                    = x >= clip.left && x <= clip.right && y >= clip.top && y <= clip.bottom;
                const auto px = static_cast<std::int32_t>(x);
                const auto py = static_cast<std::int32_t>(y);
                if (dashStart) {
                    if (seen)
                        stamp(px, py, brush);
                    dashStart = false;
                } else if (seen) {
                    // Consecutive pixels of a rasterised line are neighbours.
                    stamp(px,
                        py,
                        leadingEdges.forStep(
                            static_cast<int>(x - previousX), static_cast<int>(y - previousY)));
                }
            } else {
                dashStart = true;
            }
            position = (position + 1) % 32;
        }

        // Pixels handled out of sight draw nothing; they only move the pattern on. After them
        // the next dash starts with a cap exactly when the last of them was an off position.
        void passUnseen(std::int64_t count)
        {
            if (count <= 0)
                return;
            position = static_cast<int>((position + count) % 32);
            dashStart = !pattern[static_cast<std::size_t>((position + 31) % 32)];
        }

        void rasterise(DevicePoint start, DevicePoint end)
        {
            const bool skipFirst = start.x == lastX && start.y == lastY;
            if (!skipFirst)
                dashStart = true;
            lastX = end.x;
            lastY = end.y;
            // A skipped first pixel is not handled and does not advance the pattern.
            const std::int64_t firstHandled = skipFirst ? 1 : 0;
            const LineSteps steps(start.x, start.y, end.x, end.y);
            // Brush pixels reach two pixels beyond the handled one.
            auto [first, last] = steps.within(canvas.clipBox(), 2);
            first = std::max(first, firstHandled);
            if (first > last) {
                passUnseen(steps.last() + 1 - firstHandled);
                return;
            }
            passUnseen(first - firstHandled);
            auto [previousX, previousY] = steps.point(first == 0 ? 0 : first - 1);
            for (std::int64_t i = first; i <= last; ++i) {
                const auto [x, y] = steps.point(i);
                handle(static_cast<std::int32_t>(x),
                    static_cast<std::int32_t>(y),
                    static_cast<std::int32_t>(previousX),
                    static_cast<std::int32_t>(previousY));
                previousX = x;
                previousY = y;
            }
            passUnseen(steps.last() - last);
        }
    };

    DevicePoint rounded(DevicePosition position)
    {
        return { roundToDevice(position.x), roundToDevice(position.y) };
    }

} // namespace

void drawPixelCurve(Canvas& canvas, CurvePieces& pieces, const Pen& pen)
{
    const std::span<const BrushOffset> shape = curveBrush(pen.width);
    if (shape.empty())
        return;
    TraceRun run {
        canvas, pen.color, shape, LeadingEdges(shape), curveDashPattern(pen.style, pen.width)
    };
    const DeviceRect clip = canvas.clipBox();
    run.reach = { clip.left - 2, clip.top - 2, clip.right + 2, clip.bottom + 2 };
    for (auto batch = pieces.next(); !batch.empty(); batch = pieces.next())
        for (const CurvePiece& piece : batch)
            run.rasterise(rounded(piece.from), rounded(piece.to));
}

} // namespace ovilan
