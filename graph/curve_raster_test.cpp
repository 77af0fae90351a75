#include "graph/curve_raster.h"
#include "graph/table_graph.h"
#include "render/memory_canvas.h"
#include "render/recording_canvas.h"

#include <gtest/gtest.h>
#include <random>

namespace ovilan {
namespace {

    // Plot x -10..10 and y -5..5 one pixel per unit on a 21 x 11 canvas; (0, 0) is pixel (10, 5).
    struct Scene {
        Scene()
        {
            settings.xAxis.min = -10;
            settings.xAxis.max = 10;
            settings.yAxis.min = -5;
            settings.yAxis.max = 5;
            mapping.plotRect = { 0, 0, 20, 10 };
            graph.colorIndex = 0;
            graph.maxGap = 1000000;
        }
        // A polyline through the points, every segment drawn.
        void points(std::initializer_list<std::pair<double, double>> list)
        {
            graph.xs.resize(list.size());
            graph.ys.resize(list.size());
            graph.penUp.resize(list.size());
            int i = 0;
            for (const auto& [x, y] : list) {
                graph.xs[static_cast<std::size_t>(i)] = x;
                graph.ys[static_cast<std::size_t>(i)] = y;
                graph.penUp[static_cast<std::size_t>(i)] = i == 0;
                ++i;
            }
            graph.steps = i - 1;
        }
        std::string draw(GapTest gapTest = GapTest::Apply)
        {
            MemoryCanvas canvas(21, 11);
            drawTrace(canvas, mapping, graph, gapTest);
            return canvas.asciiArt();
        }
        std::string row(int y, GapTest gapTest = GapTest::Apply)
        {
            return draw(gapTest).substr(static_cast<std::size_t>(y) * 22, 21);
        }

        PlotSettings settings;
        PlotMapping mapping;
        CTableGraph graph { settings };
    };

    TEST(CurveRaster, SolidLineOfEachWidth)
    {
        Scene scene;
        scene.points({ { -8, 0 }, { 8, 0 } });
        EXPECT_EQ(scene.row(5), "..#################..");
        EXPECT_EQ(scene.row(4), ".....................");
        scene.graph.lineWidth = 3;
        for (int y : { 4, 5, 6 })
            EXPECT_EQ(scene.row(y), ".###################.") << y;
        scene.graph.lineWidth = 2;
        EXPECT_EQ(scene.row(4), ".##################..");
        EXPECT_EQ(scene.row(6), ".....................");
        scene.graph.lineWidth = 6;
        EXPECT_EQ(scene.row(5), ".....................");
    }

    TEST(CurveRaster, DashesRunOnAcrossSegments)
    {
        Scene scene;
        scene.graph.penStyle = 2; // 12 on, 4 off
        scene.points({ { -10, 0 }, { -4, 0 }, { 0, 0 }, { 10, 0 } });
        EXPECT_EQ(scene.row(5), "############....#####");
    }

    TEST(CurveRaster, ClipsToTheVisibleRangeAndSkipsWhatLiesOutside)
    {
        Scene scene;
        scene.points({ { -30, 0 }, { 30, 0 } });
        EXPECT_EQ(scene.row(5), "#####################");
        scene.points({ { -30, 8 }, { 30, 8 } }); // above the box
        EXPECT_EQ(scene.draw().find('#'), std::string::npos);
        scene.points({ { 0, -20 }, { 0, 20 } }); // nearly vertical, cut to the range
        std::string column;
        for (int y = 0; y < 11; ++y)
            column += "..........#..........\n";
        EXPECT_EQ(scene.draw(), column);
    }

    TEST(CurveRaster, PenUpAndMaximumGapBreakTheCurve)
    {
        Scene scene;
        scene.points({ { -8, 0 }, { -2, 0 }, { 2, 0 }, { 8, 0 } });
        scene.graph.penUp[2] = 1;
        EXPECT_EQ(scene.row(5), "..#######...#######..");
        scene.graph.penUp[2] = 0;
        scene.graph.maxGap = 25; // 5 units of the X range: the 6-unit segments go
        EXPECT_EQ(scene.row(5), "........#####........");
        EXPECT_EQ(scene.row(5, GapTest::Skip), "..#################..");
    }

    // The visible pieces are decided in plot units and handed on unrounded: (x, y) is device
    // (10 + x, 5 - y) here.
    TEST(CurveRaster, VisiblePiecesAreClippedInPlotUnitsAndLeftUnrounded)
    {
        Scene scene;
        scene.points({ { -12, 0.3 }, { 2.25, 0.3 }, { 2.25, 20 }, { 3, 1 }, { 4, 1 } });
        scene.graph.penUp[3] = 1;
        const CurvePiece cutAtTheLeft { { 0, 4.7 }, { 12.25, 4.7 } };
        const CurvePiece cutAtTheTop { { 12.25, 4.7 }, { 12.25, 0 } };
        const CurvePiece afterThePenUp { { 13, 4 }, { 14, 4 } };
        EXPECT_EQ(visibleCurvePieces(scene.mapping, scene.graph, GapTest::Skip),
            (std::vector<CurvePiece> { cutAtTheLeft, cutAtTheTop, afterThePenUp }));
        scene.graph.maxGap = 80; // 16 units of X, 8 of Y: the jump to y = 20 goes
        EXPECT_EQ(visibleCurvePieces(scene.mapping, scene.graph, GapTest::Apply),
            (std::vector<CurvePiece> { cutAtTheLeft, afterThePenUp }));
        scene.points({ { -30, 8 }, { 30, 8 } }); // above the box
        EXPECT_TRUE(visibleCurvePieces(scene.mapping, scene.graph, GapTest::Skip).empty());
    }

