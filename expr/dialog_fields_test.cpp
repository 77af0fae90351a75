#include "expr/dialog_fields.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    TEST(IntegerField, ReadsAsTheCLibraryDoes)
    {
        struct Case {
            const char* text;
            std::int32_t value; // when accepted
            bool accepted;
        };
        const Case cases[] = {
            { "42", 42, true },
            { "  42 \t", 42, true },
            { "\t-7", -7, true },
            { "+15", 15, true },
            { "0", 0, true },
            { "00", 0, true },
            { "-0", 0, false },
            { "+0", 0, false },
            { "", 0, false },
            { "   ", 0, false },
            { "abc", 0, false },
            { "12.5", 0, false },
            { "1e3", 0, false },
            { "7x", 0, false },
            { "- 5", 0, false },
        };
        for (const Case& c : cases) {
            const IntegerField field = readIntegerField(c.text, -100, 100);
            EXPECT_EQ(field.refusal.empty(), c.accepted) << '"' << c.text << '"';
            if (c.accepted)
                EXPECT_EQ(field.value, c.value) << c.text;
            else
                EXPECT_EQ(field.refusal, "Please enter an integer.") << c.text;
            EXPECT_FALSE(field.warning);
        }
    }

    TEST(IntegerField, RangeAndThirtyTwoBitLimits)
    {
        const IntegerField zero = readIntegerField("0", 1, 20000);
        EXPECT_EQ(zero.refusal, "Please enter an integer between 1 and 20000.");
        EXPECT_TRUE(zero.warning);
        EXPECT_TRUE(readIntegerField("20000", 1, 20000).refusal.empty());
        EXPECT_FALSE(readIntegerField("20001", 1, 20000).refusal.empty());
        // Eleven digits read as the largest 32-bit value, then fail the range.
        const IntegerField huge = readIntegerField("99999999999", 1, 20000);
        EXPECT_EQ(huge.value, 2147483647);
        EXPECT_TRUE(huge.warning);
        EXPECT_EQ(readIntegerField("-99999999999", -2147483647 - 1, 0).value, -2147483647 - 1);
        EXPECT_EQ(
            readIntegerField("21", 0, 20).refusal, "Please enter an integer between 0 and 20.");
        // Only 31 characters count: what follows them is not looked at.
        EXPECT_TRUE(readIntegerField("5" + std::string(30, ' ') + "x", 0, 20).refusal.empty());
    }

    TEST(ConstantField, AcceptsConstantFormulasOnly)
    {
        // A constant's normal form is its value in ten significant digits.
        EXPECT_EQ(checkConstantField("2pi").value_or("refused"), "6.283185308");
        EXPECT_DOUBLE_EQ(constantFieldValue(*checkConstantField("sqrt(2)/2")), 0.707106781);
        EXPECT_DOUBLE_EQ(constantFieldValue(*checkConstantField("-10")), -10);
        for (const char* refused : { "", "x", "ln(0)", "1/0", "abc" })
            EXPECT_FALSE(checkConstantField(refused)) << refused;
    }

} // namespace
} // namespace ovilan
