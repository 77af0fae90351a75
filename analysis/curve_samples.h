#pragma once

#include "analysis/scalar_search.h"
#include "analysis/search_limits.h"
#include "graph/curve_function.h"

#include <string_view>
#include <vector>

namespace ovilan {

// An interval of a curve's variable, in the variable's own units.
struct SearchInterval {
    double from = 0;
    double to = 0;
};

enum class FeatureKind { Root, Minimum, Maximum, Crossing, Intersection };

// "root", "minimum", "maximum", "crossing", "intersection".
std::string_view featureKindName(FeatureKind kind);

// A point found on a curve: where its variable is t. `other` is the second graph of an
// intersection, else -1.
struct CurveFeature {
    FeatureKind kind = FeatureKind::Root;
    int graph = -1;
    int other = -1;
    double t = 0;
    double x = 0;
    double y = 0;
};

// What a search found, in rising order of t, and why it may have stopped early.
struct FeatureSearch {
    std::vector<CurveFeature> features;
    bool more = false; // there were more results than the limit allows
    bool exhausted = false; // the evaluation limit was reached
    bool cancelled = false;
};

// A curve sampled on an even grid of its variable; NaN where it is undefined.
struct CurveSamples {
    std::vector<double> t;
    std::vector<double> x;
    std::vector<double> y;
};

// A searching grid twice as fine as the curve's trace, so that features two samples of the
// trace apart fall into different cells of it.
int searchIntervals(const CurveFunction& curve);

CurveSamples sampleCurve(CurveFunction& curve,
    SearchInterval interval,
    int intervals,
    SearchBudget& budget,
    ProgressSpan progress);

// The coordinate a curve is a function of, and the one its value lies along: x and y for a
// Y(x) graph, y and x for an X(y) graph; for a parametric or polar curve the value is y.
double curveValue(const CurveFunction& curve, const CurvePoint& point);
double curveAcross(const CurveFunction& curve, const CurvePoint& point);

// Sorts by t, keeps at most the budget's number of results and records why the search stopped.
void finishSearch(FeatureSearch& search, const SearchBudget& budget);

} // namespace ovilan
