#include "dialogs/dialog_fit.h"
#include "dialogs/dialog_services.h"
#include "dialogs/doc_property_sheet.h"
#include "dialogs/find_points_dialog.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/integral_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/table_graph_dialog.h"
#include "dialogs/value_at_dialog.h"
#include "document/document_file.h"
#include "document/draw_plot.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "render/cursor_readout.h"
#include "shell/about_dialog.h"
#include "shell/animation_frames_dialog.h"
#include "shell/command_table.h"
#include "shell/csv_dialogs.h"
#include "shell/environment_dialog.h"
#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "shell/main_frame.h"
#include "shell/picture_dialog.h"
#include "shell/qt_settings_store.h"
#include "shell/sharp_picture_dialog.h"
#include "shell/shell_test_support.h"
#include "view/picture_export.h"
#include "view/plot_state.h"
#include "view/plot_view.h"
#include "view/qimage_canvas.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QPaintEvent>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <deque>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace ovilan {
namespace {

    using testing::ScriptedShell;
    using testing::temporaryFile;
    using testing::Window;

    QStringList itemTexts(QMenu* menu)
    {
        QStringList texts;
        for (QAction* item : menu->actions())
            texts.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        return texts;
    }

    TEST(MainFrame, MenusFollowTheCommandTable)
    {
        Window window;
        const QList<QAction*> menus = window.frame.menuBar()->actions();
        QStringList titles;
        for (QAction* menu : menus)
            titles.append(menu->text());
        EXPECT_EQ(titles,
            (QStringList { QStringLiteral("&File"),
                QStringLiteral("&Edit"),
                QStringLiteral("&Graphs"),
                QStringLiteral("&View"),
                QStringLiteral("&Help") }));
        EXPECT_EQ(itemTexts(menus[0]->menu()),
            (QStringList { QStringLiteral("&New\tCtrl+N"),
                QStringLiteral("&Open...\tCtrl+O"),
                QStringLiteral("&Import CSV..."),
                QStringLiteral("&Save\tCtrl+S"),
                QStringLiteral("Save &As..."),
                QStringLiteral("Save As Pi&cture..."),
                QStringLiteral("Save Animation Fra&mes..."),
                QStringLiteral("&Export CSV..."),
                QStringLiteral("-"),
                QStringLiteral("&Print...\tCtrl+P"),
                QStringLiteral("Print Pre&view..."),
                QStringLiteral("-"),
                QStringLiteral("Recent File"),
                QStringLiteral("-"),
                QStringLiteral("E&xit") }));
        const QStringList view = itemTexts(menus[3]->menu());
        ASSERT_EQ(view.size(), 15);
        EXPECT_EQ(view[8], QStringLiteral("&Graph List "));
        EXPECT_EQ(view[9], QStringLiteral("Param&eters"));
        EXPECT_EQ(view[10], QStringLiteral("S&mooth Lines"));
        EXPECT_EQ(view[3], QStringLiteral("Scroll &Left\tCtrl+Left arrow"));
        EXPECT_EQ(itemTexts(menus[4]->menu()),
            (QStringList { QStringLiteral("&Contents\tF1"), QStringLiteral("&About Ovilan") }));
        // Items with a tool bar button show its image; Exit has none.
        EXPECT_FALSE(window.frame.action(CommandId::FileNew)->icon().isNull());
        EXPECT_TRUE(window.frame.action(CommandId::AppExit)->icon().isNull());
    }

