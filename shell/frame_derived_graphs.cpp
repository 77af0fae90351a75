// The Graphs commands that draw new graphs from the selected one, and the curve fitted to a table.

#include "dialogs/fit_dialog.h"
#include "dialogs/tangent_dialog.h"
#include "document/derived_graphs.h"
#include "shell/main_frame.h"

#include <QAction>

namespace ovilan {

void CMainFrame::connectDerivedGraphCommands()
{
    connect(action(CommandId::DerivativeGraph), &QAction::triggered, this, [this] {
        addDerivativeGraph(document_, ui_);
    });
    connect(action(CommandId::TangentNormal), &QAction::triggered, this, [this] {
        openTangentDialog();
    });
    connect(action(CommandId::FitCurve), &QAction::triggered, this, [this] { openFitDialog(); });
}

void CMainFrame::openFitDialog()
{
    const std::int32_t index = document_.currentGraph;
    if (index < 0 || index >= document_.graphCount())
        return;
    if (document_.graph(index).kind != GraphKind::Table) {
        ui_.showMessage(kNoFitGraph);
        return;
    }
    auto* dialog = new CFitDlg(document_, index, standardDialogServices(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void CMainFrame::openTangentDialog()
{
    const std::int32_t index = document_.currentGraph;
    if (index < 0 || index >= document_.graphCount())
        return;
    if (!document_.graph(index).curveFunction()) {
        ui_.showMessage(kNoTangentGraph);
        return;
    }
    // Window-modal and not waited for: the frame stays responsive to its own repaints, and the
    // dialog adds its lines itself on OK.
    auto* dialog = new CTangentDlg(document_, index, standardDialogServices(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace ovilan
