#pragma once

#include "graph/graph.h"
#include "render/canvas.h"
#include "render/plot_mapping.h"

namespace ovilan {

enum class GapTest { Apply, Skip };

// Draws a graph's traced points as a clipped, dashed polyline of its width and colour. Segments
// with the pen up are skipped, and with GapTest::Apply so is every jump larger than maxGap
// percent of either visible axis range. The dash pattern runs on across segments.
void drawTrace(Canvas& canvas, const PlotMapping& mapping, const CGraph& graph, GapTest gapTest);

} // namespace ovilan
