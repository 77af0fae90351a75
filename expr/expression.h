#pragma once

#include "expr/block_loops.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ovilan {

enum class OperandKind : std::int32_t {
    Stack = 0, // the result of the preceding nodes
    Variable = 1,
    Constant = 2,
    None = 3, // the left side of a function
    Parameter = 4, // the constant holds the parameter's index in kParameterLetters
};

struct ExpressionNode {
    std::int32_t code = 0;
    OperandKind leftKind = OperandKind::None;
    double leftConstant = 0;
    OperandKind rightKind = OperandKind::None;
    double rightConstant = 0;
};

// A normal form compiled once for tracing: its operations in post order.
struct Expression {
    std::vector<ExpressionNode> nodes;
};

// Appends the nodes of a normal form to `nodes`; false when the text is a single operand.
bool compile(std::string_view text, std::string_view variable, std::vector<ExpressionNode>& nodes);

// Compiles a normal form; a single number or variable becomes "0+" followed by it, so an
// Expression always has at least one node.
Expression prepare(std::string_view text, std::string_view variable);

// What evaluating a normal form once costs, in units of about one addition: every operation of
// the text counts by its kind, the transcendental functions and the power several units.
// Bounds the work of tracing a file's graphs before any point is computed.
std::int64_t evaluationCost(std::string_view normalForm);

// Runs an Expression at many points. The nodes are translated once, here, into steps whose
// operands are the variable, a constant, a parameter or a slot of the value stack, each with the
// loop for its operation and operand shapes; the stack is allocated once, here, as one block of
// values per slot. Each evaluation then does no allocation, no recursion and no text work, and
// runs every step over a whole block of points at a time, so the work per point is a tight loop
// rather than a dispatch per node.
//
// Parameters are read from `parameters`, indexed as kParameterLetters, at every evaluation: a slider
// that changes a value there changes the next evaluation without a new evaluator. The storage
// must outlive the evaluator; a parameter beyond its end reads 0.
class ExpressionEvaluator {
public:
    static constexpr std::size_t kBlockSize = kMaxBlockSize;

    explicit ExpressionEvaluator(
        const Expression& expression, std::span<const double> parameters = {});

    std::optional<double> evaluate(double value);

    // Evaluates at every value; a point's result is written only where it is defined.
    void evaluate(
        std::span<const double> values, std::span<double> results, std::span<bool> defined);

    enum class Source : std::uint8_t { Slot, Variable, Constant, Parameter };

    struct Operand {
        Source source = Source::Constant;
        std::uint32_t index = 0; // the slot, or the parameter
        double constant = 0;
    };

    struct Step {
        BlockLoop loop;
        Operand left; // a constant 0 for a function
        Operand right;
        std::uint32_t target;
    };

private:
    void evaluateBlock(const double* values, std::size_t count, double* results, bool* defined);
    BlockOperand operandValues(const Operand& operand, const double* values) const;

    std::vector<Step> steps_;
    std::vector<double> slots_;
    std::vector<char> definedInBlock_;
    std::span<const double> parameters_;
};

} // namespace ovilan
