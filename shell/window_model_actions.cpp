#include "shell/window_model_actions.h"

#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "view/plot_state.h"
#include "view/plot_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>

#include <functional>
#include <utility>

namespace ovilan::testing {

namespace {

    std::string text(const QPoint& point)
    {
        return "(" + std::to_string(point.x()) + "," + std::to_string(point.y()) + ")";
    }

    CLeftView* graphTree(ModelWindow& window)
    {
        auto* list = qobject_cast<CGraphListView*>(window.frame.centralWidget());
        return list ? list->leftView() : nullptr;
    }

    COvilanView* plot(ModelWindow& window) { return window.frame.plotView(); }

    // Menu and tool bar commands go through their actions, as a click on them does.
    std::string trigger(ModelWindow& window, CommandId id, const char* name)
    {
        window.frame.action(id)->trigger();
        return name;
    }

    // A shortcut typed on the plot, which has the focus after every pane change.
    std::string typeShortcut(ModelWindow& window, Qt::Key key, const char* name)
    {
        // The dialogs of earlier steps took the activation with them.
        window.frame.activateWindow();
        QApplication::setActiveWindow(&window.frame);
        plot(window)->setFocus();
        QTest::keyClick(plot(window), key, Qt::ControlModifier);
        return name;
    }

    std::string command(ModelWindow& window, CommandId id, Qt::Key key, const char* name)
    {
        if (window.dice.chance(0.5))
            return trigger(window, id, name);
        return typeShortcut(window, key, name) + " (keys)";
    }

    void useMouseMode(ModelWindow& window, MouseMode mode)
    {
        if (currentMouseMode() == mode)
            return;
        const CommandId id = mode == MouseMode::AddLabel ? CommandId::AddLabel
            : mode == MouseMode::SelectInterval          ? CommandId::SelectInterval
            : mode == MouseMode::TraceCurve              ? CommandId::TraceCurve
                                                         : CommandId::StandardCursor;
        window.frame.action(id)->trigger();
    }

    // A point of the plot, mostly beside the axes where their labels are, so labels and their
    // repaints often cover the axes' own texts.
    QPoint plotPoint(ModelWindow& window)
    {
        DeviceRect area = currentPlotMapping().plotRect;
        // A window too small for its margins leaves no plot; the clicks then land anywhere.
        if (area.right < area.left || area.bottom < area.top) {
            const QRect shown = plot(window)->rect();
            area = { 0, 0, shown.width() - 1, shown.height() - 1 };
        }
        const DevicePoint origin = plotToDevice(currentPlotMapping(), 0, 0);
        const int x = window.dice.between(area.left, area.right);
        const int y = window.dice.between(area.top, area.bottom);
        const int place = window.dice.below(10);
        if (place < 4)
            return { x, std::clamp(origin.y + window.dice.between(-6, 16), area.top, area.bottom) };
        if (place < 7)
            return { std::clamp(origin.x + window.dice.between(-30, 6), area.left, area.right), y };
        return { x, y };
    }

    // Now and then beyond the plot, where drags are pinned to its edge.
    QPoint dragTarget(ModelWindow& window)
    {
        if (!window.dice.chance(0.1))
            return plotPoint(window);
        const QRect shown = plot(window)->rect();
        return { window.dice.between(0, shown.width() - 1),
            window.dice.between(0, shown.height() - 1) };
    }

    QPoint labelPoint(ModelWindow& window, int index)
    {
        const CPlotLabel& label = window.document.labels[static_cast<std::size_t>(index)];
        const DevicePoint p = plotToDevice(currentPlotMapping(), label.x, label.y);
        return { p.x, p.y };
    }

    // A label whose marker is drawn, where a user can see and reach it; -1 when there is none.
    int visibleLabel(ModelWindow& window)
    {
        std::vector<int> shown;
        for (int i = 0; i < window.document.labelCount(); ++i) {
            const CPlotLabel& label = window.document.labels[static_cast<std::size_t>(i)];
            if (plotToDevice(currentPlotMapping(), label.x, label.y).inside)
                shown.push_back(i);
        }
        return shown.empty() ? -1 : window.dice.pick(shown);
    }

    void doubleClick(QWidget* widget, const QPoint& at)
    {
        // The platform's order: press, release, a double-click event for the second press,
        // release.
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick,
            QPointF(at),
            QPointF(widget->mapToGlobal(at)),
            Qt::LeftButton,
            Qt::LeftButton,
            Qt::NoModifier);
        QApplication::sendEvent(widget, &second);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }

    // Right-clicks and chooses `entry` in the context menu that opens.
    void rightClickAndChoose(QWidget* widget, const QPoint& at, const QString& entry)
    {
        QTimer::singleShot(0, [entry] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            QAction* chosen = nullptr;
            for (QAction* item : menu->actions())
                if (item->text() == entry)
                    chosen = item;
            menu->close();
            if (chosen)
                chosen->trigger();
        });
        QTest::mousePress(widget, Qt::RightButton, {}, at);
        QTest::mouseRelease(widget, Qt::RightButton, {}, at);
    }

    QString scratchFile(ModelWindow& window)
    {
        return QDir(window.scratchFolder)
            .filePath(QStringLiteral("saved-%1.ovd").arg(++window.savedDocuments));
    }

    std::string newDocument(ModelWindow& window)
    {
        return command(window, CommandId::FileNew, Qt::Key_N, "New");
    }

    std::string openExample(ModelWindow& window)
    {
        const QStringList examples
            = QDir(window.examplesFolder).entryList({ QStringLiteral("*.ovd") }, QDir::Files);
        const QString name = examples[window.dice.below(static_cast<int>(examples.size()))];
        window.user.fileToOpen = QDir(window.examplesFolder).filePath(name);
        return trigger(window, CommandId::FileOpen, "Open example ") + name.toStdString();
    }

    std::string addGraph(ModelWindow& window)
    {
        if (window.dice.chance(0.2)) {
            rightClickAndChoose(plot(window), plotPoint(window), QStringLiteral("Add Graph..."));
            return "Add Graph... from the plot's context menu";
        }
        return command(window, CommandId::AddGraph, Qt::Key_A, "Add graph");
    }

    std::string addTableGraph(ModelWindow& window)
    {
        return command(window, CommandId::AddTableGraph, Qt::Key_T, "Add table graph");
    }

    QPoint itemLabel(CLeftView* tree, int index)
    {
        const QRect item = tree->tree()->visualItemRect(tree->tree()->topLevelItem(index));
        return { item.left() + std::min(item.width() / 2, 60), item.center().y() };
    }

    std::string editGraph(ModelWindow& window)
    {
        CLeftView* tree = graphTree(window);
        const int current = window.document.currentGraph;
        if (tree && current >= 0 && window.dice.chance(0.4)) {
            tree->tree()->scrollToItem(tree->tree()->topLevelItem(current));
            doubleClick(tree->tree()->viewport(), itemLabel(tree, current));
            return "double click on graph " + std::to_string(current) + " in the list";
        }
        return command(window, CommandId::EditGraph, Qt::Key_E, "Edit graph");
    }

    std::string removeGraph(ModelWindow& window)
    {
        CLeftView* tree = graphTree(window);
        if (tree && window.dice.chance(0.5)) {
            tree->tree()->setFocus();
            QTest::keyClick(tree->tree(), Qt::Key_Delete);
            QApplication::processEvents();
            return "Del in the graph list";
        }
        return trigger(window, CommandId::RemoveGraph, "Remove graph");
    }

    std::string selectGraph(ModelWindow& window)
    {
        CLeftView* tree = graphTree(window);
        if (!tree || window.document.graphCount() == 0)
            return addGraph(window);
        const int index = window.dice.below(window.document.graphCount());
        tree->tree()->scrollToItem(tree->tree()->topLevelItem(index));
        QTest::mouseClick(tree->tree()->viewport(), Qt::LeftButton, {}, itemLabel(tree, index));
        return "select graph " + std::to_string(index) + " in the list";
    }

    std::string showOrHideGraph(ModelWindow& window)
    {
        CLeftView* tree = graphTree(window);
        if (!tree || window.document.graphCount() == 0)
            return addGraph(window);
        const int index = window.dice.below(window.document.graphCount());
        tree->tree()->scrollToItem(tree->tree()->topLevelItem(index));
        QTest::mouseClick(
            tree->tree()->viewport(), Qt::LeftButton, {}, tree->checkBoxRect(index).center());
        return "check box of graph " + std::to_string(index);
    }

    std::string addLabel(ModelWindow& window)
    {
        useMouseMode(window, MouseMode::AddLabel);
        const QPoint at = plotPoint(window);
        QTest::mouseClick(plot(window), Qt::LeftButton, {}, at);
        return "Add label, click at " + text(at);
    }

    std::string moveLabel(ModelWindow& window)
    {
        const int index = visibleLabel(window);
        if (index < 0)
            return addLabel(window);
        useMouseMode(window, MouseMode::Standard);
        const QPoint from = labelPoint(window, index);
        const QPoint to = dragTarget(window);
        QTest::mousePress(plot(window), Qt::LeftButton, {}, from);
        QTest::mouseMove(plot(window), (from + to) / 2);
        QTest::mouseMove(plot(window), to);
        QTest::mouseRelease(plot(window), Qt::LeftButton, {}, to);
        return "drag label " + std::to_string(index) + " from " + text(from) + " to " + text(to);
    }

    std::string editLabel(ModelWindow& window)
    {
        const int index = visibleLabel(window);
        if (index < 0)
            return addLabel(window);
        useMouseMode(window, MouseMode::Standard);
        const QPoint at = labelPoint(window, index);
        if (window.dice.chance(0.5)) {
            doubleClick(plot(window), at);
            return "double click on label " + std::to_string(index) + " at " + text(at);
        }
        rightClickAndChoose(plot(window), at, QStringLiteral("Edit Label..."));
        return "Edit Label... on label " + std::to_string(index) + " at " + text(at);
    }

    std::string removeLabel(ModelWindow& window)
    {
        const int index = visibleLabel(window);
        if (index < 0)
            return addLabel(window);
        const QPoint at = labelPoint(window, index);
        rightClickAndChoose(plot(window), at, QStringLiteral("Remove Label"));
        return "Remove Label on label " + std::to_string(index) + " at " + text(at);
    }

    std::string zoom(ModelWindow& window)
    {
        if (window.dice.chance(0.5))
            return command(window, CommandId::ZoomIn, Qt::Key_I, "Zoom in");
        return command(window, CommandId::ZoomOut, Qt::Key_U, "Zoom out");
    }

    std::string wheel(ModelWindow& window)
    {
        const QPoint at = window.dice.chance(0.8) ? plotPoint(window) : QPoint(3, 3);
        const int notches = window.dice.chance(0.5) ? 1 : -1;
        QWheelEvent turn(QPointF(at),
            QPointF(plot(window)->mapToGlobal(at)),
            QPoint(),
            QPoint(0, 120 * notches),
            Qt::NoButton,
            Qt::NoModifier,
            Qt::NoScrollPhase,
            false);
        QApplication::sendEvent(plot(window), &turn);
        return std::string(notches > 0 ? "wheel forward" : "wheel back") + " at " + text(at);
    }

    std::string selectionZoom(ModelWindow& window)
    {
        useMouseMode(window, MouseMode::SelectInterval);
        const QPoint from = plotPoint(window);
        const QPoint to = window.dice.chance(0.1) ? from : dragTarget(window);
        QTest::mousePress(plot(window), Qt::LeftButton, {}, from);
        QTest::mouseMove(plot(window), (from + to) / 2);
        QTest::mouseMove(plot(window), to);
        QTest::mouseRelease(plot(window), Qt::LeftButton, {}, to);
        return "select from " + text(from) + " to " + text(to);
    }

    // The curve cursor walks a little, may pin a label, and leaves with Escape, so the plot's
    // pixels must be the document's again.
    std::string traceCurve(ModelWindow& window)
    {
        static const std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>> keys {
            { Qt::Key_Left, Qt::NoModifier, "Left" },
            { Qt::Key_Right, Qt::NoModifier, "Right" },
            { Qt::Key_Right, Qt::ShiftModifier, "Shift+Right" },
            { Qt::Key_Down, Qt::NoModifier, "Down" },
            { Qt::Key_Tab, Qt::NoModifier, "Tab" },
        };
        useMouseMode(window, MouseMode::TraceCurve);
        const QPoint at = plotPoint(window);
        QTest::mouseMove(plot(window), at);
        std::string done = "Trace curve, move to " + text(at);
        for (int i = window.dice.between(0, 4); i > 0; --i) {
            const auto& [key, modifiers, name] = window.dice.pick(keys);
            QTest::keyClick(plot(window), key, modifiers);
            done += std::string(", ") + name;
        }
        if (window.dice.chance(0.3)) {
            QTest::keyClick(plot(window), Qt::Key_Return);
            done += ", Enter";
        }
        QTest::keyClick(plot(window), Qt::Key_Escape);
        return done + ", Escape";
    }

    std::string scroll(ModelWindow& window)
    {
        static const std::vector<std::tuple<CommandId, Qt::Key, const char*>> directions {
            { CommandId::ScrollLeft, Qt::Key_Left, "Scroll left" },
            { CommandId::ScrollRight, Qt::Key_Right, "Scroll right" },
            { CommandId::ScrollUp, Qt::Key_Up, "Scroll up" },
            { CommandId::ScrollDown, Qt::Key_Down, "Scroll down" },
        };
        const auto& [id, key, name] = window.dice.pick(directions);
        return command(window, id, key, name);
    }

    std::string documentProperties(ModelWindow& window)
    {
        return command(window, CommandId::DocumentProperties, Qt::Key_R, "Document properties");
    }

    std::string toggleGraphList(ModelWindow& window)
    {
        return trigger(window, CommandId::GraphList, "Graph list");
    }

    std::string undo(ModelWindow& window)
    {
        return command(window, CommandId::EditUndo, Qt::Key_Z, "Undo");
    }

    std::string redo(ModelWindow& window)
    {
        return command(window, CommandId::EditRedo, Qt::Key_Y, "Redo");
    }

    std::string saveAndReopen(ModelWindow& window)
    {
        const QString path = scratchFile(window);
        window.user.fileToSave = path;
        window.frame.action(CommandId::FileSaveAs)->trigger();
        window.user.fileToOpen = path;
        window.frame.action(CommandId::FileOpen)->trigger();
        return "Save as and open " + QDir(path).dirName().toStdString();
    }

    std::string resize(ModelWindow& window)
    {
        const QSize size(window.dice.between(500, 1000), window.dice.between(400, 800));
        window.frame.resize(size);
        return "resize to " + std::to_string(size.width()) + "x" + std::to_string(size.height());
    }

    struct WeightedAction {
        int weight;
        std::string (*perform)(ModelWindow&);
    };

    const std::vector<WeightedAction> kActions {
        { 2, newDocument },
        { 3, openExample },
        { 8, addGraph },
        { 4, addTableGraph },
        { 5, editGraph },
        { 3, removeGraph },
        { 3, selectGraph },
        { 4, showOrHideGraph },
        { 7, addLabel },
        { 7, moveLabel },
        { 3, editLabel },
        { 3, removeLabel },
        { 5, zoom },
        { 4, wheel },
        { 4, selectionZoom },
        { 3, traceCurve },
        { 4, scroll },
        { 5, documentProperties },
        { 2, toggleGraphList },
        { 8, undo },
        { 5, redo },
        { 3, saveAndReopen },
        { 1, resize },
    };

} // namespace

