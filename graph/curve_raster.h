#pragma once

#include "graph/graph.h"
#include "render/canvas.h"
#include "render/curve_piece.h"
#include "render/plot_mapping.h"

#include <vector>

namespace ovilan {

enum class GapTest { Apply, Skip };

// The visible pieces of a graph's traced points, in device positions: segments with the pen up
// are left out, and with GapTest::Apply so is every jump larger than maxGap percent of either
// visible axis range; what remains is clipped to the visible axis ranges in plot units.
std::vector<CurvePiece> visibleCurvePieces(
    const PlotMapping& mapping, const CGraph& graph, GapTest gapTest);

// Draws a graph's visible pieces as one curve in its width, pen style and colour.
void drawTrace(Canvas& canvas, const PlotMapping& mapping, const CGraph& graph, GapTest gapTest);

} // namespace ovilan
