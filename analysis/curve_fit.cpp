#include "analysis/curve_fit.h"

#include "analysis/fit_formula.h"
#include "analysis/fit_text.h"
#include "analysis/levenberg_marquardt.h"
#include "analysis/polynomial_fit.h"
#include "expr/formula_check.h"
#include "expr/typed_formula.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace ovilan {

namespace {

    FitResult refusal(std::string text)
    {
        FitResult result;
        result.refusal = std::move(text);
        return result;
    }

    std::size_t parameterCount(const FitRequest& request)
    {
        switch (request.model) {
        case FitModel::Polynomial:
            return static_cast<std::size_t>(request.degree) + 1;
        case FitModel::Formula:
            return parametersUsed(request.formula).size();
        default:
            return 2;
        }
    }

    // "a" or "an" before the model's name; of the names only "exponential" starts with a vowel.
    std::string article(const FitRequest& request)
    {
        return request.model == FitModel::Exponential ? "an " : "a ";
    }

    // What the data lack for the model, or nothing.
    std::optional<std::string> dataRefusal(
        std::span<const double> xs, std::span<const double> ys, const FitRequest& request)
    {
        for (std::size_t i = 0; i < xs.size(); ++i) {
            if (!std::isfinite(xs[i]) || !std::isfinite(ys[i]))
                return "Point " + std::to_string(i + 1) + " has no number for x or for y.";
        }
        const std::size_t needed = parameterCount(request) + 1;
        if (xs.size() < needed) {
            std::string text = article(request);
            text[0] = 'A';
            return text + fitModelName(request) + " fit needs at least " + std::to_string(needed)
                + " points; the table has " + std::to_string(xs.size()) + ".";
        }
        const bool xPositive = std::ranges::all_of(xs, [](double x) { return x > 0; });
        const bool yPositive = std::ranges::all_of(ys, [](double y) { return y > 0; });
        if (request.model == FitModel::Exponential && !yPositive)
            return std::string("An exponential fit needs every y above 0.");
        if (request.model == FitModel::Logarithmic && !xPositive)
            return std::string("A logarithmic fit needs every x above 0.");
        if (request.model == FitModel::Power && !(xPositive && yPositive))
            return std::string("A power fit needs every x and every y above 0.");
        return std::nullopt;
    }

    std::string tooFewDifferentX(const FitRequest& request)
    {
        return "The points do not determine " + article(request) + fitModelName(request)
            + " curve: too few of them have different x.";
    }

    std::vector<double> logarithms(std::span<const double> values)
    {
        std::vector<double> result(values.size());
        std::ranges::transform(values, result.begin(), [](double v) { return std::log(v); });
        return result;
    }

    struct Fitted {
        std::vector<double> coefficients;
        std::vector<long double> residuals;
        int iterations = 0;
    };

    using Outcome = std::variant<Fitted, std::string>;

    // A coefficient whose term stays below one unit in the last place of every y is rounding
    // left over from the solve (-6.3*10^(-33) beside an exact parabola); the data cannot tell
    // it from 0.
    void dropRoundingResidue(
        std::vector<double>& a, std::span<const double> u, std::span<const double> ys)
    {
        double largestY = 0;
        for (const double y : ys)
            largestY = std::max(largestY, std::fabs(y));
        const double resolution = largestY * std::numeric_limits<double>::epsilon() / 2;
        for (std::size_t j = 0; j < a.size(); ++j) {
            double largestTerm = 0;
            for (const double value : u)
                largestTerm = std::max(
                    largestTerm, std::fabs(a[j] * std::pow(value, static_cast<double>(j))));
            if (largestTerm < resolution)
                a[j] = 0;
        }
    }

    // The sum of the squared deviations of y from its mean, in extended precision.
    long double spreadOf(std::span<const double> ys)
    {
        long double mean = 0;
        for (const double y : ys)
            mean += y;
        mean /= static_cast<long double>(ys.size());
        long double total = 0;
        for (const double y : ys)
            total += (y - mean) * (y - mean);
        return total;
    }

    // Whether the coefficients, evaluated in doubles term by term as the fitted graph evaluates
    // its formula, trace the curve the solve found. Where u lies far from 0 for its spread (x near
    // 10^9, a few units apart) the powers of u cancel away every digit of the curve, and a
    // coefficient may even fall outside the range of doubles.
    bool holdsFit(std::span<const double> a,
        std::span<const double> u,
        std::span<const double> ys,
        std::span<const double> solved)
    {
        double largestY = 0;
        for (const double y : ys)
            largestY = std::max(largestY, std::fabs(y));
        long double apart = 0; // between the written curve and the solved one, squared
        for (std::size_t i = 0; i < u.size(); ++i) {
            double value = 0;
            for (std::size_t j = 0; j < a.size(); ++j) {
                if (a[j] != 0) // the formula leaves the term out
                    value += a[j] * std::pow(u[i], static_cast<double>(j));
            }
            const long double gap = (ys[i] - static_cast<long double>(value)) - solved[i];
            apart += gap * gap;
        }
        // Apart by less than a billionth of the spread of y in squares (some 3*10^(-5) of its
        // standard deviation) shows neither in R² nor on the plot; the rounding of y itself is
        // allowed where y does not vary at all.
        const long double rounding
            = 64 * static_cast<long double>(largestY) * std::numeric_limits<double>::epsilon();
        const long double allowed
            = 1e-9L * spreadOf(ys) + static_cast<long double>(ys.size()) * rounding * rounding;
        return apart <= allowed; // false for a value that overflowed
    }

