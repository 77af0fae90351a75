#include "render/plot_mapping.h"

#include <gtest/gtest.h>
#include <limits>

namespace ovilan {
namespace {

    // X -10..10 on 400 pixels, Y -10..10 on 300 pixels, as the layout leaves them.
    PlotMapping mapping400(std::int32_t xDirection = 1, std::int32_t yDirection = 1)
    {
        PlotMapping mapping;
        mapping.plotRect = { 0, 0, 400, 300 };
        mapping.xScale = 20;
        mapping.yScale = 15;
        mapping.xDirection = xDirection;
        mapping.yDirection = yDirection;
        return mapping;
    }

    TEST(PlotMapping, RangeEndsFallOnTheEdges)
    {
        const PlotMapping mapping = mapping400();
        EXPECT_EQ(plotToDevice(mapping, 0, 0), (DevicePoint { 200, 150, true }));
        EXPECT_EQ(plotToDevice(mapping, -10, 10), (DevicePoint { 0, 0, true }));
        EXPECT_EQ(plotToDevice(mapping, 10, -10), (DevicePoint { 400, 300, true }));
        EXPECT_FALSE(plotToDevice(mapping, 10.05, 0).inside);
    }

    TEST(PlotMapping, ReversedDirectionsMirror)
    {
        const PlotMapping mapping = mapping400(-1, -1);
        EXPECT_EQ(plotToDevice(mapping, 10, 10), (DevicePoint { 0, 300, true }));
        const PlotPoint back = deviceToPlot(mapping, 0, 300);
        EXPECT_DOUBLE_EQ(back.x, 10);
        EXPECT_DOUBLE_EQ(back.y, 10);
        EXPECT_TRUE(back.inside);
    }

    TEST(PlotMapping, RoundsHalvesUpAndClampsFarPoints)
    {
        EXPECT_EQ(roundToDevice(2.5), 3);
        EXPECT_EQ(roundToDevice(-2.5), -2);
        EXPECT_EQ(roundToDevice(1e300), std::numeric_limits<std::int32_t>::max());
        EXPECT_EQ(roundToDevice(-1e300), std::numeric_limits<std::int32_t>::min());
        const DevicePoint far = plotToDevice(mapping400(), 1e300, -1e300);
        EXPECT_EQ(far,
            (DevicePoint { std::numeric_limits<std::int32_t>::max(),
                std::numeric_limits<std::int32_t>::max(),
                false }));
    }

    TEST(PlotMapping, MidpointsTruncate)
    {
        PlotMapping mapping = mapping400();
        mapping.plotRect = { 1, 1, 4, 4 }; // midpoint 1 + 3 / 2 = 2
        EXPECT_EQ(plotToDevice(mapping, 0, 0), (DevicePoint { 2, 2, true }));
    }

} // namespace
} // namespace ovilan
