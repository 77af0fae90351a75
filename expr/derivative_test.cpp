#include "expr/derivative.h"
#include "expr/formula_check.h"
#include "expr/text_evaluator.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace ovilan {
namespace {

    std::string normalFormOf(std::string text, std::string_view variable)
    {
        EXPECT_EQ(checkFormula(text, variable), kFormulaOk) << text;
        return text;
    }

    std::string derivativeOf(const std::string& text, std::string_view variable = "x")
    {
        const Derivative d = derivative(normalFormOf(text, variable), variable);
        EXPECT_EQ(d.code, kFormulaOk) << text;
        // A normal form, as a document stores it: checked again, it stays as it is.
        std::string again = d.normalForm;
        EXPECT_EQ(checkFormula(again, variable), kFormulaOk);
        EXPECT_EQ(again, d.normalForm);
        return d.normalForm;
    }

    struct DerivativeCase {
        const char* name;
        const char* formula;
        const char* expected;
    };

    constexpr DerivativeCase kReadable[] = {
        { "a constant has none", "pi^2", "0" },
        { "the variable", "x", "1" },
        { "a sum of powers", "3x^2+2x+1", "6*x+2" },
        { "a cube", "x^3", "3*x^2" },
        { "a reciprocal", "1/x", "-1/x^2" },
        { "a negative power", "x^(-2)", "-2*x^(-3)" },
        { "a square root", "sqrt(x)", "1/(2*sqrt(x))" },
        { "a product", "x*sin(x)", "sin(x)+x*cos(x)" },
        { "a quotient", "sin(x)/x", "(x*cos(x)-sin(x))/x^2" },
        { "the chain rule", "sin(x^2)", "2*x*cos(x^2)" },
        { "a constant factor inside", "cos(2x)", "-2*sin(2*x)" },
        { "a unary minus", "-x^2", "-2*x" },
        { "minus in the argument", "exp(-x)", "-exp(-x)" },
        { "tangent", "tg(x)", "1/cos(x)^2" },
        { "cotangent", "ctg(x)", "-1/sin(x)^2" },
        { "arcsine", "arcsin(x)", "1/sqrt(1-x^2)" },
        { "arccosine", "arccos(x)", "-1/sqrt(1-x^2)" },
        { "arctangent", "arctg(x)", "1/(1+x^2)" },
        { "arccotangent", "arcctg(x)", "-1/(1+x^2)" },
        { "hyperbolic sine", "sh(x)", "ch(x)" },
        { "hyperbolic cosine", "ch(x)", "sh(x)" },
        { "hyperbolic tangent", "th(x)", "1/ch(x)^2" },
        { "hyperbolic cotangent", "cth(x)", "-1/sh(x)^2" },
        { "natural logarithm", "ln(x)", "1/x" },
        { "decimal logarithm", "lg(x)", "1/(2.302585093*x)" },
        { "a constant base", "2^x", "0.6931471806*2^x" },
        { "a varying base and exponent", "x^x", "x^x*(ln(x)+1)" },
        { "abs between its jumps", "abs(x-1)", "sign(x-1)" },
        { "steps are flat", "x+floor(x)+ceil(x)+round(x)+sign(x)", "1" },
        { "degrees", "sin(degtorad(x))", "0.01745329252*cos(degtorad(x))" },
        { "to degrees", "radtodeg(x)", "57.29577951" },
    };