    std::string lostInWriting(const FitRequest& request)
    {
        return "The " + fitModelName(request)
            + " fit cannot be written as a formula in x without losing its accuracy: the x "
              "values lie too far from 0 for their spread. Measure x from a nearer origin or in "
              "other units and fit again.";
    }

    Outcome linearInCoefficients(std::span<const double> u,
        std::span<const double> ys,
        int degree,
        const FitRequest& request)
    {
        auto fit = fitPolynomial(u, ys, degree);
        if (!fit)
            return tooFewDifferentX(request);
        std::vector<double>& coefficients = fit->coefficients;
        dropRoundingResidue(coefficients, u, ys);
        if (!holdsFit(coefficients, u, ys, fit->residuals))
            return lostInWriting(request);
        Fitted fitted { std::move(coefficients), {}, 0 };
        for (std::size_t i = 0; i < u.size(); ++i)
            fitted.residuals.push_back(ys[i] - polynomialValue(fitted.coefficients, u[i]));
        return fitted;
    }

    std::string nonlinearRefusal(
        const LeastSquaresOutcome& outcome, bool startGiven, std::string_view names)
    {
        const std::string advice = startGiven ? "; try other start values." : ".";
        switch (outcome.status) {
        case LeastSquaresOutcome::Status::UndefinedAtStart:
            return "The curve is not defined at every point with the start values" + advice;
        case LeastSquaresOutcome::Status::Undefined:
            return "The fit ends where the curve is not defined at every point" + advice;
        case LeastSquaresOutcome::Status::NoConvergence:
            return "The fit did not converge in " + std::to_string(outcome.iterations)
                + " iterations" + advice;
        case LeastSquaresOutcome::Status::WithoutEffect:
            return "The fit stops where the parameter "
                + std::string(1, names.empty() ? '?' : names[outcome.idleParameter])
                + " has no effect on the curve at the points" + advice;
        case LeastSquaresOutcome::Status::Converged:
            break;
        }
        return {};
    }

    // `names` has one letter a parameter; a start the user gave is worth changing when it fails.
    Outcome nonlinear(const ResidualFunction& residuals,
        std::size_t pointCount,
        std::vector<double> start,
        std::string_view names,
        bool startGiven)
    {
        const LeastSquaresOutcome outcome
            = minimiseSquares(residuals, pointCount, std::move(start));
        if (outcome.status != LeastSquaresOutcome::Status::Converged)
            return nonlinearRefusal(outcome, startGiven, names);
        Fitted fitted { outcome.parameters, {}, outcome.iterations };
        std::vector<double> final(pointCount);
        residuals(outcome.parameters, final);
        fitted.residuals.assign(final.begin(), final.end());
        for (long double& r : fitted.residuals)
            r = -r; // observed minus fitted, as for the linear models
        return fitted;
    }

    // a*exp(b*x) or a*x^b from the straight line through the logarithms, then refined on the
    // real residuals: the line alone weights the small values too heavily.
    Outcome exponentialOrPower(
        std::span<const double> xs, std::span<const double> ys, const FitRequest& request)
    {
        const bool power = request.model == FitModel::Power;
        const std::vector<double> logX = power ? logarithms(xs) : std::vector<double>();
        const std::vector<double> logY = logarithms(ys);
        const auto line = fitPolynomial(power ? std::span<const double>(logX) : xs, logY, 1);
        if (!line)
            return tooFewDifferentX(request);
        const ResidualFunction residuals
            = [xs, ys, power](std::span<const double> p, std::span<double> r) {
                  for (std::size_t i = 0; i < xs.size(); ++i)
                      r[i] = (power ? p[0] * std::pow(xs[i], p[1]) : p[0] * std::exp(p[1] * xs[i]))
                          - ys[i];
                  return true;
              };
        const std::vector<double>& a = line->coefficients;
        const std::vector<double> start { std::exp(a[0]), a[1] };
        // The line through the logarithms fits them; where its curve overflows or underflows at
        // the points, a and b cannot hold the fit in x, and no start the user could change is
        // to blame.
        std::vector<double> atStart(xs.size());
        residuals(start, atStart);
        if (!std::ranges::all_of(atStart, [](double r) { return std::isfinite(r); }))
            return lostInWriting(request);
        return nonlinear(residuals, xs.size(), start, "ab", false);
    }

