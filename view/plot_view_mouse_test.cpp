#include "render/cursor_readout.h"
#include "view/plot_view_test_support.h"

#include <QtMath>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::Plot;
    using testing::testedDrawing;
    using testing::turnWheel;

    TEST(PlotMouse, AddLabelModeEndsAfterOneLabelUnlessTheCursorPersists)
    {
        for (const std::int32_t persistent : { 0, 1 }) {
            Plot plot(persistent);
            currentMouseMode() = MouseMode::AddLabel;
            int modeSignals = 0;
            QObject::connect(&plot.view, &COvilanView::mouseModeSet, [&] { ++modeSignals; });

            // Cancelling the dialog adds nothing and keeps the mode.
            plot.click(plot.at(2, 3));
            EXPECT_EQ(plot.document.labelCount(), 0);
            EXPECT_EQ(currentMouseMode(), MouseMode::AddLabel);
            EXPECT_FALSE(plot.document.canUndo());

            plot.ui.editLabel = [](CPlotLabel& label) { label.caption = "peak"; };
            plot.click(plot.at(2, 3));
            ASSERT_EQ(plot.document.labelCount(), 1);
            EXPECT_NEAR(plot.document.labels[0].x, 2, 0.1);
            EXPECT_NEAR(plot.document.labels[0].y, 3, 0.1);
            EXPECT_EQ(plot.document.labels[0].caption, "peak");
            EXPECT_EQ(plot.document.undoStack.size(), 1U);
            EXPECT_EQ(currentMouseMode(), persistent ? MouseMode::AddLabel : MouseMode::Standard);
            EXPECT_EQ(modeSignals, persistent ? 0 : 1);

            // The next click adds another label only while the mode stayed.
            plot.click(plot.at(-4, -4));
            EXPECT_EQ(plot.document.labelCount(), persistent ? 2 : 1);
        }
    }

    TEST(PlotMouse, AddLabelOutsideThePlotRectangleDoesNothing)
    {
        Plot plot;
        currentMouseMode() = MouseMode::AddLabel;
        plot.ui.editLabel = [](CPlotLabel&) { ADD_FAILURE() << "no dialog outside the plot"; };
        plot.click(QPoint(0, 0));
        EXPECT_EQ(plot.document.labelCount(), 0);
    }

    TEST(PlotMouse, PlotIsDrawnInDevicePixels)
    {
        Plot plot;
        const qreal ratio = plot.view.devicePixelRatioF();
        EXPECT_EQ(plot.screen().size(), QSize(qCeil(400 * ratio), qCeil(300 * ratio)));
        const PlotMapping& mapping = currentPlotMapping();
        // The plot rectangle is laid out in those pixels, not in window coordinates.
        EXPECT_LE(mapping.plotRect.right, plot.screen().width());
        EXPECT_GT(mapping.plotRect.right - mapping.plotRect.left, plot.screen().width() * 3 / 4);
    }

    // Switching the drawing repaints the whole plot at once and keeps the layout, so a point the
    // mouse found before is found at the same pixel after.
    TEST(PlotMouse, SwitchingSmoothLinesRepaintsAndKeepsTheLayout)
    {
        Plot plot;
        plot.addLabel(2, 3, "kept");
        const QImage before = plot.screen();
        const PlotMapping mapping = currentPlotMapping();
        const LineDrawing other
            = testedDrawing == LineDrawing::Exact ? LineDrawing::Smooth : LineDrawing::Exact;
        plot.view.setLineDrawing(other);
        plot.view.repaint();
        EXPECT_NE(plot.screen(), before);
        EXPECT_EQ(currentPlotMapping(), mapping);
        plot.view.setLineDrawing(testedDrawing);
        plot.view.repaint();
        EXPECT_EQ(plot.screen(), before);
    }

    TEST(PlotMouse, DraggingBeyondTheEdgePinsTheLabelToTheRangeInOneStep)
    {
        Plot plot;
        plot.addLabel(0, 0, "origin");
        const QPoint grab = plot.at(0, 0) + QPoint(2, 1);
        plot.press(grab);
        EXPECT_EQ(currentMouseMode(), MouseMode::DraggingLabel);
        plot.move(grab + QPoint(1000, -1000));
        EXPECT_EQ(plot.readOut,
            QStringLiteral("X=%1 Y=%2")
                .arg(QString::fromStdString(cursorCoordinate(10, plot.document.xAxis)),
                    QString::fromStdString(cursorCoordinate(10, plot.document.yAxis))));
        plot.release(grab + QPoint(1000, -1000));
        EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
        ASSERT_EQ(plot.document.undoStack.size(), 1U);
        // Back from the pinned device point, the label sits on the corner of the ranges.
        const PlotMapping& mapping = currentPlotMapping();
        const double pixelX = 20.0 / (mapping.plotRect.right - mapping.plotRect.left);
        EXPECT_NEAR(plot.document.labels[0].x, 10, 2 * pixelX);
        EXPECT_NEAR(plot.document.labels[0].y, 10, 0.5);
        EXPECT_EQ(plot.at(plot.document.labels[0].x, plot.document.labels[0].y), plot.at(10, 10));
        EXPECT_EQ(plot.document.labels[0].caption, "origin");
        plot.document.undo();
        EXPECT_EQ(plot.document.labels[0].x, 0);
    }

    TEST(PlotMouse, PlainClickOnALabelRecordsNothing)
    {
        Plot plot;
        plot.addLabel(1, 1, "here");
        plot.click(plot.at(1, 1));
        // A move that comes back to the same device point is no change either.
        plot.press(plot.at(1, 1));
        plot.move(plot.at(1, 1) + QPoint(30, 30));
        plot.move(plot.at(1, 1));
        plot.release(plot.at(1, 1));
        EXPECT_FALSE(plot.document.canUndo());
        EXPECT_FALSE(plot.document.isModified());
        EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
    }

    TEST(PlotMouse, OverlappingLabelsLeftTakesTheTopRightTheBottom)
    {
        Plot plot;
        plot.addLabel(1, 1, "below");
        plot.addLabel(1, 1, "above");
        const QPoint on = plot.at(1, 1);
        plot.press(on);
        plot.move(on + QPoint(-40, 0));
        plot.release(on + QPoint(-40, 0));
        EXPECT_LT(plot.document.labels[1].x, 0);
        EXPECT_EQ(plot.document.labels[0].x, 1);

        plot.ui.editLabel = [](CPlotLabel& label) { label.caption += " edited"; };
        const QPoint bottomOnly = plot.at(1, 1);
        plot.send(QEvent::MouseButtonDblClick, Qt::LeftButton, bottomOnly);
        EXPECT_EQ(plot.document.labels[0].caption, "below edited");

        plot.addLabel(1, 1, "top");
        plot.send(QEvent::MouseButtonDblClick, Qt::LeftButton, on);
        EXPECT_EQ(plot.document.labels[2].caption, "top edited");
        EXPECT_EQ(plot.document.labels[0].caption, "below edited");

        plot.press(on, Qt::RightButton);
        EXPECT_EQ(plot.view.contextLabelIndex(), 0);
        EXPECT_EQ(plot.menus, (std::vector<bool> { true }));
        plot.view.editContextLabel();
        EXPECT_EQ(plot.document.labels[0].caption, "below edited edited");

        plot.ui.answerYes = false;
        plot.view.removeContextLabel();
        EXPECT_EQ(plot.document.labelCount(), 3);
        plot.ui.answerYes = true;
        plot.view.removeContextLabel();
        ASSERT_EQ(plot.document.labelCount(), 2);
        EXPECT_EQ(plot.document.labels[0].caption, "above");

        plot.press(plot.at(-5, -5), Qt::RightButton);
        EXPECT_EQ(plot.view.contextLabelIndex(), -1);
        EXPECT_EQ(plot.menus, (std::vector<bool> { true, false }));
    }

    TEST(PlotMouse, SelectionFromEitherCornerGivesTheSameRanges)
    {
        std::vector<std::array<double, 4>> ranges;
        for (const bool fromTopLeft : { true, false }) {
            Plot plot;
            currentMouseMode() = MouseMode::SelectInterval;
            const QPoint topLeft = plot.at(-5, 6);
            const QPoint bottomRight = plot.at(3, -2);
            plot.press(fromTopLeft ? topLeft : bottomRight);
            EXPECT_EQ(currentMouseMode(), MouseMode::Selecting);
            plot.move(plot.at(0, 0));
            plot.move(fromTopLeft ? bottomRight : topLeft);
            plot.release(fromTopLeft ? bottomRight : topLeft);
            EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
            EXPECT_EQ(plot.document.undoStack.size(), 1U);
            ranges.push_back({ plot.document.xAxis.min,
                plot.document.xAxis.max,
                plot.document.yAxis.min,
                plot.document.yAxis.max });
            EXPECT_NEAR(plot.document.xAxis.min, -5, 0.1);
            EXPECT_NEAR(plot.document.yAxis.max, 6, 0.1);
        }
        EXPECT_EQ(ranges[0], ranges[1]);
    }

    TEST(PlotMouse, SelectionOutOfThePlotIsClampedAndAClickIsTooSmall)
    {
        Plot plot(1);
        currentMouseMode() = MouseMode::SelectInterval;
        plot.click(plot.at(1, 1));
        EXPECT_EQ(plot.ui.messages, (std::vector<std::string> { "Too small interval" }));
        EXPECT_FALSE(plot.document.canUndo());
        EXPECT_EQ(currentMouseMode(), MouseMode::SelectInterval);

        plot.press(plot.at(2, 2));
        plot.move(QPoint(-500, 5000));
        plot.release(QPoint(-500, 5000));
        EXPECT_EQ(currentMouseMode(), MouseMode::SelectInterval);
        EXPECT_GE(plot.document.xAxis.min, -10);
        EXPECT_GE(plot.document.yAxis.min, -10);
        EXPECT_NEAR(plot.document.xAxis.min, -10, 0.1);
        EXPECT_NEAR(plot.document.xAxis.max, 2, 0.1);
        EXPECT_NEAR(plot.document.yAxis.min, -10, 0.1);
    }

    TEST(PlotMouse, WheelZoomKeepsThePointUnderThePointerInOneStep)
    {
        Plot plot;
        const QPoint pointer = plot.at(6, -3) + QPoint(1, 1);
        const PlotPoint under = deviceToPlot(currentPlotMapping(), pointer.x(), pointer.y());
        const auto turn = [&](int delta) {
            turnWheel(plot.view, QPointF(pointer), delta);
            plot.view.repaint();
        };
        turn(120);
        EXPECT_EQ(plot.document.undoStack.size(), 1U);
        EXPECT_NEAR(plot.document.xAxis.max - plot.document.xAxis.min, 10, 1e-9);
        EXPECT_EQ(plot.at(under.x, under.y), pointer);
        // A touch pad's small steps zoom only once they add up to a notch.
        turn(60);
        EXPECT_EQ(plot.document.undoStack.size(), 1U);
        turn(-60);
        turn(-120);
        EXPECT_EQ(plot.document.undoStack.size(), 2U);
        EXPECT_NEAR(plot.document.xAxis.max - plot.document.xAxis.min, 20, 1e-9);
        EXPECT_EQ(plot.at(under.x, under.y), pointer);
        plot.document.undo();
        EXPECT_NEAR(plot.document.xAxis.max - plot.document.xAxis.min, 10, 1e-9);
    }

    // Two notches in and two out where the pointer rests give back the very ranges, whether
    // the notches come one by one with paints between or together before any paint, and also
    // when the zoom changes the margins the axis labels take.
    TEST(PlotMouse, WheelInAndOutAtOnePointReturnsToTheSameRanges)
    {
        struct Start {
            double xMin, xMax, yMin, yMax;
            std::int32_t rectangular;
        };
        const Start starts[] = {
            { -10, 10, -10, 10, 0 },
            { -3.7, 12.9, 0, 1000, 1 },
            { 0.001, 0.0023, -7e5, 3e5, 1 },
        };
        for (const Start& start : starts)
            for (const QPointF share :
                { QPointF(0.5, 0.5), QPointF(0.31, 0.77), QPointF(0.9, 0.13) })
                for (const bool together : { false, true }) {
                    Plot plot;
                    plot.document.xAxis.min = start.xMin;
                    plot.document.xAxis.max = start.xMax;
                    plot.document.yAxis.min = start.yMin;
                    plot.document.yAxis.max = start.yMax;
                    plot.document.general.rectangularAxes = start.rectangular;
                    plot.document.updateAllViews(kHintRepaint);
                    plot.view.repaint();
                    const DeviceRect& area = currentPlotMapping().plotRect;
                    const QPointF pointer(area.left + share.x() * (area.right - area.left),
                        area.top + share.y() * (area.bottom - area.top));
                    const auto turn = [&](int delta) {
                        turnWheel(plot.view, pointer, delta);
                        if (!together)
                            plot.view.repaint();
                    };
                    if (together) {
                        turn(240);
                        turn(-240);
                    } else {
                        for (const int delta : { 120, 120, -120, -120 })
                            turn(delta);
                    }
                    EXPECT_TRUE(plot.ui.messages.empty());
                    EXPECT_EQ(plot.document.undoStack.size(), 4U);
                    const std::string where = std::to_string(start.xMin) + " at "
                        + std::to_string(share.x()) + "," + std::to_string(share.y())
                        + (together ? " together" : " one by one");
                    EXPECT_EQ(plot.document.xAxis.min, start.xMin) << where;
                    EXPECT_EQ(plot.document.xAxis.max, start.xMax) << where;
                    EXPECT_EQ(plot.document.yAxis.min, start.yMin) << where;
                    EXPECT_EQ(plot.document.yAxis.max, start.yMax) << where;
                }
    }

    TEST(PlotMouse, RightClickCancelsAndTheFeedbackLeavesNoPixelChanged)
    {
        for (const std::int32_t persistent : { 0, 1 }) {
            Plot plot(persistent);
            plot.addLabel(1, 1, "moving");
            const QImage before = plot.screen();

            currentMouseMode() = MouseMode::SelectInterval;
            plot.press(plot.at(-3, 3));
            plot.move(plot.at(4, -4));
            EXPECT_NE(plot.screen(), before);
            plot.move(plot.at(5, -6));
            plot.press(plot.at(5, -6), Qt::RightButton);
            EXPECT_EQ(plot.screen(), before);
            EXPECT_EQ(plot.menus, (std::vector<bool> { false }));
            EXPECT_EQ(
                currentMouseMode(), persistent ? MouseMode::SelectInterval : MouseMode::Standard);
            plot.release(plot.at(5, -6));
            EXPECT_EQ(plot.document.xAxis.min, -10);

            currentMouseMode() = MouseMode::Standard;
            plot.press(plot.at(1, 1));
            plot.move(plot.at(4, 4));
            plot.move(plot.at(6, 2));
            EXPECT_NE(plot.screen(), before);
            plot.press(plot.at(6, 2), Qt::RightButton);
            EXPECT_EQ(plot.screen(), before);
            EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
            plot.release(plot.at(6, 2));
            EXPECT_FALSE(plot.document.canUndo());
            EXPECT_EQ(plot.document.labels[0].x, 1);
        }
    }

    // The box's corners in all four orders, on a range so narrow that every selection on it is
    // refused; cancelled or refused, the box leaves the screen as it found it.
    TEST(PlotMouse, SelectionBoxDraggedAnyWayLeavesNoPixelWhenCancelledOrRefused)
    {
        Plot plot;
        plot.document.xAxis.min = 0;
        plot.document.xAxis.max = 1.5e-21;
        plot.document.updateAllViews(kHintEverything);
        plot.view.repaint();
        const QImage before = plot.screen();
        const double middle = 0.75e-21;
        const QPoint corners[] = { plot.at(0.3e-21, 6), plot.at(1.2e-21, -4) };
        for (const bool cancel : { true, false })
            for (const int from : { 0, 1 })
                for (const bool thin : { false, true }) {
                    const QPoint start = corners[from];
                    const QPoint end(corners[1 - from].x(), start.y() + (thin ? 1 : 0));
                    const QPoint end2 = thin ? end : corners[1 - from];
                    plot.document.updateAllViews(kHintEverything);
                    plot.view.repaint();
                    currentMouseMode() = MouseMode::SelectInterval;
                    plot.press(start);
                    plot.move(plot.at(middle, 0));
                    plot.move(end2);
                    EXPECT_FALSE(plot.screen() == before);
                    if (cancel)
                        plot.press(end2, Qt::RightButton);
                    plot.release(end2);
                    EXPECT_TRUE(plot.screen() == before)
                        << (cancel ? "cancelled" : "refused") << " from corner " << from
                        << (thin ? ", one pixel high" : "");
                }
        EXPECT_EQ(plot.ui.messages.size(), 4U);
        EXPECT_EQ(plot.document.xAxis.max, 1.5e-21);
        EXPECT_FALSE(plot.document.canUndo());
    }

} // namespace
} // namespace ovilan

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (QCoreApplication::arguments().contains(QStringLiteral("--smooth-lines")))
        ovilan::testing::testedDrawing = ovilan::LineDrawing::Smooth;
    return RUN_ALL_TESTS();
}
