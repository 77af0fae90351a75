#include "render/memory_canvas.h"
#include "render/plot_label.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    // Plot x and y 0..100 on a 101 x 101 canvas, one pixel per unit, y growing upward.
    PlotMapping unitMapping()
    {
        PlotMapping mapping;
        mapping.plotRect = { 0, 0, 100, 100 };
        mapping.xOffset = -50;
        mapping.yOffset = -50;
        return mapping;
    }

    // A label at device (40, 60) with the caption "abc": 18 x 11 pixels in the 8-point font.
    CPlotLabel labelAt4060()
    {
        CPlotLabel label;
        label.x = 40;
        label.y = 40;
        label.caption = "abc";
        return label;
    }

    TEST(PlotLabel, CaptionBoxFollowsTheAlignments)
    {
        const MemoryCanvas canvas(101, 101);
        const PlotMapping mapping = unitMapping();
        struct Case {
            std::int32_t horizontal, vertical;
            DeviceRect box;
        };
        const Case cases[] = {
            { 0, 0, { 40 - 18 - 4 - 2, 60 - 11 - 4 - 2, 40 - 4 - 2, 60 - 4 - 2 } },
            { 1, 1, { 40 - 9, 60 - 5, 40 + 9, 60 + 6 } },
            { 2, 2, { 40 + 4 + 2, 60 + 4 + 2, 40 + 4 + 2 + 18, 60 + 4 + 2 + 11 } },
            { 2, 0, { 46, 43, 64, 54 } },
        };
        for (const Case& c : cases) {
            CPlotLabel label = labelAt4060();
            label.horizontalAlign = c.horizontal;
            label.verticalAlign = c.vertical;
            EXPECT_EQ(label.captionBox(canvas, mapping), c.box) << c.horizontal << c.vertical;
        }
    }

    TEST(PlotLabel, HitsExcludeTheBoxsRightAndBottomEdges)
    {
        const MemoryCanvas canvas(101, 101);
        const PlotMapping mapping = unitMapping();
        CPlotLabel label = labelAt4060(); // box (46, 66) - (64, 77)
        EXPECT_TRUE(label.hitTest(canvas, mapping, 46, 66));
        EXPECT_TRUE(label.hitTest(canvas, mapping, 63, 76));
        EXPECT_FALSE(label.hitTest(canvas, mapping, 64, 70));
        EXPECT_FALSE(label.hitTest(canvas, mapping, 50, 77));
        // Within the marker's radius, even with an empty caption.
        label.caption.clear();
        EXPECT_TRUE(label.hitTest(canvas, mapping, 40, 64));
        EXPECT_TRUE(label.hitTest(canvas, mapping, 42, 57)); // 4 + 9 <= 16
        EXPECT_FALSE(label.hitTest(canvas, mapping, 43, 57)); // 9 + 9 > 16
        label.showLabel = 0;
        label.showPoint = 0;
        label.caption = "abc";
        EXPECT_FALSE(label.hitTest(canvas, mapping, 40, 60));
        EXPECT_FALSE(label.hitTest(canvas, mapping, 50, 70));
    }

    TEST(PlotLabel, CentredCaptionCoversTheMarker)
    {
        MemoryCanvas canvas(101, 101);
        CPlotLabel label = labelAt4060();
        label.horizontalAlign = 1;
        label.verticalAlign = 1;
        label.pointColor = 9;
        label.draw(canvas, unitMapping());
        // The opaque white caption box (31, 55) - (49, 66) is drawn after the marker, over all of
        // it.
        EXPECT_EQ(canvas.texts().at(0).left, 40 - 9 + 1);
        EXPECT_EQ(canvas.asciiArt().find('#'), std::string::npos);
        CPlotLabel shifted = label;
        shifted.verticalAlign = 2;
        shifted.draw(canvas, unitMapping());
        EXPECT_EQ(canvas.pixel(40, 56), colorOf(0));
    }

    TEST(PlotLabel, MarkerIsAFilledBorderedCircle)
    {
        MemoryCanvas canvas(9, 9);
        PlotMapping mapping;
        mapping.plotRect = { 0, 0, 8, 8 };
        CPlotLabel label;
        label.showLabel = 0;
        label.pointColor = 1; // dark red, drawn as '#', like the black border
        label.draw(canvas, mapping);
        EXPECT_EQ(canvas.asciiArt(),
            "..#####..\n"
            ".#######.\n"
            "#########\n"
            "#########\n"
            "#########\n"
            "#########\n"
            "#########\n"
            ".#######.\n"
            "..#####..\n");
        EXPECT_EQ(canvas.pixel(4, 0), colorOf(0));
        EXPECT_EQ(canvas.pixel(4, 4), colorOf(1));
        EXPECT_EQ(canvas.pixel(1, 1), colorOf(0));
        // Without the border the outline takes the fill colour; a transparent marker keeps only a
        // black outline, whatever the border says.
        label.pointBorder = 0;
        label.draw(canvas, mapping);
        EXPECT_EQ(canvas.pixel(4, 0), colorOf(1));
        MemoryCanvas clear(9, 9);
        label.pointTransparent = 1;
        label.draw(clear, mapping);
        EXPECT_EQ(clear.pixel(4, 0), colorOf(0));
        EXPECT_EQ(clear.pixel(4, 4), colorOf(15));
        EXPECT_EQ(clear.pixel(1, 1), colorOf(0));
        EXPECT_EQ(clear.pixel(2, 2), colorOf(15));
    }

    TEST(PlotLabel, NothingIsDrawnWhenThePointLeftTheRange)
    {
        MemoryCanvas canvas(101, 101);
        CPlotLabel label = labelAt4060();
        label.x = 101; // just right of the rectangle, its caption box would be inside
        label.horizontalAlign = 0;
        label.labelBorder = 1;
        label.draw(canvas, unitMapping());
        EXPECT_TRUE(canvas.texts().empty());
        EXPECT_EQ(canvas.asciiArt().find('#'), std::string::npos);
        // On the edge it is still inside.
        label.x = 100;
        label.draw(canvas, unitMapping());
        EXPECT_EQ(canvas.texts().size(), 1U);
    }

    TEST(PlotLabel, OutlineOnlyDrawsTheFrameAndCircle)
    {
        MemoryCanvas canvas(101, 101);
        CPlotLabel label = labelAt4060();
        label.outlineOnly = 1;
        label.draw(canvas, unitMapping());
        EXPECT_TRUE(canvas.texts().empty());
        // Frame (46, 66) - (64, 77), edges drawn on both ends.
        for (const auto& [x, y] :
            { std::pair { 46, 66 }, { 64, 66 }, { 46, 77 }, { 64, 77 }, { 55, 77 } })
            EXPECT_EQ(canvas.pixel(x, y), colorOf(0)) << x << "," << y;
        EXPECT_EQ(canvas.pixel(55, 70), colorOf(15));
        EXPECT_EQ(canvas.pixel(40, 56), colorOf(0));
        EXPECT_EQ(canvas.pixel(40, 60), colorOf(15));
    }

    TEST(PlotLabel, CaptionStateIsRestored)
    {
        MemoryCanvas canvas(101, 101);
        CPlotLabel label = labelAt4060();
        label.textColor = 12;
        label.backgroundColor = 14;
        label.labelTransparent = 1;
        canvas.textState().backgroundColor = colorOf(7);
        const TextState before = canvas.textState();
        label.draw(canvas, unitMapping());
        const auto& drawn = canvas.texts().at(0).state;
        EXPECT_EQ(drawn.textColor, colorOf(12));
        EXPECT_EQ(drawn.backgroundColor, colorOf(14));
        EXPECT_EQ(drawn.backgroundMode, BackgroundMode::Transparent);
        EXPECT_EQ(canvas.textState(), before);
    }

} // namespace
} // namespace ovilan
