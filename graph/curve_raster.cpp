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
        // Most pieces of a trace lie wholly inside, and are their own visible part.
        if (box.contains(p) && box.contains(q))
            return Segment { p, q };
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

    // The visible pieces of a graph, found a batch at a time as the canvas asks for them, so a
    // curve of any length is drawn without a buffer of its length. The first batch is found on
    // construction, to tell at once whether anything is visible.
    class VisiblePieces final : public CurvePieces {
    public:
        VisiblePieces(const PlotMapping& mapping, const CGraph& graph, GapTest gapTest)
            : graph_(graph)
            , toDevice_(mapping)
            , box_ { graph.document->xAxis.min,
                graph.document->xAxis.max,
                graph.document->yAxis.min,
                graph.document->yAxis.max }
            , gapX_(graph.maxGap * (box_.xTo - box_.xFrom) * 0.01)
            , gapY_(graph.maxGap * (box_.yTo - box_.yFrom) * 0.01)
            , applyGaps_(gapTest == GapTest::Apply)
            , last_(lastComputed(graph))
        {
            first_ = fill();
        }

        bool empty() const { return first_.empty(); }

        std::span<const CurvePiece> next() override
        {
            if (firstPending_) {
                firstPending_ = false;
                return first_;
            }
            return fill();
        }

    private:
        // Only computed points are drawn, even if the steps changed since the last computation.
        static std::int32_t lastComputed(const CGraph& graph)
        {
            const auto computed = static_cast<std::int32_t>(
                std::min({ graph.xs.size(), graph.ys.size(), graph.penUp.size() }));
            return std::min(graph.steps, computed - 1);
        }

        std::span<const CurvePiece> fill()
        {
            std::size_t count = 0;
            while (count < batch_.size() && index_ <= last_) {
                if (const auto piece = pieceEndingAt(index_++))
                    batch_[count++] = *piece;
            }
            return { batch_.data(), count };
        }

        // The visible part of the segment from point i - 1 to point i, if any.
        std::optional<CurvePiece> pieceEndingAt(std::int32_t i)
        {
            const auto at = static_cast<std::size_t>(i);
            if (graph_.penUp[at])
                return std::nullopt;
            const Point p { graph_.xs[at - 1], graph_.ys[at - 1] };
            const Point q { graph_.xs[at], graph_.ys[at] };
            if (applyGaps_ && (std::fabs(q.x - p.x) > gapX_ || std::fabs(q.y - p.y) > gapY_))
                return std::nullopt;
            const auto segment = clipped(p, q, box_);
            if (!segment)
                return std::nullopt;
            // A piece usually starts where the one before it ended; that end is mapped already.
            const DevicePosition from = previousEnd_ && segment->from.x == previousEnd_->x
                    && segment->from.y == previousEnd_->y
                ? previousDevice_
                : toDevice_.unrounded(segment->from.x, segment->from.y);
            previousEnd_ = segment->to;
            previousDevice_ = toDevice_.unrounded(segment->to.x, segment->to.y);
            return CurvePiece { from, previousDevice_ };
        }

        const CGraph& graph_;
        PlotToDevice toDevice_;
        Box box_;
        double gapX_;
        double gapY_;
        bool applyGaps_;
        std::int32_t last_;
        std::int32_t index_ = 1;
        std::optional<Point> previousEnd_;
        DevicePosition previousDevice_;
        std::array<CurvePiece, 256> batch_ {};
        std::span<const CurvePiece> first_;
        bool firstPending_ = true;
    };

} // namespace

std::vector<CurvePiece> visibleCurvePieces(
    const PlotMapping& mapping, const CGraph& graph, GapTest gapTest)
{
    VisiblePieces source(mapping, graph, gapTest);
    std::vector<CurvePiece> pieces;
    for (auto batch = source.next(); !batch.empty(); batch = source.next())
        pieces.insert(pieces.end(), batch.begin(), batch.end());
    return pieces;
}

void drawTrace(Canvas& canvas, const PlotMapping& mapping, const CGraph& graph, GapTest gapTest)
{
    VisiblePieces pieces(mapping, graph, gapTest);
    if (pieces.empty())
        return;
    canvas.drawCurve(pieces, Pen { graph.lineWidth, graph.penStyle, colorOf(graph.colorIndex) });
}

} // namespace ovilan
