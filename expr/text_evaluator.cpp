#include "expr/text_evaluator.h"

#include "expr/formula_check.h"
#include "expr/formula_text.h"
#include "expr/operations.h"
#include "expr/parameters.h"

namespace ovilan {

namespace {

    struct Leaves {
        std::string_view variable;
        double value;
        std::span<const double> parameters;
    };

    // A leaf is the variable, a parameter or a number; it is always defined.
    double leafValue(std::string_view text, const Leaves& leaves)
    {
        if (text == leaves.variable)
            return leaves.value;
        if (const auto parameter = parameterIndex(text))
            return parameterValue(leaves.parameters, *parameter);
        return leadingNumber(text);
    }

    std::optional<double> evaluate(std::string_view text, const Leaves& leaves, int depth)
    {
        // Deeper than any normal form: undefined rather than a stack overflow.
        if (depth > kMaxEvaluationDepth)
            return std::nullopt;
        text = unwrapped(text);
        const auto match = findOperator(text);
        if (!match)
            return leafValue(text, leaves);
        const std::string_view left = text.substr(0, match->position);
        const std::string_view right
            = text.substr(match->position + kOperationTexts[match->code].size());
        const auto x = evaluate(left, leaves, depth + 1);
        if (!x)
            return std::nullopt;
        const auto a = evaluate(right, leaves, depth + 1);
        if (!a)
            return std::nullopt;
        return applyOperation(match->code, *x, *a);
    }

} // namespace

std::optional<double> evaluateText(std::string_view text, std::string_view variable, double value)
{
    return evaluate(text, { variable, value, {} }, 0);
}

std::optional<double> evaluateText(std::string_view text,
    std::string_view variable,
    double value,
    std::span<const double> parameters)
{
    return evaluate(text, { variable, value, parameters }, 0);
}

} // namespace ovilan
