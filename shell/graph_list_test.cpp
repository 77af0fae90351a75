#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "view/plot_view.h"

#include <QApplication>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace ovilan {
namespace {

    // Hears every hint the document sends, beside the list.
    struct HintRecorder : DocumentView {
        void onUpdate(std::int32_t hint) override { hints.push_back(hint); }
        std::vector<std::int32_t> hints;
    };

    std::unique_ptr<CGraph> yOfX(COvilanDoc& document, const char* formula)
    {
        auto graph = std::make_unique<CYofXGraph>(document);
        graph->setFormula(formula, 0);
        return graph;
    }

    struct GraphList {
        GraphList()
        {
            QObject::connect(&view, &CLeftView::commandRequested, [this](CommandId id) {
                commands.push_back(id);
            });
            QObject::connect(
                &view, &CLeftView::currentGraphChanged, [this] { ++selectionSignals; });
            view.resize(300, 400);
            view.show();
        }

        void add(const char* formula, std::int32_t index)
        {
            document.insertGraph(yOfX(document, formula), index);
        }

        QStringList texts() const
        {
            QStringList result;
            for (int i = 0; i < tree()->topLevelItemCount(); ++i)
                result.append(tree()->topLevelItem(i)->text(0));
            return result;
        }

        Qt::CheckState box(int index) const { return tree()->topLevelItem(index)->checkState(0); }
        QTreeWidget* tree() const { return view.tree(); }
        QWidget* viewport() const { return view.tree()->viewport(); }
        QPoint label(int index) const { return view.labelRect(index).center(); }
        // The row right of a short label.
        QPoint emptyPart(int index) const
        {
            const QRect item = tree()->visualItemRect(tree()->topLevelItem(index));
            return QPoint(item.right() - 10, item.center().y());
        }
        int selectedRow() const
        {
            const QList<QTreeWidgetItem*> selected = tree()->selectedItems();
            return selected.size() == 1 ? tree()->indexOfTopLevelItem(selected[0]) : -1;
        }

        // The commands asked for, once the posted requests have arrived.
        std::vector<CommandId> requested()
        {
            QApplication::processEvents();
            return std::exchange(commands, {});
        }

        AppPreferences preferences;
        COvilanDoc document { preferences };
        CLeftView view { document };
        std::vector<CommandId> commands;
        int selectionSignals = 0;
    };

    TEST(GraphTree, FollowsInsertRemoveAndChangeHints)
    {
        GraphList list;
        EXPECT_EQ(list.tree()->topLevelItemCount(), 0);

        list.add("x", 0);
        list.add("x^2", 1);
        list.add("x^3", 0); // the new first item
        EXPECT_EQ(list.texts(),
            (QStringList { QStringLiteral("Y(x)=x^3"),
                QStringLiteral("Y(x)=x"),
                QStringLiteral("Y(x)=x^2") }));
        EXPECT_EQ(list.selectedRow(), 0);

        // Removing the first graph shifts every later graph's item down by one.
        list.document.removeGraph(0);
        EXPECT_EQ(
            list.texts(), (QStringList { QStringLiteral("Y(x)=x"), QStringLiteral("Y(x)=x^2") }));
        EXPECT_EQ(list.document.currentGraph, 1);
        EXPECT_EQ(list.selectedRow(), 1);
        list.document.graph(1).showGraph = 0;
        list.document.updateAllViews(graphChangedHint(1));
        EXPECT_EQ(list.box(0), Qt::Checked);
        EXPECT_EQ(list.box(1), Qt::Unchecked);

        // A changed graph: new text and check box; hint 3 and label hints leave the list alone.
        list.document.replaceGraph(yOfX(list.document, "sin(x)"), 0);
        list.document.graph(0).showGraph = 0;
        list.document.updateAllViews(kHintRepaint);
        list.document.updateAllViews(labelAreaHint(0));
        EXPECT_EQ(list.box(0), Qt::Checked);
        list.document.updateAllViews(graphChangedHint(0));
        EXPECT_EQ(list.texts()[0], QString::fromStdString(list.document.graph(0).describe()));
        EXPECT_EQ(list.box(0), Qt::Unchecked);

        // The list's own selecting never writes the document's selected graph.
        EXPECT_EQ(list.selectionSignals, 0);
    }

