#include "document/plot_mouse_commands.h"
#include "view/curve_track.h"
#include "view/plot_state.h"
#include "view/plot_view.h"
#include "view/trace_state.h"

#include <QKeyEvent>

#include <algorithm>
#include <limits>

namespace ovilan {

void COvilanView::startOrEndTrace()
{
    const bool tracing = currentMouseMode() == MouseMode::TraceCurve;
    if (!tracing) {
        removeTraceFeedback();
        trace_.reset();
        return;
    }
    if (trace_)
        return;
    trace_ = std::make_unique<TraceState>();
    // The keys move the cursor, so the plot takes them from wherever the focus was.
    setFocus(Qt::OtherFocusReason);
    const QPoint pointer = toDevice(mapFromGlobal(QCursor::pos().toPointF()));
    const PlotMapping& mapping = currentPlotMapping();
    const DeviceRect& plot = mapping.plotRect;
    const bool inside = deviceToPlot(mapping, pointer.x(), pointer.y()).inside
        && rect().contains(mapFromGlobal(QCursor::pos()));
    traceToward(
        inside ? pointer : QPoint((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2),
        false);
    if (trace_->graph < 0)
        traceNextGraph(1);
}

std::optional<TracePosition> COvilanView::tracePosition() const
{
    if (!trace_ || trace_->graph < 0)
        return std::nullopt;
    const auto graph = static_cast<std::size_t>(trace_->graph);
    if (graph >= trace_->tracks.size() || !trace_->tracks[graph])
        return std::nullopt;
    const CurveTrack& track = *trace_->tracks[graph];
    const CurvePoint point = track.point(trace_->index);
    return TracePosition {
        trace_->graph, trace_->index, point.x, point.y, track.readOut(trace_->index)
    };
}

const CurveTrack* COvilanView::trackOf(std::int32_t graph)
{
    if (!trace_ || graph < 0 || graph >= document_.graphCount())
        return nullptr;
    const auto count = static_cast<std::size_t>(document_.graphCount());
    if (trace_->tracks.size() != count) {
        trace_->tracks.assign(count, std::nullopt);
        trace_->tracked.assign(count, false);
    }
    const auto i = static_cast<std::size_t>(graph);
    if (!trace_->tracked[i]) {
        const CGraph& shown = document_.graph(graph);
        if (shown.showGraph)
            trace_->tracks[i] = CurveTrack::of(shown);
        trace_->tracked[i] = true;
    }
    return trace_->tracks[i] ? &*trace_->tracks[i] : nullptr;
}

std::int32_t COvilanView::traceGraphAt(const QPoint& at, bool clicked)
{
    if (!clicked) {
        if (trackOf(trace_->pinned) && document_.currentGraph == trace_->selectionWhenPinned)
            return trace_->pinned;
        if (trackOf(document_.currentGraph))
            return document_.currentGraph;
    }
    const PlotMapping& mapping = currentPlotMapping();
    const DevicePoint pointer { at.x(), at.y(), true };
    std::int32_t nearestGraph = -1;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (std::int32_t graph = 0; graph < document_.graphCount(); ++graph) {
        const CurveTrack* track = trackOf(graph);
        const std::optional<int> index = track ? track->nearest(mapping, pointer) : std::nullopt;
        if (!index)
            continue;
        const double distance = track->distance(mapping, pointer, *index);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearestGraph = graph;
        }
    }
    return nearestGraph;
}

void COvilanView::traceToward(const QPoint& at, bool clicked)
{
    const std::int32_t graph = traceGraphAt(at, clicked);
    const CurveTrack* track = trackOf(graph);
    if (!track)
        return;
    const std::optional<int> index
        = track->nearest(currentPlotMapping(), DevicePoint { at.x(), at.y(), true });
    if (!index)
        return;
    if (clicked) {
        trace_->pinned = graph;
        trace_->selectionWhenPinned = document_.currentGraph;
    }
    moveTrace(graph, *index);
}

void COvilanView::traceStep(int count)
{
    const CurveTrack* track = trackOf(trace_->graph);
    if (track)
        moveTrace(trace_->graph, track->stepped(trace_->index, count));
}

// The next graph the cursor can follow, round the list; the cursor lands on its point nearest
// to where it was.
void COvilanView::traceNextGraph(int direction)
{
    const std::int32_t count = document_.graphCount();
    if (count == 0)
        return;
    const std::optional<TracePosition> from = tracePosition();
    const PlotMapping& mapping = currentPlotMapping();
    const DevicePoint was = from
        ? plotToDevice(mapping, from->x, from->y)
        : DevicePoint { (mapping.plotRect.left + mapping.plotRect.right) / 2,
              (mapping.plotRect.top + mapping.plotRect.bottom) / 2,
              true };
    std::int32_t graph = trace_->graph;
    if (graph < 0)
        graph = direction > 0 ? count - 1 : 0;
    for (std::int32_t tried = 0; tried < count; ++tried) {
        graph = ((graph + direction) % count + count) % count;
        const CurveTrack* track = trackOf(graph);
        if (!track)
            continue;
        std::optional<int> index = track->nearest(mapping, was);
        const int first = track->stepped(-1, 1);
        if (!index && first >= 0)
            index = first;
        if (!index)
            continue;
        trace_->pinned = graph;
        trace_->selectionWhenPinned = document_.currentGraph;
        moveTrace(graph, *index);
        return;
    }
}

void COvilanView::forgetTracks()
{
    if (!trace_)
        return;
    trace_->tracks.clear();
    trace_->tracked.clear();
}

// After the document changed: the cursor stays on its graph and sample where they still exist.
void COvilanView::refreshTrace()
{
    if (!trace_ || trace_->graph < 0)
        return;
    const CurveTrack* track = trackOf(trace_->graph);
    if (!track) {
        trace_->graph = -1;
        return;
    }
    int index = std::min(trace_->index, track->size() - 1);
    if (!track->defined(index))
        index = track->stepped(index, -1);
    if (!track->defined(index))
        index = track->stepped(index, 1);
    if (!track->defined(index)) {
        trace_->graph = -1;
        return;
    }
    trace_->index = index;
    showTraceFeedback();
}

void COvilanView::moveTrace(std::int32_t graph, int index)
{
    removeTraceFeedback();
    trace_->graph = graph;
    trace_->index = index;
    showTraceFeedback();
}

void COvilanView::showTraceFeedback()
{
    const std::optional<TracePosition> position = tracePosition();
    if (!position || backBuffer_.isNull())
        return;
    update(toLogical(drawCurveCursorFeedback(backBuffer_,
        currentPlotMapping(),
        position->x,
        position->y,
        position->readOut,
        trace_->saved)));
    showReadOut(position->x, position->y);
}

void COvilanView::removeTraceFeedback()
{
    if (trace_)
        update(toLogical(trace_->saved.restore(backBuffer_)));
}

void COvilanView::placeTraceLabel()
{
    if (const std::optional<TracePosition> position = tracePosition())
        addCaptionedLabel(document_, position->x, position->y, position->readOut);
}

void COvilanView::keyPressEvent(QKeyEvent* event)
{
    if (pickingInterval() && event->key() == Qt::Key_Escape) {
        cancelIntervalPick();
        event->accept();
        return;
    }
    if (currentMouseMode() == MouseMode::TraceCurve && !trace_)
        startOrEndTrace();
    if (currentMouseMode() != MouseMode::TraceCurve || !trace_) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int stride = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        traceStep(-stride);
        break;
    case Qt::Key_Right:
        traceStep(stride);
        break;
    case Qt::Key_Down:
    case Qt::Key_Tab:
        traceNextGraph(1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Backtab:
        traceNextGraph(-1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        placeTraceLabel();
        break;
    case Qt::Key_Escape:
        setMouseModeFromView(MouseMode::Standard);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool COvilanView::focusNextPrevChild(bool next)
{
    if (currentMouseMode() == MouseMode::TraceCurve)
        return false;
    return QWidget::focusNextPrevChild(next);
}

} // namespace ovilan
