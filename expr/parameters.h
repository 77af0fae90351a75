#pragma once

#include "expr/typed_formula.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ovilan {

// The letters a formula's parameters are named with: no function name, constant or variable
// contains them, and every formula of older versions refuses them, so giving them a meaning
// changes no formula that works without them. A parameter's index is its place here.
inline constexpr std::string_view kParameterLetters = "jkmvwz";
inline constexpr std::size_t kParameterCount = kParameterLetters.size();

constexpr bool isParameterLetter(char c)
{
    return c != '\0' && kParameterLetters.find(c) != std::string_view::npos;
}

// The index of the parameter an operand names, as compiled formulas refer to it.
constexpr std::optional<std::size_t> parameterIndex(std::string_view operand)
{
    if (operand.size() != 1 || !isParameterLetter(operand[0]))
        return std::nullopt;
    return kParameterLetters.find(operand[0]);
}

// A parameter's current value; one without a value reads 0, as the letter alone always has.
constexpr double parameterValue(std::span<const double> values, std::size_t index)
{
    return index < values.size() ? values[index] : 0.0;
}

struct ParameterValue {
    char name;
    double value;
};

// The parameter letters a formula text uses, each once, in the order of kParameterLetters.
std::string parametersUsed(std::string_view text);

// The formula with each parameter replaced by its value, bracketed, as formula text ("x/k" with
// k = -2 gives "x/(-2)"); checked again, it is the formula an older version reads. Nothing when a
// letter has no value.
std::optional<std::string> substituteParameters(
    std::string_view text, std::span<const ParameterValue> values);

// Where the first parameter letter of the text that is not among `defined` stands; nothing when
// every letter the text uses is defined.
std::optional<std::size_t> firstUndefinedParameter(std::string_view text, std::string_view defined);

// The text with every parameter letter written as the variable (`variable`'s first character).
// A parameter is a number the check does not know, as the variable is; the letter and the
// variable are one character each, so a fault found in this text lies where it lies in the typed
// one, and no part holding a parameter is folded into a constant.
std::string parameterProbe(std::string_view text, std::string_view variable);

// Checks a formula typed with parameters as it stands, whatever values they take: the code of
// checkTypedFormula on its parameterProbe. The normal form is the probe's and is not kept.
TypedFormula checkParameterFormula(
    std::string_view text, std::string_view variable, long long& workLeft);

// Where a formula typed with parameters goes wrong (`code` of a parameter check): the first letter
// `defined` lacks for kUndefinedParameter, else the fault the probe shows, at the same place.
FormulaFault locateParameterFault(
    std::string_view text, std::string_view variable, int code, std::string_view defined);

} // namespace ovilan
