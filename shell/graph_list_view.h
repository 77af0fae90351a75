#pragma once

#include "document/ovilan_doc.h"

#include <QWidget>

#include <functional>

class QSettings;
class QSplitter;

namespace ovilan {

class CLeftView;
class COvilanView;

// The pane that shows the graph list: a splitter with the graph tree on the left and the plot view
// on the right. The left column keeps the width the user gave it, also between runs.
class CGraphListView : public QWidget {
    Q_OBJECT

public:
    // `makePlotView` creates the plot view as a child of the given splitter, set up as the window
    // wants it.
    CGraphListView(COvilanDoc& document,
        QSettings& settings,
        const std::function<COvilanView*(QWidget* parent)>& makePlotView,
        QWidget* parent = nullptr);
    ~CGraphListView() override;

    CLeftView* leftView() const { return leftView_; }
    COvilanView* plotView() const { return plotView_; }
    // The width of the left column in pixels, as stored and as the user last dragged it.
    int columnWidth() const { return column_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeSplitter();

    QSettings& settings_;
    QSplitter* splitter_ = nullptr;
    CLeftView* leftView_ = nullptr;
    COvilanView* plotView_ = nullptr;
    int column_;
};

} // namespace ovilan
