#include "analysis/line_crossings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace ovilan {

namespace {

    constexpr int kNewtonSteps = 12;

    struct Box {
        double minX = INFINITY;
        double minY = INFINITY;
        double maxX = -INFINITY;
        double maxY = -INFINITY;
    };

    bool definedAt(const CurveSamples& samples, std::size_t i)
    {
        return std::isfinite(samples.x[i]) && std::isfinite(samples.y[i]);
    }

    bool segmentAt(const CurveSamples& samples, std::size_t i)
    {
        return definedAt(samples, i) && definedAt(samples, i + 1);
    }

    Box boxOf(const CurveSamples& samples)
    {
        Box box;
        for (std::size_t i = 0; i < samples.t.size(); ++i) {
            if (!definedAt(samples, i))
                continue;
            box.minX = std::min(box.minX, samples.x[i]);
            box.maxX = std::max(box.maxX, samples.x[i]);
            box.minY = std::min(box.minY, samples.y[i]);
            box.maxY = std::max(box.maxY, samples.y[i]);
        }
        return box;
    }

    // The second curve's segments by the cells their boxes cover.
    class SegmentGrid {
    public:
        SegmentGrid(const CurveSamples& samples, Box box)
            : box_(box)
            , side_(std::clamp(static_cast<int>(std::sqrt(samples.t.size())), 1, 1024))
            , cells_(static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_))
        {
            for (std::size_t j = 0; j + 1 < samples.t.size(); ++j) {
                if (!segmentAt(samples, j))
                    continue;
                const auto [x0, x1] = span(samples.x[j], samples.x[j + 1], box_.minX, box_.maxX);
                const auto [y0, y1] = span(samples.y[j], samples.y[j + 1], box_.minY, box_.maxY);
                for (int cx = x0; cx <= x1; ++cx) {
                    for (int cy = y0; cy <= y1; ++cy)
                        cells_[index(cx, cy)].push_back(static_cast<std::uint32_t>(j));
                }
            }
        }

        // The cells covered by a segment's box, as [first, last] along one axis.
        std::pair<int, int> span(double a, double b, double min, double max) const
        {
            return { cell(std::min(a, b), min, max), cell(std::max(a, b), min, max) };
        }
        int cell(double v, double min, double max) const
        {
            if (!(max > min))
                return 0;
            const double at = (v - min) / (max - min) * side_;
            // A curve spread over more than the largest double has a NaN here.
            if (!(at >= 0))
                return 0;
            return static_cast<int>(std::min(at, static_cast<double>(side_ - 1)));
        }
        std::size_t index(int cx, int cy) const
        {
            return static_cast<std::size_t>(cx) * static_cast<std::size_t>(side_)
                + static_cast<std::size_t>(cy);
        }
        std::size_t cellOf(CurvePoint p) const
        {
            return index(cell(p.x, box_.minX, box_.maxX), cell(p.y, box_.minY, box_.maxY));
        }
        const std::vector<std::uint32_t>& at(std::size_t cell) const { return cells_[cell]; }
        const Box& box() const { return box_; }

