#include "view/screen_plot.h"

#include "document/draw_plot.h"
#include "view/painter_canvas.h"
#include "view/qimage_canvas.h"

#include <QPainter>

namespace ovilan {

namespace {

    // A tenth of a pixel off the traced points is beyond what anti-aliasing shows; it takes a
    // trace of many points per pixel down to the few lines its shape needs. Points a quarter of a
    // pixel from the last one looked at are passed over without a look, and the lines are drawn
    // as separate segments, which Qt rasterises fastest.
    constexpr VectorStyle kScreenStyle { .antialiased = true,
        .curveTolerance = 0.25,
        .straightTolerance = 0.1,
        .pointsPerStroke = 1000,
        .separateSegments = true };

    DeviceRect clipOf(const QRect& area)
    {
        return { area.left(), area.top(), area.right(), area.bottom() };
    }

    // `canvas` is clipped to `area` already.
    void drawArea(Canvas& canvas,
        const QRect& area,
        PlotMapping& mapping,
        const COvilanDoc& document,
        QSize size)
    {
        const Rgb background = colorOf(document.general.backgroundColor);
        canvas.fillRect(
            { area.left(), area.top(), area.right() + 1, area.bottom() + 1 }, background);
        canvas.textState().backgroundColor = background;
        // The layout is computed afresh for every drawing.
        mapping.plotRect = { 0, 0, size.width(), size.height() };
        layoutDocument(mapping, canvas, document);
        drawPlot(canvas, mapping, document);
    }

} // namespace

void drawScreenPlot(QImage& image,
    const QRect& area,
    LineDrawing drawing,
    PlotMapping& mapping,
    const COvilanDoc& document)
{
    if (drawing == LineDrawing::Exact) {
        QImageCanvas canvas(image);
        canvas.setClipBox(clipOf(area));
        drawArea(canvas, area, mapping, document, image.size());
        return;
    }
    QPainter painter(&image);
    PainterCanvas canvas(painter,
        { 0, 0, image.width() - 1, image.height() - 1 },
        image.logicalDpiY(),
        kScreenStyle);
    canvas.setClipBox(clipOf(area));
    drawArea(canvas, area, mapping, document, image.size());
}

} // namespace ovilan
