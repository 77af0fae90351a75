#pragma once

#include "render/canvas.h"
#include "render/legend.h"
#include "render/plot_mapping.h"
#include "render/plot_settings.h"

#include <span>

namespace ovilan {

// Where the two axes stand in device pixels: the Y axis at column x, the X axis at row y.
struct AxisPositions {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Through plot zero when zero is inside a range, otherwise on the nearer edge; with rectangular
// axes on the edges that hold the two minima.
AxisPositions axisPositions(const PlotMapping& mapping, const PlotSettings& settings);

// The first pass of every picture of the plot: the legend, the grid, the X axis, the Y axis, each
// with its line, caption, arrow, ticks and labels, and the "0" at the origin. Leaves the canvas's
// text state as it found it.
void drawAxes(Canvas& canvas,
    const PlotMapping& mapping,
    const PlotSettings& settings,
    std::span<const LegendEntry> legendEntries);

} // namespace ovilan
