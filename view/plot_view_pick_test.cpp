#include "view/plot_view_test_support.h"

#include <QKeyEvent>

#include <gtest/gtest.h>
#include <optional>
#include <utility>

namespace ovilan {
namespace {

    using testing::Plot;
    using testing::turnWheel;

    // What the view reported of one pick.
    struct PickRecord {
        explicit PickRecord(COvilanView& view)
        {
            QObject::connect(&view, &COvilanView::intervalPicked, [this](auto x, auto y) {
                picked = std::pair { x, y };
                ++picks;
                modeAtReport = currentMouseMode();
            });
            QObject::connect(&view, &COvilanView::intervalPickCancelled, [this] {
                ++cancels;
                modeAtReport = currentMouseMode();
            });
        }
        std::optional<std::pair<SearchInterval, SearchInterval>> picked;
        int picks = 0;
        int cancels = 0;
        std::optional<MouseMode> modeAtReport;
    };

    void pressEscape(QWidget& view)
    {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }

    TEST(IntervalPick, ReportsTheDraggedRangesAndLeavesPlotDocumentAndModeAsTheyWere)
    {
        Plot plot;
        plot.addLabel(1, 1, "kept");
        currentMouseMode() = MouseMode::AddLabel;
        const QImage before = plot.screen();
        PickRecord record(plot.view);

        plot.view.startIntervalPick();
        EXPECT_TRUE(plot.view.pickingInterval());
        EXPECT_EQ(currentMouseMode(), MouseMode::SelectInterval);
        // The wheel does not zoom under a pick.
        turnWheel(plot.view, QPointF(plot.at(0, 0)), 120);
        // From the bottom right to the top left, and out of the plot on the left, where the box
        // stops at the edge as Select Scale's does.
        plot.press(plot.at(4, -3));
        EXPECT_EQ(currentMouseMode(), MouseMode::Selecting);
        plot.move(plot.at(0, 0));
        plot.move(plot.at(-2, 5));
        EXPECT_NE(plot.screen(), before);
        plot.move(plot.at(-2, 5) - QPoint(5000, 0));
        plot.release(plot.at(-2, 5) - QPoint(5000, 0));

        ASSERT_TRUE(record.picked);
        const auto [x, y] = *record.picked;
        EXPECT_NEAR(x.from, -10, 0.1);
        EXPECT_NEAR(x.to, 4, 0.1);
        EXPECT_NEAR(y.from, -3, 0.1);
        EXPECT_NEAR(y.to, 5, 0.1);
        EXPECT_EQ(record.modeAtReport, MouseMode::AddLabel);
        EXPECT_EQ(currentMouseMode(), MouseMode::AddLabel);
        EXPECT_FALSE(plot.view.pickingInterval());
        EXPECT_EQ(record.cancels, 0);
        EXPECT_EQ(plot.screen(), before);
        EXPECT_EQ(plot.document.xAxis.min, -10);
        EXPECT_EQ(plot.document.yAxis.max, 10);
        EXPECT_FALSE(plot.document.canUndo());
        EXPECT_FALSE(plot.document.isModified());
        EXPECT_TRUE(plot.ui.messages.empty());

        // The pick was one-shot: the next drag is the add-label mode's click again.
        plot.press(plot.at(2, 2));
        plot.move(plot.at(3, 3));
        plot.release(plot.at(3, 3));
        EXPECT_EQ(record.picks, 1);
        EXPECT_EQ(record.cancels, 0);
    }

    TEST(IntervalPick, EscARightClickOrAClickWithoutADragCancelAndLeaveNoPixel)
    {
        enum class Ending { EscBeforePress, EscWhileDragging, RightClick, PlainClick };
        for (const Ending ending : { Ending::EscBeforePress,
                 Ending::EscWhileDragging,
                 Ending::RightClick,
                 Ending::PlainClick }) {
            SCOPED_TRACE(static_cast<int>(ending));
            Plot plot;
            plot.addLabel(1, 1, "kept");
            const QImage before = plot.screen();
            PickRecord record(plot.view);
            plot.view.startIntervalPick();
            if (ending == Ending::EscBeforePress)
                pressEscape(plot.view);
            else if (ending == Ending::PlainClick)
                plot.click(plot.at(3, 3));
            else {
                plot.press(plot.at(-3, 3));
                plot.move(plot.at(4, -4));
                EXPECT_NE(plot.screen(), before);
                if (ending == Ending::EscWhileDragging)
                    pressEscape(plot.view);
                else
                    plot.press(plot.at(4, -4), Qt::RightButton);
                plot.release(plot.at(4, -4));
            }
            EXPECT_EQ(record.cancels, 1);
            EXPECT_FALSE(record.picked);
            EXPECT_EQ(record.modeAtReport, MouseMode::Standard);
            EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
            EXPECT_FALSE(plot.view.pickingInterval());
            EXPECT_TRUE(plot.menus.empty());
            EXPECT_EQ(plot.screen(), before);
            EXPECT_EQ(plot.document.xAxis.max, 10);
            EXPECT_FALSE(plot.document.canUndo());
            EXPECT_TRUE(plot.ui.messages.empty());
            // A cancel by the caller after the end reports nothing more.
            plot.view.cancelIntervalPick();
            EXPECT_EQ(record.cancels, 1);
        }
    }

} // namespace
} // namespace ovilan
