#pragma once

#include <optional>
#include <span>
#include <vector>

namespace ovilan {

// The polynomial of `degree` in u nearest to the points (u[i], y[i]) in least squares: its
// coefficients of u^0 .. u^degree. Nothing when the points do not determine it (fewer different
// u than coefficients).
std::optional<std::vector<double>> fitPolynomial(
    std::span<const double> u, std::span<const double> y, int degree);

// The polynomial's value at u, summed in extended precision.
long double polynomialValue(std::span<const double> coefficients, double u);

} // namespace ovilan
