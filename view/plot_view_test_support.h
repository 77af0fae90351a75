#pragma once

#include "document/document_test_support.h"
#include "view/plot_state.h"
#include "view/plot_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>
#include <vector>

namespace ovilan::testing {

// The whole mouse work runs once with exact pixels and once with smooth lines
// (--smooth-lines): labels, drags, selections and their feedback must not tell them apart.
inline LineDrawing testedDrawing = LineDrawing::Exact;

// A shown plot view over its own document, with the mouse driven by hand-made events so each
// press, move and release reaches the view exactly as given.
// Turns the mouse wheel by `delta` eighths of a degree over the device pixel `pointer`.
inline void turnWheel(QWidget& view, QPointF pointer, int delta)
{
    const QPointF where = pointer / view.devicePixelRatioF();
    QWheelEvent event(where,
        view.mapToGlobal(where),
        QPoint(),
        QPoint(0, delta),
        Qt::NoButton,
        Qt::NoModifier,
        Qt::NoScrollPhase,
        false);
    QApplication::sendEvent(&view, &event);
}

struct Plot {
    explicit Plot(std::int32_t persistentCursor = 0)
    {
        preferences.persistentCursor = persistentCursor;
        currentMouseMode() = MouseMode::Standard;
        view.setLineDrawing(testedDrawing);
        view.resize(400, 300);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.repaint();
        QObject::connect(&view,
            &COvilanView::coordinatesChanged,
            [this](const QString& x, const QString& y) { readOut = x + QLatin1Char(' ') + y; });
        QObject::connect(&view,
            &COvilanView::contextMenuRequested,
            [this](const QPoint&, bool onLabel) { menus.push_back(onLabel); });
    }
    ~Plot() { currentMouseMode() = MouseMode::Standard; }

    QPoint at(double x, double y) const
    {
        const DevicePoint p = plotToDevice(currentPlotMapping(), x, y);
        return { p.x, p.y };
    }
    // `where` is in device pixels, as the plot is drawn; the event gets window coordinates.
    void send(QEvent::Type type, Qt::MouseButton button, const QPoint& devicePoint)
    {
        const QPointF where = QPointF(devicePoint) / view.devicePixelRatioF();
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, where, view.mapToGlobal(where), button, held, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }
    void press(const QPoint& where, Qt::MouseButton button = Qt::LeftButton)
    {
        send(QEvent::MouseButtonPress, button, where);
    }
    void move(const QPoint& where) { send(QEvent::MouseMove, Qt::NoButton, where); }
    void release(const QPoint& where) { send(QEvent::MouseButtonRelease, Qt::LeftButton, where); }
    void click(const QPoint& where)
    {
        press(where);
        release(where);
    }
    void addLabel(double x, double y, const char* caption)
    {
        CPlotLabel label;
        label.x = x;
        label.y = y;
        label.caption = caption;
        document.insertLabel(label, document.labelCount());
        view.repaint();
    }
    QImage screen() const { return view.snapshot(); }

    AppPreferences preferences;
    COvilanDoc document { preferences };
    ScriptedUi ui;
    COvilanView view { document, ui };
    QString readOut;
    std::vector<bool> menus;
};

} // namespace ovilan::testing
