#include "expr/formula_check.h"
#include "graph/function_graph.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace ovilan {
namespace {

    int typeFormula(
        CFunctionGraph& graph, const char* text, std::vector<ParameterValue> values, int which = 0)
    {
        long long work = kMaxCheckWork;
        return graph.setParameterFormula(text, which, values, work);
    }

    bool applyValues(CFunctionGraph& graph, std::vector<ParameterValue> values)
    {
        long long work = kMaxCheckWork;
        return graph.applyParameterValues(values, work);
    }

    TEST(ParameterFormula, KeepsTheTypedTextAndDrawsTheValuesPutIn)
    {
        PlotSettings settings;
        CYofXGraph graph(settings);
        ASSERT_EQ(typeFormula(graph, "sin(k*x)", { { 'k', 2 } }), kFormulaOk);
        EXPECT_EQ(graph.parameterFormula, "sin(k*x)");
        EXPECT_EQ(graph.formula, "sin(2*x)");
        EXPECT_EQ(graph.normalForm, "sin(2*x)");
        EXPECT_EQ(graph.describe(), "Y(x)=sin(k*x)");
        EXPECT_TRUE(graph.olderVersionsCanRead());

        // A new value changes the classic formula; the same value changes nothing.
        EXPECT_TRUE(applyValues(graph, { { 'k', -0.5 } }));
        EXPECT_EQ(graph.formula, "sin((-0.5)*x)");
        EXPECT_TRUE(graph.dirty);
        graph.computePoints();
        EXPECT_FALSE(applyValues(graph, { { 'k', -0.5 } }));
        EXPECT_FALSE(graph.dirty);

        // Typed again without parameters, it is an ordinary graph.
        ASSERT_EQ(typeFormula(graph, "cos(x)", { { 'k', 2 } }), kFormulaOk);
        EXPECT_FALSE(graph.usesParameters());
        EXPECT_EQ(graph.formula, "cos(x)");
    }

    TEST(ParameterFormula, RefusalsChangeNothing)
    {
        PlotSettings settings;
        CYofXGraph graph(settings);
        ASSERT_EQ(typeFormula(graph, "k*x", { { 'k', 3 } }), kFormulaOk);
        EXPECT_EQ(typeFormula(graph, "m*x", { { 'k', 3 } }), kUndefinedParameter);
        EXPECT_EQ(typeFormula(graph, "k*(x", { { 'k', 3 } }), kCheckBrackets);
        EXPECT_EQ(graph.parameterFormula, "k*x");
        EXPECT_EQ(graph.formula, "3*x");
    }

    // With k = 0 the classic check refuses x/k: the graph draws nothing and older versions cannot
    // read it, until k moves away from 0.
    TEST(ParameterFormula, AValueTheCheckRefusesLeavesTheGraphEmpty)
    {
        PlotSettings settings;
        CYofXGraph graph(settings);
        graph.steps = 10;
        graph.ownParameters = 1;
        ASSERT_EQ(typeFormula(graph, "x/k", { { 'k', 0 } }), kFormulaOk);
        EXPECT_EQ(graph.formula, "");
        EXPECT_FALSE(graph.olderVersionsCanRead());
        graph.refresh();
        // Every segment, the one ending at each point after the first, is lifted.
        EXPECT_TRUE(std::all_of(
            graph.penUp.begin() + 1, graph.penUp.end(), [](std::uint8_t up) { return up != 0; }));
        EXPECT_EQ(graph.describe(), "Y(x)=x/k");

        EXPECT_TRUE(applyValues(graph, { { 'k', 2 } }));
        EXPECT_EQ(graph.formula, "x/2");
        EXPECT_TRUE(graph.olderVersionsCanRead());
        graph.refresh();
        EXPECT_EQ(graph.penUp[1], 0);
        EXPECT_DOUBLE_EQ(graph.ys[10], 5);
    }

    TEST(ParameterFormula, EachFormulaOfAParametricGraphKeepsItsOwn)
    {
        PlotSettings settings;
        CParametricGraph graph(settings);
        const std::vector<ParameterValue> values { { 'k', 2 }, { 'z', 3 } };
        ASSERT_EQ(typeFormula(graph, "cos(t)", values, 0), kFormulaOk);
        ASSERT_EQ(typeFormula(graph, "z*sin(k*t)", values, 1), kFormulaOk);
        EXPECT_EQ(graph.parameterFormula, "");
        EXPECT_EQ(graph.formula2, "3*sin(2*t)");
        EXPECT_EQ(graph.describe(), "X(t)=cos(t); Y(t)=z*sin(k*t)");
        EXPECT_TRUE(applyValues(graph, { { 'k', 1 }, { 'z', 1 } }));
        EXPECT_EQ(graph.formula, "cos(t)");
        EXPECT_EQ(graph.formula2, "1*sin(1*t)");
    }

} // namespace
} // namespace ovilan
