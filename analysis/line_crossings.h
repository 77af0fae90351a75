#pragma once

#include "analysis/curve_samples.h"

#include <vector>

namespace ovilan {

// A point where two curves cross: at t of the first curve's variable and s of the second's.
struct LineCrossing {
    double t = 0;
    double s = 0;
    CurvePoint point;
};

// The crossings of two curves' sampled lines, each refined by Newton's method on both variables
// where it settles close by. The second curve's segments are sorted into a grid of cells so that
// each segment of the first is compared only with those near it.
std::vector<LineCrossing> crossLines(CurveFunction& first,
    SearchInterval firstInterval,
    CurveFunction& second,
    SearchInterval secondInterval,
    SearchBudget& budget);

} // namespace ovilan
