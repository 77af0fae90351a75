#include "expr/parameters.h"

#include "expr/formula_check.h"
#include "expr/number_format.h"
#include "expr/typed_formula.h"

#include <algorithm>

namespace ovilan {

std::string parametersUsed(std::string_view text)
{
    std::string used;
    for (const char letter : kParameterLetters) {
        if (text.find(letter) != std::string_view::npos)
            used += letter;
    }
    return used;
}

std::optional<std::string> substituteParameters(
    std::string_view text, std::span<const ParameterValue> values)
{
    std::string result;
    result.reserve(text.size() + 16);
    for (const char c : text) {
        if (!isParameterLetter(c)) {
            result += c;
            continue;
        }
        const auto named = std::find_if(
            values.begin(), values.end(), [c](const ParameterValue& p) { return p.name == c; });
        if (named == values.end())
            return std::nullopt;
        result += '(' + formatNumber(named->value) + ')';
    }
    return result;
}

std::optional<std::size_t> firstUndefinedParameter(std::string_view text, std::string_view defined)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isParameterLetter(text[i]) && defined.find(text[i]) == std::string_view::npos)
            return i;
    }
    return std::nullopt;
}

std::string parameterProbe(std::string_view text, std::string_view variable)
{
    std::string probe(text);
    const char stand = variable.empty() ? ' ' : variable.front();
    std::ranges::replace_if(probe, isParameterLetter, stand);
    return probe;
}

TypedFormula checkParameterFormula(
    std::string_view text, std::string_view variable, long long& workLeft)
{
    return checkTypedFormula(parameterProbe(text, variable), variable, workLeft);
}

FormulaFault locateParameterFault(
    std::string_view text, std::string_view variable, int code, std::string_view defined)
{
    if (code != kUndefinedParameter)
        return locateFormulaFault(parameterProbe(text, variable), variable, code);
    FormulaFault fault;
    fault.begin = firstUndefinedParameter(text, defined).value_or(text.size());
    fault.length = fault.begin < text.size() ? 1 : 0;
    const std::string letter(text.substr(fault.begin, fault.length));
    fault.explanation = "The document has no parameter " + letter
        + ". Add it in the Parameters pane (View menu) first.";
    return fault;
}

} // namespace ovilan
