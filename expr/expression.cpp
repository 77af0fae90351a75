#include "expr/expression.h"

#include "expr/formula_check.h"
#include "expr/formula_text.h"
#include "expr/operations.h"
#include "expr/parameters.h"

#include <algorithm>
#include <array>
#include <string>

namespace ovilan {

namespace {

    // Never a valid code: a node that is undefined at every point.
    constexpr std::int32_t kUndefinedCode = kOperationCount;

    bool compileAt(std::string_view text,
        std::string_view variable,
        std::vector<ExpressionNode>& nodes,
        int depth);

    // Compiles one operand; a single operand becomes the variable or a constant in the node.
    void compileOperand(std::string_view text,
        std::string_view variable,
        std::vector<ExpressionNode>& nodes,
        int depth,
        OperandKind& kind,
        double& constant)
    {
        if (compileAt(text, variable, nodes, depth)) {
            kind = OperandKind::Stack;
            return;
        }
        // Every pair of brackets goes, as in the text evaluator: "sin((x+1))" has the argument
        // x+1, not the constant 0.
        const std::string_view inner = unwrapped(text);
        if (inner == variable) {
            kind = OperandKind::Variable;
            return;
        }
        if (const auto parameter = parameterIndex(inner)) {
            kind = OperandKind::Parameter;
            constant = static_cast<double>(*parameter);
            return;
        }
        kind = OperandKind::Constant;
        constant = leadingNumber(inner);
    }

    bool compileAt(std::string_view text,
        std::string_view variable,
        std::vector<ExpressionNode>& nodes,
        int depth)
    {
        if (depth > kMaxEvaluationDepth) {
            // Deeper than any normal form; undefined, as the text evaluator finds it.
            nodes.push_back({ kUndefinedCode, OperandKind::None, 0, OperandKind::None, 0 });
            return true;
        }
        text = unwrapped(text);
        const auto match = findOperator(text);
        if (!match)
            return false;
        std::string_view left = text.substr(0, match->position);
        const std::string_view right
            = text.substr(match->position + kOperationTexts[match->code].size());

        ExpressionNode node;
        node.code = match->code;
        if (isFunction(match->code)) {
            node.leftKind = OperandKind::None;
        } else {
            if (match->code == kMinus && left.empty())
                left = "0";
            compileOperand(left, variable, nodes, depth + 1, node.leftKind, node.leftConstant);
        }
        compileOperand(right, variable, nodes, depth + 1, node.rightKind, node.rightConstant);
        nodes.push_back(node);
        return true;
    }

    using Step = ExpressionEvaluator::Step;
    using Operand = ExpressionEvaluator::Operand;
    using Source = ExpressionEvaluator::Source;

    // Translates the nodes, giving every stack position a slot and every step its loop; empty
    // when the nodes would pop an empty stack or leave other than one value. `slotCount`
    // receives the deepest stack.
    std::vector<Step> translated(const std::vector<ExpressionNode>& nodes, std::size_t& slotCount)
    {
        std::vector<Step> steps;
        steps.reserve(nodes.size());
        std::uint32_t depth = 0;
        slotCount = 1;
        const auto operand = [&depth](OperandKind kind, double constant, bool& ok) {
            switch (kind) {
            case OperandKind::Stack:
                if (depth == 0) {
                    ok = false;
                    return Operand {};
                }
                --depth;
                return Operand { Source::Slot, depth, 0 };
            case OperandKind::Variable:
                return Operand { Source::Variable, 0, 0 };
            case OperandKind::Constant:
                return Operand { Source::Constant, 0, constant };
            case OperandKind::Parameter:
                // An index beyond the parameters reads 0, as one without a value does.
                return Operand { Source::Parameter,
                    constant >= 0 && constant < kParameterCount
                        ? static_cast<std::uint32_t>(constant)
                        : static_cast<std::uint32_t>(kParameterCount),
                    0 };
            case OperandKind::None:
                break;
            }
            return Operand {};
        };
        const auto isRun = [](const Operand& o) {
            return o.source == Source::Slot || o.source == Source::Variable;
        };
        for (const ExpressionNode& node : nodes) {
            bool ok = true;
            Step step {};
            // The right operand is on top of the stack, so it is taken first.
            step.right = operand(node.rightKind, node.rightConstant, ok);
            if (node.leftKind != OperandKind::None)
                step.left = operand(node.leftKind, node.leftConstant, ok);
            if (!ok)
                return {};
            const bool constantRight = step.right.source == Source::Constant;
            step.loop = blockLoopFor(node.code,
                isRun(step.left),
                isRun(step.right),
                constantRight ? std::optional(step.right.constant) : std::nullopt);
            step.target = depth++;
            slotCount = std::max<std::size_t>(slotCount, depth);
            steps.push_back(step);
        }
        if (depth != 1)
            return {};
        return steps;
    }

} // namespace

bool compile(std::string_view text, std::string_view variable, std::vector<ExpressionNode>& nodes)
{
    return compileAt(text, variable, nodes, 0);
}

Expression prepare(std::string_view text, std::string_view variable)
{
    Expression expression;
    // No formula at all (a graph whose parameters' values the check refuses) is defined nowhere.
    if (text.empty())
        return expression;
    if (!compile(text, variable, expression.nodes))
        compile("0+" + std::string(text), variable, expression.nodes);
    return expression;
}

namespace {

