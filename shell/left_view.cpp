#include "shell/left_view.h"

#include "shell/command_icons.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>

namespace ovilan {

namespace {

    constexpr int kHeaderHeight = 19;
    constexpr int kTreeTop = 20;

    // The list change operations of a graph hint.
    constexpr std::int32_t kInserted = 1;
    constexpr std::int32_t kRemoved = 2;
    constexpr std::int32_t kChanged = 3;

    // The delegate's own layout of an item, so the check box is found where it is drawn.
    class GraphItemDelegate : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::initStyleOption;
        using QStyledItemDelegate::QStyledItemDelegate;
    };

    // A frame as the platform draws a raised or sunken button: the top and left edges in one
    // colour, the bottom and right edges (with the corners they meet) in the other.
    void draw3dRect(
        QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
    {
        painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
        painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
        painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    }

} // namespace

// The tree of the graph list. Its items are not user-checkable, so Qt never toggles a check box
// by itself: a click on the box, or Space, is one undoable change of the graph made by the list.
class CGraphTree : public QTreeWidget {
public:
    CGraphTree(CLeftView& owner, QWidget* parent)
        : QTreeWidget(parent)
        , owner_(owner)
        , delegate_(new GraphItemDelegate(this))
    {
        setItemDelegate(delegate_);
    }

    QRect checkBoxRect(QTreeWidgetItem* item) const
    {
        QStyleOptionViewItem option;
        if (!drawnOption(item, option))
            return {};
        return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
    }

    // The item's label as drawn: its text with the style's margins, never beyond the row (a cut
    // text ends where its "..." does).
    QRect labelRect(QTreeWidgetItem* item) const
    {
        QStyleOptionViewItem option;
        if (!drawnOption(item, option))
            return {};
        QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
        const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
        const int width = option.fontMetrics.horizontalAdvance(option.text) + 2 * margin;
        text.setWidth(std::min(text.width(), width));
        return text;
    }

private:
    // The style option an item is drawn with; false when the item is not in the tree.
    bool drawnOption(QTreeWidgetItem* item, QStyleOptionViewItem& option) const
    {
        const QModelIndex index = indexFromItem(item);
        if (!index.isValid())
            return false;
        initViewItemOption(&option);
        option.rect = visualRect(index);
        delegate_->initStyleOption(&option, index);
        return true;
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && toggleAt(event->position().toPoint())) {
            pressedOnCheckBox_ = true;
            event->accept();
            return;
        }
        QTreeWidget::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (pressedOnCheckBox_ && event->button() == Qt::LeftButton) {
            pressedOnCheckBox_ = false;
            event->accept();
            return;
        }
        QTreeWidget::mouseReleaseEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        const QPoint point = event->position().toPoint();
        // The second click of a double click on a check box toggles it back, as two clicks do,
        // unless that click already came as a press of its own.
        if (event->button() == Qt::LeftButton && owner_.checkBoxAt(point) != -1) {
            if (!pressedOnCheckBox_)
                toggleAt(point);
            pressedOnCheckBox_ = true;
            event->accept();
            return;
        }
        QTreeWidget::mouseDoubleClickEvent(event);
        // Only the label edits: the empty rest of a row is not the graph.
        QTreeWidgetItem* item = itemAt(point);
        if (event->button() == Qt::LeftButton && item != nullptr && labelRect(item).contains(point)
            && owner_.document_.currentGraph != -1)
            owner_.requestCommand(CommandId::EditGraph);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (event->key() == Qt::Key_Delete && plain) {
            if (owner_.document_.currentGraph != -1)
                owner_.requestCommand(CommandId::RemoveGraph);
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Space && plain) {
            const int index = owner_.indexOf(currentItem());
            if (index != -1)
                owner_.toggleGraph(index);
            event->accept();
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        QTreeWidgetItem* hit = itemAt(event->pos());
        QPoint where = event->globalPos();
        // From the keyboard the menu belongs to the current item and opens below it.
        if (event->reason() == QContextMenuEvent::Keyboard) {
            hit = currentItem();
            if (hit != nullptr)
                where = viewport()->mapToGlobal(visualItemRect(hit).bottomLeft());
        }
        const std::unique_ptr<QMenu> menu = owner_.contextMenu(hit);
        menu->exec(where);
        event->accept();
    }

private:
    bool toggleAt(const QPoint& point)
    {
        const int index = owner_.checkBoxAt(point);
        if (index == -1)
            return false;
        owner_.toggleGraph(index);
        return true;
    }

