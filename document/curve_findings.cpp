#include "document/curve_findings.h"

#include "analysis/curve_features.h"
#include "analysis/intersections.h"
#include "document/curve_values.h"

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    bool wanted(const PointQuery& query, FeatureKind kind)
    {
        switch (kind) {
        case FeatureKind::Root:
            return query.roots;
        case FeatureKind::Minimum:
            return query.minima;
        case FeatureKind::Maximum:
            return query.maxima;
        case FeatureKind::Crossing:
            return query.crossings;
        case FeatureKind::Intersection:
            return true;
        }
        return false;
    }

    // The limits of the search that is `index` of `count`: its progress is its share of the
    // whole, and a cancel stops them all.
    SearchLimits shareOf(const SearchLimits& limits, int index, int count)
    {
        SearchLimits share = limits;
        if (limits.progress)
            share.progress = [&limits, index, count](
                                 double done) { return limits.progress((index + done) / count); };
        return share;
    }

    void merge(FeatureSearch& into, FeatureSearch&& found, const PointQuery& query)
    {
        for (const CurveFeature& feature : found.features)
            if (wanted(query, feature.kind))
                into.features.push_back(feature);
        into.more = into.more || found.more;
        into.exhausted = into.exhausted || found.exhausted;
        into.cancelled = into.cancelled || found.cancelled;
    }

} // namespace

SearchInterval visibleInterval(const COvilanDoc& document, const CurveFunction& curve)
{
    if (curve.followsX())
        return { document.xAxis.min, document.xAxis.max };
    if (curve.followsY())
        return { document.yAxis.min, document.yAxis.max };
    const CurveInterval& traced = curve.interval();
    return { std::min(traced.from, traced.to), std::max(traced.from, traced.to) };
}

std::vector<std::int32_t> intersectableGraphs(const COvilanDoc& document, std::int32_t graph)
{
    std::vector<std::int32_t> others;
    for (std::int32_t index = 0; index < document.graphCount(); ++index)
        if (index != graph
            && !document.graphs[static_cast<std::size_t>(index)]->variableName().empty())
            others.push_back(index);
    return others;
}

FeatureSearch findPoints(COvilanDoc& document,
    std::int32_t graph,
    const PointQuery& query,
    SearchInterval interval,
    const SearchLimits& limits)
{
    const bool ownPoints = query.roots || query.minima || query.maxima || query.crossings;
    const int count = (ownPoints ? 1 : 0) + static_cast<int>(query.others.size());
    FeatureSearch search;
    const std::unique_ptr<CurveFunction> curve = document.graph(graph).curveFunction();
    int index = 0;
    if (ownPoints)
        merge(search,
            findCurveFeatures(*curve, graph, interval, shareOf(limits, index++, count)),
            query);
    for (const std::int32_t other : query.others) {
        if (search.cancelled)
            break;
        const std::unique_ptr<CurveFunction> otherCurve = document.graph(other).curveFunction();
        merge(search,
            findIntersections(
                *curve, graph, *otherCurve, other, interval, shareOf(limits, index++, count)),
            query);
    }
    std::stable_sort(search.features.begin(),
        search.features.end(),
        [](const CurveFeature& a, const CurveFeature& b) { return a.t < b.t; });
    const auto cap = static_cast<std::size_t>(std::max(limits.maxResults, 0));
    if (search.features.size() > cap) {
        search.features.resize(cap);
        search.more = true;
    }
    return search;
}

std::string_view searchNote(const FeatureSearch& search)
{
    if (search.cancelled)
        return kSearchCancelled;
    if (search.more)
        return kMorePointsFound;
    if (search.exhausted)
        return kSearchTooLong;
    return {};
}

std::string featureKindText(const CurveFeature& feature)
{
    const std::string name(featureKindName(feature.kind));
    if (feature.kind != FeatureKind::Intersection || feature.other < 0)
        return name;
    return name + " with " + std::to_string(feature.other + 1);
}

std::string featureCaption(std::string_view variable, const CurveFeature& feature)
{
    return featureKindText(feature) + " "
        + pointReadOut(variable, feature.t, { feature.x, feature.y });
}

std::vector<CaptionedPoint> featureLabels(
    std::string_view variable, std::span<const CurveFeature> features)
{
    std::vector<CaptionedPoint> labels;
    labels.reserve(features.size());
    for (const CurveFeature& feature : features)
        labels.push_back({ feature.x, feature.y, featureCaption(variable, feature) });
    return labels;
}

std::string featureTableText(std::string_view variable, std::span<const CurveFeature> features)
{
    const bool ownColumn = variableHasColumn(variable);
    std::string text = ownColumn ? "kind\t" + std::string(variable) + "\tx\ty\n" : "kind\tx\ty\n";
    for (const CurveFeature& feature : features) {
        text += featureKindText(feature) + "\t";
        if (ownColumn)
            text += shownValue(feature.t) + "\t";
        text += shownValue(feature.x) + "\t" + shownValue(feature.y) + "\n";
    }
    return text;
}

std::string integralText(const Integral& integral)
{
    if (integral.status != IntegralStatus::Ok)
        return std::string(integralMessage(integral.status));
    const std::string value = "\u2248 " + shownValue(integral.value);
    if (!(integral.error > 0))
        return value + " (error too small to estimate)";
    // The estimate rounded up to a power of ten, so "below" holds.
    const double bound = std::pow(10.0, std::ceil(std::log10(integral.error)));
    return value + " (error below " + shownValue(bound) + ")";
}

std::string integralCaption(double from, double to, const Integral& integral)
{
    return "\u222B from " + shownValue(from) + " to " + shownValue(to) + " = "
        + shownValue(integral.value);
}

} // namespace ovilan
