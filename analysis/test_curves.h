#pragma once

#include "expr/formula_check.h"
#include "graph/curve_function.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace ovilan::testing {

inline std::string normal(const char* text, const char* variable)
{
    std::string form = text;
    EXPECT_EQ(checkFormula(form, variable), kFormulaOk) << text;
    return form;
}

inline std::unique_ptr<CurveFunction> yOfX(const char* text, double from, double to, int steps)
{
    return yOfXCurve(normal(text, "x"), { from, to, steps });
}

inline std::unique_ptr<CurveFunction> xOfY(const char* text, double from, double to, int steps)
{
    return xOfYCurve(normal(text, "y"), { from, to, steps });
}

inline std::unique_ptr<CurveFunction> parametric(
    const char* x, const char* y, double from, double to, int steps)
{
    return parametricCurve(normal(x, "t"), normal(y, "t"), { from, to, steps });
}

// Equal within `relative` of the larger magnitude, or within `absolute` near zero.
inline void expectNear(
    double expected, double actual, double relative = 1e-12, double absolute = 1e-13)
{
    const double tolerance
        = std::max(absolute, relative * std::max(std::abs(expected), std::abs(actual)));
    EXPECT_NEAR(actual, expected, tolerance);
}

} // namespace ovilan::testing
