#include "graph/curve_raster.h"

#include "render/line_steps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <span>

namespace ovilan {

namespace {

    struct Offset {
        int dx;
        int dy;
    };

    // The brush of each width, device y growing downward; width 2's pixel is the lower right
    // corner of its square, widths 4 and 5 lose their corner pixels.
    std::span<const Offset> brush(std::int32_t width)
    {
        static constexpr Offset kOne[] = { { 0, 0 } };
        static constexpr Offset kTwo[] = { { -1, -1 }, { 0, -1 }, { -1, 0 }, { 0, 0 } };
        static constexpr Offset kThree[] = { { -1, -1 },
            { 0, -1 },
            { 1, -1 },
            { -1, 0 },
            { 0, 0 },
            { 1, 0 },
            { -1, 1 },
            { 0, 1 },
            { 1, 1 } };
        static constexpr auto kFour = [] {
            std::array<Offset, 12> offsets {};
            std::size_t n = 0;
            for (int dy = -2; dy <= 1; ++dy)
                for (int dx = -2; dx <= 1; ++dx)
                    if (!((dx == -2 || dx == 1) && (dy == -2 || dy == 1)))
                        offsets[n++] = { dx, dy };
            return offsets;
        }();
        static constexpr auto kFive = [] {
            std::array<Offset, 21> offsets {};
            std::size_t n = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (!((dx == -2 || dx == 2) && (dy == -2 || dy == 2)))
                        offsets[n++] = { dx, dy };
            return offsets;
        }();
        switch (width) {
        case 1:
            return kOne;
        case 2:
            return kTwo;
        case 3:
            return kThree;
        case 4:
            return kFour;
        case 5:
            return kFive;
        default:
            return {};
        }
    }

    // The dash pattern of a pen style, each dash shortened so the stamped width keeps the gaps.
    std::array<bool, 32> dashPattern(std::int32_t style, std::int32_t width)
    {
        std::array<bool, 32> on {};
        const int s = width / 2;
        const int e = (width - 1) / 2;
        const auto set = [&on](int from, int to) {
            for (int p = std::max(from, 0); p <= std::min(to, 31); ++p)
                on[static_cast<std::size_t>(p)] = true;
        };
        switch (style) {
        case 0:
            set(0, 31);
            break;
        case 1:
            set(s, 23 - e);
            break;
        case 2:
            set(s, 11 - e);
            set(16 + s, 27 - e);
            break;
        case 3:
            set(s, 16 - e);
            set(22 + s, 26 - e);
            break;
        default:
            break;
        }
        return on;
    }

    struct Point {
        double x;
        double y;
    };

    struct Box {
        double xFrom, xTo, yFrom, yTo;
        bool contains(Point p) const
        {
            return p.x >= xFrom && p.x <= xTo && p.y >= yFrom && p.y <= yTo;
        }
    };

    bool strictlyBetween(double value, double a, double b)
    {
        return (value > a && value < b) || (value > b && value < a);
    }

    struct Segment {
        Point from;
        Point to;
    };

    // The part of P-Q inside the visible box, or nothing.
    std::optional<Segment> clipped(Point p, Point q, const Box& box)
    {
        const double dx = q.x - p.x;
        const double dy = q.y - p.y;
        if (std::fabs(dx) <= 1e-10) {
            if (q.x < box.xFrom || q.x > box.xTo || std::max(p.y, q.y) < box.yFrom
                || std::min(p.y, q.y) > box.yTo)
                return std::nullopt;
            return Segment { { p.x, std::clamp(p.y, box.yFrom, box.yTo) },
                { q.x, std::clamp(q.y, box.yFrom, box.yTo) } };
        }
        if (std::fabs(dy) <= 1e-10) {
            if (q.y < box.yFrom || q.y > box.yTo || std::max(p.x, q.x) < box.xFrom
                || std::min(p.x, q.x) > box.xTo)
                return std::nullopt;
            return Segment { { std::clamp(p.x, box.xFrom, box.xTo), p.y },
                { std::clamp(q.x, box.xFrom, box.xTo), q.y } };
        }
        std::array<Point, 6> found;
        std::size_t count = 0;
        if (box.contains(p))
            found[count++] = p;
        if (box.contains(q))
            found[count++] = q;
        for (const double edgeY : { box.yTo, box.yFrom }) {
            const double x = p.x + (edgeY - p.y) * dx / dy;
            if (x >= box.xFrom && x <= box.xTo && strictlyBetween(edgeY, p.y, q.y))
                found[count++] = { x, edgeY };
        }
        for (const double edgeX : { box.xFrom, box.xTo }) {
            const double y = p.y + (edgeX - p.x) * dy / dx;
            if (y > box.yFrom && y < box.yTo && strictlyBetween(edgeX, p.x, q.x))
                found[count++] = { edgeX, y };
        }
        if (count != 2)
            return std::nullopt;
        return Segment { found[0], found[1] };
    }

