// The desktop program as a user meets it: start-up to the first painted frame on the gallery, a
// full repaint of a 1920 x 1080 window with 20 graphs of 20001 points, and the Zoom In command to
// its repainted frame. Prints one summary line each.

#include "bench/large_plot.h"
#include "shell/command_ids.h"
#include "shell/main_frame.h"
#include "shell/qt_shell_interface.h"
#include "view/plot_view.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace ovilan;

// Notes when the plot view has painted.
struct PaintWatch : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
    bool painted = false;
};

void waitForPaint(PaintWatch& watch)
{
    watch.painted = false;
    while (!watch.painted)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Program {
    Program()
        : frame(document, preferences, settings, ui)
    {
        frame.resize(1920, 1080);
        frame.plotView()->installEventFilter(&watch);
    }
    QSettings settings { QStringLiteral("Quenbrix"), QStringLiteral("Ovilan") };
    AppPreferences preferences;
    COvilanDoc document { preferences };
    QtShellInterface ui;
    CMainFrame frame;
    PaintWatch watch;
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QApplication app(argc, argv);

    double startup = 0;
    {
        Program program;
        program.frame.openDocument(QStringLiteral(OVILAN_EXAMPLES "/gallery.ovd"));
        program.frame.show();
        waitForPaint(program.watch);
        startup = static_cast<double>(sinceStart.nsecsElapsed()) / 1e6;
    }

    Program program;
    bench::fillLargePlot(program.document);
    program.frame.show();
    waitForPaint(program.watch);
    COvilanView* view = program.frame.plotView();
    std::vector<double> repaints;
    std::vector<double> zooms;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        view->onUpdate(kHintRepaint);
        view->repaint();
        repaints.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    for (int i = 0; i < 10; ++i) {
        const CommandId command = i % 2 == 0 ? CommandId::ZoomIn : CommandId::ZoomOut;
        QElapsedTimer timer;
        timer.start();
        program.frame.action(command)->trigger();
        waitForPaint(program.watch);
        zooms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("startup_to_first_frame gallery ms=%.1f\n", startup);
    std::printf("repaint window 1920x1080 graphs=20 points=20001 view=%dx%d ms=%.2f\n",
        view->width(),
        view->height(),
        median(repaints));
    std::printf("zoom_in_to_repainted_frame graphs=20 points=20001 ms=%.2f\n", median(zooms));
    return 0;
}
