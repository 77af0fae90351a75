#pragma once

#include <string>
#include <string_view>

namespace ovilan {

inline constexpr std::string_view kNoDerivativeFormula
    = "The derivative of this formula cannot be written as a formula.";
inline constexpr std::string_view kDerivativeTooLong
    = "The derivative of this formula is too long.";

// The derivative of a formula, written in the formula language and checked like any typed formula.
struct Derivative {
    // The check's code for the derivative's text: 0 when `normalForm` holds it.
    int code = 0;
    std::string normalForm;
    // Empty when the derivative was written; otherwise the message to show.
    std::string_view refusal;
};

// The derivative of a normal form in `variable` ("x" for Y(x), "y" for X(y)). Every function of
// the language has its rule; where one jumps (abs, sign, ceil, floor, round) the derivative is
// the one it has between its jumps: abs(u) gives sign(u)*u', floor(u) gives 0. A derivative the
// check refuses, as that of (-2)^x with its ln(-2), or one too long for a document, is refused.
Derivative derivative(std::string_view normalForm, std::string_view variable);

} // namespace ovilan
