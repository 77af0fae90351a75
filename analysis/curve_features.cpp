#include "analysis/curve_features.h"

#include <cmath>

namespace ovilan {

namespace {

    FeatureKind featureKind(ScalarPointKind kind, FeatureKind rootKind)
    {
        switch (kind) {
        case ScalarPointKind::Root:
            return rootKind;
        case ScalarPointKind::Minimum:
            return FeatureKind::Minimum;
        case ScalarPointKind::Maximum:
            return FeatureKind::Maximum;
        }
        return rootKind;
    }

    // A search of one coordinate of the curve: its value, or the coordinate across it.
    class CoordinateSearch {
    public:
        CoordinateSearch(CurveFunction& curve, bool across)
            : curve_(curve)
            , across_(across)
        {
        }

        double operator()(double t) const
        {
            const auto point = curve_.at(t);
            return point ? coordinate(*point) : NAN;
        }
        double coordinate(const CurvePoint& point) const
        {
            return across_ ? curveAcross(curve_, point) : curveValue(curve_, point);
        }

    private:
        CurveFunction& curve_;
        bool across_;
    };

    // The coordinate a root makes zero is zero by definition: what the curve gives at the
    // solver's nearest double (sin at 2pi is 2.4e-16) is the residue of rounding, not news.
    CurvePoint zeroedAt(CurvePoint point, bool yIsZero)
    {
        (yIsZero ? point.y : point.x) = 0;
        return point;
    }

    void addPoints(FeatureSearch& search,
        CurveFunction& curve,
        int graph,
        const std::vector<ScalarPoint>& points,
        FeatureKind rootKind)
    {
        // A function of y takes its value along x; the crossing is with the other coordinate.
        const bool valueIsX = curve.followsY();
        const bool rootZeroesY = (rootKind == FeatureKind::Root) != valueIsX;
        for (const ScalarPoint& point : points) {
            auto where = curve.at(point.at);
            if (!where)
                continue;
            if (point.kind == ScalarPointKind::Root)
                where = zeroedAt(*where, rootZeroesY);
            search.features.push_back(
                { featureKind(point.kind, rootKind), graph, -1, point.at, where->x, where->y });
        }
    }

} // namespace

FeatureSearch findCurveFeatures(
    CurveFunction& curve, int graph, SearchInterval interval, const SearchLimits& limits)
{
    FeatureSearch search;
    SearchBudget budget(limits);
    if (!(interval.from < interval.to) || !std::isfinite(interval.to - interval.from))
        return search;
    const CurveSamples samples
        = sampleCurve(curve, interval, searchIntervals(curve), budget, { 0, 0.4 });
    const bool valueIsX = curve.followsY();
    const ScalarSamples value { samples.t, valueIsX ? samples.x : samples.y };
    const ScalarSamples across { samples.t, valueIsX ? samples.y : samples.x };
    const CoordinateSearch valueFunction(curve, false);
    const CoordinateSearch acrossFunction(curve, true);
    addPoints(search,
        curve,
        graph,
        findScalarPoints(value, valueFunction, ScalarWanted::RootsAndExtrema, budget, { 0.4, 0.4 }),
        FeatureKind::Root);
    addPoints(search,
        curve,
        graph,
        findScalarPoints(across, acrossFunction, ScalarWanted::Roots, budget, { 0.8, 0.2 }),
        FeatureKind::Crossing);
    finishSearch(search, budget);
    return search;
}

} // namespace ovilan
