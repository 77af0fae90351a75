#include "document/document_commands.h"
#include "document/plot_mouse_commands.h"
#include "view/plot_state.h"
#include "view/plot_view.h"
#include "view/qimage_canvas.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    bool dragging(MouseMode mode)
    {
        return mode == MouseMode::DraggingLabel || mode == MouseMode::Selecting;
    }

    double pinnedTo(double value, double bound1, double bound2)
    {
        return std::clamp(value, std::min(bound1, bound2), std::max(bound1, bound2));
    }

    // A value to the nearest multiple of the power of ten four orders below the range's width.
    double roundedToGrid(double value, double width)
    {
        if (!(width > 0) || !std::isfinite(width))
            return value;
        const double grid = std::pow(10.0, std::floor(std::log10(width)) - 4);
        const double steps = std::round(value / grid);
        // Where the grid is finer than the number's own precision there is nothing to round.
        if (!(std::abs(steps) < 0x1p52))
            return value;
        return steps * grid;
    }

    QPoint devicePoint(const PlotMapping& mapping, double x, double y)
    {
        const DevicePoint p = plotToDevice(mapping, x, y);
        return { p.x, p.y };
    }

} // namespace

void COvilanView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = toDevice(event->position());
    if (event->button() == Qt::LeftButton)
        pressLeft(at);
    else if (event->button() == Qt::RightButton)
        pressRight(at, event->globalPosition().toPoint());
    else
        QWidget::mousePressEvent(event);
}

void COvilanView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = toDevice(event->position());
    if (dragging(currentMouseMode()) && dragState_) {
        followDrag(at);
        return;
    }
    const PlotPoint point = deviceToPlot(currentPlotMapping(), at.x(), at.y());
    updateCursor(point.inside);
    // A plot view made while the mode was on (the graph list shown or hidden) starts its cursor
    // with the first move.
    if (currentMouseMode() == MouseMode::TraceCurve && !trace_)
        startOrEndTrace();
    if (currentMouseMode() == MouseMode::TraceCurve && trace_ && point.inside) {
        // The read-out shows the curve's point while the cursor is on one.
        showReadOut(point.x, point.y);
        traceToward(at, false);
    } else if (point.inside)
        showReadOut(point.x, point.y);
    else
        emit coordinatesChanged(QString(), QString());
    QWidget::mouseMoveEvent(event);
}

void COvilanView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        releaseLeft();
    else
        QWidget::mouseReleaseEvent(event);
}

void COvilanView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || dragging(currentMouseMode()) || pickingInterval()) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const std::int32_t index = labelHitAt(toDevice(event->position()), true);
    if (index >= 0)
        editLabel(document_, ui_, index);
}

void COvilanView::wheelEvent(QWheelEvent* event)
{
    // A pick reads the ranges as they are; a zoom under it would move what is being marked.
    if (dragging(currentMouseMode()) || pickingInterval()) {
        event->accept();
        return;
    }
    // One notch of a wheel is 120; touch pads send smaller steps that add up to a notch.
    constexpr int kNotch = 120;
    wheelTurn_ += event->angleDelta().y();
    const QPoint at = toDevice(event->position());
    while (wheelTurn_ >= kNotch || wheelTurn_ <= -kNotch) {
        const bool zoomingIn = wheelTurn_ > 0;
        wheelTurn_ += zoomingIn ? -kNotch : kNotch;
        // Over the plot the point under the pointer stays put; over the margins the plot zooms
        // about its middle, as the commands do.
        if (!deviceToPlot(currentPlotMapping(), at.x(), at.y()).inside) {
            wheelAnchor_.reset();
            if (zoomingIn)
                zoomIn(document_, ui_);
            else
                zoomOut(document_, ui_);
            continue;
        }
        const PlotPoint anchor = wheelAnchorAt(at);
        zoomAbout(document_, ui_, zoomingIn, anchor.x, anchor.y);
        wheelAnchor_ = WheelAnchor { at, anchor, ranges() };
    }
    event->accept();
}

// While the pointer rests and nothing else changed the ranges, the wheel keeps zooming about the
// point it started with: the point under the pointer, read again from a mapping whose margins
// may have moved with the new axis labels, would drift, and notches out would not retrace the
// notches in. The point is taken to a ten-thousandth of the range's order of magnitude (less
// than a pixel), so halving and doubling about it keep within the digits a zoom keeps:
// -10..10 about 3.2571... is about 3.257, and in once gives -3.3715..6.6285.
PlotPoint COvilanView::wheelAnchorAt(const QPoint& at) const
{
    if (wheelAnchor_ && wheelAnchor_->at == at && wheelAnchor_->ranges == ranges())
        return wheelAnchor_->point;
    PlotPoint point = deviceToPlot(currentPlotMapping(), at.x(), at.y());
    point.x = roundedToGrid(point.x, document_.xAxis.max - document_.xAxis.min);
    point.y = roundedToGrid(point.y, document_.yAxis.max - document_.yAxis.min);
    return point;
}

std::array<double, 4> COvilanView::ranges() const
{
    return { document_.xAxis.min, document_.xAxis.max, document_.yAxis.min, document_.yAxis.max };
}

std::int32_t COvilanView::labelHitAt(const QPoint& at, bool topmostFirst) const
{
    QImage measuring = measuringImage();
    const QImageCanvas canvas(measuring);
    const PlotMapping& mapping = currentPlotMapping();
    const std::int32_t count = document_.labelCount();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t index = topmostFirst ? count - 1 - i : i;
        if (document_.labels[static_cast<std::size_t>(index)].hitTest(
                canvas, mapping, at.x(), at.y()))
            return index;
    }
    return -1;
}