    TEST(Derivative, IsWrittenAsAPersonWouldWriteIt)
    {
        for (const DerivativeCase& row : kReadable) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(derivativeOf(row.formula), row.expected) << row.formula;
        }
    }

    // Formulas smooth over most of -4..4, with poles, domain edges and jumps among them.
    constexpr const char* kSmooth[] = {
        "x^5-3x^3+x-7",
        "(x^2+1)/(x-1)",
        "1/(x^2-2)",
        "sqrt(x^2+1)*exp(-x/3)",
        "sin(3x)*cos(x/2)+tg(x)",
        "ctg(x)^2",
        "arcsin(x/5)+arccos(x/7)",
        "arctg(x^2)-arcctg(2x)",
        "sh(x)/ch(x)+th(x/2)*cth(x)",
        "ln(abs(x)+1)+lg(x^2+3)",
        "x^x",
        "(x^2+1)^sin(x)",
        "2^x+0.5^(x^2)",
        "x^(1/3)",
        "x^(-3)+x^0.5",
        "abs(sin(x))*x",
        "floor(x)*x^2+sign(x)*x",
        "round(x)+ceil(x)*sin(x)",
        "radtodeg(x)+sin(degtorad(30x))",
        "exp(sin(x))^2/(1+x^2)",
        "-(x-1)^3",
        "x/x+x-x",
    };

    std::optional<double> at(const std::string& normalForm, double x)
    {
        return evaluateText(normalForm, "x", x);
    }

    // A central difference at x, trusted only where it agrees with the one of half the step:
    // there the function is smooth and far enough from its poles and jumps.
    std::optional<double> numericalDerivative(const std::string& normalForm, double x)
    {
        const auto difference = [&](double h) -> std::optional<double> {
            const auto above = at(normalForm, x + h);
            const auto below = at(normalForm, x - h);
            if (!above || !below)
                return std::nullopt;
            return (*above - *below) / (2 * h);
        };
        const double h = 1e-4 * std::max(1.0, std::abs(x));
        const auto coarse = difference(h);
        const auto fine = difference(h / 2);
        if (!coarse || !fine || std::abs(*coarse - *fine) > 1e-6 * (1 + std::abs(*fine)))
            return std::nullopt;
        return *fine;
    }

    // The derivative's values against the numerical derivative at 801 points of -4..4.
    void expectAgreesNumerically(const std::string& formula, const std::string& derived)
    {
        int compared = 0;
        for (int i = 0; i <= 800; ++i) {
            const double x = -4 + i * 0.01 + 1e-3;
            const auto numerical = numericalDerivative(formula, x);
            if (!numerical)
                continue;
            const auto symbolic = at(derived, x);
            ASSERT_TRUE(symbolic.has_value()) << "undefined at x=" << x;
            EXPECT_NEAR(*symbolic, *numerical, 1e-5 * (1 + std::abs(*numerical))) << "x=" << x;
            ++compared;
        }
        EXPECT_GT(compared, 100);
    }

    TEST(Derivative, AgreesWithTheNumericalDerivativeWhereverTheFunctionIsSmooth)
    {
        for (const char* formula : kSmooth) {
            SCOPED_TRACE(formula);
            const std::string normal = normalFormOf(formula, "x");
            const std::string first = derivativeOf(normal);
            expectAgreesNumerically(normal, first);
            // The derivative is a formula like any other: its own derivative is right too.
            expectAgreesNumerically(first, derivativeOf(first));
        }
    }

    TEST(Derivative, FollowsTheGraphsVariable)
    {
        EXPECT_EQ(derivativeOf("y^2+3y", "y"), "2*y+3");
        EXPECT_EQ(derivativeOf("t*sin(t)", "t"), "sin(t)+t*cos(t)");
    }

    TEST(Derivative, IsRefusedWhenItCannotBeWritten)
    {
        // (-2)^x is defined only at whole x; its derivative would hold ln(-2).
        Derivative d = derivative(normalFormOf("(-2)^x", "x"), "x");
        EXPECT_EQ(d.code, kInvalidConstant);
        EXPECT_EQ(d.refusal, kNoDerivativeFormula);
        EXPECT_TRUE(d.normalForm.empty());

        // Each sine of sin(sin(...(x))) brings the cosine of all those inside it: the derivative
        // grows as the square of the depth and outgrows a document.
        std::string tower = "x";
        for (int i = 0; i < 150; ++i)
            tower = "sin(" + tower + ")";
        d = derivative(normalFormOf(tower, "x"), "x");
        EXPECT_EQ(d.refusal, kDerivativeTooLong);
        EXPECT_TRUE(d.normalForm.empty());
    }

} // namespace
} // namespace ovilan
