#include "analysis/intersections.h"

#include "analysis/line_crossings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovilan {

namespace {

    bool followsAxis(const CurveFunction& curve) { return curve.followsX() || curve.followsY(); }

    SearchInterval traced(const CurveFunction& curve)
    {
        const CurveInterval interval = curve.interval();
        return { std::min(interval.from, interval.to), std::max(interval.from, interval.to) };
    }

    bool inside(const SearchInterval& interval, double t)
    {
        return t >= interval.from && t <= interval.to;
    }

    // The roots of `difference` over `interval`, on a grid as fine as the finer curve's.
    std::vector<ScalarPoint> rootsOf(const ScalarFunction& difference,
        SearchInterval interval,
        int intervals,
        SearchBudget& budget)
    {
        if (!(interval.from < interval.to))
            return {};
        const std::vector<double> grid = evenGrid(interval.from, interval.to, intervals);
        std::vector<double> values(grid.size(), NAN);
        for (std::size_t i = 0; i < grid.size() && budget.spend(); ++i)
            values[i] = difference(grid[i]);
        if (!budget.report(0.5))
            return {};
        return findScalarPoints(
            { grid, values }, difference, ScalarWanted::Roots, budget, { 0.5, 0.5 });
    }

    void addIntersection(FeatureSearch& search, int graph, int other, double t, CurvePoint point)
    {
        search.features.push_back({ FeatureKind::Intersection, graph, other, t, point.x, point.y });
    }

    void alongSameAxis(FeatureSearch& search,
        CurveFunction& curve,
        int graph,
        CurveFunction& other,
        int otherGraph,
        SearchInterval interval,
        SearchBudget& budget)
    {
        const SearchInterval otherInterval = traced(other);
        const SearchInterval common { std::max(interval.from, otherInterval.from),
            std::min(interval.to, otherInterval.to) };
        const auto difference = [&](double t) {
            const auto a = curve.at(t);
            const auto b = other.at(t);
            return a && b ? curveValue(curve, *a) - curveValue(other, *b)
                          : std::numeric_limits<double>::quiet_NaN();
        };
        const int intervals = std::max(searchIntervals(curve), searchIntervals(other));
        for (const ScalarPoint& root : rootsOf(difference, common, intervals, budget)) {
            if (const auto point = curve.at(root.at))
                addIntersection(search, graph, otherGraph, root.at, *point);
        }
    }

    // `line` follows an axis; `path` is any curve, along whose variable the search runs: the
    // path's distance from the line along the line's value axis. `pathIsCurve` says whether the
    // results' t is the path's variable or, when the path is the other graph, the line's.
    struct AxisCrossing {
        CurveFunction& line;
        SearchInterval lineInterval;
        CurveFunction& path;
        SearchInterval pathInterval;
        bool pathIsCurve;
    };

    void acrossAxisGraph(FeatureSearch& search,
        const AxisCrossing& crossing,
        int graph,
        int otherGraph,
        SearchBudget& budget)
    {
        CurveFunction& line = crossing.line;
        CurveFunction& path = crossing.path;
        const auto distance = [&](double s) {
            const auto p = path.at(s);
            if (!p || !inside(crossing.lineInterval, curveAcross(line, *p)))
                return std::numeric_limits<double>::quiet_NaN();
            const auto q = line.at(curveAcross(line, *p));
            return q ? curveValue(line, *p) - curveValue(line, *q)
                     : std::numeric_limits<double>::quiet_NaN();
        };
        const int intervals = std::max(searchIntervals(line), searchIntervals(path));
        for (const ScalarPoint& root :
            rootsOf(distance, crossing.pathInterval, intervals, budget)) {
            const auto point = path.at(root.at);
            if (!point)
                continue;
            const double t = crossing.pathIsCurve ? root.at : curveAcross(line, *point);
            addIntersection(search, graph, otherGraph, t, *point);
        }
    }

    // A curve through one point of the other several times (a rose through the origin) meets
    // it there once as far as the first curve is concerned.
    void removeRepeatedPoints(std::vector<CurveFeature>& features)
    {
        const auto same = [](const CurveFeature& a, const CurveFeature& b) {
            const double scale = std::max({ 1.0, std::abs(a.x), std::abs(a.y) });
            return std::abs(a.x - b.x) <= 1e-9 * scale && std::abs(a.y - b.y) <= 1e-9 * scale;
        };
        std::vector<CurveFeature> kept;
        for (const CurveFeature& feature : features) {
            if (std::none_of(kept.begin(), kept.end(), [&](const CurveFeature& k) {
                    return same(k, feature);
                }))
                kept.push_back(feature);
        }
        features = std::move(kept);
    }

} // namespace

FeatureSearch findIntersections(CurveFunction& curve,
    int graph,
    CurveFunction& other,
    int otherGraph,
    SearchInterval interval,
    const SearchLimits& limits)
{
    FeatureSearch search;
    SearchBudget budget(limits);
    if (!(interval.from < interval.to) || !std::isfinite(interval.to - interval.from))
        return search;
    const bool sameAxis
        = (curve.followsX() && other.followsX()) || (curve.followsY() && other.followsY());
    if (sameAxis) {
        alongSameAxis(search, curve, graph, other, otherGraph, interval, budget);
    } else if (followsAxis(other)) {
        acrossAxisGraph(
            search, { other, traced(other), curve, interval, true }, graph, otherGraph, budget);
    } else if (followsAxis(curve)) {
        acrossAxisGraph(
            search, { curve, interval, other, traced(other), false }, graph, otherGraph, budget);
    } else {
        for (const LineCrossing& crossing :
            crossLines(curve, interval, other, traced(other), budget))
            addIntersection(search, graph, otherGraph, crossing.t, crossing.point);
    }
    finishSearch(search, budget);
    removeRepeatedPoints(search.features);
    return search;
}

} // namespace ovilan
