#include "document/load_allowance.h"

#include "expr/formula_check.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "graph/trace_cost.h"

#include <algorithm>
#include <limits>

namespace ovilan {

namespace {

    // The work the file reader's check of one stored formula takes, as it reads it.
    std::int64_t checkWork(const std::string& text, std::string_view variable)
    {
        constexpr long long kUnbounded = std::numeric_limits<long long>::max() / 2;
        long long workLeft = kUnbounded;
        std::string normal = text;
        checkFormula(normal, variable, workLeft);
        return kUnbounded - workLeft;
    }

    std::int64_t formulaCheckWork(const CGraph& graph)
    {
        if (graph.kind == GraphKind::Table) {
            const auto& table = static_cast<const CTableGraph&>(graph);
            std::int64_t work = 0;
            for (std::size_t row = 0; row < kTableRows; ++row) {
                for (const TableColumn* column : { &table.cellX, &table.cellY }) {
                    if (!(*column)[row].empty())
                        work += checkWork((*column)[row], " ");
                }
            }
            return work;
        }
        const auto& function = static_cast<const CFunctionGraph&>(graph);
        std::int64_t work = checkWork(function.formula, function.variableName());
        if (graph.kind == GraphKind::Parametric)
            work += checkWork(function.formula2, function.variableName());
        return work;
    }

} // namespace

LoadCost loadCost(const CGraph& graph)
{
    const TraceCost trace = traceCost(graph);
    return { trace.points, trace.work, formulaCheckWork(graph) };
}

LoadCost loadCost(const CGraph& graph, std::int32_t followedSteps)
{
    LoadCost cost = loadCost(graph);
    if (graph.ownParameters || graph.kind == GraphKind::Table || cost.points == 0)
        return cost;
    // A function graph's work is the same for every point it traces.
    const std::int64_t workPerPoint = cost.work / cost.points;
    cost.points = std::clamp(followedSteps, 1, kMaxGraphSteps) + 1;
    cost.work = cost.points * workPerPoint;
    return cost;
}

bool LoadAllowance::take(const LoadCost& cost)
{
    points_ -= cost.points;
    work_ -= cost.work;
    checkWork_ -= cost.checkWork;
    return points_ >= 0 && work_ >= 0 && checkWork_ >= 0;
}

std::int32_t placeOf(const COvilanDoc& document, const CGraph* graph)
{
    for (std::int32_t i = 0; i < document.graphCount(); ++i) {
        if (document.graphs[static_cast<std::size_t>(i)].get() == graph)
            return i;
    }
    return document.graphCount();
}

bool loadsWithGraph(const COvilanDoc& document, const CGraph& graph, std::int32_t index)
{
    LoadAllowance allowance;
    for (std::int32_t i = 0; i < document.graphCount(); ++i) {
        if (i != index && !allowance.take(loadCost(*document.graphs[static_cast<std::size_t>(i)])))
            return false;
    }
    return allowance.take(loadCost(graph));
}

bool loadsWithSteps(const COvilanDoc& document, std::int32_t steps)
{
    LoadAllowance allowance;
    for (const auto& graph : document.graphs) {
        if (!allowance.take(loadCost(*graph, steps)))
            return false;
    }
    return true;
}

} // namespace ovilan
