#pragma once

#include <string>
#include <string_view>

namespace ovilan {

// Results of the formula check; 0 means the text was rewritten into its normal form.
enum FormulaError : int {
    kFormulaOk = 0,
    kCheckBrackets = 1, // "(x", "x)("
    kInvalidConstant = 2, // "ln(0)", "sqrt(-1)"
    kEmptyExpression = 3, // "()", "   "
    kArgumentNotDefined = 4, // "sin x", "sin"
    kArgumentNotInBrackets = 5, // has its message, never returned
    kSyntaxError = 6, // "x+-1", "5.", "{x}"
    kDenominatorZero = 7, // "x/0", "x/(1-1)"
    // A formula with parameters names a letter the document's table has none of; only the
    // parameter check returns it, never checkFormula.
    kUndefinedParameter = 8, // "k*x" without k
};

// Bounds that keep any text from exhausting the stack or the user's patience. A text nested
// deeper, or needing more work, is refused as a syntax error. Ordinary formulas (hundreds of
// characters, tens of levels) stay far inside them.
inline constexpr int kMaxCheckDepth = 256;
// The longest formula a stored document may hold. Typed formulas are a few hundred characters,
// and a check of a text this long ends in a few milliseconds whatever its shape.
inline constexpr std::size_t kMaxFormulaLength = 10'000;
inline constexpr long long kMaxCheckWork = 32'000'000;
// The evaluators and the compiler bound their recursion too; normal forms never come near it.
inline constexpr int kMaxEvaluationDepth = 4 * kMaxCheckDepth;

// Checks the text as a formula in the variable `variable` (only its first character is read by
// the factor scanner; " " for texts that must be constant). On success returns 0 and replaces the
// text by its normal form; on an error the text's content is unspecified, so callers check a copy.
int checkFormula(std::string& text, std::string_view variable);

// The same check drawing on a shared allowance of work, so that reading a file of many formulas
// is bounded as a whole, not only formula by formula. The work done is taken from `workLeft`;
// a check that would need more than is left is refused as a syntax error.
int checkFormula(std::string& text, std::string_view variable, long long& workLeft);

// The message of an error code; the empty text for codes without one.
std::string_view formulaErrorText(int code);

} // namespace ovilan