    TEST(MainFrame, ShortcutsPromptsAndTips)
    {
        Window window;
        const auto keys = [&](CommandId id) { return window.frame.action(id)->shortcuts(); };
        EXPECT_EQ(keys(CommandId::EditUndo),
            (QList<QKeySequence> { QKeySequence(QStringLiteral("Ctrl+Z")),
                QKeySequence(QStringLiteral("Alt+Backspace")) }));
        EXPECT_EQ(keys(CommandId::EditCopy).size(), 2);
        EXPECT_EQ(keys(CommandId::ScrollLeft), QList { QKeySequence(QStringLiteral("Ctrl+Left")) });
        EXPECT_EQ(keys(CommandId::FilePrint), QList { QKeySequence(QStringLiteral("Ctrl+P")) });
        // Nothing answers paste or cut.
        for (QAction* item : window.frame.actions())
            for (const QKeySequence& key : item->shortcuts())
                EXPECT_TRUE(key != QKeySequence(QStringLiteral("Ctrl+V"))
                    && key != QKeySequence(QStringLiteral("Ctrl+X")));
        EXPECT_EQ(window.frame.action(CommandId::StandardCursor)->toolTip(),
            QStringLiteral("Standart Cursor"));
        EXPECT_EQ(window.frame.action(CommandId::SelectInterval)->statusTip(),
            QStringLiteral("Select interval of X and Y "));
        EXPECT_EQ(window.frame.statusBar()->currentMessage(), QStringLiteral("For Help, press F1"));
        EXPECT_TRUE(window.frame.action(CommandId::GraphList)->isEnabled());
        EXPECT_TRUE(window.frame.action(CommandId::DocumentProperties)->isEnabled());
        EXPECT_TRUE(window.frame.action(CommandId::AddGraph)->isEnabled());
        EXPECT_FALSE(window.frame.action(CommandId::EditGraph)->isEnabled());
        EXPECT_FALSE(window.frame.action(CommandId::EditUndo)->isEnabled());
    }

    TEST(MainFrame, PlatformKeysComeBesideTheProgramsOwn)
    {
        Window window;
        const struct {
            CommandId id;
            const char* own;
            QKeySequence::StandardKey platform;
        } commands[] = {
            { CommandId::EditRedo, "Ctrl+Y", QKeySequence::Redo },
            { CommandId::AppExit, "Ctrl+Q", QKeySequence::Quit },
            { CommandId::ZoomIn, "Ctrl+I", QKeySequence::ZoomIn },
            { CommandId::ZoomOut, "Ctrl+U", QKeySequence::ZoomOut },
        };
        for (const auto& command : commands) {
            const QList<QKeySequence> keys = window.frame.action(command.id)->shortcuts();
            EXPECT_EQ(keys.value(0), QKeySequence(QString::fromLatin1(command.own)));
            for (const QKeySequence& key : QKeySequence::keyBindings(command.platform))
                EXPECT_TRUE(keys.contains(key)) << key.toString().toStdString();
            EXPECT_EQ(keys.size(), QSet<QKeySequence>(keys.begin(), keys.end()).size());
        }
        // The keys reach their commands; Ctrl+Shift+Z is Redo's on the desktops and here.
        window.frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
        window.frame.plotView()->setFocus();
        QTest::keyClick(&window.frame, Qt::Key_Plus, Qt::ControlModifier);
        EXPECT_EQ(window.document.xAxis.max, 5);
        QTest::keyClick(&window.frame, Qt::Key_Minus, Qt::ControlModifier);
        EXPECT_EQ(window.document.xAxis.max, 10);
        QTest::keyClick(&window.frame, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(window.document.xAxis.max, 5);
        QTest::keyClick(&window.frame, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(window.document.xAxis.max, 10);
        window.document.setModified(false);
        QTest::keyClick(&window.frame, Qt::Key_Q, Qt::ControlModifier);
        EXPECT_FALSE(window.frame.isVisible());
    }

    TEST(MainFrame, ToolBarsHoldTheirButtonsInOrder)
    {
        Window window;
        const QList<QAction*> buttons = window.frame.graphsToolBar()->actions();
        ASSERT_EQ(buttons.size(), 6);
        EXPECT_EQ(buttons[0], window.frame.action(CommandId::DocumentProperties));
        EXPECT_TRUE(buttons[1]->isSeparator());
        EXPECT_EQ(buttons[5], window.frame.action(CommandId::EditGraph));
        EXPECT_EQ(window.frame.standardToolBar()->actions().size(), 23);
    }

    TEST(MainFrame, ModeCommandsToggleAndCheck)
    {
        Window window;
        window.frame.action(CommandId::AddLabel)->trigger();
        EXPECT_TRUE(window.frame.action(CommandId::AddLabel)->isChecked());
        EXPECT_FALSE(window.frame.action(CommandId::StandardCursor)->isChecked());
        window.frame.action(CommandId::SelectInterval)->trigger();
        EXPECT_TRUE(window.frame.action(CommandId::SelectInterval)->isChecked());
        EXPECT_FALSE(window.frame.action(CommandId::AddLabel)->isChecked());
        window.frame.action(CommandId::TraceCurve)->trigger();
        EXPECT_TRUE(window.frame.action(CommandId::TraceCurve)->isChecked());
        EXPECT_FALSE(window.frame.action(CommandId::SelectInterval)->isChecked());
        EXPECT_EQ(currentMouseMode(), MouseMode::TraceCurve);
        window.frame.action(CommandId::TraceCurve)->trigger();
        EXPECT_TRUE(window.frame.action(CommandId::StandardCursor)->isChecked());
    }

    TEST(MainFrame, ValueAtNeedsASelectedGraphWithAVariable)
    {
        Window window;
        window.addGraph("x^2");
        window.document.insertGraph(std::make_unique<CTableGraph>(window.document), 1);
        QAction* valueAt = window.frame.action(CommandId::ValueAt);
        for (const auto& [selected, enabled] :
            { std::pair { -1, false }, { 0, true }, { 1, false } }) {
            window.document.currentGraph = selected;
            window.document.updateAllViews(kHintRepaint);
            EXPECT_EQ(valueAt->isEnabled(), enabled) << selected;
        }
    }

    TEST(MainFrame, FindPointsNeedsAGraphWithAVariableAndIntegralAFunctionOfX)
    {
        Window window;
        window.addGraph("x^2");
        window.document.insertGraph(std::make_unique<CTableGraph>(window.document), 1);
        auto circle = std::make_unique<CParametricGraph>(window.document);
        circle->setFormula("cos(t)", 0);
        circle->setFormula("sin(t)", 1);
        window.document.insertGraph(std::move(circle), 2);
        QAction* find = window.frame.action(CommandId::FindPoints);
        QAction* integral = window.frame.action(CommandId::Integral);
        struct Row {
            std::int32_t selected;
            bool findEnabled;
            bool integralEnabled;
        };
        for (const Row& row : { Row { -1, false, false },
                 Row { 0, true, true },
                 Row { 1, false, false },
                 Row { 2, true, false } }) {
            window.document.currentGraph = row.selected;
            window.document.updateAllViews(kHintRepaint);
            EXPECT_EQ(find->isEnabled(), row.findEnabled) << row.selected;
            EXPECT_EQ(integral->isEnabled(), row.integralEnabled) << row.selected;
        }
    }

    QStringList entries(const QMenu* menu)
    {
        QStringList texts;
        for (const QAction* entry : menu->actions()) {
            texts.append(entry->isSeparator() ? QStringLiteral("-") : entry->text());
            EXPECT_TRUE(entry->isSeparator() || !entry->icon().isNull())
                << entry->text().toStdString();
        }
        return texts;
    }

    // Right-clicks the plot and chooses the entry `choice` of the menu that opens, or closes it.
    void rightClickAndChoose(COvilanView* view, const QPoint& at, const QString& choice)
    {
        QTimer::singleShot(0, [choice] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* entry : menu->actions())
                if (entry->text() == choice)
                    entry->trigger();
            menu->close();
        });
        QTest::mousePress(view, Qt::RightButton, {}, at);
        QTest::mouseRelease(view, Qt::RightButton, {}, at);
    }

