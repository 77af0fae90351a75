#pragma once

#include "graph/graph.h"

#include <cstdint>

namespace ovilan {

// What computing a graph's points asks for: the points it will hold and the evaluation work, in
// the units of evaluationCost. Known from the graph's definition before anything is computed.
struct TraceCost {
    std::int64_t points = 0;
    std::int64_t work = 0;
};

TraceCost traceCost(const CGraph& graph);

} // namespace ovilan