PlotPoint COvilanView::clampedPlotPoint(const QPoint& at) const
{
    PlotPoint point = deviceToPlot(currentPlotMapping(), at.x(), at.y());
    point.x = pinnedTo(point.x, document_.xAxis.min, document_.xAxis.max);
    point.y = pinnedTo(point.y, document_.yAxis.min, document_.yAxis.max);
    return point;
}

void COvilanView::pressLeft(const QPoint& at)
{
    const PlotMapping& mapping = currentPlotMapping();
    const PlotPoint point = deviceToPlot(mapping, at.x(), at.y());
    switch (currentMouseMode()) {
    case MouseMode::Standard: {
        const std::int32_t index = labelHitAt(at, true);
        if (index < 0)
            return;
        const CPlotLabel& label = document_.labels[static_cast<std::size_t>(index)];
        dragState_ = std::make_unique<DragState>();
        dragState_->labelIndex = index;
        dragState_->current = devicePoint(mapping, label.x, label.y);
        dragState_->grabOffset = at - dragState_->current;
        setMouseModeFromView(MouseMode::DraggingLabel);
        return;
    }
    case MouseMode::AddLabel:
        if (point.inside && addLabelAt(document_, ui_, point.x, point.y)
            && !document_.preferences().persistentCursor)
            setMouseModeFromView(MouseMode::Standard);
        return;
    case MouseMode::SelectInterval:
        if (!point.inside)
            return;
        dragState_ = std::make_unique<DragState>();
        dragState_->start = at;
        dragState_->current = at;
        setMouseModeFromView(MouseMode::Selecting);
        return;
    case MouseMode::TraceCurve:
        if (point.inside && trace_)
            traceToward(at, true);
        return;
    default:
        return;
    }
}

void COvilanView::followDrag(const QPoint& at)
{
    removeFeedback();
    const PlotMapping& mapping = currentPlotMapping();
    if (currentMouseMode() == MouseMode::DraggingLabel) {
        const std::int32_t index = dragState_->labelIndex;
        if (index >= document_.labelCount())
            return;
        const PlotPoint point = clampedPlotPoint(at - dragState_->grabOffset);
        CPlotLabel copy = document_.labels[static_cast<std::size_t>(index)];
        copy.x = point.x;
        copy.y = point.y;
        copy.outlineOnly = 1;
        dragState_->current = devicePoint(mapping, point.x, point.y);
        update(toLogical(drawLabelFeedback(backBuffer_, mapping, copy, dragState_->saved)));
        showReadOut(point.x, point.y);
        return;
    }
    const PlotPoint point = clampedPlotPoint(at);
    dragState_->current = devicePoint(mapping, point.x, point.y);
    update(toLogical(drawSelectionFeedback(
        backBuffer_, dragState_->start, dragState_->current, dragState_->saved)));
    showReadOut(point.x, point.y);
}

void COvilanView::removeFeedback()
{
    if (dragState_)
        update(toLogical(dragState_->saved.restore(backBuffer_)));
}

void COvilanView::releaseLeft()
{
    const MouseMode mode = currentMouseMode();
    if (!dragging(mode) || !dragState_)
        return;
    removeFeedback();
    const std::unique_ptr<DragState> drag = std::move(dragState_);
    const PlotMapping& mapping = currentPlotMapping();
    if (mode == MouseMode::DraggingLabel) {
        setMouseModeFromView(MouseMode::Standard);
        if (drag->labelIndex >= document_.labelCount())
            return;
        const CPlotLabel& label = document_.labels[static_cast<std::size_t>(drag->labelIndex)];
        // A click without a move leaves the label, its history and the modified mark alone.
        if (devicePoint(mapping, label.x, label.y) == drag->current)
            return;
        const PlotPoint moved = deviceToPlot(mapping, drag->current.x(), drag->current.y());
        moveLabel(document_, drag->labelIndex, moved.x, moved.y);
        return;
    }
    if (pickingInterval()) {
        reportPickedInterval(drag->start, drag->current);
        return;
    }
    const PlotPoint first = deviceToPlot(mapping, drag->start.x(), drag->start.y());
    const PlotPoint second = deviceToPlot(mapping, drag->current.x(), drag->current.y());
    zoomToSelection(document_, ui_, first.x, first.y, second.x, second.y);
    setMouseModeFromView(
        document_.preferences().persistentCursor ? MouseMode::SelectInterval : MouseMode::Standard);
}

void COvilanView::pressRight(const QPoint& at, const QPoint& globalAt)
{
    // The right button ends a pick as it ends a selection; the context menu's commands would
    // change the document the pick is for, so it stays closed.
    if (pickingInterval()) {
        cancelIntervalPick();
        return;
    }
    const MouseMode mode = currentMouseMode();
    if (dragging(mode)) {
        removeFeedback();
        dragState_.reset();
        const bool keepSelecting
            = mode == MouseMode::Selecting && document_.preferences().persistentCursor;
        setMouseModeFromView(keepSelecting ? MouseMode::SelectInterval : MouseMode::Standard);
    }
    contextLabelIndex_ = labelHitAt(at, false);
    emit contextMenuRequested(globalAt, contextLabelIndex_ >= 0);
}

void COvilanView::setMouseModeFromView(MouseMode mode)
{
    currentMouseMode() = mode;
    mouseModeChanged();
    emit mouseModeSet();
}

void COvilanView::editContextLabel() { editLabel(document_, ui_, contextLabelIndex_); }

void COvilanView::removeContextLabel() { removeLabelAsked(document_, ui_, contextLabelIndex_); }

} // namespace ovilan
