#include "expr/parameters.h"

#include "expr/number_format.h"

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

} // namespace ovilan
