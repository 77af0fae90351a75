// The desktop program as a user meets it: start-up to the first painted frame on the gallery, a
// full repaint of a 1920 x 1080 window with 20 graphs of 20001 points, and the Zoom In command to
// its repainted frame, and a frame of a parameter's slider: the parameter moved and the plot of 20
// graphs that use it traced and repainted. Prints one summary line each.

#include "bench/large_plot.h"
#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
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

// Formulas that all use k, among them the costly exp, a power and a division by k.
const char* const kSliderFormulas[] = { "sin(k*x)",
    "k*x^2/10",
    "exp(-x^2/k)",
    "cos(x/k)*k",
    "sqrt(abs(k*x))",
    "k/(x^2+1)",
    "sin(x+k)*exp(-x^2/10)",
    "(x-k)^3/20" };

// 20 Y(x) graphs of 2000 steps, each using the parameter k.
void fillSliderPlot(COvilanDoc& document)
{
    document.general.steps = 2000;
    FormulaParameter k;
    k.value = 1;
    k.minimum = 1;
    k.maximum = 3;
    k.step = 0.01;
    document.parameterTable.parameters = { k };
    const std::vector<ParameterValue> values = parameterValues(document.parameterTable);
    for (int i = 0; i < 20; ++i) {
        auto graph = std::make_unique<CYofXGraph>(document);
        long long work = kMaxCheckWork;
        const std::string formula
            = std::string(kSliderFormulas[i % 8]) + "+" + std::to_string(i / 8);
        graph->setParameterFormula(formula, 0, values, work);
        graph->lineWidth = 1 + i % 3;
        graph->colorIndex = i % 15;
        graph->legendText = "graph " + std::to_string(i);
        document.insertGraph(std::move(graph), i);
    }
    document.refreshGraphs();
}

// The median time of a slider's frame in a window of 1000 x 700: k moves one step, the graphs are
// traced again and the plot view repaints.
double sliderFrame(Program& program)
{
    fillSliderPlot(program.document);
    program.frame.resize(1000, 700);
    program.frame.show();
    waitForPaint(program.watch);
    COvilanView* view = program.frame.plotView();
    std::vector<double> frames;
    for (int i = 1; i <= 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        moveParameter(program.document, 'k', 1 + i * 0.01);
        view->repaint();
        frames.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return median(frames);
}

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
    Program slider;
    const double sliderMs = sliderFrame(slider);
    std::printf("slider_frame graphs=20 steps=2000 view=%dx%d ms=%.2f\n",
        slider.frame.plotView()->width(),
        slider.frame.plotView()->height(),
        sliderMs);
    return 0;
}
