#include "expr/dialog_fields.h"

#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "expr/typed_formula.h"

#include <algorithm>
#include <limits>

namespace ovilan {

namespace {

    bool isBlank(char c) { return c == ' ' || c == '\t'; }
    bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

IntegerField readIntegerField(std::string_view text, std::int32_t minimum, std::int32_t maximum)
{
    const std::string_view field = text.substr(0, 31);
    std::size_t at = 0;
    while (at < field.size() && isBlank(field[at]))
        ++at;
    const std::size_t firstNonBlank = at;
    bool negative = false;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) {
        negative = field[at] == '-';
        ++at;
    }
    const std::size_t digitsFrom = at;
    // Accumulated wide and pinned, as a 32-bit long conversion saturates.
    std::int64_t magnitude = 0;
    constexpr std::int64_t kBeyond = std::int64_t { std::numeric_limits<std::int32_t>::max() } + 1;
    while (at < field.size() && isDigit(field[at])) {
        magnitude = std::min(magnitude * 10 + (field[at] - '0'), kBeyond);
        ++at;
    }
    std::int64_t value = 0;
    if (at > digitsFrom) {
        value = negative ? -magnitude : magnitude;
        value = std::max<std::int64_t>(value, std::numeric_limits<std::int32_t>::min());
        value = std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max());
    } else {
        at = firstNonBlank; // no number at all: nothing was read
    }
    std::size_t rest = at;
    while (rest < field.size() && isBlank(field[rest]))
        ++rest;
    const bool zeroWithoutDigit
        = value == 0 && (firstNonBlank >= field.size() || field[firstNonBlank] != '0');
    if (zeroWithoutDigit || rest < field.size())
        return { 0, std::string(kEnterInteger), false };
    const auto result = static_cast<std::int32_t>(value);
    if (result < minimum || result > maximum)
        return { result,
            "Please enter an integer between " + std::to_string(minimum) + " and "
                + std::to_string(maximum) + ".",
            true };
    return { result, {}, false };
}

std::optional<std::string> checkConstantField(std::string_view text)
{
    TypedFormula checked = checkTypedFormula(text, " ");
    if (checked.code != kFormulaOk)
        return std::nullopt;
    return std::move(checked.normalForm);
}

FormulaFault constantFieldFault(std::string_view text)
{
    return locateFormulaFault(text, " ", checkTypedFormula(text, " ").code);
}

double constantFieldValue(std::string_view normalForm)
{
    // The check has already refused every constant that cannot be evaluated.
    return evaluateText(normalForm, " ", 0).value_or(0);
}

} // namespace ovilan