    // Relative costs measured per point over a block: addition, multiplication, the roots,
    // logarithms and rounding a few nanoseconds; division, lg and exp about twice that; the power
    // and the trigonometric and hyperbolic functions five to eight times as much.
    constexpr std::array<std::int64_t, kOperationCount> kOperationCosts = {
        1,
        1,
        1,
        2,
        6, // + - * / ^
        6,
        6,
        6,
        6,
        6,
        6, // arctg arcctg ch sh cth th
        1,
        1,
        6,
        6,
        6,
        6, // arccos arcsin sin cos ctg tg
        1,
        2,
        2,
        1,
        1, // ln lg exp abs sqrt
        1,
        1,
        1,
        1,
        1,
        1, // ceil floor round sign degtorad radtodeg
    };

} // namespace

std::int64_t evaluationCost(std::string_view normalForm)
{
    // Every operation a normal form writes becomes one node; a text without any is compiled as
    // "0+" and the text, one addition.
    std::int64_t cost = 0;
    std::size_t position = 0;
    while (position < normalForm.size()) {
        const std::string_view rest = normalForm.substr(position);
        std::size_t advance = 1;
        for (std::size_t code = 0; code < kOperationTexts.size(); ++code) {
            if (rest.starts_with(kOperationTexts[code])) {
                cost += kOperationCosts[code];
                advance = kOperationTexts[code].size();
                break;
            }
        }
        position += advance;
    }
    return std::max<std::int64_t>(cost, 1);
}

ExpressionEvaluator::ExpressionEvaluator(
    const Expression& expression, std::span<const double> parameters)
    : parameters_(parameters)
{
    std::size_t slotCount = 0;
    steps_ = translated(expression.nodes, slotCount);
    slots_.resize(slotCount * kBlockSize);
    definedInBlock_.resize(kBlockSize);
}

std::optional<double> ExpressionEvaluator::evaluate(double value)
{
    double result = 0;
    bool defined = false;
    evaluate({ &value, 1 }, { &result, 1 }, { &defined, 1 });
    if (!defined)
        return std::nullopt;
    return result;
}

void ExpressionEvaluator::evaluate(
    std::span<const double> values, std::span<double> results, std::span<bool> defined)
{
    const std::size_t count = std::min({ values.size(), results.size(), defined.size() });
    for (std::size_t start = 0; start < count; start += kBlockSize) {
        const std::size_t blockCount = std::min(kBlockSize, count - start);
        evaluateBlock(
            values.data() + start, blockCount, results.data() + start, defined.data() + start);
    }
}

BlockOperand ExpressionEvaluator::operandValues(const Operand& operand, const double* values) const
{
    switch (operand.source) {
    case Source::Slot:
        return { slots_.data() + operand.index * kBlockSize, 0 };
    case Source::Variable:
        return { values, 0 };
    case Source::Parameter:
        // Read once a block, so a changed value is seen by the next evaluation.
        return { nullptr, parameterValue(parameters_, operand.index) };
    case Source::Constant:
        break;
    }
    return { nullptr, operand.constant };
}

void ExpressionEvaluator::evaluateBlock(
    const double* values, std::size_t count, double* results, bool* defined)
{
    char* definedHere = definedInBlock_.data();
    std::fill(definedHere, definedHere + count, static_cast<char>(!steps_.empty()));
    for (const Step& step : steps_) {
        step.loop(operandValues(step.left, values),
            operandValues(step.right, values),
            count,
            slots_.data() + step.target * kBlockSize,
            definedHere);
    }
    const double* result = slots_.data();
    if (std::all_of(definedHere, definedHere + count, [](char d) { return d != 0; })) {
        std::copy(result, result + count, results);
        std::fill(defined, defined + count, true);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        defined[i] = definedHere[i] != 0;
        if (defined[i])
            results[i] = result[i];
    }
}

} // namespace ovilan