    private:
        Box box_;
        int side_;
        std::vector<std::vector<std::uint32_t>> cells_;
    };

    double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

    // Where segment i of the first line crosses segment j of the second, as shares of each.
    std::optional<std::pair<double, double>> segmentCrossing(
        const CurveSamples& a, std::size_t i, const CurveSamples& b, std::size_t j)
    {
        const double rx = a.x[i + 1] - a.x[i];
        const double ry = a.y[i + 1] - a.y[i];
        const double wx = b.x[j + 1] - b.x[j];
        const double wy = b.y[j + 1] - b.y[j];
        const double denominator = cross(rx, ry, wx, wy);
        if (denominator == 0)
            return std::nullopt;
        const double qx = b.x[j] - a.x[i];
        const double qy = b.y[j] - a.y[i];
        const double u = cross(qx, qy, wx, wy) / denominator;
        const double v = cross(qx, qy, rx, ry) / denominator;
        // Half-open, so a crossing exactly at a sample is counted on one segment only.
        if (!(u >= 0 && u < 1 && v >= 0 && v < 1))
            return std::nullopt;
        return std::pair { u, v };
    }

    // Newton's method on A(t) = B(s), with the derivatives by central differences.
    class NewtonCrossing {
    public:
        NewtonCrossing(CurveFunction& a, CurveFunction& b, double stepA, double stepB)
            : a_(a)
            , b_(b)
            , stepA_(stepA)
            , stepB_(stepB)
        {
        }

        std::optional<LineCrossing> refine(double t0, double s0, SearchBudget& budget) const
        {
            double t = t0;
            double s = s0;
            for (int i = 0; i < kNewtonSteps; ++i) {
                budget.spend();
                budget.spend();
                const auto pa = a_.at(t);
                const auto pb = b_.at(s);
                const auto da = derivative(a_, t, stepA_);
                const auto db = derivative(b_, s, stepB_);
                if (!pa || !pb || !da || !db)
                    return std::nullopt;
                const double fx = pa->x - pb->x;
                const double fy = pa->y - pb->y;
                // [da -db] (dt ds)^T = -(fx fy)^T
                const double det = cross(da->x, da->y, -db->x, -db->y);
                if (det == 0 || !std::isfinite(det))
                    return std::nullopt;
                const double dt = cross(-fx, -fy, -db->x, -db->y) / det;
                const double ds = cross(da->x, da->y, -fx, -fy) / det;
                t += dt;
                s += ds;
                if (std::abs(t - t0) > 2 * stepA_ || std::abs(s - s0) > 2 * stepB_)
                    return std::nullopt;
                if (std::abs(dt) <= 1e-15 * std::max(std::abs(t), stepA_)
                    && std::abs(ds) <= 1e-15 * std::max(std::abs(s), stepB_))
                    break;
            }
            const auto point = a_.at(t);
            if (!point)
                return std::nullopt;
            return LineCrossing { t, s, *point };
        }

    private:
        static std::optional<CurvePoint> derivative(CurveFunction& curve, double t, double step)
        {
            const double h = 1e-5 * step;
            const auto before = curve.at(t - h);
            const auto after = curve.at(t + h);
            if (!before || !after)
                return std::nullopt;
            return CurvePoint { (after->x - before->x) / (2 * h),
                (after->y - before->y) / (2 * h) };
        }

        CurveFunction& a_;
        CurveFunction& b_;
        double stepA_;
        double stepB_;
    };

    LineCrossing sampledCrossing(const CurveSamples& a,
        std::size_t i,
        const CurveSamples& b,
        std::size_t j,
        std::pair<double, double> shares)
    {
        const auto [u, v] = shares;
        return { a.t[i] + u * (a.t[i + 1] - a.t[i]),
            b.t[j] + v * (b.t[j + 1] - b.t[j]),
            { a.x[i] + u * (a.x[i + 1] - a.x[i]), a.y[i] + u * (a.y[i + 1] - a.y[i]) } };
    }

    bool overlaps(const Box& box, double x0, double x1, double y0, double y1)
    {
        return std::max(x0, x1) >= box.minX && std::min(x0, x1) <= box.maxX
            && std::max(y0, y1) >= box.minY && std::min(y0, y1) <= box.maxY;
    }

} // namespace

std::vector<LineCrossing> crossLines(CurveFunction& first,
    SearchInterval firstInterval,
    CurveFunction& second,
    SearchInterval secondInterval,
    SearchBudget& budget)
{
    std::vector<LineCrossing> crossings;
    const CurveSamples a
        = sampleCurve(first, firstInterval, searchIntervals(first), budget, { 0, 0.3 });
    const CurveSamples b
        = sampleCurve(second, secondInterval, searchIntervals(second), budget, { 0.3, 0.3 });
    if (budget.stopped() || a.t.size() < 2 || b.t.size() < 2)
        return crossings;
    const SegmentGrid grid(b, boxOf(b));
    const NewtonCrossing newton(first, second, a.t[1] - a.t[0], b.t[1] - b.t[0]);
    for (std::size_t i = 0; i + 1 < a.t.size() && !budget.stopped(); ++i) {
        if (i % 4096 == 0
            && !budget.report(0.6 + 0.4 * static_cast<double>(i) / static_cast<double>(a.t.size())))
            break;
        if (!segmentAt(a, i) || !overlaps(grid.box(), a.x[i], a.x[i + 1], a.y[i], a.y[i + 1]))
            continue;
        const auto [x0, x1] = grid.span(a.x[i], a.x[i + 1], grid.box().minX, grid.box().maxX);
        const auto [y0, y1] = grid.span(a.y[i], a.y[i + 1], grid.box().minY, grid.box().maxY);
        for (int cx = x0; cx <= x1; ++cx) {
            for (int cy = y0; cy <= y1; ++cy) {
                const std::size_t cell = grid.index(cx, cy);
                for (const std::uint32_t j : grid.at(cell)) {
                    const auto shares = segmentCrossing(a, i, b, j);
                    if (!shares)
                        continue;
                    const LineCrossing sampled = sampledCrossing(a, i, b, j, *shares);
                    // A pair of segments shares several cells; it is counted in the cell that
                    // holds its crossing.
                    if (grid.cellOf(sampled.point) != cell)
                        continue;
                    crossings.push_back(
                        newton.refine(sampled.t, sampled.s, budget).value_or(sampled));
                }
            }
        }
    }
    return crossings;
}

} // namespace ovilan
