#include "render/legend.h"
#include "render/memory_canvas.h"

#include <gtest/gtest.h>
#include <vector>

namespace ovilan {
namespace {

    // The memory canvas's 9-point legend font: 12 pixels tall, 6 wide per character.
    constexpr std::int32_t kLineHeight = 12;
    constexpr std::int32_t kCharWidth = 6;

    struct LegendScene {
        LegendScene() { legend.shown = 1; }

        void draw(const std::vector<LegendEntry>& entries)
        {
            drawLegend(canvas, mapping, legend, entries);
        }

        LegendSettings legend;
        PlotMapping mapping { { 40, 60, 340, 200 } };
        MemoryCanvas canvas { 400, 300 };
    };

    const std::vector<LegendEntry> kEntries = {
        { "sine", 9, 1, 0 },
        { "", 10, 2, 1 },
        { "a parabola", 12, 1, 0 },
    };

    TEST(Legend, RightWithSamplesEndsTheLongestText15PixelsBeyondThePlot)
    {
        LegendScene scene;
        scene.legend.horizontalPosition = 2;
        scene.draw(kEntries);
        const std::int32_t widest = 10 * kCharWidth;
        const std::int32_t blockLeft = 340 - widest - 72 + 15;
        const auto& texts = scene.canvas.texts();
        ASSERT_EQ(texts.size(), 3U);
        for (std::size_t j = 0; j < texts.size(); ++j) {
            const auto row = static_cast<std::int32_t>(j);
            // Bottom: the lines start 20 pixels below the plot rectangle, h + 5 apart.
            const std::int32_t top = 200 + 20 + row * (kLineHeight + 5);
            EXPECT_EQ(texts[j].left, blockLeft + 72);
            EXPECT_EQ(texts[j].top, top);
            // The sample runs 52 pixels from the block's left edge through the line's middle.
            const Rgb pen = colorOf(kEntries[j].color);
            EXPECT_EQ(scene.canvas.pixel(blockLeft, top + kLineHeight / 2), pen);
            EXPECT_EQ(scene.canvas.pixel(blockLeft + 52, top + kLineHeight / 2), pen);
            EXPECT_EQ(scene.canvas.pixel(blockLeft + 53, top + kLineHeight / 2), colorOf(15));
        }
        // An empty legend text still takes its line, with its sample.
        EXPECT_EQ(texts[1].text, "");
        EXPECT_EQ(
            scene.canvas.pixel(blockLeft + 1, texts[1].top + kLineHeight / 2 + 1), colorOf(10));
    }

    TEST(Legend, TopLeftWithoutSamplesEndsTheBlockAboveThePlot)
    {
        LegendScene scene;
        scene.legend.horizontalPosition = 0;
        scene.legend.verticalPosition = 0;
        scene.legend.showSamples = 0;
        scene.draw(kEntries);
        const auto& texts = scene.canvas.texts();
        ASSERT_EQ(texts.size(), 3U);
        EXPECT_EQ(texts[0].left, 40 - 15);
        EXPECT_EQ(texts[0].top, 60 - 15 - 3 * (kLineHeight + 5));
        EXPECT_EQ(texts[2].top, 60 - 15 - (kLineHeight + 5));
        EXPECT_EQ(scene.canvas.asciiArt().find('#'), std::string::npos);
    }

    TEST(Legend, TextColourIsTheLegendsOrEachGraphs)
    {
        for (const std::int32_t asGraphs : { 0, 1 }) {
            LegendScene scene;
            scene.legend.textColorAsGraphs = asGraphs;
            scene.legend.textColor = 4;
            scene.draw(kEntries);
            for (std::size_t j = 0; j < kEntries.size(); ++j)
                EXPECT_EQ(scene.canvas.texts()[j].state.textColor,
                    colorOf(asGraphs ? kEntries[j].color : 4));
            // The canvas's own text colour is back as it was.
            EXPECT_EQ(scene.canvas.textState(), TextState());
        }
    }

    TEST(Legend, CentredBlockAndHiddenLegend)
    {
        LegendScene scene;
        scene.draw({ { "abcd", 1, 1, 0 } });
        EXPECT_EQ(scene.canvas.texts()[0].left, (40 + 340 - 4 * kCharWidth - 72) / 2 + 72);
        LegendScene hidden;
        hidden.legend.shown = 0;
        hidden.draw(kEntries);
        EXPECT_TRUE(hidden.canvas.texts().empty());
    }

} // namespace
} // namespace ovilan
