#pragma once

#include "analysis/search_limits.h"
#include "graph/curve_function.h"

#include <string_view>

namespace ovilan {

enum class IntegralStatus {
    Ok,
    NotYOfX, // the curve is not a function of x
    BadBounds, // a bound that is not a number
    Undefined, // the function is undefined somewhere between the bounds
    NotConverging, // a pole inside, or too rough for the accuracy asked
    Cancelled,
};

struct Integral {
    IntegralStatus status = IntegralStatus::Ok;
    double value = 0;
    double error = 0; // the estimate of the absolute error of value
};

// The reason an integral cannot be trusted, in the program's words; empty for Ok.
std::string_view integralMessage(IntegralStatus status);

// The integral of a Y(x) graph's function from `from` to `to` (to < from gives the opposite
// sign) by adaptive Gauss-Kronrod quadrature to about 1e-10 relative. Only a value that can be
// trusted is returned: where the function is undefined at a sample of the interval or at a point
// the quadrature asks for, or the error estimate stays large, the status says so instead.
Integral integrate(CurveFunction& curve, double from, double to, const SearchLimits& limits = {});

} // namespace ovilan
