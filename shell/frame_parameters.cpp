#include "document/parameter_commands.h"
#include "document/parameter_graphs.h"
#include "shell/main_frame.h"
#include "shell/parameters_pane.h"

#include <QAction>
#include <QDockWidget>
#include <QScopedValueRollback>

namespace ovilan {

void CMainFrame::createParametersPane()
{
    parametersDock_ = new QDockWidget(QStringLiteral("Parameters"), this);
    // The name under which the window's saved state remembers where the pane is and whether it
    // is shown.
    parametersDock_->setObjectName(QStringLiteral("Parameters"));
    parametersPane_ = new CParametersPane(standardDialogServices().messages, parametersDock_);
    parametersDock_->setWidget(parametersPane_);
    addDockWidget(Qt::RightDockWidgetArea, parametersDock_);
    // Hidden until the user asks for it; a saved window state may show it again.
    parametersDock_->hide();
}

void CMainFrame::connectParametersPane()
{
    connect(action(CommandId::ParametersPane), &QAction::triggered, this, [this] {
        parametersDock_->setVisible(parametersDock_->isHidden());
        refreshCommandStates();
    });
    // The check mark follows the pane also when its own close button hides it.
    connect(
        parametersDock_, &QDockWidget::visibilityChanged, this, [this] { refreshCommandStates(); });

    // The pane's own changes: it shows the table they leave, a play going on (changing the
    // speed of a playing parameter does not stop it).
    const auto fromPane = [this](auto change) {
        {
            // Restored, not cleared: a refusal's message box lets a playing value move meanwhile.
            const QScopedValueRollback applying(applyingPaneChange_, true);
            change();
        }
        parametersPane_->showParameters(document_.parameterTable.parameters);
    };
    // A drag or a play takes its undo step at its first move, so a click on the slider's handle
    // or a Play stopped at once leaves no empty step behind.
    const auto nextMoveTakesAStep = [this](char) { parameterMoveOpen_ = false; };
    connect(parametersPane_, &CParametersPane::changeStarted, this, nextMoveTakesAStep);
    connect(parametersPane_, &CParametersPane::changeFinished, this, nextMoveTakesAStep);
    connect(parametersPane_,
        &CParametersPane::valueMoved,
        this,
        [this, fromPane](char name, double value) {
            fromPane([&] {
                // The first move of a drag or a play, a move by the keyboard, or one after
                // another command came between: the table before it is the undo step.
                if (!parameterMoveOpen_) {
                    beginParameterMove(document_);
                    parameterMoveOpen_ = true;
                }
                moveParameter(document_, name, value);
            });
        });
    connect(parametersPane_,
        &CParametersPane::parameterEdited,
        this,
        [this, fromPane](const FormulaParameter& edited) {
            fromPane([&] { replaceParameter(document_, edited, ui_); });
        });
    connect(parametersPane_, &CParametersPane::addRequested, this, [this, fromPane](char name) {
        fromPane([&] { addParameter(document_, name, ui_); });
    });
    connect(parametersPane_, &CParametersPane::removeRequested, this, [this, fromPane](char name) {
        fromPane([&] { removeParameter(document_, name, ui_); });
    });
    showDocumentParameters(kHintRepaint);
}

void CMainFrame::showDocumentParameters(std::int32_t hint)
{
    if (applyingPaneChange_)
        return;
    const std::vector<FormulaParameter>& table = document_.parameterTable.parameters;
    // The table changed under the pane (Undo, Redo, New, Open): a running play would move a
    // value the user just took back.
    if (table != parametersPane_->parameters())
        parametersPane_->stopAnimation();
    parametersPane_->showParameters(table);
    // A document opened with parameters shows them.
    if (hint == kHintEverything && !table.empty())
        parametersDock_->show();
}

} // namespace ovilan
