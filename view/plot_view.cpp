#include "view/plot_view.h"

#include "document/draw_plot.h"
#include "render/cursor_readout.h"
#include "view/plot_state.h"
#include "view/qimage_canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ovilan {

namespace {

    QRect toQRect(const DeviceRect& rect)
    {
        // Device rectangles here end one past their right and bottom pixels.
        return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
    }

} // namespace

COvilanView::COvilanView(COvilanDoc& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
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
    layoutDirty_ = true;
    // Even hints repaint everything; odd ones only when bit 1 asks for it, all of the window for
    // operation 0 and the areas of one label for operation 1.
    if (hint % 2 == 0) {
        update();
        return;
    }
    if ((hint & 2) == 0)
        return;
    const std::int32_t operation = (hint >> 8) & 7;
    if (operation == 0)
        update();
    else if (operation == 1)
        update(labelArea(hint >> 11));
}

QRect COvilanView::labelArea(std::int32_t index)
{
    if (index < 0 || index >= document_.labelCount())
        return {};
    const CPlotLabel& label = document_.labels[static_cast<std::size_t>(index)];
    const PlotMapping& mapping = currentPlotMapping();
    QImage measuring(1, 1, QImage::Format_RGB32);
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
    layoutDirty_ = true;
}

void COvilanView::paintEvent(QPaintEvent* event)
{
    if (backBuffer_.size() != size()) {
        backBuffer_ = QImage(size(), QImage::Format_RGB32);
        layoutDirty_ = true;
    }
    const QRect dirty = event->rect() & rect();
    if (dirty.isEmpty())
        return;
    QImageCanvas canvas(backBuffer_);
    canvas.setClipBox({ dirty.left(), dirty.top(), dirty.right(), dirty.bottom() });
    // Erasing the background fills what is repainted in the document's colour, which is also the
    // background of opaque texts, and asks for a fresh layout.
    const Rgb background = colorOf(document_.general.backgroundColor);
    canvas.fillRect(
        { dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1 }, background);
    canvas.textState().backgroundColor = background;
    layoutDirty_ = true;

    PlotMapping& mapping = currentPlotMapping();
    if (layoutDirty_) {
        layoutDirty_ = false;
        mapping.plotRect = { 0, 0, width(), height() };
        layoutDocument(mapping, canvas, document_);
    }
    drawPlot(canvas, mapping, document_);
    QPainter painter(this);
    painter.drawImage(dirty, backBuffer_, dirty);
}

void COvilanView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const PlotPoint point = deviceToPlot(currentPlotMapping(), at.x(), at.y());
    updateCursor(point.inside);
    if (point.inside)
        emit coordinatesChanged(QStringLiteral("X=")
                + QString::fromStdString(cursorCoordinate(point.x, document_.xAxis)),
            QStringLiteral("Y=")
                + QString::fromStdString(cursorCoordinate(point.y, document_.yAxis)));
    else
        emit coordinatesChanged(QString(), QString());
    QWidget::mouseMoveEvent(event);
}

void COvilanView::leaveEvent(QEvent* event)
{
    emit coordinatesChanged(QString(), QString());
    QWidget::leaveEvent(event);
}

void COvilanView::mouseModeChanged()
{
    const QPoint at = mapFromGlobal(QCursor::pos());
    updateCursor(deviceToPlot(currentPlotMapping(), at.x(), at.y()).inside && rect().contains(at));
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
    if (wanted == cursorState_)
        return;
    cursorState_ = wanted;
    if (wanted == 1)
        setCursor(addLabelCursor_);
    else if (wanted == 2)
        setCursor(selectCursor_);
    else
        unsetCursor();
}

} // namespace ovilan