    TEST(MainFrame, ContextMenusOfThePlotAndOfALabelReachTheirCommands)
    {
        Window window;
        window.frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
        EXPECT_EQ(entries(window.frame.plotContextMenu()),
            QStringList({ QStringLiteral("Add Graph..."),
                QStringLiteral("Add Table Graph..."),
                QStringLiteral("-"),
                QStringLiteral("Copy..."),
                QStringLiteral("-"),
                QStringLiteral("Document Properties") }));
        EXPECT_EQ(entries(window.frame.labelContextMenu()),
            QStringList({ QStringLiteral("Edit Label..."), QStringLiteral("Remove Label") }));

        COvilanView* view = window.frame.plotView();
        view->repaint();
        CPlotLabel label;
        label.x = 1;
        label.y = 2;
        label.caption = "mark";
        window.document.insertLabel(label, 0);
        const DevicePoint p = plotToDevice(currentPlotMapping(), 1, 2);
        window.ui.editLabel = [](CPlotLabel& edited) { edited.caption = "edited"; };
        rightClickAndChoose(view, QPoint(p.x, p.y), QStringLiteral("Edit Label..."));
        EXPECT_EQ(window.document.labels[0].caption, "edited");
        EXPECT_TRUE(window.frame.action(CommandId::EditUndo)->isEnabled());

        window.ui.nextGraph = std::make_unique<CYofXGraph>(window.document);
        window.ui.nextGraph->setFormula("x", 0);
        rightClickAndChoose(view, QPoint(p.x + 100, p.y + 100), QStringLiteral("Add Graph..."));
        EXPECT_EQ(window.document.graphCount(), 1);
    }

