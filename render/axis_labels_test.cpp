#include "render/axis_labels.h"

#include <gtest/gtest.h>
#include <string>

namespace ovilan {
namespace {

    AxisSettings axis(double min, double max, double labelStep)
    {
        AxisSettings settings;
        settings.min = min;
        settings.max = max;
        settings.labelStep = labelStep;
        return settings;
    }

    TEST(AxisLabels, EveryMultipleInTheRangeWithCleanTexts)
    {
        const auto labels = axisLabels(axis(-10, 10, 0.02), LabelOrder::Upward, ZeroLabel::Drawn);
        ASSERT_EQ(labels.size(), 1001U);
        EXPECT_EQ(labels.front(), (AxisLabel { -10, "-10" }));
        EXPECT_EQ(labels[500], (AxisLabel { 0, "0" }));
        EXPECT_EQ(labels[515].text, "0.3");
        EXPECT_EQ(labels.back(), (AxisLabel { 10, "10" }));
        for (const AxisLabel& label : labels)
            EXPECT_LE(label.text.size(), 5U) << label.text;

        const auto down
            = axisLabels(axis(-1, 1, 0.5), LabelOrder::Downward, ZeroLabel::LeftToOrigin);
        ASSERT_EQ(down.size(), 4U);
        EXPECT_EQ(down.front().text, "1");
        EXPECT_EQ(down[1].text, "0.5");
        EXPECT_EQ(down[2].text, "-0.5");
    }

    TEST(AxisLabels, TooManyLabelsOrCharactersGiveNone)
    {
        const auto count = static_cast<double>(kMaxLabelsPerAxis);
        EXPECT_EQ(axisLabels(axis(1, count, 1), LabelOrder::Upward, ZeroLabel::Drawn).size(),
            static_cast<std::size_t>(kMaxLabelsPerAxis));
        EXPECT_TRUE(
            axisLabels(axis(1, count + 1, 1), LabelOrder::Upward, ZeroLabel::Drawn).empty());
        // A step far below the precision of the range ends at once.
        EXPECT_TRUE(
            axisLabels(axis(-1e200, 1e200, 1e-300), LabelOrder::Upward, ZeroLabel::Drawn).empty());

        // Labels 1 to 100, each with its additional string: the characters are counted in full.
        AxisSettings suffixed = axis(1, 100, 1);
        const std::size_t numbers = 9 * 1 + 90 * 2 + 3;
        suffixed.labelSuffix = std::string(
            (static_cast<std::size_t>(kMaxLabelCharactersPerAxis) - numbers) / 100, 'm');
        const auto labels = axisLabels(suffixed, LabelOrder::Upward, ZeroLabel::Drawn);
        ASSERT_EQ(labels.size(), 100U);
        EXPECT_EQ(labels[41].text, "42" + suffixed.labelSuffix);
        suffixed.labelSuffix += "m";
        EXPECT_TRUE(axisLabels(suffixed, LabelOrder::Upward, ZeroLabel::Drawn).empty());
    }

} // namespace
} // namespace ovilan
