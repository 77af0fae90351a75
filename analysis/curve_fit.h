#pragma once

#include "expr/parameters.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovilan {

// The curves a table of points can be fitted with. Linear, Polynomial and Logarithmic are linear
// in their coefficients and solved exactly by QR; the others are minimised by Levenberg–Marquardt.
enum class FitModel { Linear, Polynomial, Exponential, Logarithmic, Power, Formula };

inline constexpr int kMinFitDegree = 2;
inline constexpr int kMaxFitDegree = 6;

struct FitRequest {
    FitModel model = FitModel::Linear;
    int degree = 2; // of a Polynomial
    // A Formula: y in x with parameter letters (kParameterLetters), e.g. "k*(1-exp(-m*x))".
    std::string formula;
    // Start values of the formula's parameters; a letter not listed starts at 1.
    std::vector<ParameterValue> start;
};

struct FitCoefficient {
    std::string name; // "a", "b", "a0".."a6", or the parameter's letter
    double value = 0;
};

struct FitResult {
    // Empty when the fit succeeded; otherwise why it could not be made, and nothing else is set.
    std::string refusal;
    std::vector<FitCoefficient> coefficients;
    double rSquared = 0;
    double residualSd = 0; // sqrt(SSR / (n - p))
    int iterations = 0; // of Levenberg–Marquardt; 0 for a linear solve
    // The fitted curve as formula text in x, every coefficient written to round-trip exactly,
    // and its normal form (what a Y(x) graph traces).
    std::string formula;
    std::string normalForm;
    std::string legendText; // "linear fit, R² = 0.999994"

    bool ok() const { return refusal.empty(); }
};

// Fits y(x) to the points (xs[i], ys[i]) by least squares.
FitResult fitCurve(
    std::span<const double> xs, std::span<const double> ys, const FitRequest& request);

// The model's name as the legend and the command line use it: "linear", "polynomial of degree 3",
// "exponential", "logarithmic", "power", or the formula itself.
std::string fitModelName(const FitRequest& request);

// Start values typed as "k=1, m=2.5": each a parameter letter, '=' and a number or a constant
// formula (pi/2), separated by commas. Nothing when one of them does not read; `badItem` then
// holds it.
std::optional<std::vector<ParameterValue>> readFitStart(
    std::string_view text, std::string& badItem);

} // namespace ovilan
