#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace ovilan {

// Writes model(x_i; parameters) - y_i for every point; false when the model is not defined at
// some point for these parameters.
using ResidualFunction
    = std::function<bool(std::span<const double> parameters, std::span<double> residuals)>;

struct LeastSquaresOutcome {
    enum class Status { Converged, NoConvergence, UndefinedAtStart, Undefined, WithoutEffect };
    Status status = Status::Converged;
    std::vector<double> parameters;
    int iterations = 0;
    // For WithoutEffect: the parameter that no longer changes any residual, so the search
    // stopped on a plateau rather than at a fit.
    std::size_t idleParameter = 0;
};

inline constexpr int kMaxFitEvaluations = 2000;

// Minimises the sum of squared residuals from `start` by Levenberg–Marquardt (Eigen's MINPACK
// port) with a central-difference Jacobian. Steps into parameters where the model is undefined
// are refused as if they made the fit worse, so the search backs off from them.
LeastSquaresOutcome minimiseSquares(
    const ResidualFunction& residuals, std::size_t pointCount, std::vector<double> start);

} // namespace ovilan