    // A long curve is found in batches; no piece is lost or repeated where one batch ends.
    TEST(CurveRaster, PiecesOfALongCurveJoinAcrossBatches)
    {
        Scene scene;
        const int count = 1000;
        scene.points({ { 0, 0 } });
        scene.graph.xs.resize(count + 1);
        scene.graph.ys.resize(count + 1);
        scene.graph.penUp.resize(count + 1);
        for (int i = 0; i <= count; ++i) {
            scene.graph.xs[static_cast<std::size_t>(i)] = -9 + 18.0 * i / count;
            scene.graph.ys[static_cast<std::size_t>(i)] = (i % 2) * 0.5;
        }
        scene.graph.steps = count;
        const std::vector<CurvePiece> pieces
            = visibleCurvePieces(scene.mapping, scene.graph, GapTest::Skip);
        ASSERT_EQ(pieces.size(), static_cast<std::size_t>(count));
        for (std::size_t i = 1; i < pieces.size(); ++i)
            ASSERT_EQ(pieces[i].from, pieces[i - 1].to) << i;
    }

    // A trace reaches the canvas as one curve of its pieces in the graph's pen, drawn by default
    // into exactly the pixels of the plain rasteriser.
    TEST(CurveRaster, ATraceIsOneCurveOnTheCanvas)
    {
        Scene scene;
        scene.points({ { -8, 0 }, { -2, 3 }, { 2, -3 }, { 8, 0 } });
        scene.graph.lineWidth = 2;
        scene.graph.penStyle = 3;
        scene.graph.colorIndex = 9;
        RecordingCanvas recording(21, 11);
        drawTrace(recording, scene.mapping, scene.graph, GapTest::Apply);
        EXPECT_EQ(recording.record(), "curve 3 2 3 ff0000\n");
        EXPECT_EQ(recording.pixels().asciiArt(), scene.draw());
    }

    TEST(CurveRaster, AClipBoxChangesNoPixelWithinIt)
    {
        // Drawing visits only the pixels near the clip box and passes the rest by count; every
        // pixel inside the box must come out as a full drawing has it, dashes and caps included.
        std::mt19937 random(11);
        std::uniform_real_distribution<double> coordinate(-12, 12);
        std::uniform_int_distribution<int> corner(0, 20);
        for (int trial = 0; trial < 300; ++trial) {
            Scene scene;
            scene.settings.xAxis.min = -100;
            scene.settings.xAxis.max = 100;
            scene.settings.yAxis.min = -50;
            scene.settings.yAxis.max = 50;
            scene.mapping.plotRect = { 0, 0, 200, 100 };
            scene.graph.lineWidth = 1 + trial % 5;
            scene.graph.penStyle = trial % 4;
            const int n = 2 + trial % 7;
            scene.graph.xs.resize(static_cast<std::size_t>(n));
            scene.graph.ys.resize(static_cast<std::size_t>(n));
            scene.graph.penUp.resize(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i) {
                const auto at = static_cast<std::size_t>(i);
                scene.graph.xs[at] = coordinate(random) * 8;
                scene.graph.ys[at] = coordinate(random) * 4;
                scene.graph.penUp[at] = i == 0 || (trial % 3 == 0 && i == n / 2);
            }
            scene.graph.steps = n - 1;
            MemoryCanvas full(201, 101);
            drawTrace(full, scene.mapping, scene.graph, GapTest::Skip);
            MemoryCanvas clipped(201, 101);
            const DeviceRect box {
                40 + corner(random), 20 + corner(random), 120 + corner(random), 60 + corner(random)
            };
            clipped.setClipBox(box);
            drawTrace(clipped, scene.mapping, scene.graph, GapTest::Skip);
            for (std::int32_t y = box.top; y <= box.bottom; ++y)
                for (std::int32_t x = box.left; x <= box.right; ++x)
                    ASSERT_EQ(clipped.pixel(x, y), full.pixel(x, y))
                        << x << "," << y << " in trial " << trial;
        }
    }

    TEST(CurveRaster, SegmentsMappedFarOutsideCostOnlyTheirVisiblePart)
    {
        // A range so narrow against its distance from zero that the mapping loses its precision
        // (a file may hold one): the segments land at the ends of the device range, and drawing
        // must still end at once.
        Scene scene;
        scene.settings.xAxis.min = 1e15;
        scene.settings.xAxis.max = 1e15 + 1e-3;
        scene.mapping.xScale = 20 / 1e-3;
        scene.mapping.xOffset = -1e19;
        scene.points({ { 1e15, -4 }, { 1e15 + 1e-3, 4 }, { 1e15, 0 } });
        scene.graph.lineWidth = 5;
        const std::string art = scene.draw(GapTest::Skip);
        EXPECT_EQ(art.size(), 22U * 11U);
    }

} // namespace
} // namespace ovilan
