#pragma once

#include "expr/formula_fault.h"

#include <string>
#include <string_view>

namespace ovilan {

// A formula as a user types it, checked in the whole formula language: the program's own and
// the familiar spellings (see ownSpelling).
struct TypedFormula {
    int code = 0;
    // The normal form when the code is 0; it always uses the program's own names.
    std::string normalForm;
    // True when the program's own check accepts the text as typed. A text that only the familiar
    // spellings make acceptable is stored as its normal form, which older versions can read.
    bool ownSpelling = true;
};

// Every text the program's own check accepts keeps exactly its code and normal form; only a text
// it refuses is read again in the familiar spellings. A text refused both ways keeps the code of
// the second reading, whose fault locateFormulaFault finds.
TypedFormula checkTypedFormula(std::string_view text, std::string_view variable);
// The same, drawing on a shared allowance of work as checkFormula does.
TypedFormula checkTypedFormula(
    std::string_view text, std::string_view variable, long long& workLeft);

// What a refusal says: `headline` (the code's message, or a dialog's own), and on a second line
// what the fault leaves unsaid.
std::string refusalText(std::string_view headline, const FormulaFault& fault);

} // namespace ovilan
