#include "expr/number_format.h"

#include "expr/formula_text.h"
#include "expr/operations.h"
#include "expr/text_evaluator.h"

#include <charconv>
#include <cmath>

namespace ovilan {

namespace {

    std::string printed(int value)
    {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }

} // namespace

std::string formatNumber(double value)
{
    // "%.10g" in the "C" locale, whatever the user's locale says about decimal commas.
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    if (e == std::string::npos)
        return std::string(trimmed(text));

    std::string_view exponentText = std::string_view(text).substr(e + 1);
    const bool negative = exponentText.starts_with('-');
    if (exponentText.starts_with('+') || negative)
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (negative)
        exponent = -exponent;
    text.erase(e);
    // A negative exponent in brackets, so the text reads back as a power: "1*10^(-5)".
    const std::string power = negative ? "(" + printed(exponent) + ")" : printed(exponent);
    text += "*10^" + power;
    return std::string(trimmed(text));
}

bool roundToMagnitude(double& value, double magnitude)
{
    if (!(magnitude > 0) || !std::isfinite(magnitude))
        return false;
    const double factor = std::pow(10.0, 2 - std::floor(std::log10(magnitude)));
    const double scaled = value * factor;
    if (!std::isfinite(scaled) || !std::isfinite(factor))
        return false;
    const double rounded = *applyOperation(kRound, 0, scaled) / factor;
    const auto reread = evaluateText(formatNumber(rounded), " ", 0);
    if (!reread)
        return false;
    value = *reread;
    return true;
}

} // namespace ovilan
