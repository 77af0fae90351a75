// The texts of a fit: the fitted formula, the coefficients' names, the legend, the model's name
// and the start values as typed.

#include "analysis/fit_text.h"

#include "analysis/fit_formula.h"
#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "expr/typed_formula.h"
#include "render/plot_label.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ovilan {

namespace {

    // "x^2-2*x+0.5" rather than "0.5-2*x+1*x^2"-like noise: zero terms left out, a unit
    // coefficient not written.
    std::string polynomialText(std::span<const double> a, std::string_view variable)
    {
        std::string text;
        for (std::size_t j = 0; j < a.size(); ++j) {
            if (a[j] == 0)
                continue;
            std::string power = j == 0 ? "" : std::string(variable);
            if (j > 1)
                power += "^" + std::to_string(j);
            std::string term = j > 0 && std::fabs(a[j]) == 1
                ? (std::signbit(a[j]) ? "-" : "+") + power
                : signedTermText(a[j]) + (j > 0 ? "*" + power : "");
            if (text.empty() && term.front() == '+')
                term.erase(0, 1);
            text += term;
        }
        return text.empty() ? "0" : text;
    }

    std::string_view trimmed(std::string_view text)
    {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        return text;
    }

    std::optional<double> readStartValue(std::string_view text)
    {
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        // from_chars also reads "inf" and "nan", from which no search can start.
        if (error == std::errc() && end == text.data() + text.size())
            return std::isfinite(value) ? std::optional(value) : std::nullopt;
        const TypedFormula checked = checkTypedFormula(text, " ");
        if (checked.code != kFormulaOk)
            return std::nullopt;
        return evaluateText(checked.normalForm, " ", 0);
    }

} // namespace

std::string formulaText(
    const FitRequest& request, std::span<const double> c, std::span<const char> letters)
{
    switch (request.model) {
    case FitModel::Linear:
    case FitModel::Polynomial:
        return polynomialText(c, "x");
    case FitModel::Logarithmic:
        return polynomialText(c, "ln(x)");
    case FitModel::Exponential:
        return coefficientText(c[0]) + "*exp(" + coefficientText(c[1]) + "*x)";
    case FitModel::Power:
        return coefficientText(c[0]) + "*x^(" + coefficientText(c[1]) + ")";
    case FitModel::Formula: {
        std::array<double, kParameterCount> values {};
        for (std::size_t i = 0; i < letters.size(); ++i)
            values[*parameterIndex(std::string_view(&letters[i], 1))] = c[i];
        return substituteExactly(request.formula, values);
    }
    }
    return {};
}

std::vector<std::string> coefficientNames(const FitRequest& request, std::size_t count)
{
    std::vector<std::string> names;
    if (request.model == FitModel::Polynomial) {
        for (std::size_t j = 0; j < count; ++j)
            names.push_back("a" + std::to_string(j));
    } else if (request.model == FitModel::Formula) {
        for (const char letter : parametersUsed(request.formula))
            names.emplace_back(1, letter);
    } else {
        names = { "a", "b" };
    }
    return names;
}

std::string legendText(const FitRequest& request, double rSquared)
{
    std::array<char, 32> digits {};
    std::snprintf(digits.data(), digits.size(), "%.6g", rSquared);
    std::string name = request.model == FitModel::Formula ? "fit of " + request.formula
                                                          : fitModelName(request) + " fit";
    const std::string rSquaredText = std::string(", R² = ") + digits.data();
    // A legend is a caption, and a document file holds none longer: a long formula keeps its
    // start, cut between characters, and the R² stays.
    constexpr std::string_view kCut = "...";
    if (name.size() + rSquaredText.size() > kMaxCaptionLength) {
        std::size_t keep = kMaxCaptionLength - rSquaredText.size() - kCut.size();
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        name.resize(keep);
        name += kCut;
    }
    return name + rSquaredText;
}

std::optional<std::vector<ParameterValue>> readFitStart(std::string_view text, std::string& badItem)
{
    std::vector<ParameterValue> start;
    while (!trimmed(text).empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t equals = item.find('=');
        const std::string_view name = trimmed(item.substr(0, equals));
        const std::optional<double> value = equals == std::string_view::npos
            ? std::nullopt
            : readStartValue(trimmed(item.substr(equals + 1)));
        if (name.size() != 1 || !isParameterLetter(name[0]) || !value) {
            badItem = std::string(item);
            return std::nullopt;
        }
        start.push_back({ name[0], *value });
    }
    return start;
}

std::string fitModelName(const FitRequest& request)
{
    switch (request.model) {
    case FitModel::Linear:
        return "linear";
    case FitModel::Polynomial:
        return "polynomial of degree " + std::to_string(request.degree);
    case FitModel::Exponential:
        return "exponential";
    case FitModel::Logarithmic:
        return "logarithmic";
    case FitModel::Power:
        return "power";
    case FitModel::Formula:
        return request.formula;
    }
    return {};
}

} // namespace ovilan
