#pragma once

#include "render/canvas.h"
#include "render/plot_mapping.h"
#include "render/plot_settings.h"

namespace ovilan {

// The Cartesian grid: lines at the multiples of each set's step within the range, spanning the
// plot rectangle. The line at 0 is left out where a crossing axis will be drawn over it.
void drawGrid(Canvas& canvas, const PlotMapping& mapping, const PlotSettings& settings);

} // namespace ovilan
