#pragma once

#include "analysis/curve_samples.h"
#include "analysis/integral.h"
#include "document/ovilan_doc.h"
#include "document/plot_mouse_commands.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovilan {

inline constexpr std::string_view kMorePointsFound
    = "More points were found than can be listed; narrow the interval.";
inline constexpr std::string_view kSearchTooLong
    = "The search took too much work and stopped early; narrow the interval.";
inline constexpr std::string_view kSearchCancelled
    = "The search was cancelled; the points found so far are listed.";

// The kinds of point a search looks for, and the graphs it meets the curve with.
struct PointQuery {
    bool roots = false;
    bool minima = false;
    bool maxima = false;
    bool crossings = false;
    std::vector<std::int32_t> others; // the graphs whose intersections with the curve are wanted
};

// The interval a search starts from: the visible range of the axis a function of x or of y runs
// along, the traced interval of any other curve, lower bound first.
SearchInterval visibleInterval(const COvilanDoc& document, const CurveFunction& curve);

// The graphs a curve can be intersected with: every other graph with a curve function.
std::vector<std::int32_t> intersectableGraphs(const COvilanDoc& document, std::int32_t graph);

// The points of graph `graph` that `query` asks for in `interval`, in rising order of its
// variable. The searches share the limits: together they list at most maxResults points, and the
// progress runs from 0 to 1 over all of them.
FeatureSearch findPoints(COvilanDoc& document,
    std::int32_t graph,
    const PointQuery& query,
    SearchInterval interval,
    const SearchLimits& limits);

// Why a search's list may be incomplete, in the program's words; empty when it is complete.
std::string_view searchNote(const FeatureSearch& search);

// The kind as the lists and captions name it: "root", or "intersection with 2" with the other
// graph's number as the graph list shows it, counting from 1.
std::string featureKindText(const CurveFeature& feature);
// "root x=1; y=0", "intersection with 2 t=0.5; x=...; y=...": the kind, then the point as Value
// At shows it.
std::string featureCaption(std::string_view variable, const CurveFeature& feature);
// The points as labels, one for each.
std::vector<CaptionedPoint> featureLabels(
    std::string_view variable, std::span<const CurveFeature> features);
// The points as tab-separated text with a header line: "kind\tx\ty", with the variable's own
// column before x where it has one ("kind\tt\tx\ty").
std::string featureTableText(std::string_view variable, std::span<const CurveFeature> features);

// "≈ 2 (error below 1e-14)", or the reason the integral cannot be trusted.
std::string integralText(const Integral& integral);
// "∫ from 0 to 3.141592654 = 2".
std::string integralCaption(double from, double to, const Integral& integral);

} // namespace ovilan
