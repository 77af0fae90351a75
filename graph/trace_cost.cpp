#include "graph/trace_cost.h"

#include "expr/expression.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

namespace ovilan {

namespace {

    // A polar point also takes a cosine and a sine; every point its sample and pen-up mark.
    constexpr std::int64_t kPolarPointCost = 12;
    constexpr std::int64_t kPointCost = 1;

    TraceCost tableCost(const CTableGraph& table)
    {
        // The cells are normal forms of constants: reading each is a number's conversion.
        std::int64_t points = 0;
        for (std::size_t row = 0; row < kTableRows; ++row)
            points += !table.cellX[row].empty() && !table.cellY[row].empty() ? 1 : 0;
        return { points, points * kPointCost };
    }

    TraceCost functionCost(const CFunctionGraph& graph)
    {
        const std::int64_t points = graph.sampleCount() + 1;
        std::int64_t perPoint = kPointCost + evaluationCost(graph.normalForm);
        if (graph.kind == GraphKind::Parametric)
            perPoint += evaluationCost(graph.normalForm2);
        if (graph.kind == GraphKind::Polar)
            perPoint += kPolarPointCost;
        return { points, points * perPoint };
    }

} // namespace

TraceCost traceCost(const CGraph& graph)
{
    if (graph.kind == GraphKind::Table)
        return tableCost(static_cast<const CTableGraph&>(graph));
    return functionCost(static_cast<const CFunctionGraph&>(graph));
}

} // namespace ovilan
