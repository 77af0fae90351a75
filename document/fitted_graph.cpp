#include "document/fitted_graph.h"

#include "document/load_allowance.h"
#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

namespace ovilan {

TablePoints tablePoints(const CTableGraph& graph)
{
    TablePoints points;
    for (std::size_t row = 0; row < static_cast<std::size_t>(kTableRows); ++row) {
        const std::string& x = graph.cellX[row];
        const std::string& y = graph.cellY[row];
        if (x.empty() || y.empty())
            continue;
        // The cells are normal forms of constants, checked when they were typed.
        const auto xValue = evaluateText(x, " ", 0);
        const auto yValue = evaluateText(y, " ", 0);
        if (!xValue || !yValue)
            continue;
        points.x.push_back(*xValue);
        points.y.push_back(*yValue);
    }
    return points;
}

std::string_view addFittedGraph(COvilanDoc& document, const FitResult& fit)
{
    auto made = createGraph(static_cast<std::int32_t>(GraphKind::YofX), document);
    auto* curve = static_cast<CFunctionGraph*>(made.get());
    if (!fit.ok() || curve->setFormula(fit.formula, 0) != kFormulaOk)
        return kNoFitGraph;
    curve->setLegendText(fit.legendText);
    curve->intervalFrom = document.xAxis.min;
    curve->intervalTo = document.xAxis.max;
    const std::int32_t at = document.graphCount();
    if (!loadsWithGraph(document, *curve, at))
        return kDocumentTooLarge;
    document.pushSnapshot(kGraphInserted, at, 0);
    document.insertGraph(std::move(made), at);
    return {};
}

} // namespace ovilan
