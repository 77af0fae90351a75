#pragma once

#include "document/ovilan_doc.h"

#include <QSize>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace ovilan {

// The plot's size in plot pixels on a printed page: the printable area at 96 plot pixels an
// inch, so texts and lines keep the size in points they have on an unscaled screen.
QSize printedPlotSize(const QPrinter& printer);

// One page: the plot laid out for the printable area of the printer's page, in the orientation
// and within the margins the printer has, and drawn through the vector end at the printer's
// resolution, texts as text. False when the printer could not be opened or the page has no room.
bool printPlot(QPrinter& printer, const COvilanDoc& document);

// The print preview of the plot on `printer`'s pages, not yet shown.
QPrintPreviewDialog* plotPrintPreview(
    QPrinter& printer, const COvilanDoc& document, QWidget* parent);

} // namespace ovilan
