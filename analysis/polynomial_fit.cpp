#include "analysis/polynomial_fit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    // The data are mapped onto t = (u - centre) / halfWidth in [-1, 1] before the QR solve:
    // powers of raw u (Pontius has u up to 3e6, so u^2 near 1e13) leave the design matrix too
    // ill-conditioned for the digits the data deserve.
    struct Scaling {
        double centre = 0;
        double halfWidth = 1;
    };

    Scaling scalingOf(std::span<const double> u)
    {
        const auto [low, high] = std::ranges::minmax_element(u);
        Scaling scaling { (*low + *high) / 2, (*high - *low) / 2 };
        if (scaling.halfWidth == 0)
            scaling.halfWidth = 1;
        return scaling;
    }

    // Coefficients of t^k turned into coefficients of u^j, with t = (u - c) / s:
    // a_j = sum over k >= j of g_k / s^k * binomial(k, j) * (-c)^(k - j).
    std::vector<long double> unscaled(const Eigen::VectorXd& scaled, const Scaling& scaling)
    {
        const int count = static_cast<int>(scaled.size());
        std::vector<long double> result(static_cast<std::size_t>(count), 0.0L);
        const long double c = scaling.centre;
        long double inversePower = 1;
        for (int k = 0; k < count; ++k) {
            const long double g = scaled[k] * inversePower;
            long double binomial = 1; // binomial(k, j), from j = k downwards
            long double shift = 1; // (-c)^(k - j)
            for (int j = k; j >= 0; --j) {
                result[static_cast<std::size_t>(j)] += g * binomial * shift;
                binomial = binomial * j / (k - j + 1);
                shift *= -c;
            }
            inversePower /= scaling.halfWidth;
        }
        return result;
    }

    std::size_t distinctValues(std::span<const double> u)
    {
        std::vector<double> sorted(u.begin(), u.end());
        std::ranges::sort(sorted);
        // std::unique rather than its ranges form, which the sanitizer build's compiler lacks.
        return static_cast<std::size_t>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
    }

} // namespace

long double polynomialValue(std::span<const double> coefficients, double u)
{
    long double sum = 0;
    for (auto it = coefficients.rbegin(); it != coefficients.rend(); ++it)
        sum = sum * u + *it;
    return sum;
}

std::optional<PolynomialFit> fitPolynomial(
    std::span<const double> u, std::span<const double> y, int degree)
{
    const auto count = static_cast<Eigen::Index>(degree + 1);
    if (u.empty() || distinctValues(u) < static_cast<std::size_t>(count))
        return std::nullopt;
    const Scaling scaling = scalingOf(u);
    const auto rows = static_cast<Eigen::Index>(u.size());
    Eigen::MatrixXd design(rows, count);
    for (Eigen::Index i = 0; i < rows; ++i) {
        const double t = (u[static_cast<std::size_t>(i)] - scaling.centre) / scaling.halfWidth;
        double power = 1;
        for (Eigen::Index k = 0; k < count; ++k, power *= t)
            design(i, k) = power;
    }
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(design);
    if (qr.rank() < count)
        return std::nullopt;

    // One solve, then a few rounds of refinement on the residual of the unscaled polynomial
    // computed in extended precision: they recover the digits the change of basis cancels away.
    std::vector<long double> coefficients(static_cast<std::size_t>(count), 0.0L);
    Eigen::VectorXd residual = Eigen::Map<const Eigen::VectorXd>(y.data(), rows);
    PolynomialFit fit { std::vector<double>(static_cast<std::size_t>(count)), {} };
    std::vector<double>& rounded = fit.coefficients;
    for (int round = 0; round < 4; ++round) {
        const Eigen::VectorXd scaledStep = qr.solve(residual);
        if (round == 0) {
            const Eigen::VectorXd left = residual - design * scaledStep;
            fit.residuals.assign(left.data(), left.data() + rows);
        }
        const std::vector<long double> step = unscaled(scaledStep, scaling);
        for (std::size_t j = 0; j < coefficients.size(); ++j) {
            coefficients[j] += step[j];
            rounded[j] = static_cast<double>(coefficients[j]);
        }
        for (Eigen::Index i = 0; i < rows; ++i) {
            const auto index = static_cast<std::size_t>(i);
            long double value = 0;
            for (auto it = coefficients.rbegin(); it != coefficients.rend(); ++it)
                value = value * u[index] + *it;
            residual[i] = static_cast<double>(y[index] - value);
        }
    }
    return fit;
}

} // namespace ovilan
