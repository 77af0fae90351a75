#include "expr/dialog_fields.h"
#include "expr/formula_check.h"
#include "expr/typed_formula.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    struct Spelling {
        const char* text;
        const char* variable;
        const char* normalForm;
    };

    void expectNormalForms(std::initializer_list<Spelling> cases)
    {
        for (const Spelling& row : cases) {
            const TypedFormula checked = checkTypedFormula(row.text, row.variable);
            EXPECT_EQ(checked.code, kFormulaOk) << row.text;
            EXPECT_EQ(checked.normalForm, row.normalForm) << row.text;
        }
    }

    TEST(TypedFormula, FamiliarNamesBecomeTheProgramsOwn)
    {
        expectNormalForms({
            { "tan(x)", "x", "tg(x)" },
            { "2TAN(x)^2", "x", "2*tg(x)^2" },
            { "cot(x)", "x", "ctg(x)" },
            { "sinh(x)+cosh(x)", "x", "sh(x)+ch(x)" },
            { "tanh(x)/coth(x)", "x", "th(x)/cth(x)" },
            { "arctan(x)", "x", "arctg(x)" },
            { "atan(x)", "x", "arctg(x)" },
            { "asin(x)+acos(x)", "x", "arcsin(x)+arccos(x)" },
            { "arccot(x)-acot(x)", "x", "arcctg(x)-arcctg(x)" },
            { "log10(x)", "x", "lg(x)" },
            { "xtan(x)", "x", "x*tg(x)" },
            { "tan(t)", "t", "tg(t)" },
            { "atan(t)", "t", "arctg(t)" },
            { "tanh(t)", "t", "th(t)" },
            // Mixed with the program's own spellings, which keep their meaning.
            { "sin(x)tan(x)", "x", "sin(x)*tg(x)" },
            { "tan(pi/4)", " ", "1" },
            { "log10(1000)", " ", "3" },
        });
    }

    TEST(TypedFormula, PolarShortInverseNamesStayTheVariableTimesTheFunction)
    {
        // "asin(a)" has always meant a*sin(a) in a polar graph, and keeps meaning it.
        expectNormalForms({
            { "asin(a)", "a", "a*sin(a)" },
            { "acos(a)", "a", "a*cos(a)" },
            { "asin(a)+tan(a)", "a", "a*sin(a)+tg(a)" },
            { "atan(a)", "a", "a*tg(a)" },
            { "acot(a)", "a", "a*ctg(a)" },
            { "asinh(a)", "a", "a*sh(a)" },
            { "arctan(a)", "a", "arctg(a)" },
            { "arcsin(a)", "a", "arcsin(a)" },
        });
    }

    TEST(TypedFormula, ScientificNotationBecomesTheNumberFormat)
    {
        expectNormalForms({
            { "1e-3", " ", "0.001" },
            { "2.5E6", " ", "2500000" },
            { "1e+3", " ", "1000" },
            { "1e-5", " ", "1*10^(-5)" },
            { "1E11", " ", "1*10^11" },
            { ".5e1", " ", "5" },
            { "1.5e-7x", "x", "1.5*10^(-7)*x" },
            { "x-1e-3", "x", "x-0.001" },
            { "x+1e+3", "x", "x+1000" },
            { "x^1e-5", "x", "x^(1*10^(-5))" },
            { "2^1e1", " ", "1024" },
            { "1e-400", " ", "0" },
            { "x2e3", "x", "x*2000" },
            { "2.5.3e2", " ", "75" },
        });
    }

    // e is 2.718281828, rounded to ten digits as pi is: 2e is 5.436563656, like 2pi.
    TEST(TypedFormula, ELoneIsEulersNumberLikePi)
    {
        expectNormalForms({
            { "e", " ", "2.718281828" },
            { "E", " ", "2.718281828" },
            { "2e", " ", "5.436563656" },
            { "e2", " ", "5.436563656" },
            { "2e-3", " ", "0.002" },
            { "2e^x", "x", "2*2.718281828^x" },
            { "e^x", "x", "2.718281828^x" },
            { "2e-x", "x", "5.436563656-x" },
            { "2e+x", "x", "5.436563656+x" },
            { "2ex", "x", "5.436563656*x" },
            { "ex", "x", "2.718281828*x" },
            { "xe", "x", "x*2.718281828" },
            { "e-3", " ", "-0.281718172" },
            { "-e", " ", "-2.718281828" },
            { "e.5", " ", "1.359140914" },
            { "1/2e", " ", "1.359140914" },
            { "ee", " ", "7.389056096" },
            { "pie", " ", "8.539734222" },
            { "e^(-x^2)", "x", "2.718281828^(-x^2)" },
            { "exp(x)e", "x", "exp(x)*2.718281828" },
            // e is rounded to ten digits as pi is, so ln(e) is not quite 1.
            { "ln(e)", " ", "0.9999999998" },
            { "1e", " ", "2.718281828" },
            { "2e3e", " ", "5436.563656" },
        });
    }

    TEST(TypedFormula, AFormulaWithFamiliarSpellingsIsStoredInItsNormalForm)
    {
        EXPECT_TRUE(checkTypedFormula("sin(x)", "x").ownSpelling);
        EXPECT_TRUE(checkTypedFormula("x^2", "x").ownSpelling);
        EXPECT_FALSE(checkTypedFormula("tan(x)", "x").ownSpelling);
        // The normal form passes the program's own check: older versions read it.
        for (const char* text : { "tan(x)", "2e^x", "x-1e-3", "log10(x)", "e" }) {
            std::string normal = checkTypedFormula(text, "x").normalForm;
            const std::string kept = normal;
            EXPECT_EQ(checkFormula(normal, "x"), kFormulaOk) << text;
            EXPECT_EQ(normal, kept) << text;
        }
    }

    TEST(TypedFormula, ReadingsThatStayRefused)
    {
        struct Case {
            const char* text;
            const char* variable;
            int code;
        };
        const Case cases[] = {
            { "log(x)", "x", kSyntaxError },
            { "sine", "x", kArgumentNotDefined }, // like "sinpi": e is no argument
            { "sin 1e3", "x", kArgumentNotDefined },
            { "tan x", "x", kArgumentNotDefined },
            { "x+-1e3", "x", kSyntaxError },
            { "1e400", " ", kInvalidConstant },
            { "5.e3", " ", kSyntaxError },
            { "2e", "e", kFormulaOk }, // the variable e is no number
            { "2e3", "e", kFormulaOk },
        };
        for (const Case& row : cases)
            EXPECT_EQ(checkTypedFormula(row.text, row.variable).code, row.code) << row.text;
        EXPECT_EQ(checkTypedFormula("2e3", "e").normalForm, "2*e*3");
    }

    TEST(FormulaFault, PointsAtTheFaultAsTyped)
    {
        struct Case {
            const char* text;
            const char* variable;
            int code;
            std::size_t begin;
            std::size_t length;
            const char* explanation;
        };
        const Case cases[] = {
            { "(x+1", "x", 1, 0, 1, "This bracket is never closed." },
            { "(x+1)*(x", "x", 1, 6, 1, "This bracket is never closed." },
            { "sin(x))", "x", 1, 6, 1, "This bracket closes nothing." },
            { "ln(0)+x", "x", 2, 0, 5, "" },
            { "x*sqrt(ln(0))", "x", 2, 7, 5, "" },
            { "x+10^400", "x", 2, 2, 6, "" },
            { "x+1e400", "x", 2, 2, 5, "" },
            { "x+()", "x", 3, 2, 2, "" },
            { "sin( )", "x", 3, 3, 3, "" },
            { "   ", "x", 3, 0, 3, "" },
            { "sin x", "x", 4, 0, 3, "" },
            { "2+SQRT", "x", 4, 2, 4, "" },
            { "tan x", "x", 4, 0, 3, "" },
            { "x+-1",
                "x",
                6,
                1,
                2,
                "A sign after an operator must be put in brackets, as in x*(-2)." },
            { "x*-2",
                "x",
                6,
                1,
                2,
                "A sign after an operator must be put in brackets, as in x*(-2)." },
            { "2^ -x",
                "x",
                6,
                1,
                3,
                "A sign after an operator must be put in brackets, as in x*(-2)." },
            { "x+", "x", 6, 1, 1, "A number or variable is missing beside this operator." },
            { "*x", "x", 6, 0, 1, "A number or variable is missing beside this operator." },
            { "5.+x", "x", 6, 1, 1, "A decimal point must be followed by a digit." },
            { "2 x", "x", 6, 1, 1, "Please write * between two factors or leave out the blank." },
            { "{x}", "x", 6, 0, 1, "The character \"{\" cannot be used in a formula." },
            { "2,5", " ", 6, 1, 1, "The character \",\" cannot be used in a formula." },
            { "x+foo(x)", "x", 6, 2, 3, "Unknown name \"foo\"." },
            { "sec(x)", "x", 6, 0, 3, "Unknown name \"sec\"." },
            { "2kx", "x", 6, 1, 1, "Unknown name \"k\"." },
            { "x^2+y", "x", 6, 4, 1, "The variable of this formula is x, not y." },
            { "X+1", "y", 6, 0, 1, "The variable of this formula is y, not x." },
            { "2x", " ", 6, 1, 1, "A number is expected here, not the variable x." },
            { "e^x+log(x)",
                "x",
                6,
                4,
                3,
                "Please write ln for the natural logarithm or lg for the decimal one." },
            { "LOG(x)",
                "x",
                6,
                0,
                3,
                "Please write ln for the natural logarithm or lg for the decimal one." },
            { "x/(1-1)", "x", 7, 2, 5, "" },
            { "2e^x/0", "x", 7, 5, 1, "" },
            { "1e-3+x/(e-e)", "x", 7, 7, 5, "" },
        };
        for (const Case& row : cases) {
            const int code = checkTypedFormula(row.text, row.variable).code;
            EXPECT_EQ(code, row.code) << row.text;
            const FormulaFault fault = locateFormulaFault(row.text, row.variable, code);
            EXPECT_EQ(fault.begin, row.begin) << row.text;
            EXPECT_EQ(fault.length, row.length) << row.text;
            EXPECT_EQ(fault.explanation, row.explanation) << row.text;
        }
    }

    TEST(FormulaFault, RefusalTextAddsTheExplanationOnASecondLine)
    {
        EXPECT_EQ(refusalText("Syntax error", { 0, 1, "Unknown name \"k\"." }),
            "Syntax error\nUnknown name \"k\".");
        EXPECT_EQ(refusalText("Check brackets", { 0, 1, "" }), "Check brackets");
    }

    TEST(ConstantField, TakesTheFamiliarSpellings)
    {
        EXPECT_EQ(checkConstantField("1e-3"), "0.001");
        EXPECT_EQ(checkConstantField("e^2"), "7.389056096");
        EXPECT_EQ(checkConstantField("2pi"), "6.283185308");
        EXPECT_FALSE(checkConstantField("2x"));
        const FormulaFault fault = constantFieldFault("1+foo");
        EXPECT_EQ(fault.begin, 2u);
        EXPECT_EQ(fault.length, 3u);
    }

} // namespace
} // namespace ovilan
