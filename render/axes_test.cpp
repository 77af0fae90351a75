#include "render/axes.h"
#include "render/layout.h"
#include "render/memory_canvas.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    // A 400 x 300 picture of the settings, with only the X axis texts unless a test asks for more.
    struct AxisScene {
        explicit AxisScene(std::int32_t width = 400)
            : canvas(width, 300)
        {
            settings.xAxis.min = -5;
            settings.xAxis.max = 5;
            settings.xAxis.labelStep = 1;
            settings.xAxis.tickStep = 1;
            settings.yAxis.showLabels = 0;
            settings.xAxis.caption.clear();
            settings.yAxis.caption.clear();
        }

        void draw()
        {
            mapping.plotRect = { 0, 0, canvas.width(), 300 };
            layoutPlot(mapping, canvas, settings, 0);
            drawAxes(canvas, mapping, settings, {});
            at = axisPositions(mapping, settings);
        }

        // The texts drawn, without the empty captions.
        std::vector<MemoryCanvas::DrawnText> texts() const
        {
            std::vector<MemoryCanvas::DrawnText> drawn;
            for (const auto& text : canvas.texts())
                if (!text.text.empty())
                    drawn.push_back(text);
            return drawn;
        }

        std::vector<std::string> words() const
        {
            std::vector<std::string> result;
            for (const auto& text : texts())
                result.push_back(text.text);
            return result;
        }

        std::int32_t column(double x) const { return plotToDevice(mapping, x, 0).x; }

        MemoryCanvas canvas;
        PlotSettings settings;
        PlotMapping mapping;
        AxisPositions at;
    };

    // The memory canvas's 8-point label font: 11 pixels tall, 6 wide per character.
    constexpr std::int32_t kLabelHeight = 11;
    constexpr std::int32_t kCharWidth = 6;

    TEST(Axes, CrossingLabelsLeaveZeroToTheOrigin)
    {
        AxisScene scene;
        scene.draw();
        EXPECT_EQ(scene.words(),
            (std::vector<std::string> {
                "-5", "-4", "-3", "-2", "-1", "1", "2", "3", "4", "5", "0" }));
        const auto texts = scene.texts();
        for (std::size_t i = 0; i < 10; ++i) {
            const double value = std::stod(texts[i].text);
            const auto width = static_cast<std::int32_t>(texts[i].text.size()) * kCharWidth;
            EXPECT_EQ(texts[i].left, scene.column(value) - width / 2) << texts[i].text;
            EXPECT_EQ(texts[i].top, scene.at.y + 5) << texts[i].text;
            EXPECT_EQ(texts[i].state.backgroundMode, BackgroundMode::Transparent);
        }
        // Only the X labels show, so the "0" moves only down, below the crossing point.
        const auto& zero = texts.back();
        EXPECT_EQ(zero.left, scene.at.x - kCharWidth / 2);
        EXPECT_EQ(zero.top, scene.at.y - kLabelHeight / 2 + (kLabelHeight / 2 + 3));
        // With the Y labels too it moves left of the Y axis as well, and is drawn once.
        AxisScene both;
        both.settings.yAxis.showLabels = 1;
        both.draw();
        const auto words = both.words();
        EXPECT_EQ(std::count(words.begin(), words.end(), "0"), 1);
        const auto origin = both.texts().back();
        EXPECT_EQ(origin.left, both.at.x - kCharWidth / 2 - (kCharWidth / 2 + 3));
    }

    TEST(Axes, RectangularAxesRunAlongTheFrameWithZeroAndNoArrows)
    {
        AxisScene scene;
        scene.settings.general.rectangularAxes = 1;
        scene.draw();
        const DeviceRect& r = scene.mapping.plotRect;
        EXPECT_EQ(scene.at.x, r.left);
        EXPECT_EQ(scene.at.y, r.bottom);
        EXPECT_EQ(scene.words(),
            (std::vector<std::string> {
                "-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5" }));
        // Both frame lines; no arrow tip beyond the right end.
        EXPECT_EQ(scene.canvas.pixel(r.left + 1, r.top), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(r.left + 1, r.bottom), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(r.right + 15, r.bottom), colorOf(15));
    }

    TEST(Axes, AnAxisOutsideItsRangeSticksToTheNearerEdge)
    {
        struct Case {
            double xMin, xMax, yMin, yMax;
            std::int32_t xDirection, yDirection;
            char xEdge, yEdge; // 'l', 'r' for the Y axis; 't', 'b' for the X axis; 'z' at zero
        };
        const Case cases[] = {
            { 2, 10, -5, 5, 1, 1, 'l', 'z' },
            { 2, 10, -5, 5, -1, 1, 'r', 'z' },
            { -10, -2, -5, 5, 1, 1, 'r', 'z' },
            { -5, 5, 1, 9, 1, 1, 'z', 'b' },
            { -5, 5, -9, -1, 1, 1, 'z', 't' },
            { -5, 5, 1, 9, 1, -1, 'z', 't' },
        };
        for (const Case& c : cases) {
            AxisScene scene;
            scene.settings.xAxis.min = c.xMin;
            scene.settings.xAxis.max = c.xMax;
            scene.settings.yAxis.min = c.yMin;
            scene.settings.yAxis.max = c.yMax;
            scene.settings.xAxis.direction = c.xDirection;
            scene.settings.yAxis.direction = c.yDirection;
            scene.draw();
            const DeviceRect& r = scene.mapping.plotRect;
            const DevicePoint zero = plotToDevice(scene.mapping, 0, 0);
            const std::int32_t x = c.xEdge == 'l' ? r.left : c.xEdge == 'r' ? r.right : zero.x;
            const std::int32_t y = c.yEdge == 't' ? r.top : c.yEdge == 'b' ? r.bottom : zero.y;
            EXPECT_EQ(scene.at.x, x) << c.xMin << ".." << c.xMax << " direction " << c.xDirection;
            EXPECT_EQ(scene.at.y, y) << c.yMin << ".." << c.yMax << " direction " << c.yDirection;
        }
    }

    TEST(Axes, LayoutSwapsTheSidesOfCaptionAndLabels)
    {
        for (const std::int32_t layout : { 0, 1 }) {
            AxisScene scene;
            scene.settings.xAxis.caption = "time";
            scene.settings.xAxis.labelLayout = layout;
            scene.draw();
            const auto texts = scene.texts();
            const auto caption = std::find_if(
                texts.begin(), texts.end(), [](const auto& t) { return t.text == "time"; });
            ASSERT_NE(caption, texts.end());
            // The caption ends where the crossing axis line ends, 15 pixels beyond the rectangle.
            EXPECT_EQ(caption->left, scene.mapping.plotRect.right + 15 - 4 * 7);
            const std::int32_t captionHeight = 13; // 10 points
            EXPECT_EQ(caption->top, layout ? scene.at.y + 10 : scene.at.y - captionHeight - 10);
            EXPECT_EQ(caption->state.textColor, colorOf(scene.settings.xAxis.captionColor));
            EXPECT_EQ(texts[1].top, layout ? scene.at.y - kLabelHeight - 5 : scene.at.y + 5);
        }
    }

    TEST(Axes, LabelTextsAreCleanMultiplesWithCoefficientAndSuffix)
    {
        AxisScene fractions;
        fractions.settings.xAxis.min = 0;
        fractions.settings.xAxis.max = 1;
        fractions.settings.xAxis.labelStep = 0.1;
        fractions.settings.xAxis.tickStep = 0.1;
        fractions.draw();
        EXPECT_EQ(fractions.words(),
            (std::vector<std::string> {
                "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1", "0" }));

        AxisScene scaled;
        scaled.settings.xAxis.min = -50;
        scaled.settings.xAxis.max = 50;
        scaled.settings.xAxis.labelStep = 10;
        scaled.settings.xAxis.labelCoefficient = 10;
        scaled.settings.xAxis.labelSuffix = " cm";
        scaled.draw();
        const auto texts = scaled.texts();
        ASSERT_EQ(texts.size(), 11U);
        EXPECT_EQ(texts[5].text, "1 cm");
        EXPECT_EQ(texts[5].left, scaled.column(10) - 4 * kCharWidth / 2);
        EXPECT_EQ(texts[9].text, "5 cm");
        EXPECT_EQ(texts[0].text, "-5 cm");
        EXPECT_EQ(texts[10].text, "0"); // the origin has no suffix
    }

    TEST(Axes, AHiddenYAxisLeavesTheXAxisAndItsOrigin)
    {
        AxisScene scene;
        scene.settings.yAxis.showLabels = 1;
        scene.settings.yAxis.caption = "height";
        scene.settings.yAxis.showAxis = 0;
        scene.draw();
        const auto words = scene.words();
        EXPECT_EQ(std::count(words.begin(), words.end(), "height"), 0);
        EXPECT_EQ(words.size(), 11U);
        EXPECT_EQ(scene.texts().back().left, scene.at.x - kCharWidth / 2);
        // No Y axis line above the crossing point.
        EXPECT_EQ(scene.canvas.pixel(scene.at.x, scene.mapping.plotRect.top + 3), colorOf(15));
        EXPECT_EQ(scene.canvas.pixel(scene.at.x + 3, scene.at.y), colorOf(0));
    }

    TEST(Axes, ArrowsPointAlongTheDirectionAndTicksCrossTheAxis)
    {
        AxisScene scene;
        scene.settings.xAxis.direction = -1;
        scene.settings.xAxis.tickLength = 6;
        scene.draw();
        const DeviceRect& r = scene.mapping.plotRect;
        const std::int32_t ay = scene.at.y;
        // Reversed, the tip is at the left end: strokes from (left - 5, ay -+ 3) to (left - 15,
        // ay).
        EXPECT_EQ(scene.canvas.pixel(r.left - 5, ay - 3), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(r.left - 5, ay + 3), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(r.right + 5, ay - 3), colorOf(15));
        const std::int32_t tick = scene.column(2);
        EXPECT_EQ(scene.canvas.pixel(tick, ay - 3), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(tick, ay + 3), colorOf(0));
        EXPECT_EQ(scene.canvas.pixel(tick, ay + 4), colorOf(15));
    }

    TEST(Axes, MoreLabelsThanPixelsAreAllDrawn)
    {
        // Labels every 0.02 over -10..10 in a plot of about 800 pixels: 1000 labels and the "0".
        AxisScene dense(830);
        dense.settings.xAxis.min = -10;
        dense.settings.xAxis.max = 10;
        dense.settings.xAxis.labelStep = 0.02;
        dense.draw();
        EXPECT_LT(dense.mapping.plotRect.right - dense.mapping.plotRect.left, 1000);
        const auto words = dense.words();
        ASSERT_EQ(words.size(), 1001U);
        EXPECT_EQ(words[0], "-10");
        EXPECT_EQ(words[1], "-9.98");
        EXPECT_EQ(words[499], "-0.02");
        EXPECT_EQ(words[500], "0.02");
        EXPECT_EQ(words[999], "10");
        const auto texts = dense.texts();
        EXPECT_EQ(texts[1].left, dense.column(-9.98) - 5 * kCharWidth / 2);
    }

    TEST(Axes, StepsFinerThanAPixelCannotHangThePaint)
    {
        // Steps a file may hold: ticks merge into a band, labels are left out, and a range so far
        // from zero that k + 1 == k in doubles still ends.
        AxisScene fine;
        fine.settings.xAxis.tickStep = 1e-300;
        fine.settings.xAxis.labelStep = 1e-300;
        fine.settings.yAxis.tickStep = 1e-300;
        fine.settings.grid.vertical = { 1e-300, 1, 8, 0, 1 };
        fine.draw();
        EXPECT_EQ(fine.words(), (std::vector<std::string> { "0" }));
        const DeviceRect& r = fine.mapping.plotRect;
        for (std::int32_t x = r.left; x <= r.right; x += 37)
            EXPECT_EQ(fine.canvas.pixel(x, fine.at.y + 2), colorOf(0)) << x;

        AxisScene far;
        far.settings.xAxis.min = 1e17;
        far.settings.xAxis.max = 1e17 + 1024;
        far.settings.xAxis.labelStep = 1e20;
        far.settings.xAxis.tickStep = 1;
        far.settings.grid.vertical = { 1, 1, 8, 0, 1 };
        far.draw();
        EXPECT_EQ(far.at.x, far.mapping.plotRect.left);
    }

} // namespace
} // namespace ovilan
