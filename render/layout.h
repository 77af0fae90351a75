#pragma once

#include "render/canvas.h"
#include "render/plot_mapping.h"
#include "render/plot_settings.h"

namespace ovilan {

// Fits the plot into the drawing area the caller stored in mapping.plotRect: the outer inset, the
// legend band for `legendEntries` graphs, margins for the texts that hang beside the axes, even
// size, scales, equal scale and offsets.
void layoutPlot(
    PlotMapping& mapping, const Canvas& canvas, const PlotSettings& settings, int legendEntries);

} // namespace ovilan
