#include "expr/expression.h"
#include "expr/formula_check.h"
#include "expr/operations.h"
#include "expr/parameters.h"
#include "expr/text_evaluator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    constexpr double kMax = std::numeric_limits<double>::max();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kTwoTo63 = 9223372036854775808.0;
    const double kPi = 4 * std::atan(1.0);
    constexpr std::nullopt_t undefined = std::nullopt;

    // An operation at a point: defined results are compared within a few units in the last place.
    struct OperationCase {
        const char* name;
        int code;
        double x;
        double a;
        std::optional<double> expected;
    };

    void expectOperations(std::span<const OperationCase> cases)
    {
        for (const OperationCase& row : cases) {
            SCOPED_TRACE(row.name);
            const auto result = applyOperation(row.code, row.x, row.a);
            ASSERT_EQ(result.has_value(), row.expected.has_value());
            if (!result)
                continue;
            if (std::isinf(*row.expected))
                EXPECT_EQ(*result, *row.expected);
            else
                EXPECT_DOUBLE_EQ(*result, *row.expected);
        }
    }

    TEST(Operations, GuardsAtTheirBoundaries)
    {
        const OperationCase cases[] = {
            { "Sum", kPlus, 1, 2, 3.0 },
            { "SumReachingLargestDoubleIsUndefined", kPlus, kMax, 0, undefined },
            { "SumJustBelowLargestDouble",
                kPlus,
                std::nextafter(kMax, 0.0),
                0,
                std::nextafter(kMax, 0.0) },
            { "SumOfHugeNegativesIsNotChecked", kPlus, -kMax, -kMax, -kInf },
            { "SumOfOppositeInfinities", kPlus, kInf, -kInf, undefined },
            { "Difference", kMinus, 5, 3, 2.0 },
            { "DifferenceMayBeInfinite", kMinus, kMax, -kMax, kInf },
            { "InfinityMinusInfinity", kMinus, kInf, kInf, undefined },
            { "ProductBelowGuard", kMultiply, 1e300, 1.79e6, 1.79e306 },
            { "FiniteProductAtGuard", kMultiply, 1e300, 1.8e6, undefined },
            { "ProductOfLargeFactors", kMultiply, 1e200, 1e200, undefined },
            { "ProductWithZeroPassesGuard", kMultiply, 0, 1e300, 0.0 },
            { "ZeroTimesInfinity", kMultiply, 0, kInf, undefined },
            { "Quotient", kDivide, -6, 3, -2.0 },
            { "DivisionByZero", kDivide, 1, 0, undefined },
            { "ZeroOverZero", kDivide, 0, 0, undefined },
            { "QuotientBelowGuard", kDivide, 1e300, 1e-6, 1e306 },
            { "FiniteQuotientAtGuard", kDivide, 1e300, 5.5e-7, undefined },
            { "TinyOverHuge", kDivide, 1e-300, 1e300, 0.0 },
            { "Arctangent", kArctg, 99, 1, kPi / 4 },
            { "ArccotangentOfZero", kArcctg, 0, 0, kPi / 2 },
            { "CoshBelowGuard", kCh, 0, 705.87, std::cosh(705.87) },
            { "CoshAtGuard", kCh, 0, 705.88, undefined },
            { "CoshUsesMagnitude", kCh, 0, -705.88, undefined },
            { "SinhAtGuard", kSh, 0, 706, undefined },
            { "HyperbolicCotangent", kCth, 0, 1, 1 / std::tanh(1.0) },
            { "HyperbolicCotangentOfZero", kCth, 0, 0, undefined },
            { "HyperbolicCotangentBelowQuotientGuard", kCth, 0, 1e-306, 1e306 },
            { "HyperbolicCotangentAtQuotientGuard", kCth, 0, -1e-307, undefined },
            { "ArccosineOfMinusOne", kArccos, 0, -1, kPi },
            { "ArccosineOutside", kArccos, 0, 1.0000001, undefined },
            { "ArcsineOfOne", kArcsin, 0, 1, kPi / 2 },
            { "ArcsineJustAboveOne", kArcsin, 0, std::nextafter(1.0, 2.0), undefined },
            { "Sine", kSin, 99, 1, std::sin(1.0) },
            { "SineBelowLimit",
                kSin,
                0,
                std::nextafter(kTwoTo63, 0.0),
                std::sin(std::nextafter(kTwoTo63, 0.0)) },
            { "SineAtLimit", kSin, 0, kTwoTo63, undefined },
            { "SineAtNegativeLimit", kSin, 0, -kTwoTo63, undefined },
            { "CosineAtLimit", kCos, 0, kTwoTo63, undefined },
            { "TangentNearPole", kTg, 0, kPi / 2, std::tan(kPi / 2) },
            { "TangentAtLimit", kTg, 0, -kTwoTo63, undefined },
            { "Cotangent", kCtg, 0, 0.5, 1 / std::tan(0.5) },
            { "CotangentOfZero", kCtg, 0, 0, undefined },
            { "CotangentAtQuotientGuard", kCtg, 0, 1e-307, undefined },
            { "LogarithmOfZero", kLn, 0, 0, undefined },
            { "LogarithmOfNegative", kLn, 0, -1, undefined },
            { "LogarithmOfSubnormal", kLn, 0, 5e-324, std::log(5e-324) },
            { "DecimalLogarithm", kLg, 0, 1000, 3.0 },
            { "DecimalLogarithmOfNegative", kLg, 0, -1, undefined },
            { "ExponentialBelowGuard", kExp, 0, 705.17, std::exp(705.17) },
            { "ExponentialAtGuard", kExp, 0, 705.18, undefined },
            { "ExponentialOfLargeNegative", kExp, 0, -1000, 0.0 },
            { "Absolute", kAbs, 0, -3, 3.0 },
            { "RootOfZero", kSqrt, 0, 0, undefined },
            { "RootOfNegative", kSqrt, 0, -1, undefined },
            { "RootOfInfinityFailsPowerGuard", kSqrt, 0, kInf, undefined },
            { "RootOfTiny", kSqrt, 0, 1e-300, 1e-150 },
            { "DegreesToRadians", kDegToRad, 0, 180, kPi },
            { "RadiansToDegrees", kRadToDeg, 0, kPi, 180.0 },
            { "UnknownCode", 28, 1, 1, undefined },
        };
        expectOperations(cases);
    }

    TEST(Operations, PowerRules)
    {
        const OperationCase cases[] = {
            { "WholeExponent", kPower, 2, 10, 1024.0 },
            { "OddPowerOfNegative", kPower, -2, 3, -8.0 },
            { "EvenPowerOfNegative", kPower, -2, 2, 4.0 },
            { "NegativeOddPowerOfNegative", kPower, -2, -1, -0.5 },
            { "ZeroExponentOfNegative", kPower, -5, 0, 1.0 },
            { "SquareOfFraction", kPower, -1.5, 2, 2.25 },
            { "FractionalExponent", kPower, 4, 0.5, 2.0 },
            { "CubeRootOfNegative", kPower, -8, 1.0 / 3, undefined },
            { "ZeroToTheZero", kPower, 0, 0, undefined },
            { "ZeroToFraction", kPower, 0, 0.5, undefined },
            { "BelowGuard", kPower, 10, 306, 1e306 },
            { "AtGuard", kPower, 10, 307, undefined },
            { "FractionalExponentBelowGuard", kPower, 10, 306.25, std::pow(10.0, 306.25) },
            { "FractionalExponentAtGuard", kPower, 10, 306.26, undefined },
            { "NegativeBaseAtGuard", kPower, -10, 307, undefined },
            { "NegativeExponentOfSmallBase", kPower, 0.5, -1000, std::ldexp(1.0, 1000) },
            { "NegativeExponentOfSmallBaseAtGuard", kPower, 0.5, -1100, undefined },
            { "InverseSquareOfTinyBase", kPower, 1e-200, -2, undefined },
            { "LargestOddIntegerExponent", kPower, -1, 2147483647, -1.0 },
            { "SmallestIntegerExponent", kPower, -1, -2147483648.0, 1.0 },
            // Beyond 32 bits a whole exponent no longer allows a negative base.
            { "WholeExponentBeyondInt32", kPower, -1, 2147483648.0, undefined },
            { "PositiveBaseBeyondInt32", kPower, 1, 1e10, 1.0 },
        };
        expectOperations(cases);
    }

    TEST(Operations, WholeNumberResultsAreExact)
    {
        struct Case {
            const char* name;
            int code;
            double a;
            double expected;
        };
        const Case cases[] = {
            { "RoundHalfUp", kRound, 2.5, 3 },
            { "RoundNegativeHalfTowardPlusInfinity", kRound, -2.5, -2 },
            { "RoundNegativeHalf", kRound, -0.5, 0 },
            { "RoundDown", kRound, -2.6, -3 },
            { "RoundJustBelowHalf", kRound, 0.49999999999999994, 0 },
            { "RoundWholeOddBeyondFraction", kRound, 4503599627370497.0, 4503599627370497.0 },
            { "CeilNegativeFraction", kCeil, -0.5, 0 },
            { "FloorNegativeFraction", kFloor, -0.5, -1 },
            { "SignOfZero", kSign, 0, 0 },
            { "SignOfSubnormal", kSign, 1e-320, 1 },
            { "SignOfNegative", kSign, -3, -1 },
            { "RootIsCorrectlyRounded", kSqrt, 2, std::sqrt(2.0) },
        };
        for (const Case& row : cases) {
            const auto result = applyOperation(row.code, 7, row.a);
            ASSERT_TRUE(result.has_value()) << row.name;
            EXPECT_EQ(*result, row.expected) << row.name;
        }
    }

    TEST(TextEvaluator, EvaluatesNormalForms)
    {
        struct Case {
            const char* name;
            const char* text;
            double value;
            std::optional<double> expected;
        };
        const Case cases[] = {
            { "PowersGroupLeft", "x^2^3", 2, 64.0 },
            { "DifferencesGroupLeft", "10-x-1", 3, 6.0 },
            { "SumAfterDifference", "2-x+1", 5, -2.0 },
            { "QuotientsGroupLeft", "x/2/4", 8, 1.0 },
            { "ProductWeakerThanQuotient", "2*x/3", 3, 2.0 },
            { "LeadingMinusNegatesPower", "-x^2", 3, -9.0 },
            { "BracketedNegativeBase", "(-x)^2", 3, 9.0 },
            { "PlusNegative", "x+(-3)", 2, -1.0 },
            { "NegatedSum", "-(x+1)", 2, -3.0 },
            { "EveryOuterPairRemoved", "((x))", 5, 5.0 },
            { "ArgumentInDoubleBrackets", "sin((x+1))", 0.5, std::sin(1.5) },
            { "NegativeLargeConstant", "-1.5*10^20", 0, -1.5e20 },
            { "EmptyTextIsZero", "", 1, 0.0 },
            { "NegativeBaseOddPower", "(-2)^x", 3, -8.0 },
            { "NegativeBaseFractionalPower", "(-2)^x", 0.5, undefined },
            { "ZeroToTheZero", "x^x", 0, undefined },
            { "DivisorVanishing", "x/(x-x)", 1, undefined },
            { "LogarithmOfZero", "ln(x)", 0, undefined },
            { "RootOfZero", "sqrt(x)", 0, undefined },
            { "UndefinedLeftOperand", "ln(x)+1", -1, undefined },
            { "UndefinedRightOperand", "1+ln(x)", -1, undefined },
            { "ProductOverGuard", "x*x", 1e200, undefined },
        };
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            const auto result = evaluateText(row.text, "x", row.value);
            ASSERT_EQ(result.has_value(), row.expected.has_value());
            if (result) {
                EXPECT_DOUBLE_EQ(*result, *row.expected);
            }
        }
        EXPECT_EQ(evaluateText("t*2", "t", 3), 6.0);
    }

    TEST(Expression, UnitPowerInsideArgumentKeepsItsMeaning)
    {
        std::string text = "sin((x+1)^1)";
        ASSERT_EQ(checkFormula(text, "x"), 0);
        ExpressionEvaluator evaluator(prepare(text, "x"));
        for (const double x : { -2.0, 0.0, 0.5, 3.0 }) {
            EXPECT_DOUBLE_EQ(evaluateText(text, "x", x).value_or(-9), std::sin(x + 1));
            EXPECT_DOUBLE_EQ(evaluator.evaluate(x).value_or(-9), std::sin(x + 1));
        }
    }

    TEST(Expression, CompilesInPostOrder)
    {
        using K = OperandKind;
        struct Node {
            int code;
            K leftKind;
            double left;
            K rightKind;
            double right;
        };
        struct Case {
            const char* name;
            const char* text;
            std::vector<Node> nodes;
        };
        const Case cases[] = {
            { "SingleVariable", "x", { { kPlus, K::Constant, 0, K::Variable, 0 } } },
            { "SingleNumber", "2.5", { { kPlus, K::Constant, 0, K::Constant, 2.5 } } },
            { "Function", "sin(x)", { { kSin, K::None, 0, K::Variable, 0 } } },
            { "BothOperandsFromStack",
                "2*x-sin(x)",
                { { kMultiply, K::Constant, 2, K::Variable, 0 },
                    { kSin, K::None, 0, K::Variable, 0 },
                    { kMinus, K::Stack, 0, K::Stack, 0 } } },
        };
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            const Expression expression = prepare(row.text, "x");
            ASSERT_EQ(expression.nodes.size(), row.nodes.size());
            for (std::size_t i = 0; i < row.nodes.size(); ++i) {
                const ExpressionNode& node = expression.nodes[i];
                const Node& expected = row.nodes[i];
                EXPECT_EQ(node.code, expected.code) << "node " << i;
                EXPECT_EQ(node.leftKind, expected.leftKind) << "node " << i;
                EXPECT_EQ(node.rightKind, expected.rightKind) << "node " << i;
                if (expected.leftKind == K::Constant) {
                    EXPECT_EQ(node.leftConstant, expected.left) << "node " << i;
                }
                if (expected.rightKind == K::Constant) {
                    EXPECT_EQ(node.rightConstant, expected.right) << "node " << i;
                }
            }
        }

        std::vector<ExpressionNode> nodes(1);
        EXPECT_FALSE(compile("x", "x", nodes));
        EXPECT_EQ(nodes.size(), 1u);
        EXPECT_TRUE(compile("x+1", "x", nodes));
        EXPECT_EQ(nodes.size(), 2u);
    }

    TEST(Expression, BlockEvaluationWritesOnlyDefinedPoints)
    {
        // More points than two blocks, and not a multiple of the block size.
        std::vector<double> values(2 * ExpressionEvaluator::kBlockSize + 45);
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = static_cast<double>(i) - 150;
        std::vector<double> results(values.size(), 12345.0);
        std::unique_ptr<bool[]> defined(new bool[values.size()]);
        ExpressionEvaluator evaluator(prepare("ln(x)*x", "x"));
        evaluator.evaluate(values, results, std::span(defined.get(), values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto single = evaluator.evaluate(values[i]);
            ASSERT_EQ(defined[i], single.has_value()) << "x = " << values[i];
            EXPECT_EQ(results[i], single.value_or(12345.0)) << "x = " << values[i];
        }
    }

    // Random formulas from the grammar a user types: numbers, the variable, every function and
    // operator, brackets, implicit products and unary minus.
    class FormulaGenerator {
    public:
        explicit FormulaGenerator(unsigned seed)
            : random_(seed)
        {
        }

        std::string formula(int depth)
        {
            if (depth == 0)
                return leaf();
            const int shape = pick(10);
            if (shape == 9)
                return "(" + formula(depth - 1) + ")^" + wholeExponent();
            // One call per statement, so the sequence is the same whatever the compiler.
            if (shape < 3) {
                std::string text = formula(depth - 1);
                text += binary();
                return text + formula(depth - 1);
            }
            if (shape == 5)
                return "-" + formula(depth - 1);
            const std::string inner = "(" + formula(depth - 1) + ")";
            if (shape < 5)
                return function() + inner;
            if (shape == 6)
                return inner;
            if (shape == 7)
                return number() + inner;
            std::string text = leaf();
            return text + function() + inner;
        }

    private:
        int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

        std::string number()
        {
            static const char* const numbers[]
                = { "0", "1", "2", "3", "0.5", ".25", "10", "2.5", "pi", "7", "100", "1.5" };
            return numbers[pick(std::size(numbers))];
        }

        std::string leaf()
        {
            switch (pick(4)) {
            case 0:
                return number();
            case 1:
                return number() + 'x';
            case 2:
                return "(-x)";
            default:
                return "x";
            }
        }

        // Whole exponents, which are multiplied out, and a few the library's pow takes.
        std::string wholeExponent()
        {
            static const char* const exponents[]
                = { "2", "3", "4", "5", "6", "7", "8", "9", "(-1)", "(-3)", "0.5", "12" };
            return exponents[pick(std::size(exponents))];
        }

        std::string binary()
        {
            static const char* const operators[] = { "+", "-", "*", "/", "^", " + ", "-", "^" };
            return operators[pick(std::size(operators))];
        }

        std::string function()
        {
            return std::string(
                kOperationTexts[kFirstFunction + pick(kOperationCount - kFirstFunction)]);
        }

        std::mt19937 random_;
    };

    TEST(Expression, AgreesWithTheTextEvaluatorOnGeneratedFormulas)
    {
        const double points[]
            = { 0, 1, -1, 0.5, -2.5, 3, 10, -1e3, 1e6, -1e10, 1e300, -1e300, 1e-300, kPi / 2 };
        FormulaGenerator generator(20240521);
        int accepted = 0;
        for (int i = 0; i < 4000; ++i) {
            const std::string input = generator.formula(1 + i % 4);
            std::string text = input;
            const int code = checkFormula(text, "x");
            ASSERT_TRUE(code >= 0 && code <= 7 && code != 5) << input << " gave " << code;
            if (code != 0)
                continue;
            ++accepted;
            SCOPED_TRACE("'" + input + "' -> '" + text + "'");
            ASSERT_EQ(text.find(' '), std::string::npos);
            ExpressionEvaluator evaluator(prepare(text, "x"));
            for (const double x : points) {
                const auto byText = evaluateText(text, "x", x);
                const auto byExpression = evaluator.evaluate(x);
                ASSERT_EQ(byText.has_value(), byExpression.has_value()) << "x = " << x;
                if (!byText)
                    continue;
                ASSERT_FALSE(std::isnan(*byText)) << "x = " << x;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(*byText),
                    std::bit_cast<std::uint64_t>(*byExpression))
                    << "x = " << x << ": " << *byText << " vs " << *byExpression;
            }
        }
        EXPECT_GT(accepted, 1000);
    }

    // Points where the fast loops hand over to the exact routine: the edges of the ranges in which
    // a product, a quotient, a power, the trigonometric functions and the exponential are
    // computed without guards, the guard limits themselves, zero, and a dense grid over a plot.
    // Not -0: a lone variable is compiled as "0+x", which gives +0 there.
    std::vector<double> blockPoints()
    {
        std::vector<double> points = { 0,
            1e-10,
            9.9e-11,
            1e10,
            1.0000001e10,
            1e150,
            1.01e150,
            1e-150,
            1e5,
            100000.00001,
            700,
            700.5,
            705.18,
            706,
            1e300,
            kTwoTo63,
            kPi / 2,
            3 * kPi / 2,
            1e-300,
            46.4,
            1e38,
            1e39 };
        const std::size_t specials = points.size();
        for (std::size_t i = 1; i < specials; ++i)
            points.push_back(-points[i]);
        for (int i = 0; i <= 256; ++i)
            points.push_back(-10 + i * (20.0 / 256));
        return points;
    }

    // The block loops run whole blocks at once and fall back to the routine point by point where
    // a block holds an undefined or unusual point; every point must still be the text
    // evaluator's, bit for bit, and an undefined one must be left unwritten.
    TEST(Expression, BlockEvaluationAgreesWithTheTextEvaluator)
    {
        const std::vector<double> points = blockPoints();
        std::vector<double> results(points.size());
        std::unique_ptr<bool[]> defined(new bool[points.size()]);
        FormulaGenerator generator(987654321);
        int accepted = 0;
        for (int i = 0; i < 1500; ++i) {
            std::string text = generator.formula(1 + i % 4);
            const std::string input = text;
            if (checkFormula(text, "x") != 0)
                continue;
            ++accepted;
            SCOPED_TRACE("'" + input + "' -> '" + text + "'");
            ExpressionEvaluator evaluator(prepare(text, "x"));
            std::fill(results.begin(), results.end(), 12345.0);
            evaluator.evaluate(points, results, std::span(defined.get(), points.size()));
            for (std::size_t p = 0; p < points.size(); ++p) {
                const auto byText = evaluateText(text, "x", points[p]);
                ASSERT_EQ(byText.has_value(), defined[p]) << "x = " << points[p];
                ASSERT_EQ(std::bit_cast<std::uint64_t>(byText.value_or(12345.0)),
                    std::bit_cast<std::uint64_t>(results[p]))
                    << "x = " << points[p] << ": " << byText.value_or(12345.0) << " vs "
                    << results[p];
            }
        }
        EXPECT_GT(accepted, 500);
    }

    // Parameters are operands of their own: the evaluator reads them from the storage it is
    // bound to at every evaluation, so a slider's new value needs no new evaluator, and the text
    // evaluator given the same values agrees to the bit.
    TEST(Expression, ParametersAreReadAtEveryEvaluation)
    {
        const Expression scaled = prepare("k*x", "x");
        ASSERT_EQ(scaled.nodes.size(), 1u);
        EXPECT_EQ(scaled.nodes[0].leftKind, OperandKind::Parameter);
        EXPECT_EQ(scaled.nodes[0].leftConstant, 1.0); // "k" is the second parameter

        struct Case {
            const char* text;
            std::vector<std::array<double, kParameterCount>> values;
        };
        const Case cases[] = {
            { "k*x", { { 0, 2, 0, 0, 0, 0 }, { 0, -0.5, 0, 0, 0, 0 } } },
            { "sin(k*x)+m", { { 0, 3, 1, 0, 0, 0 }, { 0, 1e6, -2, 0, 0, 0 } } },
            { "x^k", { { 0, 3, 0, 0, 0, 0 }, { 0, 2.5, 0, 0, 0, 0 }, { 0, -2, 0, 0, 0, 0 } } },
            { "j+k+m+v+w+z", { { 1, 2, 4, 8, 16, 32 } } },
            { "k", { { 0, 7, 0, 0, 0, 0 } } },
        };
        for (const Case& row : cases) {
            SCOPED_TRACE(row.text);
            std::array<double, kParameterCount> storage {};
            ExpressionEvaluator evaluator(prepare(row.text, "x"), storage);
            for (const auto& values : row.values) {
                storage = values; // what a slider does
                for (const double x : { -2.0, -0.5, 0.0, 1.5, 3.0 }) {
                    const auto byText = evaluateText(row.text, "x", x, values);
                    const auto byExpression = evaluator.evaluate(x);
                    ASSERT_EQ(byText.has_value(), byExpression.has_value()) << "x = " << x;
                    if (byText) {
                        EXPECT_EQ(*byText, *byExpression) << "x = " << x;
                    }
                }
            }
        }
        std::array<double, kParameterCount> storage = { 0, 3, 0, 0, 0, 0 };
        ExpressionEvaluator cube(prepare("x^k", "x"), storage);
        EXPECT_EQ(cube.evaluate(-2), -8.0);
        storage[1] = 0.5; // a negative base has no half power
        EXPECT_EQ(cube.evaluate(-2), std::nullopt);
        EXPECT_EQ(cube.evaluate(4), 2.0);
        EXPECT_EQ(evaluateText("j+k+m+v+w+z", "x", 0, storage), 0.5);

        // Without values a parameter reads 0, as the bare letter always has.
        EXPECT_EQ(ExpressionEvaluator(prepare("k+1", "x")).evaluate(5), 1.0);
        EXPECT_EQ(evaluateText("k+1", "x", 5), 1.0);
    }

} // namespace
} // namespace ovilan
