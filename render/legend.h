#pragma once

#include "render/canvas.h"
#include "render/plot_mapping.h"
#include "render/plot_settings.h"

#include <span>
#include <string>

namespace ovilan {

// What the legend shows of one graph that is visible and in the legend.
struct LegendEntry {
    std::string text;
    ColorIndex color = 0;
    std::int32_t lineWidth = 1;
    std::int32_t penStyle = 0;
};

// The legend lines in the band the layout reserved above or below the plot rectangle: an optional
// sample of each graph's pen, then its legend text. No frame; nothing is clipped to the window.
void drawLegend(Canvas& canvas,
    const PlotMapping& mapping,
    const LegendSettings& legend,
    std::span<const LegendEntry> entries);

} // namespace ovilan
