#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ovilan {

// A formula held as a tree, for rewriting it (taking its derivative) rather than evaluating it.
// The builders below simplify as they build, so that a rewritten formula reads as a person would
// write it: no "0*", "1*", "+0", "*1", "^1" or "--", constants folded, constants before the other
// factors. Subtrees are shared, never changed once built.
struct FormulaNode;
using Formula = std::shared_ptr<const FormulaNode>;

enum class FormulaLeaf { None, Variable, Constant };

struct FormulaNode {
    FormulaLeaf leaf = FormulaLeaf::None;
    double constant = 0; // a Constant leaf's value
    int code = 0; // the operation of an inner node
    Formula left; // empty for a function
    Formula right; // a function's argument
    // The length of the text this node prints as, at most kLongestWritten + 1, so that a tree
    // whose text would be too long is known before it is written.
    std::size_t length = 0;
};

inline constexpr std::size_t kLongestWritten = 1'000'000;

// The tree of a normal form in `variable`; nothing for a text the evaluators would not accept.
std::optional<Formula> parseNormalForm(std::string_view normalForm, std::string_view variable);

Formula constant(double value);
Formula variableLeaf();
Formula plus(const Formula& a, const Formula& b);
Formula minus(const Formula& a, const Formula& b);
Formula negated(const Formula& a);
Formula times(const Formula& a, const Formula& b);
Formula over(const Formula& a, const Formula& b);
Formula power(const Formula& a, const Formula& b);
Formula function(int code, const Formula& argument);

bool isConstant(const Formula& f, double value);
bool isConstant(const Formula& f);

// The tree as formula text with the brackets the formula check would keep, numbers written as the
// check writes them. Empty when the text would be longer than kLongestWritten.
std::string formulaText(const Formula& f, std::string_view variable);

} // namespace ovilan
