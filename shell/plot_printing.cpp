#include "shell/plot_printing.h"

#include "view/vector_picture.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>

namespace ovilan {

namespace {

    // Device pixels of the printer per plot pixel, across and down.
    QPointF printerPixelsPerPlotPixel(const QPrinter& printer)
    {
        return { printer.logicalDpiX() / double(kPlotPixelsPerInch),
            printer.logicalDpiY() / double(kPlotPixelsPerInch) };
    }

} // namespace

QSize printedPlotSize(const QPrinter& printer)
{
    // The printer's own size is its printable area, in its device pixels.
    const QPointF scale = printerPixelsPerPlotPixel(printer);
    // Whole plot pixels only, so the plot never reaches beyond the printable area.
    return { static_cast<int>(std::floor(printer.width() / scale.x())),
        static_cast<int>(std::floor(printer.height() / scale.y())) };
}

bool printPlot(QPrinter& printer, const COvilanDoc& document)
{
    const QSize plotSize = printedPlotSize(printer);
    if (plotSize.isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter starts at the printable area's corner in printer pixels.
    const QPointF scale = printerPixelsPerPlotPixel(printer);
    painter.scale(scale.x(), scale.y());
    drawVectorPicture(painter, document, plotSize, kPlotPixelsPerInch, {});
    return painter.end();
}

QPrintPreviewDialog* plotPrintPreview(
    QPrinter& printer, const COvilanDoc& document, QWidget* parent)
{
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    QObject::connect(
        preview, &QPrintPreviewDialog::paintRequested, preview, [&document](QPrinter* pages) {
            printPlot(*pages, document);
        });
    return preview;
}

} // namespace ovilan
