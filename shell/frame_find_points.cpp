// Find Points, with its interval dragged on the plot between runs of the dialog.

#include "dialogs/find_points_dialog.h"
#include "dialogs/value_at_dialog.h"
#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "shell/main_frame.h"
#include "view/plot_view.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QStatusBar>

namespace ovilan {

void CMainFrame::showFindPoints()
{
    // Any graph Value At reads can be searched.
    const std::int32_t graph = valueAtGraph(document_);
    if (graph < 0 || findPoints_)
        return;
    findPoints_
        = std::make_unique<CFindPointsDlg>(document_, graph, standardDialogServices(), this);
    runFindPoints();
}

// The dialog runs until it is closed. "Drag on plot" ends a run; the plot view then picks the
// interval without a run of its own, and the frame goes on when the view reports it.
void CMainFrame::runFindPoints()
{
    if (findPoints_->exec() == CFindPointsDlg::PickInterval) {
        setPickingInterval(true);
        view_->startIntervalPick();
        return;
    }
    findPoints_.reset();
}

void CMainFrame::finishIntervalPick(
    const std::optional<std::pair<SearchInterval, SearchInterval>>& ranges)
{
    if (!pickingInterval_)
        return;
    setPickingInterval(false);
    if (!findPoints_)
        return;
    if (ranges)
        findPoints_->setDraggedRanges(ranges->first, ranges->second);
    runFindPoints();
}

void CMainFrame::endFindPoints()
{
    const std::unique_ptr<CFindPointsDlg> dialog = std::move(findPoints_);
    if (pickingInterval_)
        view_->cancelIntervalPick();
}

// While the interval is picked the document must stay as the dialog searches it: every command
// but help is off, and so are the menus (the recent files live there), the graph list and
// dropped files. The status bar says what the plot waits for.
void CMainFrame::setPickingInterval(bool picking)
{
    pickingInterval_ = picking;
    commandsOffWhilePicking_->setEnabled(!picking);
    QMainWindow::menuBar()->setEnabled(!picking);
    if (auto* list = qobject_cast<CGraphListView*>(centralWidget()); list && list->leftView())
        list->leftView()->setEnabled(!picking);
    setAcceptDrops(!picking);
    showRestingPrompt();
}

void CMainFrame::groupCommandsOffWhilePicking()
{
    commandsOffWhilePicking_ = new QActionGroup(this);
    commandsOffWhilePicking_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const auto& [id, command] : actions_)
        if (id != CommandId::Help && id != CommandId::HelpTopics)
            commandsOffWhilePicking_->addAction(command);
}

} // namespace ovilan
