#include "analysis/levenberg_marquardt.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <optional>
#include <unsupported/Eigen/NonLinearOptimization>
#include <unsupported/Eigen/NumericalDiff>

namespace ovilan {

namespace {

    // Far worse than any residual of real data, yet its square summed over 2000 points stays
    // finite, so the step's reduction ratio is a number and the step is simply rejected.
    constexpr double kUndefinedResidual = 1e100;

    struct ResidualFunctor {
        using Scalar = double;
        enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
        using InputType = Eigen::VectorXd;
        using ValueType = Eigen::VectorXd;
        using JacobianType = Eigen::MatrixXd;

        const ResidualFunction* residuals = nullptr;
        Eigen::Index parameterCount = 0;
        Eigen::Index pointCount = 0;

        int inputs() const { return static_cast<int>(parameterCount); }
        int values() const { return static_cast<int>(pointCount); }

        int operator()(const Eigen::VectorXd& parameters, Eigen::VectorXd& result) const
        {
            result.resize(pointCount);
            const bool defined = (*residuals)(std::span<const double>(parameters.data(),
                                                  static_cast<std::size_t>(parameters.size())),
                std::span<double>(result.data(), static_cast<std::size_t>(result.size())));
            if (!defined || !result.allFinite())
                result.setConstant(kUndefinedResidual);
            return 0;
        }
    };

    // The first parameter whose small change leaves every residual exactly as it is: where the
    // curve does not depend on it at any point (m in k*(1-exp(-m*x)) with m*x beyond 40), the
    // search ends with a zero gradient and reports convergence on a curve that fits nothing.
    std::optional<std::size_t> idleParameter(const ResidualFunctor& functor,
        const Eigen::VectorXd& parameters,
        const Eigen::VectorXd& residuals)
    {
        for (Eigen::Index j = 0; j < parameters.size(); ++j) {
            Eigen::VectorXd moved = parameters;
            moved[j] += std::max(std::fabs(parameters[j]), 1.0) * 1e-6;
            Eigen::VectorXd changed;
            functor(moved, changed);
            if (changed == residuals)
                return static_cast<std::size_t>(j);
        }
        return std::nullopt;
    }

    bool converged(Eigen::LevenbergMarquardtSpace::Status status)
    {
        using enum Eigen::LevenbergMarquardtSpace::Status;
        switch (status) {
        case RelativeReductionTooSmall:
        case RelativeErrorTooSmall:
        case RelativeErrorAndReductionTooSmall:
        case CosinusTooSmall:
        // The tolerances below machine precision: no step can improve the fit any further.
        case FtolTooSmall:
        case XtolTooSmall:
        case GtolTooSmall:
            return true;
        default:
            return false;
        }
    }

} // namespace

LeastSquaresOutcome minimiseSquares(
    const ResidualFunction& residuals, std::size_t pointCount, std::vector<double> start)
{
    LeastSquaresOutcome outcome;
    const auto count = static_cast<Eigen::Index>(start.size());
    ResidualFunctor functor { &residuals, count, static_cast<Eigen::Index>(pointCount) };
    Eigen::VectorXd parameters = Eigen::Map<const Eigen::VectorXd>(start.data(), count);

    Eigen::VectorXd atStart;
    functor(parameters, atStart);
    if ((atStart.array() == kUndefinedResidual).all()) {
        outcome.status = LeastSquaresOutcome::Status::UndefinedAtStart;
        return outcome;
    }

    // A central difference with a step near the cube root of the machine precision balances
    // truncation against rounding: about ten correct digits in the Jacobian.
    Eigen::NumericalDiff<ResidualFunctor, Eigen::Central> jacobian(functor, 3.6e-11);
    Eigen::LevenbergMarquardt<decltype(jacobian)> solver(jacobian);
    solver.parameters.maxfev = kMaxFitEvaluations;
    solver.parameters.ftol = 1e-14;
    solver.parameters.xtol = 1e-14;
    solver.parameters.gtol = 0;
    const auto status = solver.minimize(parameters);

    outcome.iterations = static_cast<int>(solver.iter);
    outcome.parameters.assign(parameters.data(), parameters.data() + parameters.size());
    Eigen::VectorXd atEnd;
    functor(parameters, atEnd);
    if (!parameters.allFinite() || (atEnd.array() == kUndefinedResidual).any())
        outcome.status = LeastSquaresOutcome::Status::Undefined;
    else if (!converged(status))
        outcome.status = LeastSquaresOutcome::Status::NoConvergence;
    else if (const auto idle = idleParameter(functor, parameters, atEnd)) {
        outcome.status = LeastSquaresOutcome::Status::WithoutEffect;
        outcome.idleParameter = *idle;
    }
    return outcome;
}

} // namespace ovilan
