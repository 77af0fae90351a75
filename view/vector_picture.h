#pragma once

#include "document/ovilan_doc.h"
#include "view/painter_canvas.h"

#include <QPainter>
#include <QSize>

namespace ovilan {

// Plot pixels are laid out at this resolution when a picture is given in millimetres, so its
// texts and lines have the size they have on an unscaled screen.
inline constexpr int kPlotPixelsPerInch = 96;

// The document's plot laid out for a surface of `plotSize` plot pixels at `pixelsPerInch` and
// drawn through the vector end on `painter`, whose transform takes plot pixels to the device:
// the same layout and drawing as the exact picture of that size.
void drawVectorPicture(QPainter& painter,
    const COvilanDoc& document,
    QSize plotSize,
    int pixelsPerInch = kPlotPixelsPerInch,
    VectorStyle style = {});

} // namespace ovilan
