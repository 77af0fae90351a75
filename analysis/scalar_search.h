#pragma once

#include "analysis/search_limits.h"

#include <functional>
#include <span>
#include <vector>

namespace ovilan {

// A real function of one variable; NaN where it is undefined.
using ScalarFunction = std::function<double(double)>;

// A function sampled on a rising grid of its variable; NaN where it is undefined.
struct ScalarSamples {
    std::span<const double> at;
    std::span<const double> value;
};

enum class ScalarPointKind { Root, Minimum, Maximum };

struct ScalarPoint {
    ScalarPointKind kind;
    double at;
    double value;
};

enum class ScalarWanted { Roots, RootsAndExtrema };

// The share of a search's whole work that one step covers, for its progress reports.
struct ProgressSpan {
    double start = 0;
    double length = 1;
};

// Roots (and, if wanted, the local minima and maxima) of `function` between the first and the
// last sample, in rising order. Roots are sign changes between neighbouring samples refined to
// full precision, samples that are exactly zero, points where the function ends at zero (sqrt at
// 0) and extrema that touch zero (x^2 at 0). A sign change across a pole or a jump (tg at pi/2,
// 1/x at 0, sign(x)) is no root. Extrema lie strictly inside a defined stretch: the ends of the
// interval and of the domain are not reported as extrema.
std::vector<ScalarPoint> findScalarPoints(const ScalarSamples& samples,
    const ScalarFunction& function,
    ScalarWanted wanted,
    SearchBudget& budget,
    ProgressSpan progress = {});

// The variable's values from `from` to `to` in `intervals` equal parts, both ends exact.
std::vector<double> evenGrid(double from, double to, int intervals);

} // namespace ovilan