    // For each step of the rasterisation, one pixel in any direction, the pixels of the brush at
    // the new pixel that the brush at the previous pixel does not cover: the body stamp.
    class LeadingEdges {
    public:
        explicit LeadingEdges(std::span<const Offset> brush)
        {
            for (int sy = -1; sy <= 1; ++sy) {
                for (int sx = -1; sx <= 1; ++sx) {
                    Edge& edge = edges_[index(sx, sy)];
                    for (const Offset& offset : brush) {
                        // Covered when the offset seen from the previous pixel is in the brush.
                        const int ox = offset.dx + sx;
                        const int oy = offset.dy + sy;
                        const bool covered = std::any_of(brush.begin(),
                            brush.end(),
                            [ox, oy](const Offset& o) { return o.dx == ox && o.dy == oy; });
                        if (!covered)
                            edge.offsets[edge.count++] = offset;
                    }
                }
            }
        }

        std::span<const Offset> forStep(int sx, int sy) const
        {
            const Edge& edge = edges_[index(sx, sy)];
            return { edge.offsets.data(), edge.count };
        }

    private:
        static std::size_t index(int sx, int sy)
        {
            return static_cast<std::size_t>((sy + 1) * 3 + sx + 1);
        }

        struct Edge {
            std::array<Offset, 21> offsets {};
            std::size_t count = 0;
        };
        std::array<Edge, 9> edges_ {};
    };

    // The running state of one call of drawTrace.
    struct TraceRun {
        Canvas& canvas;
        Rgb color;
        std::span<const Offset> brush;
        LeadingEdges leadingEdges;
        std::array<bool, 32> pattern;
        int position = 0;
        bool dashStart = true;
        std::int32_t lastX = -100;
        std::int32_t lastY = -100;
        // The clip box grown by the two pixels a brush reaches beyond its centre.
        DeviceRect reach {};

        void stamp(std::int32_t x, std::int32_t y, std::span<const Offset> offsets)
        {
            for (const Offset& offset : offsets)
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

} // namespace

void drawTrace(Canvas& canvas, const PlotMapping& mapping, const CGraph& graph, GapTest gapTest)
{
    const std::span<const Offset> shape = brush(graph.lineWidth);
    if (shape.empty())
        return;
    TraceRun pen { canvas,
        colorOf(graph.colorIndex),
        shape,
        LeadingEdges(shape),
        dashPattern(graph.penStyle, graph.lineWidth) };
    const DeviceRect clip = canvas.clipBox();
    pen.reach = { clip.left - 2, clip.top - 2, clip.right + 2, clip.bottom + 2 };
    const AxisSettings& xAxis = graph.document->xAxis;
    const AxisSettings& yAxis = graph.document->yAxis;
    const Box box { xAxis.min, xAxis.max, yAxis.min, yAxis.max };
    const double gapX = graph.maxGap * (xAxis.max - xAxis.min) * 0.01;
    const double gapY = graph.maxGap * (yAxis.max - yAxis.min) * 0.01;
    // Only computed points are drawn, even if the steps changed since the last computation.
    const auto computed = static_cast<std::int32_t>(
        std::min({ graph.xs.size(), graph.ys.size(), graph.penUp.size() }));
    const std::int32_t last = std::min(graph.steps, computed - 1);
    std::optional<Point> previousEnd;
    DevicePoint previousDevice;
    const PlotToDevice toDevice(mapping);
    for (std::int32_t i = 1; i <= last; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (graph.penUp[at])
            continue;
        const Point p { graph.xs[at - 1], graph.ys[at - 1] };
        const Point q { graph.xs[at], graph.ys[at] };
        if (gapTest == GapTest::Apply
            && (std::fabs(q.x - p.x) > gapX || std::fabs(q.y - p.y) > gapY))
            continue;
        const auto segment = clipped(p, q, box);
        if (!segment)
            continue;
        // A segment usually starts where the one before it ended; that end is mapped already.
        const DevicePoint start
            = previousEnd && segment->from.x == previousEnd->x && segment->from.y == previousEnd->y
            ? previousDevice
            : toDevice(segment->from.x, segment->from.y);
        const DevicePoint end = toDevice(segment->to.x, segment->to.y);
        pen.rasterise(start, end);
        previousEnd = segment->to;
        previousDevice = end;
    }
}

} // namespace ovilan
