#pragma once

#include "analysis/curve_samples.h"

namespace ovilan {

// Where `curve` (graph `graph`) meets `other` (graph `otherGraph`), for values of the curve's
// variable in `interval` and of the other's in its traced interval; t is the curve's variable.
// - Two graphs along the same axis (two Y(x), two X(y)): the roots of their difference, so a
//   touching point (x^2 and 0) is found as well as a crossing.
// - One graph along an axis: the roots of the other curve's distance from it along that axis,
//   a function of the other curve's variable.
// - Two parametric or polar curves: the crossings of their sampled lines, refined by Newton's
//   method on both variables; where that does not settle, the sampled lines' crossing.
FeatureSearch findIntersections(CurveFunction& curve,
    int graph,
    CurveFunction& other,
    int otherGraph,
    SearchInterval interval,
    const SearchLimits& limits);

} // namespace ovilan
