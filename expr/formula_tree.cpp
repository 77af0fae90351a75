#include "expr/formula_tree.h"

#include "expr/formula_check.h"
#include "expr/formula_text.h"
#include "expr/number_format.h"
#include "expr/operations.h"
#include "expr/text_evaluator.h"

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    // Binds more strongly than any operator: leaves and function calls never need brackets.
    constexpr int kAtom = kOperationCount;

    std::size_t cappedSum(std::size_t a, std::size_t b, std::size_t extra)
    {
        return std::min(a + b + extra, kLongestWritten + 1);
    }

    bool isNegation(const Formula& f)
    {
        return f->leaf == FormulaLeaf::None && f->code == kMinus && f->left == nullptr;
    }

    Formula node(int code, const Formula& left, const Formula& right)
    {
        auto made = std::make_shared<FormulaNode>();
        made->code = code;
        made->left = left;
        made->right = right;
        const std::size_t leftLength = left ? left->length : 0;
        // Room for the operator or the function's name and two pairs of brackets.
        made->length = cappedSum(leftLength, right->length, kOperationTexts[code].size() + 4);
        return made;
    }

    // A folded constant, or nothing where the operation is undefined for these values, so the
    // check of the written text reports it as it reports any invalid constant.
    std::optional<Formula> folded(int code, const Formula& a, const Formula& b)
    {
        if (!isConstant(b) || (a && !isConstant(a)))
            return std::nullopt;
        const auto value = applyOperation(code, a ? a->constant : 0, b->constant);
        if (!value || !std::isfinite(*value))
            return std::nullopt;
        return constant(*value);
    }

    bool isNegativeConstant(const Formula& f) { return isConstant(f) && f->constant < 0; }

    bool sameText(const Formula& a, const Formula& b)
    {
        // Only short texts are compared; a long one is merely not simplified.
        constexpr std::size_t kLongestCompared = 200;
        if (a->length > kLongestCompared || b->length > kLongestCompared)
            return false;
        return formulaText(a, "x") == formulaText(b, "x");
    }

    // How strongly a node binds when written: its operator's code, so that the re-bracketing of
    // the formula check applies to it. A negative number or a negation binds as "-", a number
    // written as "m*10^e" as "*".
    int binding(const Formula& f)
    {
        switch (f->leaf) {
        case FormulaLeaf::Variable:
            return kAtom;
        case FormulaLeaf::Constant:
            if (f->constant < 0)
                return kMinus;
            return formatNumber(f->constant).find('*') != std::string::npos ? kMultiply : kAtom;
        case FormulaLeaf::None:
            return isFunction(f->code) ? kAtom : f->code;
        }
        return kAtom;
    }

    bool isProduct(const Formula& f)
    {
        return f->leaf == FormulaLeaf::None && f->code == kMultiply;
    }

    bool isReciprocal(const Formula& f)
    {
        return f->leaf == FormulaLeaf::None && f->code == kDivide && isConstant(f->left, 1);
    }

    // The constant a product begins with: products lean left, so it is the leftmost factor.
    std::optional<double> leadingConstant(const Formula& f)
    {
        if (!isProduct(f))
            return std::nullopt;
        if (isConstant(f->left))
            return f->left->constant;
        return leadingConstant(f->left);
    }

    Formula withoutLeadingConstant(const Formula& f)
    {
        if (isConstant(f->left))
            return f->right;
        return times(withoutLeadingConstant(f->left), f->right);
    }

    // Whether the formula text of the value reads back as the same value: 0.1, not 1/3.
    bool isExactlyWritten(double value)
    {
        return std::isfinite(value) && evaluateText(formatNumber(value), " ", 0) == value;
    }

    bool isWhole(const Formula& f)
    {
        return isConstant(f) && f->constant == std::trunc(f->constant);
    }

    // Whether the text begins with "-", which no right operand may: "x+-1" and "x*-2" are
    // syntax errors, so such an operand goes in brackets.
    bool leadsWithMinus(const Formula& f)
    {
        if (isConstant(f))
            return f->constant < 0;
        if (f->leaf == FormulaLeaf::Variable || isFunction(f->code))
            return false;
        if (isNegation(f))
            return true;
        return binding(f->left) >= f->code && leadsWithMinus(f->left);
    }

    void write(const Formula& f, std::string_view variable, std::string& out);

    void writeBracketed(
        const Formula& f, bool brackets, std::string_view variable, std::string& out)
    {
        if (brackets)
            out += '(';
        write(f, variable, out);
        if (brackets)
            out += ')';
    }

    void write(const Formula& f, std::string_view variable, std::string& out)
    {
        if (f->leaf == FormulaLeaf::Variable) {
            out += variable;
            return;
        }
        if (f->leaf == FormulaLeaf::Constant) {
            out += formatNumber(f->constant == 0 ? 0.0 : f->constant);
            return;
        }
        const std::string_view name = kOperationTexts[f->code];
        if (isFunction(f->code)) {
            out += name;
            writeBracketed(f->right, true, variable, out);
            return;
        }
        if (isNegation(f)) {
            out += '-';
            writeBracketed(f->right, binding(f->right) <= kMinus, variable, out);
            return;
        }
        // The weaker operator stands in brackets; on the right, an equal one too: "a-(b-c)".
        writeBracketed(f->left, binding(f->left) < f->code, variable, out);
        out += name;
        const bool bracketRight = binding(f->right) <= f->code || leadsWithMinus(f->right);
        writeBracketed(f->right, bracketRight, variable, out);
    }

    Formula built(int code, const Formula& a, const Formula& b)
    {
        switch (code) {
        case kPlus:
            return plus(a, b);
        case kMinus:
            return minus(a, b);
        case kMultiply:
            return times(a, b);
        case kDivide:
            return over(a, b);
        default:
            return power(a, b);
        }
    }

    // Read through the builders, so the parts of the formula that reappear in its derivative
    // are as tidy as the rest: the check keeps "1*arctg(x)", the derivative shows "arctg(x)".
    std::optional<Formula> parse(std::string_view text, std::string_view variable, int depth)
    {
        if (depth > kMaxEvaluationDepth)
            return std::nullopt;
        text = unwrapped(text);
        const auto match = findOperator(text);
        if (!match) {
            if (text == variable)
                return variableLeaf();
            return constant(leadingNumber(text));
        }
        const std::string_view leftText = text.substr(0, match->position);
        const std::string_view rightText
            = text.substr(match->position + kOperationTexts[match->code].size());
        const auto right = parse(rightText, variable, depth + 1);
        if (!right)
            return std::nullopt;
        if (isFunction(match->code))
            return function(match->code, *right);
        // The normal form writes a unary minus as a leading "-": "-x^2" is -(x^2).
        if (leftText.empty() && match->code == kMinus)
            return negated(*right);
        const auto left = parse(leftText, variable, depth + 1);
        if (!left)
            return std::nullopt;
        return built(match->code, *left, *right);
    }

} // namespace