ModelWindow::ModelWindow(std::uint32_t seed, const QString& examples, const QString& scratch)
    : dice(seed)
    , frame(document, preferences, settings, user)
    , examplesFolder(QDir(scratch).filePath(QStringLiteral("examples")))
    , scratchFolder(scratch)
{
    // The run opens copies: Save after Open writes over the opened file, and the shipped
    // examples must stay as they are.
    QDir(scratch).mkpath(QStringLiteral("examples"));
    const QDir shipped(examples);
    for (const QString& name : shipped.entryList({ QStringLiteral("*.ovd") }, QDir::Files))
        QFile::copy(shipped.filePath(name), QDir(examplesFolder).filePath(name));
    frame.resize(800, 600);
}

PerformedAction performRandomAction(ModelWindow& window)
{
    window.user.answers.clear();
    window.user.fileToSave = scratchFile(window);
    int total = 0;
    for (const WeightedAction& action : kActions)
        total += action.weight;
    int roll = window.dice.below(total);
    for (const WeightedAction& action : kActions) {
        if (roll < action.weight) {
            PerformedAction done { action.perform(window) };
            if (action.perform == undo)
                done.move = HistoryMove::Undo;
            else if (action.perform == redo)
                done.move = HistoryMove::Redo;
            if (!window.user.answers.empty())
                done.description += " [" + window.user.answers + "]";
            return done;
        }
        roll -= action.weight;
    }
    return { "nothing" };
}

} // namespace ovilan::testing
