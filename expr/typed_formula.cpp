#include "expr/typed_formula.h"

#include "expr/formula_check.h"
#include "expr/formula_spelling.h"

namespace ovilan {

TypedFormula checkTypedFormula(std::string_view text, std::string_view variable)
{
    long long workLeft = kMaxCheckWork;
    return checkTypedFormula(text, variable, workLeft);
}

TypedFormula checkTypedFormula(
    std::string_view text, std::string_view variable, long long& workLeft)
{
    TypedFormula result;
    result.normalForm = std::string(text);
    result.code = checkFormula(result.normalForm, variable, workLeft);
    if (result.code == kFormulaOk)
        return result;
    SpelledFormula spelled = ownSpelling(text, variable);
    if (!spelled.changed)
        return result;
    result.normalForm = std::move(spelled.text);
    result.code = checkFormula(result.normalForm, variable, workLeft);
    result.ownSpelling = false;
    return result;
}

std::string refusalText(std::string_view headline, const FormulaFault& fault)
{
    std::string text(headline);
    if (!fault.explanation.empty()) {
        text += '\n';
        text += fault.explanation;
    }
    return text;
}

} // namespace ovilan