std::optional<Formula> parseNormalForm(std::string_view normalForm, std::string_view variable)
{
    return parse(normalForm, variable, 0);
}

Formula constant(double value)
{
    auto made = std::make_shared<FormulaNode>();
    made->leaf = FormulaLeaf::Constant;
    made->constant = value;
    made->length = formatNumber(value).size();
    return made;
}

Formula variableLeaf()
{
    auto made = std::make_shared<FormulaNode>();
    made->leaf = FormulaLeaf::Variable;
    made->length = 1;
    return made;
}

bool isConstant(const Formula& f) { return f->leaf == FormulaLeaf::Constant; }

bool isConstant(const Formula& f, double value) { return isConstant(f) && f->constant == value; }

Formula plus(const Formula& a, const Formula& b)
{
    if (isConstant(a, 0))
        return b;
    if (isConstant(b, 0))
        return a;
    if (auto value = folded(kPlus, a, b))
        return *value;
    if (isNegation(b))
        return minus(a, b->right);
    if (isNegativeConstant(b))
        return minus(a, constant(-b->constant));
    if (isNegation(a))
        return minus(b, a->right);
    if (sameText(a, b))
        return times(constant(2), a);
    return node(kPlus, a, b);
}

Formula minus(const Formula& a, const Formula& b)
{
    if (isConstant(b, 0))
        return a;
    if (isConstant(a, 0))
        return negated(b);
    if (auto value = folded(kMinus, a, b))
        return *value;
    if (isNegation(b))
        return plus(a, b->right);
    if (isNegativeConstant(b))
        return plus(a, constant(-b->constant));
    if (sameText(a, b))
        return constant(0);
    return node(kMinus, a, b);
}

