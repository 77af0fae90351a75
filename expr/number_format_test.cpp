#include "expr/formula_check.h"
#include "expr/number_format.h"
#include "expr/text_evaluator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace ovilan {
namespace {

    TEST(NumberFormat, WritesFormulaText)
    {
        struct Case {
            const char* name;
            double value;
            const char* text;
        };
        const Case cases[] = {
            { "PiToTenDigits", 3.141592653589793, "3.141592654" },
            { "TenDigitWholeNumberStaysFixed", 1234567890, "1234567890" },
            { "ElevenDigitsBecomePowerOfTen", 12345678901, "1.23456789*10^10" },
            { "PowerOfTen", 1e11, "1*10^11" },
            { "RoundingCarriesIntoExponent", 99999999999, "1*10^11" },
            { "RoundingReachesTenDigitsAndExponent", 9999999999.5, "1*10^10" },
            { "SmallestFixed", 0.0001, "0.0001" },
            { "RoundingReachesFixedRange", 0.000099999999999, "0.0001" },
            { "NegativeExponentInBrackets", 0.00001, "1*10^(-5)" },
            { "NegativeExponentWithMantissa", 2.5e-7, "2.5*10^(-7)" },
            { "NegativeLarge", -1.5e20, "-1.5*10^20" },
            { "ThreeDigitExponent", 1e100, "1*10^100" },
            { "LargestDouble", std::numeric_limits<double>::max(), "1.797693135*10^308" },
            { "SmallestSubnormal", 5e-324, "4.940656458*10^(-324)" },
            { "Zero", 0, "0" },
            { "NegativeFraction", -0.5, "-0.5" },
            { "TrailingZerosDropped", 0.1234567890123, "0.123456789" },
            { "FractionCutToTenDigits", 12345.678901234, "12345.6789" },
        };
        for (const Case& row : cases)
            EXPECT_EQ(formatNumber(row.value), row.text) << row.name;
    }

    // Every shown number can be typed back: the text has no "e", blank or "+", checks as a
    // constant to itself and evaluates to the value within ten significant digits.
    TEST(NumberFormat, TextChecksAndEvaluatesBackToTheValue)
    {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> mantissa(1, 10);
        std::uniform_int_distribution<int> exponent(-300, 300);
        for (int i = 0; i < 2000; ++i) {
            const double sign = i % 2 ? -1 : 1;
            const double value = sign * mantissa(random) * std::pow(10.0, exponent(random));
            const std::string text = formatNumber(value);
            SCOPED_TRACE(text);
            ASSERT_EQ(text.find_first_of("eE +"), std::string::npos);
            std::string checked = text;
            ASSERT_EQ(checkFormula(checked, " "), 0);
            EXPECT_EQ(checked, text);
            const auto back = evaluateText(text, " ", 0);
            ASSERT_TRUE(back.has_value());
            EXPECT_NEAR(*back, value, std::fabs(value) * 5e-10);
        }
    }

    TEST(NumberFormat, RoundsToMagnitude)
    {
        struct Case {
            const char* name;
            double value;
            double magnitude;
            double expected;
        };
        const Case cases[] = {
            { "QuarterKeepsThousandths", 1.23456, 0.25, 1.235 },
            { "HundredsKeepUnits", 1234.5, 250, 1235 },
            { "HalfGoesTowardPlusInfinity", 0.125, 1, 0.13 },
            { "NegativeHalfGoesTowardPlusInfinity", -0.125, 1, -0.12 },
            { "NegativeRoundsDown", -987.654, 10, -987.7 },
            { "SmallMagnitude", 0.00123456, 0.001, 0.00123 },
            { "BelowResolutionBecomesZero", 0.0001234, 0.25, 0 },
            { "TinyValue", 1.5e-7, 1e-7, 1.5e-7 },
        };
        for (const Case& row : cases) {
            double value = row.value;
            EXPECT_TRUE(roundToMagnitude(value, row.magnitude)) << row.name;
            EXPECT_DOUBLE_EQ(value, row.expected) << row.name;
        }

        // 114 / 0.00001 is 11399999.999999998; the decimal text makes it exact again.
        double large = 11403000;
        EXPECT_TRUE(roundToMagnitude(large, 1e7));
        EXPECT_EQ(large, 11400000.0);

        double huge = 1.7e308;
        EXPECT_FALSE(roundToMagnitude(huge, 1e308));
    }

} // namespace
} // namespace ovilan
