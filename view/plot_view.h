#pragma once

#include "document/ovilan_doc.h"
#include "document/update_hints.h"

#include <QCursor>
#include <QImage>
#include <QWidget>

namespace ovilan {

class Canvas;

// The window that shows the plot of the document. It paints through a back buffer with the same
// drawing as the pictures, keeps the shared mapping in step with its size and the document,
// repaints only what a change touches, and reports the plot coordinates under the mouse.
class COvilanView : public QWidget, public DocumentView {
    Q_OBJECT

public:
    explicit COvilanView(COvilanDoc& document, QWidget* parent = nullptr);
    ~COvilanView() override;

    void onUpdate(std::int32_t hint) override;
    // The cursors of the add-label and select-interval modes.
    void setModeCursors(const QCursor& addLabel, const QCursor& select);
    // Call when the mouse mode changed, so the cursor follows at once.
    void mouseModeChanged();

    bool layoutDirty() const { return layoutDirty_; }
    // The picture of the plot as the window shows it, for printing.
    QImage snapshot() const { return backBuffer_; }

signals:
    // "X=..." and "Y=..." under the mouse, or two empty texts outside the plot rectangle.
    void coordinatesChanged(const QString& x, const QString& y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The caption box and the marker square of one label, where it is drawn now.
    QRect labelArea(std::int32_t index);
    void updateCursor(bool inside);

    COvilanDoc& document_;
    QImage backBuffer_;
    bool layoutDirty_ = true;
    QCursor addLabelCursor_;
    QCursor selectCursor_;
    int cursorState_ = 0; // 0 standard, 1 add-label, 2 select
};

} // namespace ovilan
