#include "expr/derivative.h"

#include "expr/formula_check.h"
#include "expr/formula_tree.h"
#include "expr/operations.h"

namespace ovilan {

namespace {

    Formula differentiate(const Formula& f);

    Formula squared(const Formula& f) { return power(f, constant(2)); }

    // d(a^b): a constant exponent keeps the power rule, a constant base gives a^b*ln(a), and both
    // varying go through exp(b*ln(a)): a^b*(b'*ln(a)+b*a'/a).
    Formula powerDerivative(const Formula& a, const Formula& b)
    {
        const Formula da = differentiate(a);
        if (isConstant(b))
            return times(times(b, power(a, constant(b->constant - 1))), da);
        const Formula db = differentiate(b);
        const Formula whole = power(a, b);
        if (isConstant(a))
            return times(times(db, whole), function(kLn, a));
        return times(whole, plus(times(db, function(kLn, a)), over(times(b, da), a)));
    }

    // The derivative of the function `code` at u, before the chain rule multiplies it by u'.
    Formula outerDerivative(int code, const Formula& u)
    {
        const Formula one = constant(1);
        switch (code) {
        case kArctg:
            return over(one, plus(one, squared(u)));
        case kArcctg:
            return negated(over(one, plus(one, squared(u))));
        case kCh:
            return function(kSh, u);
        case kSh:
            return function(kCh, u);
        case kCth:
            return negated(over(one, squared(function(kSh, u))));
        case kTh:
            return over(one, squared(function(kCh, u)));
        case kArccos:
            return negated(over(one, function(kSqrt, minus(one, squared(u)))));
        case kArcsin:
            return over(one, function(kSqrt, minus(one, squared(u))));
        case kSin:
            return function(kCos, u);
        case kCos:
            return negated(function(kSin, u));
        case kCtg:
            return negated(over(one, squared(function(kSin, u))));
        case kTg:
            return over(one, squared(function(kCos, u)));
        case kLn:
            return over(one, u);
        case kLg:
            return over(one, times(function(kLn, constant(10)), u));
        case kExp:
            return function(kExp, u);
        case kAbs:
            return function(kSign, u);
        case kSqrt:
            return over(one, times(constant(2), function(kSqrt, u)));
        case kCeil:
        case kFloor:
        case kRound:
        case kSign:
            // Steps: flat between their jumps.
            return constant(0);
        case kDegToRad:
        case kRadToDeg:
            return constant(*applyOperation(code, 0, 1));
        default:
            return constant(0);
        }
    }

    // Quotients keep their shape: (a'*b-a*b')/b^2, a'/b over a constant, -a*b'/b^2 for a
    // constant numerator, so 1/x gives -1/x^2.
    Formula quotientDerivative(const Formula& a, const Formula& b)
    {
        const Formula da = differentiate(a);
        if (isConstant(b))
            return over(da, b);
        const Formula db = differentiate(b);
        if (isConstant(a))
            return negated(over(times(a, db), squared(b)));
        return over(minus(times(da, b), times(a, db)), squared(b));
    }

    Formula differentiate(const Formula& f)
    {
        if (f->leaf == FormulaLeaf::Variable)
            return constant(1);
        if (f->leaf == FormulaLeaf::Constant)
            return constant(0);
        const Formula& a = f->left;
        const Formula& b = f->right;
        switch (f->code) {
        case kPlus:
            return plus(differentiate(a), differentiate(b));
        case kMinus:
            return a ? minus(differentiate(a), differentiate(b)) : negated(differentiate(b));
        case kMultiply:
            return plus(times(differentiate(a), b), times(a, differentiate(b)));
        case kDivide:
            return quotientDerivative(a, b);
        case kPower:
            return powerDerivative(a, b);
        default:
            // The chain rule, the inner derivative first: 2*x*cos(x^2).
            return times(differentiate(b), outerDerivative(f->code, b));
        }
    }

} // namespace

Derivative derivative(std::string_view normalForm, std::string_view variable)
{
    Derivative result;
    const auto tree = parseNormalForm(normalForm, variable);
    if (!tree) {
        result.code = kSyntaxError;
        result.refusal = kNoDerivativeFormula;
        return result;
    }
    std::string text = formulaText(differentiate(*tree), variable);
    if (text.empty() || text.size() > kMaxFormulaLength) {
        result.code = kSyntaxError;
        result.refusal = kDerivativeTooLong;
        return result;
    }
    result.code = checkFormula(text, variable);
    if (result.code != kFormulaOk) {
        result.refusal = kNoDerivativeFormula;
        return result;
    }
    if (text.size() > kMaxFormulaLength) {
        result.code = kSyntaxError;
        result.refusal = kDerivativeTooLong;
        return result;
    }
    result.normalForm = std::move(text);
    return result;
}

} // namespace ovilan