    TEST(MainFrame, ModeSetByTheViewMovesTheCheckMarks)
    {
        Window window;
        window.frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
        COvilanView* view = window.frame.plotView();
        view->repaint();
        window.frame.action(CommandId::AddLabel)->trigger();
        window.ui.editLabel = [](CPlotLabel&) {};
        QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
        EXPECT_EQ(window.document.labelCount(), 1);
        EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
        EXPECT_TRUE(window.frame.action(CommandId::StandardCursor)->isChecked());
        EXPECT_FALSE(window.frame.action(CommandId::AddLabel)->isChecked());
    }

    TEST(MainFrame, StoredPaneLayoutIsShownAndWrittenBack)
    {
        QSettings settings { QStringLiteral("Quenbrix"), QStringLiteral("Ovilan") };
        for (const auto& [stored, shown] : { std::pair { 1, 1 }, { 3, 3 }, { 7, 1 }, { 2, 1 } }) {
            settings.setValue(QStringLiteral("Settings/View"), stored);
            {
                Window window;
                EXPECT_EQ(window.frame.paneLayout(), shown) << stored;
                const bool listed = qobject_cast<CGraphListView*>(window.frame.centralWidget());
                EXPECT_EQ(listed, shown == 3) << stored;
                EXPECT_EQ(window.frame.action(CommandId::GraphList)->isChecked(), shown == 3);
            }
            settings.sync();
            EXPECT_EQ(settings.value(QStringLiteral("Settings/View")).toInt(), shown) << stored;
        }
        settings.remove(QStringLiteral("Settings/View"));
    }

