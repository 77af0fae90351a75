#pragma once

#include "analysis/curve_samples.h"

namespace ovilan {

// The roots, minima, maxima and crossings with the other axis of one curve in an interval of its
// variable. A curve's value is y for a Y(x), parametric or polar graph and x for an X(y) graph:
// a root is where the value is zero, minima and maxima are those of the value along the curve's
// variable, and a crossing is where the other coordinate is zero (a Y(x) graph's y-intercept; a
// parametric curve's crossings of the y axis). `graph` is copied into every result.
FeatureSearch findCurveFeatures(
    CurveFunction& curve, int graph, SearchInterval interval, const SearchLimits& limits);

} // namespace ovilan
