#include "render/cursor_readout.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    AxisSettings range(double min, double max)
    {
        AxisSettings axis;
        axis.min = min;
        axis.max = max;
        return axis;
    }

    TEST(CursorReadout, DecimalsFollowTheRangeAndAreCutDownward)
    {
        EXPECT_EQ(cursorCoordinate(3.2571, range(-10, 10)), "3.25");
        EXPECT_EQ(cursorCoordinate(512.3456, range(0, 1000)), "512.3");
        EXPECT_EQ(cursorCoordinate(-1.234, range(-500, 500)), "-1.3");
        EXPECT_EQ(cursorCoordinate(0.001234567, range(0, 0.01)), "0.001234");
        EXPECT_EQ(cursorCoordinate(-3.2571, range(-10, 10)), "-3.26");
        EXPECT_EQ(cursorCoordinate(7, range(-10, 10)), "7");
    }

    TEST(CursorReadout, PowerOfTenFormIsShownAsFormatted)
    {
        EXPECT_EQ(cursorCoordinate(0.00001234, range(-10, 10)), "1.234*10^(-5)");
        EXPECT_EQ(cursorCoordinate(1.5e20, range(0, 1e21)), "1.5*10^20");
    }

} // namespace
} // namespace ovilan
