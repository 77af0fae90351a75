// Any bytes as a formula in every variable: the check must not crash or hang, and for every text
// it accepts, the text evaluator and the compiled Expression must agree at every point.

#include "expr/expression.h"
#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "expr/typed_formula.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 5> kVariables = { "x", "y", "t", "a", " " };
constexpr std::array<double, 7> kPoints = { 0, 1, -1, 0.5, -2.5, 1e6, 3.141592653589793 };

bool same(std::optional<double> left, std::optional<double> right)
{
    if (left.has_value() != right.has_value())
        return false;
    return !left || std::bit_cast<std::uint64_t>(*left) == std::bit_cast<std::uint64_t>(*right);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (const std::string_view variable : kVariables) {
        const ovilan::TypedFormula typed = ovilan::checkTypedFormula(input, variable);
        if (typed.code != ovilan::kFormulaOk) {
            const ovilan::FormulaFault fault
                = ovilan::locateFormulaFault(input, variable, typed.code);
            if (fault.begin + fault.length > input.size())
                std::abort();
            continue;
        }
        const std::string& normal = typed.normalForm;
        const ovilan::Expression expression = ovilan::prepare(normal, variable);
        ovilan::ExpressionEvaluator evaluator(expression);
        for (const double point : kPoints) {
            const auto byText = ovilan::evaluateText(normal, variable, point);
            const auto byExpression = evaluator.evaluate(point);
            if (!same(byText, byExpression)) {
                std::fprintf(stderr, "evaluators disagree on '%s' at %g\n", normal.c_str(), point);
                std::abort();
            }
        }
    }
    return 0;
}
