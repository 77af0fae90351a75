#include "document/document_test_support.h"
#include "document/draw_plot.h"
#include "render/layout.h"
#include "render/memory_canvas.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::yOfX;

    struct PlotScene {
        PlotScene()
        {
            document.general.backgroundColor = 3;
            document.xAxis.caption.clear();
            document.yAxis.caption.clear();
        }

        std::unique_ptr<CFunctionGraph> graph(const char* formula, ColorIndex color)
        {
            auto made = yOfX(document, formula);
            made->colorIndex = color;
            return made;
        }

        void render()
        {
            document.refreshGraphs();
            renderPicture(canvas, document, 240, 200);
            mapping.plotRect = { 0, 0, 240, 200 };
            layoutDocument(mapping, canvas, document);
        }

        bool anyPixel(Rgb color) const
        {
            for (std::int32_t y = 0; y < canvas.height(); ++y)
                for (std::int32_t x = 0; x < canvas.width(); ++x)
                    if (canvas.pixel(x, y) == color)
                        return true;
            return false;
        }

        AppPreferences preferences;
        COvilanDoc document { preferences };
        MemoryCanvas canvas { 240, 200 };
        PlotMapping mapping;
    };

    TEST(DrawPlot, GraphsLieOverTheAxesAndLabelsOverTheGraphs)
    {
        PlotScene scene;
        scene.document.insertGraph(scene.graph("0", 9), 0);
        auto hidden = scene.graph("5", 10);
        hidden->showGraph = 0;
        scene.document.insertGraph(std::move(hidden), 1);
        CPlotLabel label;
        label.x = 5;
        label.caption = "here";
        label.horizontalAlign = 1;
        label.verticalAlign = 1;
        label.backgroundColor = 14;
        scene.document.insertLabel(label, 0);
        scene.render();

        const DevicePoint onAxis = plotToDevice(scene.mapping, -3, 0);
        EXPECT_EQ(scene.canvas.pixel(onAxis.x, onAxis.y), colorOf(9));
        const DevicePoint under = plotToDevice(scene.mapping, 5, 0);
        EXPECT_EQ(scene.canvas.pixel(under.x, under.y), colorOf(14));
        EXPECT_FALSE(scene.anyPixel(colorOf(10)));
    }

    TEST(DrawPlot, OnlyShownGraphsInTheLegendTakeALine)
    {
        PlotScene scene;
        scene.document.legend.shown = 1;
        scene.document.insertGraph(scene.graph("x", 1), 0);
        auto hidden = scene.graph("2x", 2);
        hidden->showGraph = 0;
        scene.document.insertGraph(std::move(hidden), 1);
        auto unlisted = scene.graph("3x", 4);
        unlisted->showInLegend = 0;
        scene.document.insertGraph(std::move(unlisted), 2);
        scene.document.graph(0).setLegendText("first");
        const auto entries = legendEntries(scene.document);
        ASSERT_EQ(entries.size(), 1U);
        EXPECT_EQ(entries[0].text, "first");
        EXPECT_EQ(entries[0].color, 1);

        scene.render();
        // The legend text is drawn opaque on the document's background colour.
        bool found = false;
        for (const auto& text : scene.canvas.texts())
            if (text.text == "first") {
                found = true;
                EXPECT_EQ(text.state.backgroundMode, BackgroundMode::Opaque);
                EXPECT_EQ(text.state.backgroundColor, colorOf(3));
            }
        EXPECT_TRUE(found);
        // The layout reserves the band for that one line.
        PlotMapping oneLine;
        oneLine.plotRect = { 0, 0, 240, 200 };
        layoutPlot(oneLine, scene.canvas, scene.document, 1);
        EXPECT_EQ(oneLine, scene.mapping);
    }

    TEST(DrawPlot, PictureFillsTheBackgroundAndLeavesNoOtherState)
    {
        PlotScene scene;
        scene.render();
        EXPECT_EQ(scene.canvas.pixel(0, 0), colorOf(3));
        EXPECT_EQ(scene.canvas.pixel(239, 199), colorOf(3));
        EXPECT_EQ(scene.canvas.textState().backgroundColor, colorOf(3));
        EXPECT_EQ(scene.canvas.textState().textColor, colorOf(0));
        EXPECT_EQ(scene.canvas.textState().backgroundMode, BackgroundMode::Opaque);
    }

} // namespace
} // namespace ovilan