    TEST(GraphTree, EvenHintRebuildsInDocumentOrderAndSelectsTheCurrentGraph)
    {
        GraphList list;
        list.add("x", 0);
        list.add("x^2", 1);
        list.add("x^3", 2);
        std::swap(list.document.graphs[0], list.document.graphs[2]);
        list.document.graphs[1]->showGraph = 0;
        list.document.currentGraph = 1;
        list.document.updateAllViews(kHintEverything);
        EXPECT_EQ(list.texts(),
            (QStringList { QStringLiteral("Y(x)=x^3"),
                QStringLiteral("Y(x)=x^2"),
                QStringLiteral("Y(x)=x") }));
        EXPECT_EQ(list.box(1), Qt::Unchecked);
        EXPECT_EQ(list.selectedRow(), 1);
        EXPECT_EQ(list.document.currentGraph, 1);
        EXPECT_EQ(list.selectionSignals, 0);

        // A list change that does not fit the items reads the whole list again.
        list.document.graphs.pop_back();
        list.document.updateAllViews(graphInsertedHint(7));
        EXPECT_EQ(
            list.texts(), (QStringList { QStringLiteral("Y(x)=x^3"), QStringLiteral("Y(x)=x^2") }));
        list.document.updateAllViews(graphRemovedHint(5));
        list.document.updateAllViews(graphChangedHint(-1));
        EXPECT_EQ(list.tree()->topLevelItemCount(), 2);
    }

