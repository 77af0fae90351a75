#pragma once

#include "analysis/curve_fit.h"

#include <span>
#include <string>
#include <vector>

namespace ovilan {

// The fitted curve as formula text in x, every coefficient written to round-trip exactly;
// `letters` are the formula model's parameters in the order of `coefficients`.
std::string formulaText(
    const FitRequest& request, std::span<const double> coefficients, std::span<const char> letters);

// "a", "b"; "a0".."a6" of a polynomial; a formula's parameter letters.
std::vector<std::string> coefficientNames(const FitRequest& request, std::size_t count);

// "linear fit, R² = 0.999994", "fit of k*exp(m*x), R² = 0.98".
std::string legendText(const FitRequest& request, double rSquared);

} // namespace ovilan
