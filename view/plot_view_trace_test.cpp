#include "document/curve_values.h"
#include "graph/trace.h"
#include "render/cursor_readout.h"
#include "view/plot_view_test_support.h"

#include <cmath>

namespace ovilan {
namespace {

    using testing::Plot;

    // A parabola, a hidden line the cursor must skip, and a circle.
    struct TracedPlot : Plot {
        TracedPlot()
        {
            document.insertGraph(testing::yOfX(document, "x^2"), 0);
            auto hidden = testing::yOfX(document, "x");
            hidden->showGraph = 0;
            document.insertGraph(std::move(hidden), 1);
            auto circle = std::make_unique<CParametricGraph>(document);
            circle->setFormula("5*cos(t)", 0);
            circle->setFormula("5*sin(t)", 1);
            circle->intervalTo = 2 * std::acos(-1.0);
            circle->ownInterval = 1;
            document.insertGraph(std::move(circle), 2);
            document.refreshGraphs();
            document.currentGraph = -1;
            view.repaint();
            before = screen();
        }

        void enterMode()
        {
            currentMouseMode() = MouseMode::TraceCurve;
            view.mouseModeChanged();
            view.repaint();
        }
        void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        {
            QTest::keyClick(&view, key, modifiers);
            view.repaint();
        }
        TracePosition position() const
        {
            const std::optional<TracePosition> shown = view.tracePosition();
            EXPECT_TRUE(shown);
            return shown.value_or(TracePosition {});
        }
        // The value of the graph's variable at a traced sample, as the trace takes it.
        double sampleValue(std::int32_t graph, int index)
        {
            const CurveInterval interval = document.graph(graph).curveFunction()->interval();
            std::vector<double> samples(static_cast<std::size_t>(interval.steps) + 1);
            fillSamples(interval.from, interval.to, interval.steps, samples);
            return samples[static_cast<std::size_t>(index)];
        }

        QImage before;
    };

    TEST(CurveCursor, SnapsToTheNearestTracedPointWithTheCurveFunctionsValues)
    {
        TracedPlot plot;
        plot.enterMode();
        const QPoint pointer = plot.at(1.03, 1.4);
        plot.move(pointer);
        const TracePosition at = plot.position();
        ASSERT_EQ(at.graph, 0);
        const CGraph& parabola = plot.document.graph(0);
        EXPECT_EQ(at.x, parabola.xs[static_cast<std::size_t>(at.index)]);
        EXPECT_EQ(at.y, parabola.ys[static_cast<std::size_t>(at.index)]);
        // No other traced point of the parabola lies nearer the pointer.
        const auto distance = [&](std::size_t i) {
            const DevicePosition p
                = PlotToDevice(currentPlotMapping()).unrounded(parabola.xs[i], parabola.ys[i]);
            return std::hypot(p.x - pointer.x(), p.y - pointer.y());
        };
        for (std::size_t i = 0; i < parabola.xs.size(); ++i)
            ASSERT_GE(distance(i), distance(static_cast<std::size_t>(at.index))) << i;
        const std::optional<CurvePoint> exact
            = parabola.curveFunction()->at(plot.sampleValue(0, at.index));
        ASSERT_TRUE(exact);
        EXPECT_EQ(at.readOut, pointReadOut("x", exact->x, *exact));
        // The status bar shows the curve's point, not the pointer's.
        EXPECT_EQ(plot.readOut,
            QStringLiteral("X=%1 Y=%2")
                .arg(QString::fromStdString(cursorCoordinate(at.x, plot.document.xAxis)),
                    QString::fromStdString(cursorCoordinate(at.y, plot.document.yAxis))));
        EXPECT_FALSE(plot.screen() == plot.before);
    }

