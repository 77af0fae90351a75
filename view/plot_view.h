#pragma once

#include "analysis/curve_samples.h"
#include "document/ovilan_doc.h"
#include "document/update_hints.h"
#include "document/user_interface.h"
#include "view/drag_feedback.h"
#include "view/mouse_mode.h"
#include "view/screen_plot.h"

#include <QCursor>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace ovilan {

class Canvas;
class CurveTrack;

// Where the curve cursor is: on which graph, at which of its traced points, and what it reads.
struct TracePosition {
    std::int32_t graph = -1;
    int index = 0;
    double x = 0;
    double y = 0;
    std::string readOut;
};

// The window that shows the plot of the document. It paints through a back buffer with the same
// drawing as the pictures, keeps the shared mapping in step with its size and the document,
// repaints only what a change touches, reports the plot coordinates under the mouse, and turns
// clicks and drags into labels and zooms as the mouse mode says.
class COvilanView : public QWidget, public DocumentView {
    Q_OBJECT

public:
    COvilanView(COvilanDoc& document, UserInterface& ui, QWidget* parent = nullptr);
    ~COvilanView() override;

    void onUpdate(std::int32_t hint) override;
    // The cursors of the add-label and select-interval modes.
    void setModeCursors(const QCursor& addLabel, const QCursor& select);
    // Call when the mouse mode changed, so the cursor follows at once.
    void mouseModeChanged();

    // The label commands of the label's context menu, on the label it was opened for.
    void editContextLabel();
    void removeContextLabel();
    std::int32_t contextLabelIndex() const { return contextLabelIndex_; }

    // Exact pixels or smooth lines; the layout, and so everything the mouse does, is the same for
    // both. A change repaints the whole plot.
    void setLineDrawing(LineDrawing drawing);
    LineDrawing lineDrawing() const { return lineDrawing_; }

    // The curve cursor's place while the Trace Curve mode has put it on a curve.
    std::optional<TracePosition> tracePosition() const;

    // The picture of the plot as the window shows it, in device pixels.
    QImage snapshot() const { return backBuffer_; }

    // One interval picked with the mouse for a dialog: the next rectangle dragged over the plot,
    // drawn and pinned to the plot as Select Scale draws it, is reported instead of zoomed to.
    // Esc, a right click or a click without a drag cancels. The mouse mode is Select Scale's
    // while the pick runs and what it was before once it ends, either way.
    void startIntervalPick();
    void cancelIntervalPick();
    bool pickingInterval() const { return modeBeforePick_.has_value(); }

signals:
    // "X=..." and "Y=..." under the mouse, or two empty texts outside the plot rectangle.
    void coordinatesChanged(const QString& x, const QString& y);
    // The view changed the mouse mode itself (a drag, a selection or an added label ended).
    void mouseModeSet();
    // A right click: the context menu of a label (`onLabel`) or of the plot, at a screen point.
    void contextMenuRequested(const QPoint& globalPosition, bool onLabel);
    // The rectangle an interval pick ended with, as the ranges of x and y it covers, each lower
    // bound first; or that the pick was cancelled. The mouse mode is back when they arrive.
    void intervalPicked(SearchInterval x, SearchInterval y);
    void intervalPickCancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab change the graph under the curve cursor instead of the focus.
    bool focusNextPrevChild(bool next) override;

private:
    // A label drag or a selection box in progress, with the feedback on the screen.
    struct DragState {
        std::int32_t labelIndex = -1;
        QPoint grabOffset;
        QPoint current; // the dragged marker's device point, or the box's moving corner
        QPoint start; // the box's fixed corner
        SavedPixels saved;
    };

    // The caption box and the marker square of one label, where it is drawn now.
    QRect labelArea(std::int32_t index);
    // The window in device pixels, where the plot is drawn, and the ways between the two.
    QRect deviceRect() const;
    QRect toLogical(const QRect& area) const;
    QPoint toDevice(const QPointF& logical) const;
    // A one-pixel image with the back buffer's resolution, to measure texts as they are drawn.
    QImage measuringImage() const;
    // The resolution texts are measured and drawn with: 96 dots per inch on an unscaled screen.
    int deviceDotsPerMeter() const;
    // The shared mapping laid out for this window and the document as it is now.
    void layOutMapping();
    // `area` in device pixels.
    void markStale(const QRect& area);
    void drawPlotArea(const QRect& area);
    void updateCursor(bool inside);
    void showReadOut(double x, double y);

    // Mouse actions.
    std::int32_t labelHitAt(const QPoint& at, bool topmostFirst) const;
    void pressLeft(const QPoint& at);
    void pressRight(const QPoint& at, const QPoint& globalAt);
    void followDrag(const QPoint& at);
    void releaseLeft();
    void removeFeedback();
    void setMouseModeFromView(MouseMode mode);
    // The end of an interval pick (plot_view_pick.cpp): the mode it interrupted comes back.
    void endIntervalPick();
    void reportPickedInterval(const QPoint& start, const QPoint& end);

    // The curve cursor (plot_view_trace.cpp).
    struct TraceState;
    void startOrEndTrace();
    // The graph's points, worked out once until the document changes; null for a graph the
    // cursor cannot follow (hidden, or neither a curve nor points).
    const CurveTrack* trackOf(std::int32_t graph);
    // The graph the pointer's moves follow: the one a click or a key chose, else the graph list's
    // selection, else (and always on a click) the graph nearest the pointer.
    std::int32_t traceGraphAt(const QPoint& at, bool clicked);
    void traceToward(const QPoint& at, bool clicked);
    void traceStep(int count);
    void traceNextGraph(int direction);
    void placeTraceLabel();
    void moveTrace(std::int32_t graph, int index);
    void showTraceFeedback();
    void removeTraceFeedback();
    void forgetTracks();
    void refreshTrace();
    // The plot point of a device point, pinned to the axis ranges.
    PlotPoint clampedPlotPoint(const QPoint& at) const;
    // The point the wheel zooms about at a device point of the plot.
    PlotPoint wheelAnchorAt(const QPoint& at) const;
    std::array<double, 4> ranges() const;

    COvilanDoc& document_;
    UserInterface& ui_;
    QImage backBuffer_; // in device pixels
    qreal backBufferRatio_ = 0;
    LineDrawing lineDrawing_ = LineDrawing::Exact;
    QRegion stale_;
    QCursor addLabelCursor_;
    QCursor selectCursor_;
    int cursorState_ = 0; // 0 standard, 1 add-label, 2 select, 3 trace
    std::unique_ptr<DragState> dragState_;
    std::unique_ptr<TraceState> trace_;
    std::int32_t contextLabelIndex_ = -1;
    int wheelTurn_ = 0; // eighths of a degree not yet zoomed by, from fine-grained wheels
    // Where the wheel last zoomed about a point: the pointer, the point, and the ranges it left.
    struct WheelAnchor {
        QPoint at;
        PlotPoint point;
        std::array<double, 4> ranges;
    };
    std::optional<WheelAnchor> wheelAnchor_;
    // The mode an interval pick interrupted, while one runs.
    std::optional<MouseMode> modeBeforePick_;
};

} // namespace ovilan
