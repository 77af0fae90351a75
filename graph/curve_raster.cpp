#include "graph/curve_raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace ovilan {

namespace {

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

} // namespace

std::vector<CurvePiece> visibleCurvePieces(
    const PlotMapping& mapping, const CGraph& graph, GapTest gapTest)
{
    const AxisSettings& xAxis = graph.document->xAxis;
    const AxisSettings& yAxis = graph.document->yAxis;
    const Box box { xAxis.min, xAxis.max, yAxis.min, yAxis.max };
    const double gapX = graph.maxGap * (xAxis.max - xAxis.min) * 0.01;
    const double gapY = graph.maxGap * (yAxis.max - yAxis.min) * 0.01;
    // Only computed points are drawn, even if the steps changed since the last computation.
    const auto computed = static_cast<std::int32_t>(
        std::min({ graph.xs.size(), graph.ys.size(), graph.penUp.size() }));
    const std::int32_t last = std::min(graph.steps, computed - 1);
    std::vector<CurvePiece> pieces;
    pieces.reserve(static_cast<std::size_t>(std::max(last, 0)));
    std::optional<Point> previousEnd;
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
        // A piece usually starts where the one before it ended; that end is mapped already.
        const DevicePosition from
            = previousEnd && segment->from.x == previousEnd->x && segment->from.y == previousEnd->y
            ? pieces.back().to
            : toDevice.unrounded(segment->from.x, segment->from.y);
        pieces.push_back({ from, toDevice.unrounded(segment->to.x, segment->to.y) });
        previousEnd = segment->to;
    }
    return pieces;
}

void drawTrace(Canvas& canvas, const PlotMapping& mapping, const CGraph& graph, GapTest gapTest)
{
    const std::vector<CurvePiece> pieces = visibleCurvePieces(mapping, graph, gapTest);
    if (pieces.empty())
        return;
    canvas.drawCurve(pieces, Pen { graph.lineWidth, graph.penStyle, colorOf(graph.colorIndex) });
}

} // namespace ovilan