    Outcome userFormula(
        std::span<const double> xs, std::span<const double> ys, const FitRequest& request)
    {
        const std::string letters = parametersUsed(request.formula);
        if (letters.empty())
            return std::string(
                "The formula has no parameter to fit: write its coefficients with the "
                "letters j, k, m, v, w, z.");
        long long work = kMaxCheckWork;
        const int code = checkParameterFormula(request.formula, "x", work).code;
        if (code != kFormulaOk)
            return "The formula is not valid: " + std::string(formulaErrorText(code));
        const std::optional<Expression> expression = compileParameterFormula(request.formula);
        if (!expression)
            return std::string("This formula cannot be fitted as it is written; put * after each "
                               "parameter, as in k*exp(x).");

        auto values = std::make_shared<std::array<double, kParameterCount>>();
        auto evaluator = std::make_shared<ExpressionEvaluator>(*expression, *values);
        auto defined = std::make_shared<bool[]>(xs.size());
        std::vector<std::size_t> indexes;
        std::vector<double> start;
        for (const char letter : letters) {
            indexes.push_back(*parameterIndex(std::string_view(&letter, 1)));
            const auto given = std::ranges::find(request.start, letter, &ParameterValue::name);
            start.push_back(given == request.start.end() ? 1.0 : given->value);
        }
        const ResidualFunction residuals = [=](std::span<const double> p, std::span<double> r) {
            for (std::size_t i = 0; i < indexes.size(); ++i)
                (*values)[indexes[i]] = p[i];
            const std::span<bool> flags(defined.get(), xs.size());
            evaluator->evaluate(xs, r, flags);
            for (std::size_t i = 0; i < xs.size(); ++i) {
                if (!flags[i])
                    return false;
                r[i] -= ys[i];
            }
            return true;
        };
        return nonlinear(residuals, xs.size(), std::move(start), letters, true);
    }

    void setStatistics(FitResult& result, std::span<const double> ys, const Fitted& fitted)
    {
        const long double total = spreadOf(ys);
        long double residual = 0;
        for (const long double r : fitted.residuals)
            residual += r * r;
        result.rSquared
            = total > 0 ? static_cast<double>(1 - residual / total) : (residual == 0 ? 1.0 : 0.0);
        const auto freedom = static_cast<long double>(ys.size() - fitted.coefficients.size());
        result.residualSd = static_cast<double>(std::sqrt(residual / freedom));
    }

} // namespace

FitResult fitCurve(
    std::span<const double> xs, std::span<const double> ys, const FitRequest& request)
{
    if (xs.size() != ys.size())
        return refusal("The x and y columns have different numbers of values.");
    if (request.model == FitModel::Polynomial
        && (request.degree < kMinFitDegree || request.degree > kMaxFitDegree))
        return refusal("The degree of a polynomial fit must be from 2 to 6.");
    if (auto refused = dataRefusal(xs, ys, request))
        return refusal(std::move(*refused));

    Outcome outcome;
    switch (request.model) {
    case FitModel::Linear:
        outcome = linearInCoefficients(xs, ys, 1, request);
        break;
    case FitModel::Polynomial:
        outcome = linearInCoefficients(xs, ys, request.degree, request);
        break;
    case FitModel::Logarithmic: {
        const std::vector<double> logX = logarithms(xs);
        outcome = linearInCoefficients(logX, ys, 1, request);
        break;
    }
    case FitModel::Exponential:
    case FitModel::Power:
        outcome = exponentialOrPower(xs, ys, request);
        break;
    case FitModel::Formula:
        outcome = userFormula(xs, ys, request);
        break;
    }
    if (auto* refused = std::get_if<std::string>(&outcome))
        return refusal(std::move(*refused));
    const Fitted& fitted = std::get<Fitted>(outcome);

    FitResult result;
    const std::vector<std::string> names = coefficientNames(request, fitted.coefficients.size());
    for (std::size_t i = 0; i < fitted.coefficients.size(); ++i)
        result.coefficients.push_back({ names[i], fitted.coefficients[i] });
    result.iterations = fitted.iterations;
    setStatistics(result, ys, fitted);
    const std::string letters = parametersUsed(request.formula);
    result.formula = formulaText(request, fitted.coefficients, letters);
    const TypedFormula checked = checkTypedFormula(result.formula, "x");
    if (checked.code != kFormulaOk)
        return refusal("The fitted curve cannot be written as a formula: "
            + std::string(formulaErrorText(checked.code)));
    result.normalForm = checked.normalForm;
    result.legendText = legendText(request, result.rSquared);
    return result;
}

} // namespace ovilan
