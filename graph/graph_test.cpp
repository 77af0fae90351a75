#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <cmath>
#include <gtest/gtest.h>

namespace ovilan {
namespace {

    TEST(FunctionGraph, SetFormulaChecksAndDescribes)
    {
        PlotSettings settings;
        CYofXGraph graph(settings);
        EXPECT_EQ(graph.setFormula("", 0), 3);
        EXPECT_EQ(graph.setFormula("sin x", 0), 4);
        EXPECT_EQ(graph.formula, "");
        EXPECT_EQ(graph.setFormula("x^2", 0), 0);
        EXPECT_EQ(graph.normalForm, "x^2");
        graph.setLegendText("A");
        EXPECT_EQ(graph.describe(), "Y(x)=x^2 {A}");
        EXPECT_EQ(graph.setFormula("anything", 1), 0); // only a parametric graph has a second
        EXPECT_EQ(graph.formula2, "");
    }

    TEST(FunctionGraph, UndefinedPointsLiftThePen)
    {
        PlotSettings settings;
        CYofXGraph graph(settings);
        graph.setFormula("sqrt(x)", 0);
        graph.steps = 4;
        graph.ownParameters = 1;
        graph.refresh(); // follows the X range -10..10: samples -10, -5, 0, 5, 10
        EXPECT_FALSE(graph.dirty);
        EXPECT_EQ(graph.xs[2], 0);
        const std::uint8_t expected[] = { 1, 1, 1, 1, 0 };
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(graph.penUp[static_cast<std::size_t>(i)], expected[i]) << i;
        EXPECT_DOUBLE_EQ(graph.ys[4], std::sqrt(10.0));
    }

    TEST(FunctionGraph, RefreshRecomputesOnlyForChangesThatMoveThePoints)
    {
        PlotSettings settings;
        CYofXGraph graph(settings);
        graph.setFormula("x", 0);
        graph.refresh();
        EXPECT_EQ(graph.steps, 500);
        graph.xs[0] = 99; // would be overwritten by a recomputation
        settings.general.maxGap = 5;
        graph.refresh();
        EXPECT_EQ(graph.maxGap, 5);
        EXPECT_EQ(graph.xs[0], 99);
        settings.xAxis.min = -20;
        graph.refresh();
        EXPECT_EQ(graph.xs[0], -20);
        settings.general.steps = 10;
        graph.refresh();
        EXPECT_EQ(graph.steps, 10);
        EXPECT_EQ(graph.xs[10], 10);
    }

    TEST(FunctionGraph, PolarIntervalIsInUnitsOfPi)
    {
        PlotSettings settings;
        CPolarGraph graph(settings);
        graph.setFormula("1", 0);
        graph.intervalFrom = -1;
        graph.intervalTo = 1;
        graph.steps = 4;
        graph.computePoints();
        EXPECT_EQ(graph.intervalFrom, -1);
        EXPECT_NEAR(graph.xs[0], -1, 1e-15);
        EXPECT_NEAR(graph.ys[1], -1, 1e-15);
        EXPECT_NEAR(graph.xs[2], 1, 1e-15);
        for (int i = 0; i <= 4; ++i)
            EXPECT_NEAR(std::hypot(graph.xs[static_cast<std::size_t>(i)],
                            graph.ys[static_cast<std::size_t>(i)]),
                1,
                1e-15);
    }

    // A file keeps `formula`, which older versions check again on loading in the program's own
    // spelling: a formula typed with familiar spellings is kept as its normal form.
    TEST(FunctionGraph, FamiliarSpellingsAreKeptInTheProgramsOwn)
    {
        PlotSettings settings;
        CParametricGraph graph(settings);
        EXPECT_EQ(graph.setFormula("2Sin(t)", 0), 0);
        EXPECT_EQ(graph.formula, "2Sin(t)"); // the own spelling stays as typed
        EXPECT_EQ(graph.setFormula("e^t+tan(t)-1e-3", 1), 0);
        EXPECT_EQ(graph.formula2, "2.718281828^t+tg(t)-0.001");
        EXPECT_EQ(graph.normalForm2, graph.formula2);
        EXPECT_EQ(graph.setFormula("log(t)", 1), 6);
        EXPECT_EQ(graph.formula2, "2.718281828^t+tg(t)-0.001");
    }

    TEST(FunctionGraph, ParametricPointNeedsBothCoordinates)
    {
        PlotSettings settings;
        CParametricGraph graph(settings);
        graph.setFormula("t", 0);
        graph.setFormula("ln(t)", 1);
        graph.intervalFrom = -1;
        graph.intervalTo = 1;
        graph.steps = 2;
        graph.computePoints();
        EXPECT_EQ(graph.penUp[1], 1); // t = 0 has no logarithm
        EXPECT_EQ(graph.penUp[2], 1);
        EXPECT_EQ(graph.ys[2], 0);
    }

    TEST(TableGraph, FilledRowsBecomePointsInRowOrder)
    {
        PlotSettings settings;
        CTableGraph table(settings);
        EXPECT_EQ(table.describe(), "Table 0 elements");
        table.cellX[5] = "1";
        table.cellY[5] = "2";
        table.cellLabel[5] = "five";
        table.cellX[7] = "3"; // no Y: not a point, no break either
        table.cellX[9] = "4";
        table.cellY[9] = "0.5";
        EXPECT_EQ(table.computeTablePoints(), 1);
        EXPECT_EQ(table.describe(), "Table 2 elements");
        EXPECT_EQ(table.xs[1], 4);
        EXPECT_EQ(table.pointLabels[0], "five");
        EXPECT_EQ(table.penUp[0], 1);
        EXPECT_EQ(table.penUp[1], 0);
        EXPECT_EQ(table.maxGap, 1);
    }

    TEST(Graph, FactoryKnowsFiveKinds)
    {
        PlotSettings settings;
        for (std::int32_t kind = 0; kind <= 4; ++kind)
            EXPECT_EQ(static_cast<std::int32_t>(createGraph(kind, settings)->kind), kind);
        EXPECT_EQ(createGraph(5, settings), nullptr);
        EXPECT_EQ(createGraph(-1, settings), nullptr);
        EXPECT_LT(createGraph(0, settings)->colorIndex, 15);
    }

} // namespace
} // namespace ovilan

namespace ovilan {
namespace {

    TEST(PlotLabel, NewLabelDefaults)
    {
        const CPlotLabel label;
        EXPECT_EQ(label.backgroundColor, 15);
        EXPECT_EQ(label.labelTransparent, 0);
        EXPECT_EQ(label.pointBorder, 1);
        EXPECT_EQ(label.radius, 4);
        EXPECT_GE(label.pointColor, 0);
        EXPECT_LT(label.pointColor, 15);
        EXPECT_EQ(label.horizontalAlign, 2);
        EXPECT_EQ(label.verticalAlign, 2);
        EXPECT_EQ(label.caption, "");
        EXPECT_EQ(label.font, makeFont("Arial", 8, 100));
    }

} // namespace
} // namespace ovilan
