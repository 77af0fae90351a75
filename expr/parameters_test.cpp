#include "expr/formula_check.h"
#include "expr/parameters.h"

#include <gtest/gtest.h>
#include <vector>

namespace ovilan {
namespace {

    // What an older version reads: the substituted text through the classic check.
    std::pair<int, std::string> classic(
        std::string_view text, std::string_view variable, std::vector<ParameterValue> values)
    {
        const std::optional<std::string> substituted = substituteParameters(text, values);
        if (!substituted)
            return { -1, "" };
        std::string normal = *substituted;
        const int code = checkFormula(normal, variable);
        return { code, code == kFormulaOk ? normal : "" };
    }

    TEST(Parameters, SubstitutedFormulasAreClassicFormulas)
    {
        struct Case {
            const char* text;
            std::vector<ParameterValue> values;
            int code;
            const char* normalForm;
        };
        const std::vector<Case> cases {
            { "k*x", { { 'k', 2 } }, kFormulaOk, "2*x" },
            { "x^k", { { 'k', -1 } }, kFormulaOk, "x^(-1)" },
            { "x-k", { { 'k', -0.5 } }, kFormulaOk, "x-(-0.5)" },
            { "sin(k*x)+m", { { 'k', 0.3 }, { 'm', 1e-7 } }, kFormulaOk, "sin(0.3*x)+1*10^(-7)" },
            { "k*m", { { 'k', 2 }, { 'm', 3 } }, kFormulaOk, "6" },
            { "x/k", { { 'k', 0 } }, kDenominatorZero, "" },
            { "sqrt(k)*x", { { 'k', -1 } }, kInvalidConstant, "" },
            { "k*x", { { 'm', 1 } }, -1, "" },
        };
        for (const Case& c : cases) {
            const auto [code, normal] = classic(c.text, "x", c.values);
            EXPECT_EQ(code, c.code) << c.text;
            EXPECT_EQ(normal, c.normalForm) << c.text;
        }
    }

    TEST(Parameters, OnlyTheFreeLettersAreParameters)
    {
        // Every letter some name, constant or variable uses stays what it is.
        for (const char c : std::string_view("abcdefghilnopqrstuxy"))
            EXPECT_FALSE(isParameterLetter(c)) << c;
        for (const char c : kParameterLetters) {
            std::string text(1, c);
            EXPECT_NE(checkFormula(text, "x"), kFormulaOk) << c;
        }
        EXPECT_EQ(parametersUsed("z*sin(k*x)+k"), "kz");
        EXPECT_EQ(parametersUsed("sin(x)"), "");
    }

    // A formula typed with parameters is checked as it stands: a parameter is a number nobody
    // knows yet, so no value can make the check refuse it, and a refusal lies where it lies in
    // the typed text.
    TEST(Parameters, TypedFormulasAreCheckedForAnyValues)
    {
        struct Case {
            const char* text;
            const char* variable;
            int code;
            std::size_t faultBegin;
        };
        const std::vector<Case> cases {
            { "sin(k*x)", "x", kFormulaOk, 0 },
            { "kx+m", "x", kFormulaOk, 0 }, // written together, as 2x is
            { "x/k", "x", kFormulaOk, 0 }, // k = 0 is a value, not a fault of the formula
            { "sqrt(k-5)*x", "x", kFormulaOk, 0 }, // not folded into an invalid constant
            { "tan(k*t)", "t", kFormulaOk, 0 }, // familiar spellings as elsewhere
            { "k*cos(a)", "a", kFormulaOk, 0 },
            { "sin(k*x", "x", kCheckBrackets, 3 },
            { "k+*x", "x", kSyntaxError, 2 },
            { "k*y", "x", kSyntaxError, 2 },
        };
        for (const Case& c : cases) {
            long long work = kMaxCheckWork;
            const int code = checkParameterFormula(c.text, c.variable, work).code;
            EXPECT_EQ(code, c.code) << c.text;
            if (code != kFormulaOk) {
                const FormulaFault fault = locateParameterFault(c.text, c.variable, code, "km");
                EXPECT_EQ(fault.begin, c.faultBegin) << c.text;
            }
        }
    }

    TEST(Parameters, AnUndefinedParameterIsNamedWhereItStands)
    {
        EXPECT_EQ(firstUndefinedParameter("k*x+m", "k"), 4u);
        EXPECT_EQ(firstUndefinedParameter("k*x+m", "mk"), std::nullopt);
        EXPECT_EQ(firstUndefinedParameter("sin(x)", ""), std::nullopt);
        const FormulaFault fault = locateParameterFault("k*x+m", "x", kUndefinedParameter, "k");
        EXPECT_EQ(fault.begin, 4u);
        EXPECT_EQ(fault.length, 1u);
        EXPECT_NE(fault.explanation.find("parameter m"), std::string::npos);
        EXPECT_EQ(parameterProbe("k*sin(m*a)", "a"), "a*sin(a*a)");
    }

} // namespace
} // namespace ovilan