Formula negated(const Formula& a)
{
    if (isConstant(a))
        return constant(-a->constant);
    if (isNegation(a))
        return a->right;
    // -(p-q) reads better as q-p.
    if (a->leaf == FormulaLeaf::None && a->code == kMinus)
        return node(kMinus, a->right, a->left);
    return node(kMinus, nullptr, a);
}

Formula times(const Formula& a, const Formula& b)
{
    if (isConstant(a, 0) || isConstant(b, 0))
        return constant(0);
    if (isConstant(a, 1))
        return b;
    if (isConstant(b, 1))
        return a;
    if (auto value = folded(kMultiply, a, b))
        return *value;
    // A sign goes in front of the whole product: -2*x, never (-2)*x or x*(-sin(x)).
    if (isNegation(a))
        return negated(times(a->right, b));
    if (isNegation(b))
        return negated(times(a, b->right));
    if (isNegativeConstant(a))
        return negated(times(constant(-a->constant), b));
    if (isNegativeConstant(b))
        return negated(times(a, constant(-b->constant)));
    // Constants first, then the variable: 2*x*cos(x^2), not cos(x^2)*x*2.
    if (isConstant(b))
        return times(b, a);
    if (isProduct(b) && isConstant(b->left)) {
        if (isConstant(a))
            return times(constant(a->constant * b->left->constant), b->right);
        return times(b->left, times(a, b->right));
    }
    if (sameText(a, b))
        return power(a, constant(2));
    // Products lean left, so they need no brackets: a*(b*c) is a*b*c.
    if (isProduct(b))
        return times(times(a, b->left), b->right);
    // x*(1/y) is x/y.
    if (isReciprocal(b))
        return over(a, b->right);
    if (isReciprocal(a))
        return over(b, a->right);
    if (b->leaf == FormulaLeaf::Variable && a->leaf == FormulaLeaf::None)
        return times(b, a);
    return node(kMultiply, a, b);
}

Formula over(const Formula& a, const Formula& b)
{
    if (isConstant(a, 0) && !isConstant(b, 0))
        return constant(0);
    if (isConstant(b, 1))
        return a;
    if (sameText(a, b))
        return constant(1);
    if (auto value = folded(kDivide, a, b))
        return *value;
    if (isNegation(a))
        return negated(over(a->right, b));
    if (isNegation(b))
        return negated(over(a, b->right));
    if (isNegativeConstant(a))
        return negated(over(constant(-a->constant), b));
    if (isNegativeConstant(b))
        return negated(over(a, constant(-b->constant)));
    // Constant factors come out in front: (2*x)/20 is 0.1*x, (2*x)/(2*y) is x/y, and (2*x)/3
    // is 2*x/3 rather than 0.6666666667*x, which would lose digits.
    if (const auto c = leadingConstant(a)) {
        const Formula rest = withoutLeadingConstant(a);
        if (isConstant(b) && isExactlyWritten(*c / b->constant))
            return times(constant(*c / b->constant), rest);
        if (const auto d = leadingConstant(b); d && isExactlyWritten(*c / *d))
            return times(constant(*c / *d), over(rest, withoutLeadingConstant(b)));
        return times(constant(*c), over(rest, b));
    }
    // "*" binds more weakly than "/", so (u*v)/w needs brackets that u*v/w, the same value, does
    // without.
    if (isProduct(a))
        return times(a->left, over(a->right, b));
    return node(kDivide, a, b);
}

Formula power(const Formula& a, const Formula& b)
{
    if (isConstant(b, 0))
        return constant(1);
    if (isConstant(b, 1))
        return a;
    if (auto value = folded(kPower, a, b))
        return *value;
    // (u^2)^3 is u^6; only whole exponents, since (x^2)^0.5 is abs(x), not x.
    if (a->leaf == FormulaLeaf::None && a->code == kPower && isWhole(a->right) && isWhole(b))
        return power(a->left, constant(a->right->constant * b->constant));
    return node(kPower, a, b);
}

Formula function(int code, const Formula& argument)
{
    if (auto value = folded(code, nullptr, argument))
        return *value;
    return node(code, nullptr, argument);
}

std::string formulaText(const Formula& f, std::string_view variable)
{
    if (f->length > kLongestWritten)
        return {};
    std::string text;
    text.reserve(f->length);
    write(f, variable, text);
    return text;
}

} // namespace ovilan
