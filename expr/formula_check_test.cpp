#include "expr/formula_check.h"
#include "expr/formula_text.h"
#include "expr/number_format.h"
#include "expr/text_evaluator.h"

#include <clocale>
#include <gtest/gtest.h>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ovilan {
namespace {

    // One row: a text checked under a variable name, the expected code and, for code 0, the
    // exact normal form.
    struct CheckCase {
        const char* name;
        const char* variable;
        std::string input;
        int code;
        std::string normalForm = "";
    };

    void expectChecks(std::span<const CheckCase> cases)
    {
        for (const CheckCase& row : cases) {
            SCOPED_TRACE(std::string(row.name) + ": '" + row.input.substr(0, 40) + "'");
            std::string text = row.input;
            const int code = checkFormula(text, row.variable);
            EXPECT_EQ(code, row.code);
            if (row.code == 0 && code == 0) {
                EXPECT_EQ(text, row.normalForm);
            }
        }
    }

    std::string repeated(std::string_view piece, int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    }

    TEST(FormulaCheck, WritesOutImplicitProducts)
    {
        const CheckCase cases[] = {
            { "NumberBeforeVariableBindsTheSquare", "x", "2x^2", 0, "2*x^2" },
            { "SquareThenVariable", "x", "x^2x", 0, "x^2*x" },
            { "WrittenOutProductBindsWeakerThanDivision", "x", "1/2x", 0, "0.5*x" },
            { "WrittenOutProductBindsWeakerThanPower", "x", "2^3x", 0, "8*x" },
            { "ThreeFactors", "x", "2x3", 0, "2*x*3" },
            { "NumberBeforeBracket", "x", "2(x+1)", 0, "2*(x+1)" },
            { "TwoBracketGroups", "x", "(x+1)(x-1)", 0, "(x+1)*(x-1)" },
            { "BracketedFactorsLoseBrackets", "x", "(x)(x)", 0, "x*x" },
            { "FunctionTimesFunction", "x", "sin(x)cos(x)", 0, "sin(x)*cos(x)" },
            { "NumberBeforeFunction", "x", "2sin(x)", 0, "2*sin(x)" },
            { "FunctionInBracketsAfterVariable", "x", "x(sin(x))", 0, "x*sin(x)" },
            { "ProductInsideArgument", "x", "sin(2x)", 0, "sin(2*x)" },
            { "ProductAfterDivisor", "x", "x/2(x)", 0, "x/2*x" },
            { "NegatedProduct", "x", "-2x", 0, "-2*x" },
            { "LargeNumberBeforeVariable", "x", "100000000000x", 0, "1*10^11*x" },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, AllowsUnaryMinusOnlyAtTheStartOfAText)
    {
        const CheckCase cases[] = {
            { "NegatedPower", "x", "-x^2", 0, "-x^2" },
            { "UnaryPlusDropped", "x", "+x", 0, "x" },
            { "NegatedBracket", "x", "-(x+1)", 0, "-(x+1)" },
            { "NegativeBase", "x", "(-x)^2", 0, "(-x)^2" },
            { "MinusOfBracketedNegative", "x", "x-(-1)", 0, "x-(-1)" },
            { "PlusOfBracketedNegative", "x", "x+(-1)", 0, "x+(-1)" },
            { "FoldedNegativeSummandIsBracketed", "x", "x+(2-5)", 0, "x+(-3)" },
            { "FoldedNegativeFactorIsBracketed", "x", "x*(2-5)", 0, "x*(-3)" },
            { "FoldedNegativeLeftFactorIsBracketed", "x", "(2-5)*x", 0, "(-3)*x" },
            { "FoldedNegativeFirstSummandIsNot", "x", "(2-5)+x", 0, "-3+x" },
            { "PlusMinus", "x", "x+-1", 6 },
            { "TimesMinus", "x", "x*-2", 6 },
            { "PowerMinus", "x", "2^-x", 6 },
            { "MinusMinus", "x", "x--1", 6 },
            { "LoneMinus", "x", "-", 6 },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, GroupsLeftAndBracketsOnlyWhereTheMeaningNeedsIt)
    {
        const CheckCase cases[] = {
            { "PowersGroupLeft", "x", "x^2^3", 0, "x^2^3" },
            { "BracketedLeftPowerDropped", "x", "(x^2)^3", 0, "x^2^3" },
            { "BracketedRightPowerKept", "x", "x^(x^2)", 0, "x^(x^2)" },
            { "DifferencesGroupLeft", "x", "10-x-1", 0, "10-x-1" },
            { "RightDifferenceKept", "x", "10-(x-1)", 0, "10-(x-1)" },
            { "RightDifferenceAfterPlusDropped", "x", "10+(x-1)", 0, "10+x-1" },
            { "QuotientsGroupLeft", "x", "x/2/4", 0, "x/2/4" },
            { "SumBeforeProductKept", "x", "(x+1)*2", 0, "(x+1)*2" },
            { "RightProductKept", "x", "2*(x*3)", 0, "2*(x*3)" },
            { "LeftProductDropped", "x", "(x*3)*2", 0, "x*3*2" },
            { "ProductBeforeQuotientKept", "x", "(2*x)/3", 0, "(2*x)/3" },
            { "QuotientAfterProductDropped", "x", "2*(x/3)", 0, "2*x/3" },
            { "ProductAsDivisorKept", "x", "2/(x*3)", 0, "2/(x*3)" },
            { "FunctionOperandNeverBracketed", "x", "(sin(x))^2", 0, "sin(x)^2" },
            { "RedundantBracketsAndBlanks", "x", " ( ( x ) ) ", 0, "x" },
            { "TabsAndLineFeeds", "x", "\tx\n*\n2\r", 0, "x*2" },
            { "UpperCase", "x", "SIN(X)", 0, "sin(x)" },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, SimplifiesTrivialOperations)
    {
        const CheckCase cases[] = {
            { "PowerOfOne", "x", "x^1", 0, "x" },
            { "PowerOfZero", "x", "x^0", 0, "1" },
            { "ZeroBase", "x", "0^x", 0, "0" },
            { "ZeroToTheZeroIsZero", "x", "0^0", 0, "0" },
            { "ZeroPlus", "x", "0+x", 0, "x" },
            { "ZeroMinus", "x", "0-x", 0, "-x" },
            { "ZeroMinusZero", "x", "0-0", 0, "0" },
            { "MinusZero", "x", "x-0", 0, "x" },
            { "TimesZero", "x", "x*0", 0, "0" },
            { "ZeroDividend", "x", "0/x", 0, "0" },
            { "ZeroOverZeroIsZero", "x", "0/0", 0, "0" },
            { "FoldedZeroFactor", "x", "x*(1-1)", 0, "0" },
            { "ZeroWrittenWithPoint", "x", "x*0.0", 0, "0" },
            { "UnitPowerKeepsTheBaseBrackets", "x", "(x+1)^1", 0, "(x+1)" },
            { "UnitPowerInsideArgument", "x", "sin((x+1)^1)", 0, "sin((x+1))" },
            { "TimesOneKept", "x", "x*1", 0, "x*1" },
            { "DifferenceOfEqualTermsKept", "x", "x-x", 0, "x-x" },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, FoldsConstantSubExpressions)
    {
        const std::string hugeLiteral = "1" + std::string(400, '0');
        const CheckCase cases[] = {
            { "PrecedenceInConstant", " ", "2+3*4", 0, "14" },
            { "TenDigitThird", " ", "1/3", 0, "0.3333333333" },
            { "TenDigitsRounded", " ", "2/3", 0, "0.6666666667" },
            { "PiIsRoundedFirst", " ", "2pi", 0, "6.283185308" },
            { "SineOfRoundedPi", " ", "sin(pi)", 0, "-4.10206857*10^(-10)" },
            { "SquareRoot", " ", "sqrt(2)", 0, "1.414213562" },
            { "LargePowerOfTwo", " ", "2^40", 0, "1.099511628*10^12" },
            { "WholePowerOfNegativeBase", " ", "(-2)^3", 0, "-8" },
            { "ConstantBesideVariable", "x", "x+2*3", 0, "x+6" },
            { "SumSplitsBeforeDifference", "x", "x+2-3", 0, "x+(-1)" },
            { "NotFoldedAcrossTheTree", "x", "x-1+2", 0, "x-1+2" },
            { "FoldedLeftOperand", "x", "2*3*x", 0, "6*x" },
            { "FunctionNameContainingTheVariable", "x", "exp(1)*x", 0, "2.718281828*x" },
            { "SquareRootUnderVariableT", "t", "t*sqrt(4)", 0, "t*2" },
            { "TanhUnderVariableT", "t", "th(2)", 0, "0.9640275801" },
            { "LargeNumber", "x", "100000000000", 0, "1*10^11" },
            { "SmallNumber", "x", "0.00001", 0, "1*10^(-5)" },
            { "LargeFactor", "x", "x*100000000000", 0, "x*(1*10^11)" },
            { "SmallExponent", "x", "x^0.00001", 0, "x^(1*10^(-5))" },
            { "UnderflowingLiteralIsZero", "x", "0." + std::string(400, '0') + "1", 0, "0" },
            { "LogarithmOfZero", "x", "ln(0)", 2 },
            { "RootOfNegative", "x", "sqrt(-1)", 2 },
            { "RootOfZero", "x", "sqrt(0)", 2 },
            { "FractionalPowerOfNegative", "x", "(-8)^(1/3)", 2 },
            { "ProductBeyondGuard", " ", "10^200*10^200", 2 },
            { "UndefinedSummand", "x", "x+ln(0)", 2 },
            { "HugeDifference", " ", "-(10^306*100)-(10^306*100)", 2 },
            // An infinite value has no formula text.
            { "InfiniteLiteral", "x", hugeLiteral, 2 },
            { "InfiniteLiteralFactor", "x", "2*x*" + hugeLiteral, 2 },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, ReadsFactorsWithTheScanner)
    {
        const CheckCase cases[] = {
            { "PointNeedsDigit", "x", "5.", 6 },
            { "LeadingPoint", "x", ".5", 0, "0.5" },
            { "SecondPointStartsFactor", " ", "2.5.3", 0, "0.75" },
            { "PointAfterVariable", "x", "x.5", 0, "x*0.5" },
            { "PointThenVariable", "x", "5.x", 6 },
            { "PAlone", "x", "p", 6 },
            { "Pi", "x", "pi", 0, "3.141592654" },
            { "PiThenVariable", "x", "pix", 0, "3.141592654*x" },
            { "ExponentLetter", "x", "1e5", 6 },
            { "DecimalComma", "x", "1,5", 6 },
            { "CurlyBraces", "x", "{x}", 6 },
            { "XUnderVariableT", "t", "x", 6 },
            { "BlankBetweenFactors", "x", "2 x", 6 },
            { "BlankBeforeBracket", "x", "2 (x)", 6 },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, RequiresBracketedFunctionArguments)
    {
        const CheckCase cases[] = {
            { "ArgumentWithoutBrackets", "x", "sin x", 4 },
            { "NameAlone", "x", "sin", 4 },
            { "NameGluedToVariable", "x", "sinx", 4 },
            { "NameAfterNumber", "x", "2sin", 4 },
            { "NameAsArgument", "x", "cos(sin)", 4 },
            { "EmptyArgument", "x", "sin()", 3 },
            { "DoubleBracketedArgument", "x", "sin((x))", 0, "sin(x)" },
            // The longer names come first: a search for "sin" must not split "arcsin".
            { "Arcsine", "x", "arcsin(x)", 0, "arcsin(x)" },
            { "Arccotangent", "x", "arcctg(x)", 0, "arcctg(x)" },
            { "HyperbolicCotangent", "x", "cth(x)", 0, "cth(x)" },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, ReportsBracketEmptinessAndDivisionFaults)
    {
        const CheckCase cases[] = {
            { "UnclosedBracket", "x", "(x", 1 },
            { "ClosedBeforeOpened", "x", "x)(", 1 },
            { "UnclosedArgument", "x", "sin(", 1 },
            { "EmptyText", "x", "", 3 },
            { "OnlyBlanks", "x", "   ", 3 },
            { "EmptyBrackets", "x", "()", 3 },
            { "EmptyOperand", "x", "x+()", 3 },
            { "MissingRightOperand", "x", "x+", 6 },
            { "MissingLeftOperand", "x", "*x", 6 },
            { "DoubledOperator", "x", "x**2", 6 },
            { "DivisionByZero", "x", "x/0", 7 },
            { "DivisionByFoldedZero", "x", "x/(1-1)", 7 },
            { "DivisionByZeroWithPoint", "x", "x/0.0", 7 },
            { "DivisionBySimplifiedZero", "x", "x/(0*x)", 7 },
            { "ConstantDivisionByZero", " ", "1/0", 7 },
            { "DivisorVanishingOnlyAtRuntime", "x", "x/(x-x)", 0, "x/(x-x)" },
            { "ZeroOverFoldedZero", "x", "(1-1)/0", 0, "0" },
            // The first fault wins: brackets over everything, then left before right.
            { "BracketsBeforeConstants", "x", "ln(0)+(", 1 },
            { "LeftConstantBeforeRightArgument", "x", "ln(0)+sin x", 2 },
            { "LeftArgumentBeforeRightConstant", "x", "sin x+ln(0)", 4 },
            { "LeftDenominatorBeforeRightConstant", "x", "x/0+ln(0)", 7 },
            { "LeftEmptyBeforeRightConstant", "x", "()+ln(0)", 3 },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, AcceptsOnlyConstantsUnderTheBlankVariable)
    {
        const CheckCase cases[] = {
            { "TrimmedNumber", " ", " 5 ", 0, "5" },
            { "Pi", " ", "pi", 0, "3.141592654" },
            { "ImplicitProduct", " ", "2(3)", 0, "6" },
            { "Variable", " ", "x", 6 },
            { "BlankBetweenFactors", " ", "2 3", 6 },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, BoundsNestingAndWorkWithoutHanging)
    {
        const std::string deepBrackets = std::string(100000, '(') + "x" + std::string(100000, ')');
        const std::string sum = "x" + repeated("+x", 99);
        const std::string nested = repeated("sin(", 50) + "x" + std::string(50, ')');
        const CheckCase cases[] = {
            { "WrappingBracketsAreNotRecursion", "x", deepBrackets, 0, "x" },
            { "WrappedOperand", "x", deepBrackets + "+1", 0, "x+1" },
            { "UnbalancedBrackets", "x", std::string(100000, '('), 1 },
            { "TooDeeplyNestedFunctions",
                "x",
                repeated("sin(", 20000) + "x" + std::string(20000, ')'),
                6 },
            { "SumOfHundredTerms", "x", sum, 0, sum },
            { "SumOfHundredImplicitProducts",
                "x",
                "2x" + repeated("+2x", 99),
                0,
                "2*x" + repeated("+2*x", 99) },
            { "FiftyNestedFunctions", "x", nested, 0, nested },
        };
        // Speed is the benchmark's business; here each text must simply come back, not crash.
        expectChecks(cases);
    }

    // A chain of one operator is walked term by term, so its length is bounded only by the
    // formula's length, and the work it takes grows with that length, not with its square.
    TEST(FormulaCheck, ChecksLongChainsOfOneOperatorWithLittleWork)
    {
        const struct {
            const char* name;
            std::string input;
            std::string normalForm;
        } cases[] = {
            { "Sum", "x" + repeated("+x", 299), "x" + repeated("+x", 299) },
            { "LongSum", "x" + repeated("+x", 2999), "x" + repeated("+x", 2999) },
            { "Product", "x" + repeated("*x", 2999), "x" + repeated("*x", 2999) },
            { "Difference", "-x" + repeated("-x", 2999), "-x" + repeated("-x", 2999) },
            { "Quotient", "x" + repeated("/2", 2999), "x" + repeated("/2", 2999) },
            { "Powers", "x" + repeated("^1", 2999), "x" },
            { "MixedOperators",
                "x^2+2*x-1" + repeated("+x^2+2*x-1", 299),
                "x^2+2*x-1" + repeated("+x^2+2*x-1", 299) },
            { "BlanksAndUpperCase", "X" + repeated(" + X", 2999), "x" + repeated("+x", 2999) },
            { "ConstantsFold", "1" + repeated("+1", 2999), "3000" },
            { "ZerosVanish", "x" + repeated("+0", 2999), "x" },
            { "BracketedSums",
                "(x+1)" + repeated("*(x-1)", 999),
                "(x+1)" + repeated("*(x-1)", 999) },
        };
        for (const auto& row : cases) {
            SCOPED_TRACE(row.name);
            std::string text = row.input;
            long long workLeft = 40 * static_cast<long long>(row.input.size());
            EXPECT_EQ(checkFormula(text, "x", workLeft), 0);
            EXPECT_EQ(text, row.normalForm);
        }
    }

    // Real nesting still recurses, and its depth stays bounded to protect the stack.
    TEST(FormulaCheck, StillRefusesDeeplyNestedOperands)
    {
        const CheckCase cases[] = {
            { "NestedSums", "x", "x" + repeated("+(x", 300) + std::string(300, ')'), 6 },
            { "NestedPowers", "x", repeated("x^(", 300) + "x" + std::string(300, ')'), 6 },
            { "NestedWithinLimit",
                "x",
                "x" + repeated("+(x", 100) + std::string(100, ')'),
                0,
                "x" + repeated("+(x", 99) + "+x" + std::string(99, ')') },
        };
        expectChecks(cases);
    }

    // Chains whose normal forms depend on how the terms group to the left: which constant runs
    // fold, where brackets return, what the zeros and ones leave and how written-out products
    // are checked again.
    TEST(FormulaCheck, NormalisesChainsAsTheyGroup)
    {
        const CheckCase cases[] = {
            { "LeadingConstantsFold", "x", "2+3+x", 0, "5+x" },
            { "TrailingConstantsStay", "x", "x+2+3", 0, "x+2+3" },
            { "LeadingFactorsFold", "x", "2*3*x", 0, "6*x" },
            { "TrailingFactorsStay", "x", "x*2*3", 0, "x*2*3" },
            { "BracketedSumsInProducts", "x", "(x+1)*2*(x-1)", 0, "(x+1)*2*(x-1)" },
            { "BracketedRightDifference", "x", "10-(x-1)-x", 0, "10-(x-1)-x" },
            { "ZerosInSums", "x", "x+0+0-0", 0, "x" },
            { "LeadingZero", "x", "0+x+0", 0, "x" },
            { "NegatedAfterZero", "x", "0-x-0-x", 0, "-x-x" },
            { "PowersOfOne", "x", "x^1^2^1", 0, "x^2" },
            { "PowerOfZero", "x", "x^2^0", 0, "1" },
            { "ZeroBase", "x", "0^x^2", 0, "0" },
            { "ZeroFactorFirst", "x", "0*x*x+x", 0, "x" },
            { "ZeroFactorLast", "x", "x*x*0", 0, "0" },
            { "NegativeFoldInSum", "x", "x+2-5", 0, "x+(-3)" },
            { "DifferencesInsideSum", "x", "x-2+3-5", 0, "x-2+(-2)" },
            { "NegativeFactor", "x", "x*(-2)*3", 0, "x*(-2)*3" },
            { "OneDroppedBeforeProduct", "x", "(x+1)^1*2", 0, "(x+1)*2" },
            { "ProductsInSum", "x", "2x+3x+4x", 0, "2*x+3*x+4*x" },
            { "ProductsAfterQuotients", "x", "1/2x+1/3x", 0, "0.5*x+0.3333333333*x" },
            { "ProductsInProduct", "x", "x*2x*3x", 0, "x*2*x*3*x" },
            { "FunctionsInSum", "x", "2sin(x)+x2-x", 0, "2*sin(x)+x*2-x" },
            { "ZeroDenominatorInSum", "x", "x/0+x", 7 },
            { "InvalidConstantInSum", "x", "x+ln(0)*x", 2 },
            { "MissingTermBeforeFault", "x", "x+ln(0)+", 6 },
            { "PlusMinusAfterFault", "x", "x/0+x+-x", 6 },
        };
        expectChecks(cases);
    }

    TEST(FormulaCheck, ErrorTexts)
    {
        const std::pair<int, std::string_view> cases[] = {
            { 1, "Check brackets" },
            { 2, "Invalid constant" },
            { 3, "Empty expression" },
            { 4, "Argument is not defined" },
            { 5, "Argument is not in brackets" },
            { 6, "Syntax error" },
            { 7, "Denominator is equal to zero" },
            { 0, "" },
            { -1, "" },
            { 8, "Undefined parameter" },
            { 9, "" },
            { 1000, "" },
        };
        for (const auto& [code, message] : cases)
            EXPECT_EQ(formulaErrorText(code), message) << "code " << code;
    }

    TEST(FormulaText, FindsTheWeakestOperatorAtDepthZero)
    {
        struct Case {
            const char* name;
            const char* text;
            std::optional<OperatorMatch> match;
        };
        const Case cases[] = {
            { "WeakestBeforeRightmost", "x+1-2", OperatorMatch { 1, 0 } },
            { "RightmostOfEqualOnes", "10-x-1", OperatorMatch { 4, 1 } },
            { "BracketsHide", "(x+1)*2", OperatorMatch { 5, 2 } },
            { "ProductWeakerThanQuotient", "x/2*3", OperatorMatch { 3, 2 } },
            { "FunctionName", "arcsin(x)", OperatorMatch { 0, 12 } },
            { "LongerNameFirst", "cth(x)", OperatorMatch { 0, 9 } },
            { "CodeOrderBeforePosition", "cos(x)sin(x)", OperatorMatch { 6, 13 } },
            { "NumberIsNoOperator", "2.5", std::nullopt },
            { "WrappedSum", "(x+1)", std::nullopt },
        };
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            const auto found = findOperator(row.text);
            ASSERT_EQ(found.has_value(), row.match.has_value());
            if (found) {
                EXPECT_EQ(found->position, row.match->position);
                EXPECT_EQ(found->code, row.match->code);
            }
        }
    }

    TEST(FormulaText, WrappingAndLeadingNumbers)
    {
        const std::pair<const char*, bool> wrapped[] = {
            { "(x)", true },
            { "((x)(x))", true },
            { "()", true },
            { "(x)(x)", false },
            { "(x)+1", false },
            { "(x", false },
            { "x", false },
            { "", false },
        };
        for (const auto& [text, expected] : wrapped)
            EXPECT_EQ(isWrapped(text), expected) << "'" << text << "'";

        EXPECT_EQ(unwrapped("((x+1))"), "x+1");
        EXPECT_EQ(unwrapped("(x)(x)"), "(x)(x)");
        EXPECT_EQ(trimmed(" \tx+1\n "), "x+1");

        const std::pair<const char*, double> numbers[] = {
            { "2.5.3", 2.5 },
            { ".5", 0.5 },
            { "1*10^5", 1 },
            { "3.141592654", 3.141592654 },
            { "0.00001", 0.00001 },
            { "x", 0 },
            { "", 0 },
        };
        for (const auto& [text, expected] : numbers)
            EXPECT_EQ(leadingNumber(text), expected) << "'" << text << "'";
    }

    // Restores the "C" locale however the test ends.
    struct CLocaleRestorer {
        ~CLocaleRestorer() { std::setlocale(LC_ALL, "C"); }
    };

    TEST(FormulaCheck, IgnoresTheDecimalCommaOfTheUserLocale)
    {
        CLocaleRestorer restorer;
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
            GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed";
        const CheckCase cases[] = {
            { "DecimalPointKept", "x", "1.5*x", 0, "1.5*x" },
            { "FoldedFraction", " ", "1/4", 0, "0.25" },
            { "LeadingPoint", " ", ".5", 0, "0.5" },
            { "SmallNumber", " ", "0.000015", 0, "1.5*10^(-5)" },
            { "CommaStillRejected", " ", "1,5", 6 },
        };
        expectChecks(cases);
        EXPECT_EQ(formatNumber(2.5), "2.5");
        EXPECT_EQ(formatNumber(-1.5e20), "-1.5*10^20");
        EXPECT_EQ(leadingNumber("2.5"), 2.5);
        EXPECT_EQ(evaluateText("2.5*x", "x", 2), 5.0);
        double value = 1.23456;
        EXPECT_TRUE(roundToMagnitude(value, 0.25));
        EXPECT_EQ(value, 1.235);
    }

} // namespace
} // namespace ovilan
