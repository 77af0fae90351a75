#include "shell/main_frame.h"
#include "shell/plot_printing.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace ovilan {

void CMainFrame::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!ui_.askPrinter(printer))
        return;
    if (!printPlot(printer, document_))
        ui_.showMessage(QStringLiteral("Failed to print document."));
}

void CMainFrame::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    const std::unique_ptr<QPrintPreviewDialog> preview(plotPrintPreview(printer, document_, this));
    preview->exec();
}

} // namespace ovilan
