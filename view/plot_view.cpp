#include "view/plot_view.h"

#include "document/draw_plot.h"
#include "render/cursor_readout.h"
#include "view/plot_state.h"
#include "view/qimage_canvas.h"
#include "view/screen_plot.h"
#include "view/trace_state.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

namespace ovilan {

namespace {

    QRect toQRect(const DeviceRect& rect)
    {
        // Device rectangles here end one past their right and bottom pixels.
        return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
    }

} // namespace

COvilanView::COvilanView(COvilanDoc& document, UserInterface& ui, QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , ui_(ui)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    document_.addView(this);
}

COvilanView::~COvilanView() { document_.removeView(this); }

void COvilanView::setModeCursors(const QCursor& addLabel, const QCursor& select)
{
    addLabelCursor_ = addLabel;
    selectCursor_ = select;
}

void COvilanView::onUpdate(std::int32_t hint)
{
    // Every hint may change the layout; the mapping follows at once, so the read-out and the
    // mouse never work with the scale of a document that is gone, even before the next paint.
    layOutMapping();
    forgetTracks();
    // Even hints repaint everything; odd ones only when bit 1 asks for it, all of the window for
    // operation 0 and the areas of one label for operation 1.
    if (hint % 2 == 0) {
        markStale(deviceRect());
        return;
    }
    if ((hint & 2) == 0)
        return;
    const std::int32_t operation = (hint >> 8) & 7;
    if (operation == 0)
        markStale(deviceRect());
    else if (operation == 1)
        markStale(labelArea(hint >> 11));
}

QRect COvilanView::deviceRect() const
{
    const qreal ratio = devicePixelRatioF();
    return { 0, 0, qCeil(width() * ratio), qCeil(height() * ratio) };
}

QRect COvilanView::toLogical(const QRect& area) const
{
    const qreal ratio = devicePixelRatioF();
    return QRectF(QPointF(area.topLeft()) / ratio, QSizeF(area.size()) / ratio).toAlignedRect();
}

QPoint COvilanView::toDevice(const QPointF& logical) const
{
    const qreal ratio = devicePixelRatioF();
    return { qFloor(logical.x() * ratio), qFloor(logical.y() * ratio) };
}

QImage COvilanView::measuringImage() const
{
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = deviceDotsPerMeter();
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

int COvilanView::deviceDotsPerMeter() const { return qRound(96 * devicePixelRatioF() / 0.0254); }

void COvilanView::layOutMapping()
{
    // A pane on its way out (the graph list switched on or off) no longer sets the scale.
    if (!isVisibleTo(window()) || deviceRect().isEmpty())
        return;
    QImage measuring = measuringImage();
    const QImageCanvas canvas(measuring);
    PlotMapping& mapping = currentPlotMapping();
    mapping.plotRect = { 0, 0, deviceRect().width(), deviceRect().height() };
    layoutDocument(mapping, canvas, document_);
}

void COvilanView::markStale(const QRect& area)
{
    stale_ += area;
    update(toLogical(area));
}

QRect COvilanView::labelArea(std::int32_t index)
{
    if (index < 0 || index >= document_.labelCount())
        return {};
    const CPlotLabel& label = document_.labels[static_cast<std::size_t>(index)];
    const PlotMapping& mapping = currentPlotMapping();
    QImage measuring = measuringImage();
    const QImageCanvas canvas(measuring);
    const DeviceRect box = label.captionBox(canvas, mapping);
    const QRect caption = toQRect({ box.left - 2, box.top - 2, box.right + 2, box.bottom + 2 });
    const DevicePoint p = plotToDevice(mapping, label.x, label.y);
    const std::int32_t r = label.radius;
    const QRect marker = toQRect({ p.x - r - 1, p.y - r - 1, p.x + r + 1, p.y + r + 1 });
    return caption.united(marker);
}

void COvilanView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    stale_ = deviceRect();
}

void COvilanView::paintEvent(QPaintEvent* event)
{
    // The plot is drawn in device pixels, one per plot pixel, on screens of any scale; its texts
    // take the screen's real resolution so they keep their size in points.
    const qreal ratio = devicePixelRatioF();
    if (backBuffer_.size() != deviceRect().size() || backBufferRatio_ != ratio) {
        backBuffer_ = QImage(deviceRect().size(), QImage::Format_RGB32);
        const int dotsPerMeter = deviceDotsPerMeter();
        backBuffer_.setDotsPerMeterX(dotsPerMeter);
        backBuffer_.setDotsPerMeterY(dotsPerMeter);
        backBufferRatio_ = ratio;
        stale_ = deviceRect();
    }
    // Only what a change touched is drawn again; everything else, the mouse feedback included,
    // is already in the back buffer.
    const QRect redraw = stale_.boundingRect() & deviceRect();
    stale_ = QRegion();
    if (!redraw.isEmpty()) {
        drawPlotArea(redraw);
        refreshTrace();
    }
    const QRect shown = event->rect() & rect();
    if (shown.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(QRectF(shown),
        backBuffer_,
        QRectF(QPointF(shown.topLeft()) * ratio, QSizeF(shown.size()) * ratio));
}

void COvilanView::drawPlotArea(const QRect& area)
{
    // The plot drawn again over feedback would leave stale pixels under it; the feedback goes
    // first and comes back with the next mouse move.
    if (dragState_)
        update(toLogical(dragState_->saved.restore(backBuffer_)));
    removeTraceFeedback();
    drawScreenPlot(backBuffer_, area, lineDrawing_, currentPlotMapping(), document_);
}

void COvilanView::setLineDrawing(LineDrawing drawing)
{
    if (drawing == lineDrawing_)
        return;
    lineDrawing_ = drawing;
    markStale(deviceRect());
}

void COvilanView::showReadOut(double x, double y)
{
    emit coordinatesChanged(
        QStringLiteral("X=") + QString::fromStdString(cursorCoordinate(x, document_.xAxis)),
        QStringLiteral("Y=") + QString::fromStdString(cursorCoordinate(y, document_.yAxis)));
}

void COvilanView::leaveEvent(QEvent* event)
{
    emit coordinatesChanged(QString(), QString());
    QWidget::leaveEvent(event);
}

void COvilanView::mouseModeChanged()
{
    // A mode command in the middle of a drag ends the drag without applying it.
    const MouseMode mode = currentMouseMode();
    if (dragState_ && mode != MouseMode::DraggingLabel && mode != MouseMode::Selecting) {
        update(toLogical(dragState_->saved.restore(backBuffer_)));
        dragState_.reset();
    }
    startOrEndTrace();
    const QPointF logical = mapFromGlobal(QCursor::pos().toPointF());
    const QPoint at = toDevice(logical);
    updateCursor(deviceToPlot(currentPlotMapping(), at.x(), at.y()).inside
        && rect().contains(logical.toPoint()));
}

void COvilanView::updateCursor(bool inside)
{
    const MouseMode mode = currentMouseMode();
    if (mode == MouseMode::DraggingLabel || mode == MouseMode::Selecting)
        return;
    int wanted = 0;
    if (inside && mode == MouseMode::AddLabel)
        wanted = 1;
    else if (inside && mode == MouseMode::SelectInterval)
        wanted = 2;
    else if (inside && mode == MouseMode::TraceCurve)
        wanted = 3;
    if (wanted == cursorState_)
        return;
    cursorState_ = wanted;
    if (wanted == 1)
        setCursor(addLabelCursor_);
    else if (wanted == 2)
        setCursor(selectCursor_);
    else if (wanted == 3)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

} // namespace ovilan