    TEST(MainFrame, GraphListComesAndGoesAndSurvivesARestart)
    {
        {
            Window window;
            window.addGraph("x^2");
            EXPECT_EQ(window.frame.paneLayout(), 3); // the first run shows the list
            window.frame.action(CommandId::GraphList)->trigger();
            EXPECT_EQ(window.frame.paneLayout(), 1);
            EXPECT_EQ(window.frame.centralWidget(), window.frame.plotView());
            window.frame.action(CommandId::GraphList)->trigger();
            auto* list = qobject_cast<CGraphListView*>(window.frame.centralWidget());
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->plotView(), window.frame.plotView());
            EXPECT_EQ(list->leftView()->tree()->topLevelItemCount(), 1);

            // The new plot view reports to the status bar, the tree's commands reach the window.
            window.frame.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
            COvilanView* view = window.frame.plotView();
            view->repaint();
            QTest::mouseMove(view, view->rect().center());
            EXPECT_TRUE(window.frame.xPaneText().startsWith(QStringLiteral("X=")));
            QTreeWidget* tree = list->leftView()->tree();
            tree->setCurrentItem(tree->topLevelItem(0));
            EXPECT_EQ(window.document.currentGraph, 0);
            EXPECT_TRUE(window.frame.action(CommandId::EditGraph)->isEnabled());

            // F6 and Shift+F6 move between the two panes.
            view->setFocus();
            window.frame.action(CommandId::NextPane)->trigger();
            EXPECT_EQ(window.frame.focusWidget(), tree);
            window.frame.action(CommandId::PreviousPane)->trigger();
            EXPECT_EQ(window.frame.focusWidget(), view);

            // The close button asks for the plot alone once the click is over.
            const QPoint close = list->leftView()->closeButtonRect().center();
            QTest::mouseMove(list->leftView(), close);
            QTest::mousePress(list->leftView(), Qt::LeftButton, {}, close);
            QTest::mouseRelease(list->leftView(), Qt::LeftButton, {}, close);
            QApplication::processEvents();
            EXPECT_EQ(window.frame.paneLayout(), 1);
            window.frame.action(CommandId::GraphList)->trigger();
            window.frame.close();
        }
        Window second;
        EXPECT_EQ(second.frame.paneLayout(), 3);
        second.frame.action(CommandId::GraphList)->trigger();
        second.frame.close();
    }

    // Smooth lines are off at first; the choice reaches the plot view at once, the view the graph
    // list brings, and the next run.
    TEST(MainFrame, SmoothLinesAreRememberedAndReachEveryPlotView)
    {
        QSettings(QStringLiteral("Quenbrix"), QStringLiteral("Ovilan"))
            .remove(QStringLiteral("Settings/SmoothLines"));
        {
            Window window;
            QAction* smooth = window.frame.action(CommandId::SmoothLines);
            EXPECT_TRUE(smooth->isCheckable());
            EXPECT_FALSE(smooth->isChecked());
            EXPECT_EQ(window.frame.plotView()->lineDrawing(), LineDrawing::Exact);
            EXPECT_EQ(smooth->statusTip(), QStringLiteral("Draw curves, axes and texts smoothed"));
            smooth->trigger();
            EXPECT_TRUE(smooth->isChecked());
            EXPECT_EQ(window.frame.plotView()->lineDrawing(), LineDrawing::Smooth);
            window.frame.action(CommandId::GraphList)->trigger();
            EXPECT_EQ(window.frame.plotView()->lineDrawing(), LineDrawing::Smooth);
            window.frame.action(CommandId::GraphList)->trigger();
        }
        {
            Window second;
            EXPECT_TRUE(second.frame.action(CommandId::SmoothLines)->isChecked());
            EXPECT_EQ(second.frame.plotView()->lineDrawing(), LineDrawing::Smooth);
            second.frame.action(CommandId::SmoothLines)->trigger();
        }
        Window third;
        EXPECT_EQ(third.frame.plotView()->lineDrawing(), LineDrawing::Exact);
    }

    TEST(MainFrame, GraphCommandsKeepUndoRedoAndEditEnabledInStep)
    {
        Window window;
        auto graph = std::make_unique<CYofXGraph>(window.document);
        graph->setFormula("x", 0);
        window.ui.nextGraph = std::move(graph);
        window.frame.action(CommandId::AddGraph)->trigger();
        ASSERT_EQ(window.document.graphCount(), 1);
        EXPECT_TRUE(window.frame.action(CommandId::EditGraph)->isEnabled());
        EXPECT_TRUE(window.frame.action(CommandId::EditUndo)->isEnabled());
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.document.graphCount(), 0);
        EXPECT_FALSE(window.frame.action(CommandId::EditUndo)->isEnabled());
        EXPECT_TRUE(window.frame.action(CommandId::EditRedo)->isEnabled());
        EXPECT_FALSE(window.frame.action(CommandId::EditGraph)->isEnabled());
        window.frame.action(CommandId::EditRedo)->trigger();
        EXPECT_EQ(window.document.graphCount(), 1);
        EXPECT_FALSE(window.frame.action(CommandId::EditRedo)->isEnabled());
    }

    TEST(EnvironmentDialog, ShowsAndReturnsBothPreferences)
    {
        EnvironmentDialog dialog({ 1, 0 });
        auto* steps = dialog.findChild<QCheckBox*>(QStringLiteral("1030"));
        auto* cursor = dialog.findChild<QCheckBox*>(QStringLiteral("1031"));
        ASSERT_TRUE(steps && cursor);
        EXPECT_EQ(steps->text(), QStringLiteral("Automatically change steps"));
        EXPECT_EQ(cursor->text(), QStringLiteral("Persistent cursor"));
        EXPECT_TRUE(steps->isChecked());
        EXPECT_FALSE(cursor->isChecked());
        steps->setChecked(false);
        cursor->setChecked(true);
        const AppPreferences chosen = dialog.preferences();
        EXPECT_EQ(chosen.autoChangeSteps, 0);
        EXPECT_EQ(chosen.persistentCursor, 1);
    }

    TEST(Help, EveryCommandHasItsPlaceInTheHelp)
    {
        QFile file(QStringLiteral(OVILAN_HELP "/commands.html"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        for (const CommandSpec& spec : commandTable())
            EXPECT_TRUE(
                page.contains(QStringLiteral("id=\"cmd-%1\"").arg(static_cast<int>(spec.id))))
                << static_cast<int>(spec.id);
        EXPECT_TRUE(QFile::exists(QStringLiteral(OVILAN_HELP "/index.html")));
    }

    TEST(Help, EveryDialogHasItsSectionForF1)
    {
        QFile file(QStringLiteral(OVILAN_HELP "/dialogs.html"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        AppPreferences preferences;
        COvilanDoc document(preferences);
        CPlotLabel label;
        CTableGraph table(document);
        document.insertGraph(std::make_unique<CYofXGraph>(document), 0);
        ScriptedShell shell;
        int lastPage = 0;
        const std::vector<std::unique_ptr<QDialog>> dialogs = [&] {
            std::vector<std::unique_ptr<QDialog>> all;
            all.push_back(std::make_unique<CGraphDlg>(document, nullptr, standardDialogServices()));
            all.push_back(std::make_unique<CTableGraphDlg>(table, standardDialogServices()));
            all.push_back(std::make_unique<CLabelDlg>(label, false, standardDialogServices()));
            all.push_back(
                std::make_unique<CDocPropertySheet>(document, standardDialogServices(), lastPage));
            all.push_back(std::make_unique<PictureDialog>(640, 480));
            all.push_back(
                std::make_unique<SharpPictureDialog>(PictureFormat::SmoothPng, QSize(640, 480)));
            all.push_back(std::make_unique<EnvironmentDialog>(preferences));
            all.push_back(
                std::make_unique<CValueAtDlg>(document, 0, shell, standardDialogServices()));
            all.push_back(std::make_unique<CFindPointsDlg>(document, 0, standardDialogServices()));
            all.push_back(std::make_unique<CIntegralDlg>(document, 0, standardDialogServices()));
            all.push_back(std::make_unique<AnimationFramesDialog>(
                document.parameterTable, QStringLiteral("/tmp")));
            all.push_back(
                std::make_unique<CCsvPreviewDlg>(QStringLiteral("data.csv"), CsvTable {}));
            all.push_back(std::make_unique<CCsvExportDlg>(true));
            return all;
        }();
        QStringList anchors;
        for (const auto& dialog : dialogs) {
            const QString anchor = dialogHelpAnchor(dialog.get());
            EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                << anchor.toStdString();
            anchors.append(anchor);
        }
        anchors.removeDuplicates();
        EXPECT_EQ(anchors.size(), 13);
        EXPECT_TRUE(dialogHelpAnchor(nullptr).isEmpty());
    }

    TEST(Dialogs, EveryDialogIsWideEnoughForItsTitle)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        CPlotLabel label;
        CTableGraph table(document);
        int lastPage = 0;
        std::vector<std::unique_ptr<QDialog>> dialogs;
        dialogs.push_back(std::make_unique<CGraphDlg>(document, nullptr, standardDialogServices()));
        dialogs.push_back(std::make_unique<CTableGraphDlg>(table, standardDialogServices()));
        dialogs.push_back(std::make_unique<CLabelDlg>(label, true, standardDialogServices()));
        dialogs.push_back(
            std::make_unique<CDocPropertySheet>(document, standardDialogServices(), lastPage));
        dialogs.push_back(std::make_unique<PictureDialog>(640, 480));
        dialogs.push_back(
            std::make_unique<SharpPictureDialog>(PictureFormat::Pdf, QSize(640, 480)));
        dialogs.push_back(
            std::make_unique<SharpPictureDialog>(PictureFormat::SmoothPng, QSize(640, 480)));
        dialogs.push_back(std::make_unique<EnvironmentDialog>(preferences));
        dialogs.push_back(std::make_unique<AboutDialog>(QIcon()));
        dialogs.push_back(std::make_unique<CCsvPreviewDlg>(
            QStringLiteral("measurements from the bench.csv"), CsvTable {}));
        dialogs.push_back(std::make_unique<CCsvExportDlg>(false));
        for (const auto& dialog : dialogs) {
            SCOPED_TRACE(dialog->windowTitle().toStdString());
            dialog->show();
            QApplication::processEvents();
            EXPECT_GE(dialog->width(), titleBarWidth(*dialog));
            EXPECT_GE(dialog->minimumWidth(), titleBarWidth(*dialog));
            dialog->hide();
        }
    }

    TEST(MainFrame, OpenStartsInTheExamplesUntilThereIsAFile)
    {
        const QTemporaryDir dir;
        QSettings(QStringLiteral("Quenbrix"), QStringLiteral("Ovilan"))
            .remove(QStringLiteral("Recent File List"));
        Window window;
        window.frame.action(CommandId::FileOpen)->trigger();
        ASSERT_EQ(window.ui.openFolders.size(), 1);
        EXPECT_TRUE(QFileInfo::exists(window.ui.openFolders[0] + QStringLiteral("/gallery.ovd")))
            << window.ui.openFolders[0].toStdString();
        ASSERT_TRUE(window.frame.saveDocumentAs(temporaryFile(dir, "mine.ovd")));
        window.frame.action(CommandId::FileOpen)->trigger();
        EXPECT_EQ(window.ui.openFolders[1], QFileInfo(dir.path()).absoluteFilePath());
        QSettings(QStringLiteral("Quenbrix"), QStringLiteral("Ovilan"))
            .remove(QStringLiteral("Recent File List"));
    }

    TEST(MainFrame, PreferencesAndBarsSurviveARestart)
    {
        {
            Window first;
            first.frame.show();
            first.frame.graphsToolBar()->hide();
            first.frame.close();
            QtSettingsStore store;
            writePreferences(store, { 0, 1 });
        }
        Window second;
        second.frame.show();
        EXPECT_TRUE(second.frame.graphsToolBar()->isHidden());
        EXPECT_FALSE(second.frame.action(CommandId::GraphsBar)->isChecked());
        const QtSettingsStore store;
        const AppPreferences read = readPreferences(store);
        EXPECT_EQ(read.autoChangeSteps, 0);
        EXPECT_EQ(read.persistentCursor, 1);
        second.frame.graphsToolBar()->show();
        second.frame.close();
    }

    TEST(MainFrame, RestoredWindowHasASensibleSizeAndRemembersIt)
    {
        QSettings settings { QStringLiteral("Quenbrix"), QStringLiteral("Ovilan") };
        settings.remove(QStringLiteral("Settings/Geometry"));
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect placed(available.left() + 40, available.top() + 60, 640, 480);
        {
            // The first run: within the screen, smaller than it, in its middle.
            AppPreferences preferences;
            COvilanDoc document(preferences);
            ScriptedShell ui;
            CMainFrame frame(document, preferences, settings, ui);
            const QRect normal = frame.geometry();
            EXPECT_TRUE(available.contains(normal));
            EXPECT_LT(normal.width(), available.width());
            EXPECT_LT(normal.height(), available.height());
            EXPECT_LE((normal.center() - available.center()).manhattanLength(), 2);
            frame.setGeometry(placed);
            frame.showMaximized();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
            EXPECT_EQ(frame.normalGeometry(), placed);
            frame.close();
        }
        Window second;
        second.frame.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&second.frame));
        EXPECT_TRUE(second.frame.isMaximized());
        second.frame.showNormal();
        QApplication::processEvents();
        EXPECT_EQ(second.frame.geometry().topLeft(), placed.topLeft());
        second.frame.close();
        settings.remove(QStringLiteral("Settings/Geometry"));
    }

    // Remembers the areas the view was asked to paint.
    struct PaintRecorder : QObject {
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
        QRegion painted;
    };

    TEST(PlotView, HintsRepaintTheWindowOrOneLabelsAreas)
    {
        Window window;
        window.frame.show();
        COvilanView* view = window.frame.plotView();
        QApplication::processEvents();
        CPlotLabel label;
        label.x = 2;
        label.y = 3;
        label.caption = "here";
        window.document.insertLabel(label, 0);
        PaintRecorder recorder;
        view->installEventFilter(&recorder);
        QApplication::processEvents();
        // Inserting a label repaints its caption box and marker only.
        const QRect area = recorder.painted.boundingRect();
        EXPECT_FALSE(area.isEmpty());
        EXPECT_LT(area.width(), 80);
        EXPECT_LT(area.height(), 40);
        recorder.painted = QRegion();
        window.document.updateAllViews(3);
        QApplication::processEvents();
        EXPECT_EQ(recorder.painted.boundingRect(), view->rect());
        view->removeEventFilter(&recorder);
    }

    TEST(PlotView, ReadOutShowsThePlotPositionInsideOnly)
    {
        Window window;
        window.frame.show();
        COvilanView* view = window.frame.plotView();
        view->repaint();
        // A move to where the pointer already is would send no event.
        QTest::mouseMove(view, QPoint(1, 1));
        QTest::mouseMove(view, view->rect().center());
        EXPECT_TRUE(window.frame.xPaneText().startsWith(QStringLiteral("X=")));
        EXPECT_TRUE(window.frame.yPaneText().startsWith(QStringLiteral("Y=")));
        QTest::mouseMove(view, QPoint(2, 2));
        EXPECT_TRUE(window.frame.xPaneText().isEmpty());
        EXPECT_TRUE(window.frame.yPaneText().isEmpty());
    }

} // namespace
} // namespace ovilan
