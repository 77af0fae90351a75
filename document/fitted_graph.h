#pragma once

#include "analysis/curve_fit.h"
#include "document/ovilan_doc.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace ovilan {

class CTableGraph;

inline constexpr std::string_view kNoFitGraph = "A curve can be fitted only to a table graph.";

struct TablePoints {
    std::vector<double> x;
    std::vector<double> y;
};

// The points of a table graph: its rows with both cells filled, in row order.
TablePoints tablePoints(const CTableGraph& graph);

// The fitted curve after the other graphs, as an ordinary Y(x) graph across the plot's x range:
// its formula the fit's, with every coefficient's digits, its legend text the fit's. One undo
// step. Returns the message to show when it cannot be added; then nothing changes.
std::string_view addFittedGraph(COvilanDoc& document, const FitResult& fit);

} // namespace ovilan
