#include "document/derived_graphs.h"

#include "document/load_allowance.h"
#include "expr/derivative.h"
#include "expr/formula_check.h"
#include "expr/formula_tree.h"
#include "graph/function_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ovilan {

namespace {

    // Four digits: enough to tell the points of one graph apart in a legend.
    std::string shortNumber(double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.4g", value == 0 ? 0.0 : value);
        return text;
    }

    // cos(pi/2) is 6.1e-17, not 0: a coordinate that small beside the other one is the residue
    // of rounding, and the line through (0, 1) reads better than one through (6.1e-17, 1).
    CurvePoint withoutResidue(CurvePoint p)
    {
        constexpr double kResidue = 1e-12;
        const double scale = std::max(std::abs(p.x), std::abs(p.y));
        if (std::abs(p.x) < kResidue * scale)
            p.x = 0;
        if (std::abs(p.y) < kResidue * scale)
            p.y = 0;
        return p;
    }

    std::unique_ptr<CFunctionGraph> newFunctionGraph(GraphKind kind, const COvilanDoc& document)
    {
        auto made = createGraph(static_cast<std::int32_t>(kind), document);
        return std::unique_ptr<CFunctionGraph>(static_cast<CFunctionGraph*>(made.release()));
    }

    // A straight line through the point (x0, y0) with the slope dy/dx, as a Y(x) graph
    // y = k*(x-x0)+y0, or as the X(y) graph x = x0 when it is vertical.
    std::unique_ptr<CFunctionGraph> lineGraph(
        const COvilanDoc& document, CurvePoint point, CurvePoint direction, std::string legend)
    {
        const bool vertical = direction.x == 0;
        auto line = newFunctionGraph(vertical ? GraphKind::XofY : GraphKind::YofX, document);
        Formula formula = constant(point.x);
        if (!vertical) {
            const Formula run = minus(variableLeaf(), constant(point.x));
            formula = plus(times(constant(direction.y / direction.x), run), constant(point.y));
        }
        if (line->setFormula(formulaText(formula, line->variableName()), 0) != kFormulaOk)
            return nullptr;
        line->setLegendText(std::move(legend));
        // Across the plot: the line follows its axis's range, which it starts with, as a graph
        // from the graph dialog does.
        const AxisSettings& axis = vertical ? document.yAxis : document.xAxis;
        line->intervalFrom = axis.min;
        line->intervalTo = axis.max;
        return line;
    }

    std::vector<std::unique_ptr<CGraph>> tangentGraphs(const COvilanDoc& document,
        CurvePoint point,
        CurvePoint velocity,
        const std::string& where,
        TangentLines lines)
    {
        std::vector<std::unique_ptr<CGraph>> graphs;
        if (lines != TangentLines::Normal)
            graphs.push_back(lineGraph(document, point, velocity, "tangent at " + where));
        if (lines != TangentLines::Tangent) {
            const CurvePoint across { -velocity.y, velocity.x };
            graphs.push_back(lineGraph(document, point, across, "normal at " + where));
        }
        return graphs;
    }

    CPlotLabel pointLabel(CurvePoint point)
    {
        CPlotLabel label;
        label.x = point.x;
        label.y = point.y;
        label.caption = "(" + shortNumber(point.x) + "; " + shortNumber(point.y) + ")";
        return label;
    }

    bool fits(const COvilanDoc& document, const std::vector<std::unique_ptr<CGraph>>& graphs)
    {
        std::int32_t index = document.graphCount();
        for (const auto& graph : graphs) {
            if (!graph || !loadsWithGraph(document, *graph, index++))
                return false;
        }
        return true;
    }

} // namespace

std::string derivativeLegend(const CGraph& source)
{
    if (!source.legendText.empty())
        return source.legendText + "'";
    return "(" + static_cast<const CFunctionGraph&>(source).formula + ")'";
}

void addDerivativeGraph(COvilanDoc& document, UserInterface& ui)
{
    const std::int32_t index = document.currentGraph;
    if (index < 0 || index >= document.graphCount())
        return;
    const CGraph& graph = document.graph(index);
    const auto curve = graph.curveFunction();
    if (!curve || !(curve->followsX() || curve->followsY())) {
        ui.showMessage(kNoDerivativeGraph);
        return;
    }
    const auto& source = static_cast<const CFunctionGraph&>(graph);
    const Derivative derived = derivative(source.normalForm, source.variableName());
    if (derived.code != kFormulaOk) {
        ui.showMessage(derived.refusal);
        return;
    }
    auto result = newFunctionGraph(source.kind, document);
    result->setFormula(derived.normalForm, 0);
    result->setLegendText(derivativeLegend(source));
    result->intervalFrom = source.intervalFrom;
    result->intervalTo = source.intervalTo;
    result->ownInterval = source.ownInterval;
    result->ownParameters = source.ownParameters;
    result->steps = source.steps;
    result->maxGap = source.maxGap;
    const std::int32_t count = document.graphCount();
    if (!loadsWithGraph(document, *result, count)) {
        ui.showMessage(kDocumentTooLarge);
        return;
    }
    document.pushSnapshot(kGraphInserted, count, 0);
    document.insertGraph(std::move(result), count);
}

std::string_view addTangentLines(
    COvilanDoc& document, std::int32_t index, double value, TangentLines lines)
{
    if (index < 0 || index >= document.graphCount())
        return kNoTangentGraph;
    const CGraph& graph = document.graph(index);
    const auto curve = graph.curveFunction();
    if (!curve)
        return kNoTangentGraph;
    const auto point = curve->at(value);
    if (!point)
        return kPointUndefined;
    const auto velocity = graph.velocityAt(value);
    if (!velocity || (velocity->x == 0 && velocity->y == 0))
        return kSlopeUndefined;
    const std::string where = curve->variable() + "=" + shortNumber(value);
    auto graphs
        = tangentGraphs(document, withoutResidue(*point), withoutResidue(*velocity), where, lines);
    if (!fits(document, graphs))
        return kDocumentTooLarge;

    document.beginUndoGroup();
    for (auto& line : graphs) {
        const std::int32_t at = document.graphCount();
        document.pushSnapshot(kGraphInserted, at, 0);
        document.insertGraph(std::move(line), at);
    }
    const std::int32_t labelIndex = document.labelCount();
    document.pushSnapshot(kLabelInserted, labelIndex, 0);
    document.insertLabel(pointLabel(withoutResidue(*point)), labelIndex);
    document.endUndoGroup();
    return {};
}

} // namespace ovilan
