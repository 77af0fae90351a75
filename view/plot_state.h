#pragma once

#include "render/plot_mapping.h"
#include "view/mouse_mode.h"

namespace ovilan {

// The two values the whole program shares: the mapping the last layout of the plot view
// computed, which the mouse and the scroll commands read, and the mouse mode.
PlotMapping& currentPlotMapping();
MouseMode& currentMouseMode();

} // namespace ovilan
