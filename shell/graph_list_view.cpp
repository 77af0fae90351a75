#include "shell/graph_list_view.h"

#include "shell/left_view.h"
#include "view/plot_view.h"

#include <QSettings>
#include <QSplitter>

#include <algorithm>

namespace ovilan {

namespace {

    const QString kColumnKey = QStringLiteral("Settings/Column");
    constexpr int kDefaultColumn = 182;

} // namespace

CGraphListView::CGraphListView(COvilanDoc& document,
    QSettings& settings,
    const std::function<COvilanView*(QWidget* parent)>& makePlotView,
    QWidget* parent)
    : QWidget(parent)
    , settings_(settings)
    , column_(std::max(0, settings.value(kColumnKey, kDefaultColumn).toInt()))
{
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("graphListSplitter"));
    leftView_ = new CLeftView(document, splitter_);
    plotView_ = makePlotView(splitter_);
    if (plotView_ == nullptr) {
        // Without its plot the pane stays empty rather than showing half of itself.
        delete splitter_;
        splitter_ = nullptr;
        leftView_ = nullptr;
        return;
    }
    splitter_->addWidget(leftView_);
    splitter_->addWidget(plotView_);
    // A wider or narrower window changes the plot; the list keeps its column.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        column_ = splitter_->sizes().value(0, column_);
    });
    placeSplitter();
}

CGraphListView::~CGraphListView() { settings_.setValue(kColumnKey, column_); }

void CGraphListView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeSplitter();
}

void CGraphListView::placeSplitter()
{
    if (splitter_ == nullptr)
        return;
    // The splitter has no border of its own to hide, so it fills the pane exactly: a pixel
    // pushed outside would cut the plot's top row off.
    splitter_->setGeometry(rect());
    const int rest = std::max(0, splitter_->width() - column_ - splitter_->handleWidth());
    splitter_->setSizes({ column_, rest });
}

} // namespace ovilan
