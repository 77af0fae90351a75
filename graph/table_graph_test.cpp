#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "render/memory_canvas.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    // Plot 0..100 on both axes of a 101 x 101 canvas, one pixel per unit, y growing upward.
    struct TableScene {
        TableScene()
        {
            settings.xAxis.min = 0;
            settings.xAxis.max = 100;
            settings.yAxis.min = 0;
            settings.yAxis.max = 100;
            mapping.plotRect = { 0, 0, 100, 100 };
            mapping.xOffset = -50;
            mapping.yOffset = -50;
            table.colorIndex = 0;
            table.markerStyle.pointColor = 0;
        }

        void row(int r, const char* x, const char* y, const char* label = "")
        {
            const auto i = static_cast<std::size_t>(r);
            table.cellX[i] = x;
            table.cellY[i] = y;
            table.cellLabel[i] = label;
        }

        PlotSettings settings;
        PlotMapping mapping;
        CTableGraph table { settings };
        MemoryCanvas canvas { 101, 101 };
    };

    TEST(TableGraph, MarkersCarryTheRowLabelsAndTheTemplateCaption)
    {
        TableScene scene;
        scene.row(5, "10", "10", "first");
        scene.row(6, "20", "", "skipped: no y");
        scene.row(9, "50", "30");
        scene.table.showLines = 0;
        scene.table.showPoints = 1;
        scene.table.computePoints();
        scene.table.draw(scene.canvas, scene.mapping);
        // A point with an empty label gets only its marker; no line joins the two.
        ASSERT_EQ(scene.canvas.texts().size(), 1U);
        EXPECT_EQ(scene.canvas.texts()[0].text, "first");
        EXPECT_EQ(scene.canvas.pixel(10, 86), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(50, 66), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(30, 80), colorOf(15));

        TableScene suffixed;
        suffixed.row(0, "10", "10", "P");
        suffixed.row(1, "50", "30");
        suffixed.table.showLines = 0;
        suffixed.table.showPoints = 1;
        suffixed.table.markerStyle.caption = " m";
        suffixed.table.computePoints();
        suffixed.table.draw(suffixed.canvas, suffixed.mapping);
        ASSERT_EQ(suffixed.canvas.texts().size(), 2U);
        EXPECT_EQ(suffixed.canvas.texts()[0].text, "P m");
        EXPECT_EQ(suffixed.canvas.texts()[1].text, " m");
    }

    TEST(TableGraph, LinesAreClippedButNeverBrokenByTheGap)
    {
        TableScene scene;
        scene.row(0, "-1000", "50");
        scene.row(1, "1000", "50");
        scene.table.computePoints();
        EXPECT_EQ(scene.table.maxGap, 1);
        scene.table.draw(scene.canvas, scene.mapping);
        for (std::int32_t x = 0; x <= 100; x += 10)
            EXPECT_EQ(scene.canvas.pixel(x, 50), colorOf(0)) << x;
        EXPECT_TRUE(scene.canvas.texts().empty());

        // The same jump in a function graph is more than 1 % of the range and is left out.
        CYofXGraph steep(scene.settings);
        steep.colorIndex = 0;
        ASSERT_EQ(steep.setFormula("1000*x-50000", 0), 0);
        steep.intervalFrom = 49;
        steep.intervalTo = 51;
        steep.steps = 2;
        steep.maxGap = 1;
        steep.computePoints();
        MemoryCanvas canvas(101, 101);
        steep.draw(canvas, scene.mapping);
        EXPECT_EQ(canvas.asciiArt().find('#'), std::string::npos);
    }

    TEST(TableGraph, EmptyTableDrawsNothing)
    {
        TableScene scene;
        scene.table.showPoints = 1;
        scene.table.computePoints();
        EXPECT_EQ(scene.table.describe(), "Table 0 elements");
        EXPECT_TRUE(scene.table.draw(scene.canvas, scene.mapping));
        EXPECT_EQ(scene.canvas.asciiArt().find('#'), std::string::npos);
        EXPECT_TRUE(scene.canvas.texts().empty());
    }

} // namespace
} // namespace ovilan