    TEST(CurveCursor, ArrowsStepOneSampleShiftTenAndStopAtTheEnds)
    {
        TracedPlot plot;
        plot.enterMode();
        plot.move(plot.at(0, 0));
        const int start = plot.position().index;
        plot.key(Qt::Key_Right);
        EXPECT_EQ(plot.position().index, start + 1);
        plot.key(Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(plot.position().index, start + 11);
        plot.key(Qt::Key_Left);
        EXPECT_EQ(plot.position().index, start + 10);
        const int last = plot.document.graph(0).steps;
        for (int i = 0; i < last / 10 + 2; ++i)
            plot.key(Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(plot.position().index, last);
        const double value = plot.sampleValue(0, last);
        EXPECT_EQ(plot.position().x, value);
        EXPECT_EQ(plot.position().y, value * value);
    }

    TEST(CurveCursor, UpDownAndTabChangeTheGraphSkippingHiddenOnes)
    {
        TracedPlot plot;
        plot.enterMode();
        plot.move(plot.at(3, 4));
        ASSERT_EQ(plot.position().graph, 2) << "the circle is nearest";
        plot.key(Qt::Key_Down);
        EXPECT_EQ(plot.position().graph, 0);
        // The pointer's moves now follow the graph the key chose.
        plot.move(plot.at(3, 4.1));
        EXPECT_EQ(plot.position().graph, 0);
        plot.key(Qt::Key_Tab);
        const TracePosition circle = plot.position();
        EXPECT_EQ(circle.graph, 2);
        EXPECT_EQ(circle.readOut.rfind("t=", 0), 0U) << circle.readOut;
        EXPECT_TRUE(plot.view.hasFocus() || !plot.view.isActiveWindow());
        plot.key(Qt::Key_Up);
        EXPECT_EQ(plot.position().graph, 0);
        plot.key(Qt::Key_Backtab);
        EXPECT_EQ(plot.position().graph, 2);
        // A click takes the graph nearest the pointer again.
        plot.click(plot.at(2, 4));
        EXPECT_EQ(plot.position().graph, 0);
    }

    TEST(CurveCursor, ATableGraphIsSteppedThroughItsPoints)
    {
        Plot plot;
        auto table = std::make_unique<CTableGraph>(plot.document);
        const char* cells[][2] = { { "1", "2" }, { "3", "-4" }, { "5", "6" } };
        for (std::size_t row = 0; row < 3; ++row) {
            table->cellX[row] = cells[row][0];
            table->cellY[row] = cells[row][1];
        }
        table->computeTablePoints();
        plot.document.insertGraph(std::move(table), 0);
        plot.view.repaint();
        currentMouseMode() = MouseMode::TraceCurve;
        plot.view.mouseModeChanged();
        plot.move(plot.at(1.2, 2.2));
        ASSERT_TRUE(plot.view.tracePosition());
        EXPECT_EQ(plot.view.tracePosition()->readOut, "x=1; y=2");
        QTest::keyClick(&plot.view, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(plot.view.tracePosition()->readOut, "x=5; y=6");
        QTest::keyClick(&plot.view, Qt::Key_Left);
        EXPECT_EQ(plot.view.tracePosition()->readOut, "x=3; y=-4");
    }

    TEST(CurveCursor, TheSelectedGraphIsFollowedUntilAClick)
    {
        TracedPlot plot;
        plot.document.currentGraph = 2;
        plot.enterMode();
        plot.move(plot.at(2, 4));
        EXPECT_EQ(plot.position().graph, 2);
        plot.click(plot.at(2, 4));
        EXPECT_EQ(plot.position().graph, 0);
    }

    TEST(CurveCursor, EnterPlacesOneLabelWithTheReadOutInOneUndoStep)
    {
        TracedPlot plot;
        plot.enterMode();
        plot.move(plot.at(2, 4));
        const TracePosition at = plot.position();
        plot.key(Qt::Key_Return);
        ASSERT_EQ(plot.document.labelCount(), 1);
        EXPECT_EQ(plot.document.labels[0].x, at.x);
        EXPECT_EQ(plot.document.labels[0].y, at.y);
        EXPECT_EQ(plot.document.labels[0].caption, at.readOut);
        EXPECT_EQ(plot.document.undoStack.size(), 1U);
        EXPECT_EQ(currentMouseMode(), MouseMode::TraceCurve);
        // The cursor is still shown over the new label, and goes without a trace.
        EXPECT_TRUE(plot.view.tracePosition());
        plot.document.undo();
        plot.view.repaint();
        plot.key(Qt::Key_Escape);
        EXPECT_EQ(currentMouseMode(), MouseMode::Standard);
        EXPECT_TRUE(plot.screen() == plot.before);
    }

    TEST(CurveCursor, LeavingTheModeRestoresEveryPixel)
    {
        for (const bool byEscape : { true, false }) {
            TracedPlot plot;
            plot.enterMode();
            plot.move(plot.at(1, 1));
            plot.key(Qt::Key_Right, Qt::ShiftModifier);
            plot.key(Qt::Key_Down);
            EXPECT_FALSE(plot.screen() == plot.before);
            if (byEscape)
                plot.key(Qt::Key_Escape);
            else {
                currentMouseMode() = MouseMode::SelectInterval;
                plot.view.mouseModeChanged();
            }
            EXPECT_FALSE(plot.view.tracePosition());
            EXPECT_TRUE(plot.screen() == plot.before) << (byEscape ? "Escape" : "mode command");
            EXPECT_FALSE(plot.document.canUndo());
        }
    }

} // namespace
} // namespace ovilan
