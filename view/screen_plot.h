#pragma once

#include "document/ovilan_doc.h"
#include "render/plot_mapping.h"

#include <QImage>
#include <QRect>

namespace ovilan {

// How the window draws its plot: in the exact pixels every picture has, or smoothed through the
// vector end, anti-aliased.
enum class LineDrawing { Exact, Smooth };

// The plot laid out for the whole of `image` and drawn again within `area` (its pixels): the
// background erased there in the document's colour, which is also the background of opaque
// texts, then everything that reaches into the area. Both drawings lay the plot out in the same
// pixels at the image's resolution, so the mapping left in `mapping` is the same for both and the
// mouse finds everything where it is shown. The image is Format_RGB32.
void drawScreenPlot(QImage& image,
    const QRect& area,
    LineDrawing drawing,
    PlotMapping& mapping,
    const COvilanDoc& document);

} // namespace ovilan
