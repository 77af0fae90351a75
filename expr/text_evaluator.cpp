#include "expr/text_evaluator.h"

#include "expr/formula_check.h"
#include "expr/formula_text.h"
#include "expr/operations.h"

namespace ovilan {

namespace {

    std::optional<double> evaluate(
        std::string_view text, std::string_view variable, double value, int depth)
    {
        // Deeper than any normal form: undefined rather than a stack overflow.
        if (depth > kMaxEvaluationDepth)
            return std::nullopt;
        text = unwrapped(text);
        const auto match = findOperator(text);
        if (!match)
            return text == variable ? value : leadingNumber(text);
        const std::string_view left = text.substr(0, match->position);
        const std::string_view right
            = text.substr(match->position + kOperationTexts[match->code].size());
        const auto x = evaluate(left, variable, value, depth + 1);
        if (!x)
            return std::nullopt;
        const auto a = evaluate(right, variable, value, depth + 1);
        if (!a)
            return std::nullopt;
        return applyOperation(match->code, *x, *a);
    }

} // namespace

std::optional<double> evaluateText(std::string_view text, std::string_view variable, double value)
{
    return evaluate(text, variable, value, 0);
}

} // namespace ovilan