    TEST(GraphTree, AListMadeForADocumentShowsItsGraphs)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        document.insertGraph(yOfX(document, "x"), 0);
        document.insertGraph(yOfX(document, "x^2"), 1);
        CLeftView view(document);
        ASSERT_EQ(view.tree()->topLevelItemCount(), 2);
        EXPECT_EQ(view.tree()->topLevelItem(1)->text(0), QStringLiteral("Y(x)=x^2"));
        EXPECT_TRUE(view.tree()->topLevelItem(1)->isSelected());
    }

    TEST(GraphTree, UserSelectionSelectsTheGraph)
    {
        GraphList list;
        list.add("x", 0);
        list.add("x^2", 1);
        list.add("x^3", 2);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.label(0));
        EXPECT_EQ(list.document.currentGraph, 0);
        EXPECT_EQ(list.selectionSignals, 1);
        list.tree()->setFocus();
        QTest::keyClick(list.tree(), Qt::Key_Down);
        EXPECT_EQ(list.document.currentGraph, 1);
        EXPECT_EQ(list.selectionSignals, 2);
    }

    TEST(GraphTree, ContextMenuOffersAddAlwaysAndEditRemoveOnAnItem)
    {
        GraphList list;
        const auto texts = [](QMenu& menu) {
            QStringList result;
            for (QAction* entry : menu.actions()) {
                EXPECT_FALSE(entry->icon().isNull()) << entry->text().toStdString();
                result.append(entry->text());
            }
            return result;
        };
        const QStringList adds { QStringLiteral("Add Graph..."),
            QStringLiteral("Add Table Graph...") };
        EXPECT_EQ(texts(*list.view.contextMenu(nullptr)), adds);

        list.add("x", 0);
        list.add("x^2", 1);
        EXPECT_EQ(texts(*list.view.contextMenu(nullptr)), adds);
        EXPECT_EQ(list.document.currentGraph, 1);

        const std::unique_ptr<QMenu> menu = list.view.contextMenu(list.tree()->topLevelItem(0));
        const QStringList all = adds
            + QStringList { QStringLiteral("Edit graph..."),
                  QStringLiteral("Remove graph"),
                  QStringLiteral("Derivative"),
                  QStringLiteral("Tangent and normal...") };
        EXPECT_EQ(texts(*menu), all);
        EXPECT_EQ(list.document.currentGraph, 0);
        EXPECT_EQ(list.selectedRow(), 0);
        EXPECT_EQ(list.selectionSignals, 1);

        const std::vector<CommandId> expected { CommandId::AddGraph,
            CommandId::AddTableGraph,
            CommandId::EditGraph,
            CommandId::RemoveGraph,
            CommandId::DerivativeGraph,
            CommandId::TangentNormal };
        for (std::size_t i = 0; i < expected.size(); ++i) {
            menu->actions()[static_cast<int>(i)]->trigger();
            EXPECT_EQ(list.requested(), std::vector<CommandId> { expected[i] });
        }
    }

    TEST(GraphTree, ContextMenuOfATableGraphOffersAFittedCurve)
    {
        GraphList list;
        list.document.insertGraph(std::make_unique<CTableGraph>(list.document), 0);
        const std::unique_ptr<QMenu> menu = list.view.contextMenu(list.tree()->topLevelItem(0));
        QAction* fit = menu->actions().last();
        EXPECT_EQ(fit->text(), QStringLiteral("Fit curve..."));
        EXPECT_FALSE(fit->icon().isNull());
        fit->trigger();
        EXPECT_EQ(list.requested(), std::vector<CommandId> { CommandId::FitCurve });
    }

    TEST(GraphTree, CheckBoxClickIsOneUndoableChangeOfTheGraph)
    {
        GraphList list;
        list.add("x", 0);
        list.add("x^2", 1);
        list.document.setModified(false);
        HintRecorder recorder;
        list.document.addView(&recorder);
        const QPoint box = list.view.checkBoxRect(0).center();
        ASSERT_FALSE(list.view.checkBoxRect(0).isEmpty());

        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, box);
        // Toggled once: Qt itself does not toggle the box a second time.
        EXPECT_EQ(list.box(0), Qt::Unchecked);
        EXPECT_EQ(list.document.graph(0).showGraph, 0);
        EXPECT_EQ(list.document.graph(1).showGraph, 1);
        EXPECT_EQ(list.document.undoStack.size(), 1u);
        EXPECT_TRUE(list.document.isModified());
        EXPECT_EQ(recorder.hints, std::vector<std::int32_t> { kHintRepaint });

        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, box);
        EXPECT_EQ(list.box(0), Qt::Checked);
        EXPECT_EQ(list.document.graph(0).showGraph, 1);
        EXPECT_EQ(list.document.undoStack.size(), 2u);

        // Undo brings the hidden state back, and the box follows the document.
        list.document.undo();
        EXPECT_EQ(list.document.graph(0).showGraph, 0);
        EXPECT_EQ(list.box(0), Qt::Unchecked);
        list.document.removeView(&recorder);

        // A double click on the box toggles twice and does not open the graph, whether or not
        // its second click also arrives as a press.
        for (const bool secondPress : { false, true }) {
            const std::size_t steps = list.document.undoStack.size();
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, box);
            if (secondPress)
                QTest::mousePress(list.viewport(), Qt::LeftButton, {}, box);
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, box);
            QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, box);
            EXPECT_EQ(list.document.graph(0).showGraph, 0) << secondPress;
            EXPECT_EQ(list.box(0), Qt::Unchecked) << secondPress;
            EXPECT_EQ(list.document.undoStack.size(), steps + 2) << secondPress;
            EXPECT_TRUE(list.requested().empty()) << secondPress;
        }
    }

    TEST(GraphTree, KeysAndDoubleClickAskForTheirCommands)
    {
        GraphList list;
        list.tree()->setFocus();
        // Nothing selected: Delete and Space do nothing.
        QTest::keyClick(list.tree(), Qt::Key_Delete);
        QTest::keyClick(list.tree(), Qt::Key_Space);
        EXPECT_TRUE(list.requested().empty());
        EXPECT_TRUE(list.document.undoStack.empty());

        list.add("x", 0);
        list.add("x^2", 1);
        QTest::keyClick(list.tree(), Qt::Key_Space);
        EXPECT_EQ(list.document.graph(1).showGraph, 0);
        EXPECT_EQ(list.box(1), Qt::Unchecked);
        EXPECT_EQ(list.document.undoStack.size(), 1u);

        QTest::keyClick(list.tree(), Qt::Key_Delete);
        EXPECT_EQ(list.requested(), std::vector<CommandId> { CommandId::RemoveGraph });

        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.label(0));
        EXPECT_EQ(list.requested(), std::vector<CommandId> { CommandId::EditGraph });
        // Only on the label: the empty rest of the row is no item to edit.
        ASSERT_LT(list.label(0).x() + 20, list.emptyPart(0).x());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.emptyPart(0));
        EXPECT_TRUE(list.requested().empty());

        list.document.currentGraph = -1;
        QTest::keyClick(list.tree(), Qt::Key_Delete);
        EXPECT_TRUE(list.requested().empty());
    }

    TEST(GraphTree, ALongDescriptionCutToTheColumnIsWholeInItsToolTip)
    {
        GraphList list;
        std::string formula = "x";
        for (int i = 0; i < 40; ++i)
            formula += "+sin(x)";
        list.add(formula.c_str(), 0);
        const QString description = QString::fromStdString(list.document.graph(0).describe());
        EXPECT_GT(
            list.tree()->fontMetrics().horizontalAdvance(description), list.viewport()->width());
        EXPECT_EQ(list.tree()->topLevelItem(0)->toolTip(0), description);
        // The label of a cut text ends with the row.
        EXPECT_LE(list.view.labelRect(0).right(), list.viewport()->width());
    }

    TEST(GraphTree, CloseButtonAsksForTheListOnlyWhenReleasedOverIt)
    {
        GraphList list;
        const QRect button = list.view.closeButtonRect();
        EXPECT_EQ(button, QRect(282, 2, 15, 15));
        const QPoint inside = button.center();
        const QPoint outside(100, 10);

        QTest::mouseMove(&list.view, inside);
        EXPECT_EQ(list.view.closeButtonState(), 1);
        QTest::mouseMove(&list.view, outside);
        EXPECT_EQ(list.view.closeButtonState(), 0);

        struct Case {
            const char* name;
            std::vector<QPoint> movesWhilePressed;
            std::vector<CommandId> expected;
        };
        const std::vector<Case> cases {
            { "press and release inside", {}, { CommandId::GraphList } },
            { "released outside", { outside }, {} },
            { "back inside before the release", { outside, inside }, { CommandId::GraphList } },
        };
        for (const Case& c : cases) {
            QTest::mouseMove(&list.view, inside);
            ASSERT_EQ(list.view.closeButtonState(), 1) << c.name;
            QTest::mousePress(&list.view, Qt::LeftButton, {}, inside);
            EXPECT_EQ(list.view.closeButtonState(), 2) << c.name;
            QPoint last = inside;
            for (const QPoint& p : c.movesWhilePressed) {
                QTest::mouseMove(&list.view, p);
                EXPECT_EQ(list.view.closeButtonState(), p == inside ? 2 : 3) << c.name;
                last = p;
            }
            QTest::mouseRelease(&list.view, Qt::LeftButton, {}, last);
            EXPECT_EQ(list.view.closeButtonState(), 0) << c.name;
            EXPECT_EQ(list.requested(), c.expected) << c.name;
            QTest::mouseMove(&list.view, outside);
        }
    }

    // The plot view beside the list never opens a dialog in these tests.
    struct NoDialogs : UserInterface {
        void showMessage(std::string_view) override { }
        bool askYesNo(std::string_view) override { return false; }
        bool askConfirmation(std::string_view) override { return false; }
        std::unique_ptr<CFunctionGraph> runGraphDialog(COvilanDoc&, const CFunctionGraph*) override
        {
            return nullptr;
        }
        bool runTableGraphDialog(COvilanDoc&, CTableGraph&) override { return false; }
        bool runLabelDialog(COvilanDoc&, CPlotLabel&) override { return false; }
        void runDocumentProperties(COvilanDoc&) override { }
    };

    TEST(GraphTree, HeaderStripIsARaisedBarAndTheCloseButtonFramesItsState)
    {
        GraphList list;
        const QPalette& colours = list.view.palette();
        const QRgb face = colours.color(QPalette::Button).rgb();
        const QRgb light = colours.color(QPalette::Light).rgb();
        const QRgb dark = colours.color(QPalette::Dark).rgb();
        const auto pixels = [&list] { return list.view.grab().toImage(); };
        const QRect button = list.view.closeButtonRect();

        QImage idle = pixels();
        EXPECT_EQ(idle.pixel(0, 0), light);
        EXPECT_EQ(idle.pixel(150, 0), light);
        EXPECT_EQ(idle.pixel(299, 18), dark);
        EXPECT_EQ(idle.pixel(299, 5), dark);
        EXPECT_EQ(idle.pixel(button.topLeft()), face);
        EXPECT_EQ(idle.pixel(button.bottomRight()), face);
        EXPECT_EQ(list.tree()->geometry(), QRect(0, 20, 300, 379));

        QTest::mouseMove(&list.view, button.center());
        QImage hot = pixels();
        EXPECT_EQ(hot.pixel(button.topLeft()), light);
        EXPECT_EQ(hot.pixel(button.bottomRight()), dark);

        QTest::mousePress(&list.view, Qt::LeftButton, {}, button.center());
        QImage pressed = pixels();
        EXPECT_EQ(pressed.pixel(button.topLeft()), dark);
        EXPECT_EQ(pressed.pixel(button.bottomRight()), light);
        // The cross moves one pixel right and down while the button is held.
        EXPECT_NE(pressed.copy(button), hot.copy(button));
        QTest::mouseRelease(&list.view, Qt::LeftButton, {}, button.center());
    }

    struct Pane {
        explicit Pane(QSettings& settings)
            : pane(document, settings, [this](QWidget* parent) {
                return new COvilanView(document, ui, parent);
            })
        {
            pane.resize(600, 400);
            pane.show();
        }

        AppPreferences preferences;
        COvilanDoc document { preferences };
        NoDialogs ui;
        CGraphListView pane;
    };

    TEST(GraphListPane, ColumnWidthComesFromTheSettingsAndGoesBack)
    {
        const QTemporaryDir folder;
        struct Case {
            const char* name;
            std::optional<int> stored;
            int expected;
        };
        const Case cases[] = {
            { "no stored width", std::nullopt, 182 },
            { "a stored width", 240, 240 },
            { "a negative width", -5, 0 },
        };
        for (const Case& c : cases) {
            const QString path
                = folder.filePath(QString::fromLatin1(c.name) + QStringLiteral(".ini"));
            QSettings settings(path, QSettings::IniFormat);
            if (c.stored)
                settings.setValue(QStringLiteral("Settings/Column"), *c.stored);
            {
                Pane pane(settings);
                const auto* splitter
                    = pane.pane.findChild<QSplitter*>(QStringLiteral("graphListSplitter"));
                ASSERT_NE(splitter, nullptr);
                EXPECT_EQ(splitter->geometry(), QRect(0, 0, 600, 400)) << c.name;
                EXPECT_EQ(pane.pane.leftView()->width(), c.expected) << c.name;
                EXPECT_EQ(pane.pane.plotView()->parentWidget(), splitter);
                EXPECT_EQ(pane.pane.plotView()->width(), 600 - c.expected - splitter->handleWidth())
                    << c.name;
            }
            EXPECT_EQ(settings.value(QStringLiteral("Settings/Column")).toInt(), c.expected)
                << c.name;
        }
    }

    TEST(GraphListPane, DraggedWidthSurvivesResizesAndIsStored)
    {
        const QTemporaryDir folder;
        QSettings settings(folder.filePath(QStringLiteral("drag.ini")), QSettings::IniFormat);
        {
            Pane pane(settings);
            auto* splitter = pane.pane.findChild<QSplitter*>(QStringLiteral("graphListSplitter"));
            QWidget* handle = splitter->handle(1);
            const QPoint grip = handle->rect().center();
            QTest::mousePress(handle, Qt::LeftButton, {}, grip);
            QTest::mouseMove(handle, grip + QPoint(50, 0));
            QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(50, 0));
            EXPECT_EQ(pane.pane.columnWidth(), 232);
            pane.pane.resize(800, 500);
            EXPECT_EQ(pane.pane.leftView()->width(), 232);
        }
        EXPECT_EQ(settings.value(QStringLiteral("Settings/Column")).toInt(), 232);
    }

} // namespace
} // namespace ovilan
