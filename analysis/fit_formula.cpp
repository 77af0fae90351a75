#include "analysis/fit_formula.h"

#include "expr/exact_number.h"
#include "expr/formula_check.h"
#include "expr/parameters.h"
#include "expr/text_evaluator.h"
#include "expr/typed_formula.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

namespace ovilan {

std::string coefficientText(double value)
{
    std::array<char, 32> digits {};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc())
        return "0";
    // The shortest digits that round-trip, respelt the formula language's way.
    return exactNumberText(std::string_view(digits.data(), end), false).value_or("0");
}

std::string signedTermText(double value)
{
    return (std::signbit(value) ? "-" : "+") + coefficientText(std::fabs(value));
}

std::string substituteExactly(std::string_view text, std::span<const double> values)
{
    std::string result;
    result.reserve(text.size() + 32);
    for (const char c : text) {
        const auto index = parameterIndex(std::string_view(&c, 1));
        if (!index)
            result += c;
        else
            result += '(' + coefficientText(parameterValue(values, *index)) + ')';
    }
    return result;
}

namespace {

    // Where the variable stands alone in a text, not inside a longer name such as "exp": a run of
    // letters made only of x (the check reads "xx", a probe of "kx", as x*x) is one leaf a letter.
    // The check also takes X for x.
    std::vector<std::size_t> variableLeaves(std::string_view text)
    {
        std::vector<std::size_t> leaves;
        std::size_t i = 0;
        while (i < text.size()) {
            if (!std::isalpha(static_cast<unsigned char>(text[i]))) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < text.size()
                && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
                ++end;
            const std::string_view run = text.substr(i, end - i);
            if (run.find_first_not_of("xX") == std::string_view::npos) {
                for (std::size_t at = i; at < end; ++at)
                    leaves.push_back(at);
            }
            i = end;
        }
        return leaves;
    }

    // The formula with the parameters' values put in and checked the ordinary way: slower and
    // rounded to the normal form's digits, but the meaning the compiled form must agree with.
    std::optional<double> substitutedValue(
        std::string_view text, std::span<const double> parameters, double x)
    {
        const TypedFormula checked = checkTypedFormula(substituteExactly(text, parameters), "x");
        if (checked.code != kFormulaOk)
            return std::nullopt;
        return evaluateText(checked.normalForm, "x", x);
    }

    bool agreesWithSubstitution(std::string_view text, std::string_view normalForm)
    {
        constexpr std::array<double, 7> kProbeX { -2.5, -1, -0.3, 0.2, 0.7, 1.3, 3.1 };
        constexpr std::array<std::array<double, kParameterCount>, 2> kProbeValues { {
            { 0.7, 1.3, -0.4, 2.1, 0.35, 1.7 },
            { 1.9, -0.6, 0.45, 0.8, -1.2, 0.15 },
        } };
        for (const auto& values : kProbeValues) {
            for (const double x : kProbeX) {
                const auto compiled = evaluateText(normalForm, "x", x, values);
                const auto reference = substitutedValue(text, values, x);
                if (compiled.has_value() != reference.has_value())
                    return false;
                if (!compiled)
                    continue;
                const double scale = std::max({ 1.0, std::fabs(*compiled), std::fabs(*reference) });
                if (std::fabs(*compiled - *reference) > 1e-7 * scale)
                    return false;
            }
        }
        return true;
    }

} // namespace

std::optional<Expression> compileParameterFormula(std::string_view text)
{
    const std::string probe = parameterProbe(text, "x");
    const TypedFormula checked = checkTypedFormula(probe, "x");
    if (checked.code != kFormulaOk)
        return std::nullopt;
    // The check keeps every leaf that holds a parameter and their order, only respelling what
    // lies between; so the n-th lone x of the normal form is the n-th lone x of the probe.
    const std::vector<std::size_t> typedLeaves = variableLeaves(probe);
    const std::vector<std::size_t> normalLeaves = variableLeaves(checked.normalForm);
    if (typedLeaves.size() != normalLeaves.size())
        return std::nullopt;
    std::string normalForm = checked.normalForm;
    for (std::size_t i = 0; i < typedLeaves.size(); ++i) {
        const char typed = text[typedLeaves[i]];
        normalForm[normalLeaves[i]] = isParameterLetter(typed) ? typed : 'x';
    }
    if (!agreesWithSubstitution(text, normalForm))
        return std::nullopt;
    return prepare(normalForm, "x");
}

} // namespace ovilan