    CLeftView& owner_;
    GraphItemDelegate* delegate_;
    bool pressedOnCheckBox_ = false;
};

CLeftView::CLeftView(COvilanDoc& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , tree_(new CGraphTree(*this, this))
{
    setAutoFillBackground(true);
    // Moves without a button pressed light the close button up.
    setMouseTracking(true);

    tree_->setObjectName(QStringLiteral("graphTree"));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(false);
    tree_->setColumnCount(1);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setUniformRowHeights(true);
    connect(tree_,
        &QTreeWidget::currentItemChanged,
        this,
        [this](QTreeWidgetItem* current, QTreeWidgetItem*) { userSelected(current); });

    document_.addView(this);
    // The list starts with the document's graphs, as after a hint that rebuilds everything.
    onUpdate(kHintEverything);
}

CLeftView::~CLeftView() { document_.removeView(this); }

QTreeWidget* CLeftView::tree() const { return tree_; }

// From width - 18 up to width - 3 across and from 2 up to 17 down, the far edges left out.
QRect CLeftView::closeButtonRect() const
{
    return QRect(QPoint(width() - 18, 2), QPoint(width() - 4, 16));
}

QRect CLeftView::checkBoxRect(int index) const
{
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return {};
    return tree_->checkBoxRect(items_[static_cast<std::size_t>(index)]);
}

QRect CLeftView::labelRect(int index) const
{
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return {};
    return tree_->labelRect(items_[static_cast<std::size_t>(index)]);
}

void CLeftView::onUpdate(std::int32_t hint)
{
    // The list's own changes to its items must not read as the user selecting a graph.
    const QSignalBlocker blocker(tree_);
    if (hint % 2 == 0) {
        rebuild();
    } else {
        if ((hint & 4) == 0)
            return;
        const std::int32_t operation = (hint >> 8) & 7;
        if (operation != kInserted && operation != kRemoved && operation != kChanged)
            return;
        // A change that does not fit the items would leave the list showing other graphs than
        // the document has; the whole list is read again instead.
        if (!applyListChange(operation, hint >> 11))
            rebuild();
    }
    selectCurrentGraph();
}

void CLeftView::rebuild()
{
    tree_->clear();
    items_.clear();
    for (std::int32_t i = 0; i < document_.graphCount(); ++i) {
        auto* item = new QTreeWidgetItem(tree_);
        items_.push_back(item);
        showGraphState(item, i);
    }
}

bool CLeftView::applyListChange(std::int32_t operation, std::int32_t index)
{
    const auto count = static_cast<std::int32_t>(items_.size());
    const auto at = static_cast<std::size_t>(index);
    switch (operation) {
    case kInserted: {
        if (index < 0 || index > count || index >= document_.graphCount())
            return false;
        auto* item = new QTreeWidgetItem;
        tree_->insertTopLevelItem(index, item);
        items_.insert(items_.begin() + index, item);
        showGraphState(item, index);
        return true;
    }
    case kRemoved:
        if (index < 0 || index >= count)
            return false;
        delete items_[at];
        items_.erase(items_.begin() + index);
        return true;
    case kChanged:
        if (index < 0 || index >= count || index >= document_.graphCount())
            return false;
        showGraphState(items_[at], index);
        return true;
    default:
        return true;
    }
}

void CLeftView::showGraphState(QTreeWidgetItem* item, std::int32_t index)
{
    const CGraph& graph = document_.graph(index);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    const QString description = QString::fromStdString(graph.describe());
    item->setText(0, description);
    // A long description is cut to the column; its tool tip shows all of it.
    item->setToolTip(0, description);
    item->setCheckState(0, graph.showGraph != 0 ? Qt::Checked : Qt::Unchecked);
}

void CLeftView::selectCurrentGraph()
{
    const std::int32_t current = document_.currentGraph;
    if (current < 0 || current >= static_cast<std::int32_t>(items_.size()))
        return;
    tree_->setCurrentItem(items_[static_cast<std::size_t>(current)]);
}

void CLeftView::userSelected(QTreeWidgetItem* item)
{
    const int index = indexOf(item);
    if (index == -1)
        return;
    document_.currentGraph = index;
    emit currentGraphChanged();
}

int CLeftView::indexOf(const QTreeWidgetItem* item) const
{
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (item == nullptr || found == items_.end())
        return -1;
    return static_cast<int>(found - items_.begin());
}

int CLeftView::checkBoxAt(const QPoint& point) const
{
    const int index = indexOf(tree_->itemAt(point));
    if (index == -1 || !checkBoxRect(index).contains(point))
        return -1;
    return index;
}

void CLeftView::toggleGraph(int index)
{
    if (index < 0 || index >= document_.graphCount())
        return;
    document_.pushSnapshot(kGraphChanged, index, 0);
    QTreeWidgetItem* item = items_[static_cast<std::size_t>(index)];
    const bool shown = item->checkState(0) != Qt::Checked;
    item->setCheckState(0, shown ? Qt::Checked : Qt::Unchecked);
    document_.graph(index).showGraph = shown ? 1 : 0;
    document_.updateAllViews(kHintRepaint);
}

void CLeftView::requestCommand(CommandId id)
{
    // Posted, so the window runs the command once this event is over: the Graph list command
    // destroys this pane, and Remove graph deletes the item that may have been clicked.
    QMetaObject::invokeMethod(
        this, [this, id] { emit commandRequested(id); }, Qt::QueuedConnection);
}

std::unique_ptr<QMenu> CLeftView::contextMenu(QTreeWidgetItem* hit)
{
    auto menu = std::make_unique<QMenu>(this);
    const auto addEntry = [this, &menu](const QString& text, CommandId id) {
        QAction* entry = menu->addAction(commandIcon(id), text);
        connect(entry, &QAction::triggered, this, [this, id] { requestCommand(id); });
    };
    addEntry(QStringLiteral("Add Graph..."), CommandId::AddGraph);
    addEntry(QStringLiteral("Add Table Graph..."), CommandId::AddTableGraph);
    if (indexOf(hit) != -1) {
        tree_->setCurrentItem(hit);
        addEntry(QStringLiteral("Edit graph..."), CommandId::EditGraph);
        addEntry(QStringLiteral("Remove graph"), CommandId::RemoveGraph);
        addEntry(QStringLiteral("Derivative"), CommandId::DerivativeGraph);
        addEntry(QStringLiteral("Tangent and normal..."), CommandId::TangentNormal);
        if (document_.graph(indexOf(hit)).kind == GraphKind::Table)
            addEntry(QStringLiteral("Fit curve..."), CommandId::FitCurve);
    }
    return menu;
}

void CLeftView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    tree_->setGeometry(0, kTreeTop, width(), std::max(0, height() - 21));
}

void CLeftView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const QColor face = colours.color(QPalette::Button);
    const QColor highlight = colours.color(QPalette::Light);
    const QColor shadow = colours.color(QPalette::Dark);

