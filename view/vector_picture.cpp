#include "view/vector_picture.h"

#include "document/draw_plot.h"

namespace ovilan {

void drawVectorPicture(QPainter& painter,
    const COvilanDoc& document,
    QSize plotSize,
    int pixelsPerInch,
    VectorStyle style)
{
    painter.save();
    PainterCanvas canvas(
        painter, { 0, 0, plotSize.width() - 1, plotSize.height() - 1 }, pixelsPerInch, style);
    renderPicture(canvas, document, plotSize.width(), plotSize.height());
    painter.restore();
}

} // namespace ovilan
