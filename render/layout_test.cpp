#include "render/layout.h"
#include "render/memory_canvas.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    PlotMapping laidOut(
        const PlotSettings& settings, int legendEntries = 0, DeviceRect area = { 0, 0, 430, 330 })
    {
        const MemoryCanvas canvas(1, 1);
        PlotMapping mapping;
        mapping.plotRect = area;
        layoutPlot(mapping, canvas, settings, legendEntries);
        return mapping;
    }

    TEST(Layout, CrossingAxesMapTheRangeOntoTheInsetRectangle)
    {
        const PlotMapping mapping = laidOut(PlotSettings());
        // Texts of the default fonts are narrower than the 15-pixel margins at this size.
        EXPECT_EQ(mapping.plotRect, (DeviceRect { 30, 30, 400, 300 }));
        EXPECT_EQ(plotToDevice(mapping, 0, 0), (DevicePoint { 215, 165, true }));
        EXPECT_EQ(plotToDevice(mapping, -10, 10), (DevicePoint { 30, 30, true }));
        EXPECT_EQ(plotToDevice(mapping, 10, -10), (DevicePoint { 400, 300, true }));
    }

    TEST(Layout, HiddenAxesKeepTheSameRectangle)
    {
        PlotSettings settings;
        settings.xAxis.min = 0;
        settings.yAxis.labelSuffix = " units";
        const PlotMapping shown = laidOut(settings);
        settings.yAxis.showAxis = 0;
        settings.yAxis.showLabels = 0;
        EXPECT_EQ(laidOut(settings).plotRect, shown.plotRect);
        // With min 0 the Y axis stands on the left edge: room for its left-hanging labels,
        // "-8 units" is 8 characters of 6 pixels.
        EXPECT_EQ(shown.plotRect.left, 15 + 48);
    }

    TEST(Layout, LegendBandCountsOnlyShownEntries)
    {
        PlotSettings settings;
        settings.legend.shown = 1;
        settings.legend.verticalPosition = 0;
        const PlotMapping mapping = laidOut(settings, 3);
        // "A" in 9 pt at 96 dpi is 12 pixels tall: three lines of 17 pixels.
        EXPECT_EQ(mapping.plotRect.top, 30 + 3 * 17);
    }

    TEST(Layout, EqualScaleCentresTheShorterSide)
    {
        PlotSettings settings;
        settings.general.equalScale = 1;
        const PlotMapping mapping = laidOut(settings);
        EXPECT_EQ(mapping.xScale, mapping.yScale);
        EXPECT_EQ(mapping.plotRect.left, 30 + 50);
        EXPECT_EQ(mapping.plotRect.right, 400 - 50);
    }

    TEST(Layout, ReversedAxesMirror)
    {
        PlotSettings settings;
        settings.xAxis.direction = -1;
        settings.yAxis.direction = -1;
        const PlotMapping mapping = laidOut(settings);
        EXPECT_EQ(plotToDevice(mapping, 10, 10), (DevicePoint { 30, 300, true }));
    }

    TEST(Layout, SettingsNoDialogWritesStillLayOutSoundly)
    {
        // A direction other than +1 / -1 counts by its sign; a font of two billion points is
        // measured at the largest drawn size; margins that would exceed any device are pinned.
        PlotSettings settings;
        settings.xAxis.direction = 7;
        settings.yAxis.direction = -3;
        PlotSettings plain;
        plain.yAxis.direction = -1;
        EXPECT_EQ(laidOut(settings), laidOut(plain));

        const MemoryCanvas canvas(1, 1);
        EXPECT_EQ(canvas.measureText(makeFont("Arial", 2000000000, 0), "A").height, kMaxFontPixels);
        EXPECT_EQ(canvas.measureText(makeFont("Arial", -8, 0), "A").height, 11);
        PlotSettings huge;
        huge.xAxis.min = -1;
        huge.xAxis.max = 1e9;
        huge.yAxis.caption = std::string(5000, 'W');
        huge.yAxis.captionFont.lfHeight = 2000000000;
        huge.yAxis.labelLayout = 1;
        const PlotMapping mapping = laidOut(huge);
        EXPECT_LT(mapping.plotRect.left, 2000000);
    }

} // namespace
} // namespace ovilan
