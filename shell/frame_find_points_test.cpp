#include "dialogs/find_points_dialog.h"
#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "shell/main_frame.h"
#include "shell/shell_test_support.h"
#include "view/plot_state.h"
#include "view/plot_view.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::Window;

    const QString kPickPrompt
        = QStringLiteral("Drag a rectangle over the interval to search; Esc cancels");

    // Runs `step` on the Find Points dialog once it is running modally; a run that never comes
    // fails the test instead of waiting for ever.
    void whenDialogRuns(const std::function<void(CFindPointsDlg&)>& step)
    {
        QTimer::singleShot(0, [step] {
            auto* dialog = qobject_cast<CFindPointsDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "the dialog does not run";
            step(*dialog);
        });
    }

    struct PickWindow : Window {
        PickWindow()
        {
            addGraph("x^2-1");
            document.currentGraph = 0;
            document.undoStack.clear();
            currentMouseMode() = MouseMode::Standard;
            frame.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
            view()->repaint();
        }
        ~PickWindow() { currentMouseMode() = MouseMode::Standard; }

        COvilanView* view() const { return frame.plotView(); }
        QPoint at(double x, double y) const
        {
            const DevicePoint p = plotToDevice(currentPlotMapping(), x, y);
            return { p.x, p.y };
        }
        // Drags on the plot; the release may run the dialog again.
        void drag(const QPoint& from, const QPoint& to)
        {
            QTest::mousePress(view(), Qt::LeftButton, {}, from);
            QTest::mouseMove(view(), (from + to) / 2);
            QTest::mouseMove(view(), to);
            QTest::mouseRelease(view(), Qt::LeftButton, {}, to);
        }
        // The graph list, shown beside the plot as the window starts.
        QWidget* graphList() const
        {
            auto* list = qobject_cast<CGraphListView*>(frame.centralWidget());
            return list ? list->leftView() : nullptr;
        }
        bool commandsAsUsual() const
        {
            return frame.action(CommandId::AddGraph)->isEnabled() && graphList()->isEnabled()
                && frame.action(CommandId::FindPoints)->isEnabled() && frame.menuBar()->isEnabled()
                && !view()->pickingInterval()
                && frame.statusBar()->currentMessage() == QStringLiteral("For Help, press F1");
        }
    };

    TEST(FindPointsPick, TheDialogComesBackAfterEachPickWithTheDraggedRangeUntilClosed)
    {
        PickWindow window;
        const QImage before = window.view()->snapshot();
        int foundRows = 0;
        whenDialogRuns([&](CFindPointsDlg& dialog) {
            ASSERT_TRUE(dialog.find());
            foundRows = dialog.table().rowCount();
            dialog.pickButton().click();
        });
        window.frame.action(CommandId::FindPoints)->trigger();

        // The dialog waits hidden while the plot picks, and nothing else can change the document.
        ASSERT_TRUE(window.view()->pickingInterval());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(currentMouseMode(), MouseMode::SelectInterval);
        for (const CommandId id : { CommandId::EditUndo,
                 CommandId::FileOpen,
                 CommandId::AddGraph,
                 CommandId::ZoomIn,
                 CommandId::GraphList,
                 CommandId::StandardCursor,
                 CommandId::FindPoints })
            EXPECT_FALSE(window.frame.action(id)->isEnabled()) << static_cast<int>(id);
        EXPECT_TRUE(window.frame.action(CommandId::Help)->isEnabled());
        EXPECT_FALSE(window.frame.menuBar()->isEnabled());
        ASSERT_NE(window.graphList(), nullptr);
        EXPECT_FALSE(window.graphList()->isEnabled());
        EXPECT_FALSE(window.frame.acceptDrops());
        EXPECT_EQ(window.frame.statusBar()->currentMessage(), kPickPrompt);

        // Esc brings the dialog back as it was, results and all; it asks for a drag again.
        whenDialogRuns([&](CFindPointsDlg& dialog) {
            EXPECT_EQ(dialog.fromField().text(), QStringLiteral("-10"));
            EXPECT_EQ(dialog.table().rowCount(), foundRows);
            dialog.pickButton().click();
        });
        QTest::keyClick(window.view(), Qt::Key_Escape);
        ASSERT_TRUE(window.view()->pickingInterval());

        // A drag from right to left fills the fields with its x range; Close ends the dialog.
        QString from;
        QString to;
        whenDialogRuns([&](CFindPointsDlg& dialog) {
            from = dialog.fromField().text();
            to = dialog.toField().text();
            EXPECT_EQ(dialog.table().rowCount(), foundRows);
            EXPECT_TRUE(window.commandsAsUsual());
            dialog.reject();
        });
        window.drag(window.at(3, -4), window.at(-2, 6));
        EXPECT_NEAR(from.toDouble(), -2, 0.1);
        EXPECT_NEAR(to.toDouble(), 3, 0.1);

        EXPECT_TRUE(window.commandsAsUsual());
        EXPECT_TRUE(window.frame.acceptDrops());
        EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
        EXPECT_FALSE(window.document.canUndo());
        EXPECT_FALSE(window.document.isModified());
        EXPECT_EQ(window.document.xAxis.min, -10);
        window.view()->repaint();
        EXPECT_EQ(window.view()->snapshot(), before);
    }

    TEST(FindPointsPick, ClosingTheWindowDuringAPickEndsItAndTheDialog)
    {
        PickWindow window;
        currentMouseMode() = MouseMode::AddLabel;
        whenDialogRuns([](CFindPointsDlg& dialog) { dialog.pickButton().click(); });
        window.frame.action(CommandId::FindPoints)->trigger();
        ASSERT_TRUE(window.view()->pickingInterval());
        // Should the dialog run again, it is closed at once and the test fails.
        bool ranAgain = false;
        QTimer::singleShot(0, [&ranAgain] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ranAgain = true;
                modal->close();
            }
        });
        EXPECT_TRUE(window.frame.close());
        QApplication::processEvents();
        EXPECT_FALSE(ranAgain);
        EXPECT_FALSE(window.view()->pickingInterval());
        EXPECT_EQ(currentMouseMode(), MouseMode::AddLabel);
        EXPECT_EQ(window.frame.findChild<CFindPointsDlg*>(), nullptr);
    }

} // namespace
} // namespace ovilan
