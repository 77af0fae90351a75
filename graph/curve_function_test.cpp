#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "graph/trace.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace ovilan {
namespace {

    template <typename Graph>
    std::unique_ptr<Graph> traced(
        const PlotSettings& settings, const char* formula, const char* formula2 = nullptr)
    {
        auto graph = std::make_unique<Graph>(settings);
        EXPECT_EQ(graph->setFormula(formula, 0), 0) << formula;
        if (formula2) {
            EXPECT_EQ(graph->setFormula(formula2, 1), 0) << formula2;
        }
        graph->intervalFrom = -2;
        graph->intervalTo = 2;
        graph->steps = 40;
        graph->computePoints();
        return graph;
    }

    // At every sample of its interval a graph's curve function gives the traced point, bit for
    // bit, and is undefined exactly where the trace lifted its pen for the point itself.
    void expectCurveFollowsTrace(const CGraph& graph)
    {
        const std::unique_ptr<CurveFunction> curve = graph.curveFunction();
        ASSERT_NE(curve, nullptr);
        const CurveInterval interval = curve->interval();
        std::vector<double> samples(static_cast<std::size_t>(interval.steps) + 1);
        fillSamples(interval.from, interval.to, interval.steps, samples);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const std::optional<CurvePoint> point = curve->at(samples[i]);
            const bool nextLifted = i + 1 < samples.size() && graph.penUp[i + 1] != 0;
            if (!point) {
                EXPECT_TRUE(graph.penUp[i] != 0 && (i + 1 == samples.size() || nextLifted))
                    << graph.describe() << " at " << i;
                continue;
            }
            EXPECT_EQ(point->x, graph.xs[i]) << graph.describe() << " at " << i;
            EXPECT_EQ(point->y, graph.ys[i]) << graph.describe() << " at " << i;
        }
    }

    TEST(CurveFunction, EveryKindGivesItsTracedPoints)
    {
        PlotSettings settings;
        expectCurveFollowsTrace(*traced<CYofXGraph>(settings, "1/x+sqrt(x)"));
        expectCurveFollowsTrace(*traced<CXofYGraph>(settings, "ln(y)*y^2"));
        expectCurveFollowsTrace(*traced<CParametricGraph>(settings, "cos(t)", "sqrt(1-t)"));
        expectCurveFollowsTrace(*traced<CPolarGraph>(settings, "1+cos(a)"));
    }

    TEST(CurveFunction, KindsNameTheirVariableAndAxis)
    {
        PlotSettings settings;
        const auto yOfX = traced<CYofXGraph>(settings, "x^2")->curveFunction();
        EXPECT_EQ(yOfX->variable(), "x");
        EXPECT_TRUE(yOfX->followsX());
        EXPECT_EQ(yOfX->at(3), (CurvePoint { 3, 9 }));
        const auto xOfY = traced<CXofYGraph>(settings, "y^2")->curveFunction();
        EXPECT_TRUE(xOfY->followsY());
        EXPECT_EQ(xOfY->at(3), (CurvePoint { 9, 3 }));
        const auto polar = traced<CPolarGraph>(settings, "2")->curveFunction();
        EXPECT_EQ(polar->variable(), "a");
        EXPECT_NEAR(polar->interval().to, 2 * 3.141592653589793, 1e-15); // units of pi
        EXPECT_FALSE(polar->followsX() || polar->followsY());

        CTableGraph table(settings);
        EXPECT_EQ(table.curveFunction(), nullptr);
    }

} // namespace
} // namespace ovilan
