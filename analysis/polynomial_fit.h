#pragma once

#include <optional>
#include <span>
#include <vector>

namespace ovilan {

struct PolynomialFit {
    std::vector<double> coefficients; // of u^0 .. u^degree
    // y[i] minus the fitted value, as the solve reaches it in its well-conditioned basis: what the
    // coefficients of the powers of u must reproduce for the polynomial to hold the fit.
    std::vector<double> residuals;
};

// The polynomial of `degree` in u nearest to the points (u[i], y[i]) in least squares. Nothing
// when the points do not determine it (fewer different u than coefficients).
std::optional<PolynomialFit> fitPolynomial(
    std::span<const double> u, std::span<const double> y, int degree);

// The polynomial's value at u, summed in extended precision.
long double polynomialValue(std::span<const double> coefficients, double u);

} // namespace ovilan
