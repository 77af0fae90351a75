#include "render/grid.h"
#include "render/memory_canvas.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    // Y -3..3 on rows 0..6 of a 5 x 7 canvas, one row per unit; X -2..2 on columns 0..4.
    struct GridScene {
        GridScene()
        {
            settings.xAxis.min = -2;
            settings.xAxis.max = 2;
            settings.yAxis.min = -3;
            settings.yAxis.max = 3;
            settings.grid.horizontal.step = 1;
            settings.grid.horizontal.shown = 1;
            settings.grid.horizontal.color = 0;
            mapping.plotRect = { 0, 0, 4, 6 };
        }
        std::string draw()
        {
            MemoryCanvas canvas(5, 7);
            drawGrid(canvas, mapping, settings);
            return canvas.asciiArt();
        }
        PlotSettings settings;
        PlotMapping mapping;
    };

    TEST(Grid, HorizontalLinesLeaveOutTheCrossingAxis)
    {
        GridScene scene;
        EXPECT_EQ(scene.draw(), "#####\n#####\n#####\n.....\n#####\n#####\n#####\n");
        scene.settings.general.rectangularAxes = 1;
        EXPECT_EQ(scene.draw(), "#####\n#####\n#####\n#####\n#####\n#####\n#####\n");
        scene.settings.general.rectangularAxes = 0;
        scene.settings.xAxis.showAxis = 0;
        EXPECT_EQ(scene.draw().find('.'), std::string::npos);
    }

    TEST(Grid, LinesOnlyAtMultiplesWithinTheRange)
    {
        GridScene scene;
        scene.settings.grid.horizontal.shown = 0;
        scene.settings.grid.vertical.shown = 1;
        scene.settings.grid.vertical.step = 1;
        scene.settings.grid.vertical.color = 0;
        scene.settings.xAxis.min = -2.5;
        scene.settings.xAxis.max = 2.5;
        scene.mapping.plotRect = { 0, 0, 4, 6 };
        // Columns at -2, -1, 1, 2 (plot x maps to column x + 2); none at the range ends.
        std::string columns;
        for (int row = 0; row < 7; ++row)
            columns += "##.##\n";
        EXPECT_EQ(scene.draw(), columns);
    }

    TEST(Grid, AStepFinerThanAPixelDoesNotHang)
    {
        GridScene scene;
        scene.settings.grid.horizontal.step = 1e-12;
        EXPECT_EQ(scene.draw().find('.'), std::string::npos);
    }

} // namespace
} // namespace ovilan
