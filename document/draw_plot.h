#pragma once

#include "document/ovilan_doc.h"
#include "render/canvas.h"
#include "render/legend.h"
#include "render/plot_mapping.h"

#include <vector>

namespace ovilan {

// The graphs that take a legend line: shown and in the legend, in document order.
std::vector<LegendEntry> legendEntries(const COvilanDoc& document);

// Lays the document's plot out in the drawing area the caller stored in mapping.plotRect.
void layoutDocument(PlotMapping& mapping, const Canvas& canvas, const COvilanDoc& document);

// The picture of the plot: axes with legend and grid, then every shown graph in document order,
// then every label in index order, so later graphs paint over earlier ones and labels over all.
void drawPlot(Canvas& canvas, const PlotMapping& mapping, const COvilanDoc& document);

// The plot drawn off screen on a width x height canvas: the background filled in the document's
// colour, which also becomes the text background, then laid out for the whole canvas and drawn.
// It lays out a mapping of its own, so the window's mapping is untouched.
void renderPicture(
    Canvas& canvas, const COvilanDoc& document, std::int32_t width, std::int32_t height);

} // namespace ovilan
