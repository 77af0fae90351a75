#include "document/csv_table.h"
#include "document/points_in_view.h"
#include "graph/table_graph.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace ovilan {
namespace {

    TEST(PointsInView, RoundStepTakesTheNearestOneTwoOrFiveByRatio)
    {
        struct Case {
            double step;
            double expected;
        };
        for (const Case& c : std::vector<Case> { { 2.64, 2 },
                 { 1.4, 1 },
                 { 1.5, 2 },
                 { 3.1, 2 },
                 { 3.2, 5 },
                 { 7.0, 5 },
                 { 7.1, 10 },
                 { 0.0264, 0.02 },
                 { 38000, 50000 },
                 { 1, 1 },
                 { 5, 5 },
                 { 1e-300, 1e-300 } })
            EXPECT_EQ(roundStep(c.step), c.expected) << c.step;
        EXPECT_EQ(roundStep(0), 0);
        EXPECT_EQ(roundStep(-3), -3);
    }

    struct Plot {
        AppPreferences preferences;
        COvilanDoc document { preferences };

        const CGraph& add(std::vector<CsvRow> rows)
        {
            auto graph = std::make_unique<CTableGraph>(document);
            fillTableGraph(*graph, rows);
            document.insertGraph(std::move(graph), document.graphCount());
            return document.graph(document.graphCount() - 1);
        }
    };

    // A day of temperatures: x 0 .. 24 misses the plot's -10 .. 10, y -2 .. 8 is shown.
    std::vector<CsvRow> day()
    {
        return { { 1, "0", "-2", "" }, { 2, "12", "8", "" }, { 3, "24", "-1", "" } };
    }

    TEST(PointsInView, OnlyTheAxisThatMissesPointsMovesAndItsStepsStayInStep)
    {
        Plot plot;
        plot.document.xAxis.labelStep = 4;
        plot.document.xAxis.tickStep = 1; // a quarter of the label step
        plot.document.grid.vertical.step = 3; // unrelated to the labels
        const AxisSettings yBefore = plot.document.yAxis;
        const GridLineSet horizontalBefore = plot.document.grid.horizontal;
        const CGraph& graph = plot.add(day());

        ASSERT_TRUE(axesMoveForPoints(plot.document, graph, AxesToMove::MissingPoints));
        bringPointsIntoView(plot.document, graph, AxesToMove::MissingPoints);
        EXPECT_EQ(plot.document.xAxis.min, -1.2);
        EXPECT_EQ(plot.document.xAxis.max, 25.2);
        // 4 of 20 rescaled to 26.4 is 5.28; the labels step by 5, the ticks by a quarter of it.
        EXPECT_EQ(plot.document.xAxis.labelStep, 5);
        EXPECT_EQ(plot.document.xAxis.tickStep, 1.25);
        EXPECT_EQ(plot.document.grid.vertical.step, 5); // 3.96 rounded on its own
        EXPECT_EQ(plot.document.yAxis, yBefore);
        EXPECT_EQ(plot.document.grid.horizontal, horizontalBefore);
        EXPECT_FALSE(axesMoveForPoints(plot.document, graph, AxesToMove::MissingPoints));
    }

    TEST(PointsInView, StepsStayAsTheyAreWhenTheyAreNotChangedAutomatically)
    {
        Plot plot;
        plot.preferences.autoChangeSteps = 0;
        const CGraph& graph = plot.add({ { 1, "100", "-0.001", "" }, { 2, "300", "-0.003", "" } });
        bringPointsIntoView(plot.document, graph, AxesToMove::MissingPoints);
        EXPECT_EQ(plot.document.xAxis.min, 90);
        EXPECT_EQ(plot.document.xAxis.max, 310);
        EXPECT_EQ(plot.document.yAxis.min, -10); // shows the small values already
        EXPECT_EQ(plot.document.xAxis.labelStep, 2);
        EXPECT_EQ(plot.document.yAxis.tickStep, 2);
    }

    // In a plot without graphs both axes take the data's range, also one that shows the data
    // squeezed into a sliver; a range that is the data's already is no move.
    TEST(PointsInView, BothAxesFitSmallDataInAnEmptyPlot)
    {
        Plot plot;
        const CGraph& graph = plot.add({ { 1, "0.001", "0.5", "" }, { 2, "0.009", "0.3", "" } });
        EXPECT_FALSE(axesMoveForPoints(plot.document, graph, AxesToMove::MissingPoints));
        ASSERT_TRUE(axesMoveForPoints(plot.document, graph, AxesToMove::Both));
        bringPointsIntoView(plot.document, graph, AxesToMove::Both);
        EXPECT_EQ(plot.document.xAxis.min, 0.0006);
        EXPECT_EQ(plot.document.xAxis.max, 0.0094);
        EXPECT_EQ(plot.document.xAxis.labelStep, 0.001); // 0.00088 rounded
        EXPECT_EQ(plot.document.yAxis.min, 0.29);
        EXPECT_EQ(plot.document.yAxis.max, 0.51);
        EXPECT_EQ(plot.document.yAxis.tickStep, 0.02);
        EXPECT_FALSE(axesMoveForPoints(plot.document, graph, AxesToMove::Both));
    }

    // A single point is shown one unit either side; points whose range the zoom would refuse
    // leave the axes alone rather than store an infinite or absurd range.
    TEST(PointsInView, SinglePointsAndImpossibleRanges)
    {
        Plot plot;
        const CGraph& single = plot.add({ { 1, "40", "1", "" } });
        bringPointsIntoView(plot.document, single, AxesToMove::MissingPoints);
        EXPECT_EQ(plot.document.xAxis.min, 39);
        EXPECT_EQ(plot.document.xAxis.max, 41);
        EXPECT_EQ(plot.document.xAxis.labelStep, 0.2);

        const AxisSettings xBefore = plot.document.xAxis;
        const CGraph& wide = plot.add({ { 1, "-1e300", "0", "" }, { 2, "1e300", "0", "" } });
        EXPECT_FALSE(axesMoveForPoints(plot.document, wide, AxesToMove::MissingPoints));
        bringPointsIntoView(plot.document, wide, AxesToMove::MissingPoints);
        EXPECT_EQ(plot.document.xAxis, xBefore);
    }

} // namespace
} // namespace ovilan
