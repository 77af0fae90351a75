#pragma once

#include "document/ovilan_doc.h"
#include "document/update_hints.h"
#include "shell/command_ids.h"

#include <QRect>
#include <QWidget>

#include <memory>
#include <vector>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace ovilan {

class CGraphTree;

// The graph list beside the plot: a "Graph List" header strip with a close button, and a tree
// with one item per graph of the document, in document order, whose check box shows or hides
// the graph. The tree follows the document's hints; a selection in it selects the document's
// graph, and editing, removing and adding graphs from it are asked of the window as commands.
class CLeftView : public QWidget, public DocumentView {
    Q_OBJECT

public:
    explicit CLeftView(COvilanDoc& document, QWidget* parent = nullptr);
    ~CLeftView() override;

    void onUpdate(std::int32_t hint) override;

    // The right-click menu: the two Add commands, and Edit and Remove when `hit` is an item, which
    // is then selected. Choosing an entry asks for its command.
    std::unique_ptr<QMenu> contextMenu(QTreeWidgetItem* hit);

    QTreeWidget* tree() const;
    // Where the check box of graph `index` is drawn, in the coordinates of the tree's viewport;
    // empty when there is no such graph.
    QRect checkBoxRect(int index) const;
    // Where the label of graph `index` is drawn, likewise: its text, not the rest of the row.
    QRect labelRect(int index) const;
    // 0 idle, 1 the pointer over it, 2 pressed, 3 pressed with the pointer outside.
    int closeButtonState() const { return closeState_; }
    QRect closeButtonRect() const;

signals:
    // The user selected another graph in the tree.
    void currentGraphChanged();
    // A command for the window to run: Add graph, Add table graph, Edit graph, Remove graph or
    // Graph list. It arrives after the event that asked for it has been handled.
    void commandRequested(ovilan::CommandId id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    friend class CGraphTree;

    void rebuild();
    // False when the change does not fit the items, which are then out of step with the document.
    bool applyListChange(std::int32_t operation, std::int32_t index);
    void showGraphState(QTreeWidgetItem* item, std::int32_t index);
    void selectCurrentGraph();
    void userSelected(QTreeWidgetItem* item);
    // The graph's position in the list, or -1.
    int indexOf(const QTreeWidgetItem* item) const;
    // The graph whose check box is at `point` (viewport coordinates), or -1.
    int checkBoxAt(const QPoint& point) const;
    void toggleGraph(int index);
    void requestCommand(CommandId id);
    void setCloseState(int state);

    COvilanDoc& document_;
    CGraphTree* tree_;
    std::vector<QTreeWidgetItem*> items_; // graph index -> its item
    int closeState_ = 0;
};

} // namespace ovilan