    const QRect header(0, 0, width(), kHeaderHeight);
    painter.fillRect(header, face);
    draw3dRect(painter, header, highlight, shadow);
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.drawText(header,
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        QStringLiteral("   Graph List"));

    const QRect button = closeButtonRect();
    painter.fillRect(button.adjusted(0, 0, 1, 0), face);
    if (closeState_ == 1)
        draw3dRect(painter, button, highlight, shadow);
    else if (closeState_ == 2)
        draw3dRect(painter, button, shadow, highlight);
    QRect glyph = button.adjusted(3, 4, -3, -4);
    if (closeState_ == 2)
        glyph.translate(1, 1);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(glyph.topLeft(), glyph.bottomRight());
    painter.drawLine(glyph.bottomLeft(), glyph.topRight());
}

void CLeftView::mouseMoveEvent(QMouseEvent* event)
{
    const bool inside = closeButtonRect().contains(event->position().toPoint());
    if (closeState_ == 0 && inside) {
        // Held while hot, so the button hears the pointer leave even over the tree.
        grabMouse();
        setCloseState(1);
    } else if (closeState_ == 1 && !inside) {
        releaseMouse();
        setCloseState(0);
    } else if (closeState_ == 2 && !inside) {
        setCloseState(3);
    } else if (closeState_ == 3 && inside) {
        setCloseState(2);
    }
}

void CLeftView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && closeState_ == 1)
        setCloseState(2);
}

void CLeftView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (closeState_ == 2) {
        releaseMouse();
        setCloseState(0);
        requestCommand(CommandId::GraphList);
    } else if (closeState_ == 3) {
        releaseMouse();
        setCloseState(0);
    }
}

void CLeftView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    // Where the window system refuses to hold the mouse, leaving still puts out the light.
    if (closeState_ == 1) {
        releaseMouse();
        setCloseState(0);
    }
}

void CLeftView::setCloseState(int state)
{
    closeState_ = state;
    update(closeButtonRect().adjusted(0, 0, 1, 0));
}

} // namespace ovilan
