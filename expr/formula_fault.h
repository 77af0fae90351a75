#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ovilan {

// Where a refused formula goes wrong, in the text as the user typed it, and what a bare message
// leaves unsaid.
struct FormulaFault {
    std::size_t begin = 0;
    std::size_t length = 0;
    // A second line for the message; empty when the message says it all.
    std::string explanation;
};

// Finds the part of a typed formula that earned it the refusal `code` (of checkTypedFormula):
// the unmatched bracket, the name nobody knows, the "+-", the point without a digit, the empty
// "()", the function without its argument, the constant without a value, the divisor that is 0.
// It looks only after the check has refused, so it cannot change what the check accepts.
FormulaFault locateFormulaFault(std::string_view typed, std::string_view variable, int code);

} // namespace ovilan
