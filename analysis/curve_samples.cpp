#include "analysis/curve_samples.h"

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    constexpr int kRefinement = 2;
    constexpr int kMinIntervals = 1000;
    constexpr int kMaxIntervals = 400'000;
    constexpr std::size_t kReportEvery = 8192;

} // namespace

std::string_view featureKindName(FeatureKind kind)
{
    switch (kind) {
    case FeatureKind::Root:
        return "root";
    case FeatureKind::Minimum:
        return "minimum";
    case FeatureKind::Maximum:
        return "maximum";
    case FeatureKind::Crossing:
        return "crossing";
    case FeatureKind::Intersection:
        return "intersection";
    }
    return "";
}

int searchIntervals(const CurveFunction& curve)
{
    return std::clamp(kRefinement * curve.interval().steps, kMinIntervals, kMaxIntervals);
}

CurveSamples sampleCurve(CurveFunction& curve,
    SearchInterval interval,
    int intervals,
    SearchBudget& budget,
    ProgressSpan progress)
{
    CurveSamples samples;
    samples.t = evenGrid(interval.from, interval.to, intervals);
    samples.x.assign(samples.t.size(), NAN);
    samples.y.assign(samples.t.size(), NAN);
    for (std::size_t i = 0; i < samples.t.size() && budget.spend(); ++i) {
        if (i % kReportEvery == 0
            && !budget.report(progress.start
                + progress.length * static_cast<double>(i) / static_cast<double>(samples.t.size())))
            break;
        if (const auto point = curve.at(samples.t[i])) {
            samples.x[i] = point->x;
            samples.y[i] = point->y;
        }
    }
    return samples;
}

double curveValue(const CurveFunction& curve, const CurvePoint& point)
{
    return curve.followsY() ? point.x : point.y;
}

double curveAcross(const CurveFunction& curve, const CurvePoint& point)
{
    return curve.followsY() ? point.y : point.x;
}

void finishSearch(FeatureSearch& search, const SearchBudget& budget)
{
    std::stable_sort(search.features.begin(),
        search.features.end(),
        [](const CurveFeature& a, const CurveFeature& b) { return a.t < b.t; });
    const auto limit = static_cast<std::size_t>(std::max(budget.maxResults(), 0));
    if (search.features.size() > limit) {
        search.features.resize(limit);
        search.more = true;
    }
    search.exhausted = budget.exhausted();
    search.cancelled = budget.cancelled();
}

} // namespace ovilan
