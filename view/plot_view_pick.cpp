// An interval picked on the plot for a dialog: Select Scale's drag without its zoom.

#include "view/plot_state.h"
#include "view/plot_view.h"

#include <algorithm>

namespace ovilan {

namespace {

    // A pick never hands back a drag in the middle: a label being dragged or a box being drawn
    // when it started is dropped, and the mode the drag came from returns.
    MouseMode restingMode(MouseMode mode)
    {
        if (mode == MouseMode::DraggingLabel)
            return MouseMode::Standard;
        if (mode == MouseMode::Selecting)
            return MouseMode::SelectInterval;
        return mode;
    }

    SearchInterval rising(double a, double b) { return { std::min(a, b), std::max(a, b) }; }

} // namespace

void COvilanView::startIntervalPick()
{
    if (modeBeforePick_)
        return;
    modeBeforePick_ = restingMode(currentMouseMode());
    setMouseModeFromView(MouseMode::SelectInterval);
    // Esc reaches the plot, which is the only place the pick can be cancelled from the keyboard.
    setFocus(Qt::OtherFocusReason);
}

void COvilanView::cancelIntervalPick()
{
    if (!modeBeforePick_)
        return;
    endIntervalPick();
    emit intervalPickCancelled();
}

void COvilanView::endIntervalPick()
{
    removeFeedback();
    dragState_.reset();
    const MouseMode before = *modeBeforePick_;
    modeBeforePick_.reset();
    setMouseModeFromView(before);
}

void COvilanView::reportPickedInterval(const QPoint& start, const QPoint& end)
{
    endIntervalPick();
    // A click without a drag marks no interval.
    if (start == end) {
        emit intervalPickCancelled();
        return;
    }
    const PlotMapping& mapping = currentPlotMapping();
    const PlotPoint first = deviceToPlot(mapping, start.x(), start.y());
    const PlotPoint second = deviceToPlot(mapping, end.x(), end.y());
    emit intervalPicked(rising(first.x, second.x), rising(first.y, second.y));
}

} // namespace ovilan
