// Tracing a graph of powers inside the running desktop program, after its window has painted,
// beside the same tracing in a plain process. The two must cost the same: the window's drawing
// code must leave nothing behind that slows the C library's pow down. Prints one line per figure
// and fails when the window is more than 1.2 times slower.

#include "bench/pow_trace.h"
#include "document/preferences.h"
#include "shell/main_frame.h"
#include "shell/qt_shell_interface.h"
#include "view/plot_view.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>

namespace {

using namespace ovilan;

constexpr double kAllowedRatio = 1.2;
constexpr int kRounds = 3;

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

// The figure of the plain process, read from its one line of output.
std::optional<double> plainProcessMs()
{
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        popen("'" OVILAN_POW_PLAIN_BENCH "'", "r"), pclose);
    double ms = 0;
    if (!pipe || std::fscanf(pipe.get(), "trace pow_chain plain_process ms=%lf", &ms) != 1)
        return std::nullopt;
    return ms;
}

// The main window showing the gallery. Its plot is repainted before each trace, as a user's edit
// follows a paint: the window's drawing code has always run just before.
struct ShownWindow {
    ShownWindow()
        : frame(document, preferences, settings, ui)
    {
        frame.resize(1280, 800);
        frame.plotView()->installEventFilter(&watch);
        frame.openDocument(QStringLiteral(OVILAN_EXAMPLES "/gallery.ovd"));
        frame.show();
        while (!watch.painted)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    double fastestPowTraceMs()
    {
        COvilanView* view = frame.plotView();
        return bench::fastestPowTraceMs([view] { view->repaint(); });
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QApplication app(argc, argv);
    ShownWindow window;
    // The two are measured in turns, so that other work on the machine weighs on both alike.
    double plainMs = std::numeric_limits<double>::infinity();
    double windowMs = plainMs;
    for (int round = 0; round < kRounds; ++round) {
        const std::optional<double> plain = plainProcessMs();
        if (!plain) {
            std::fprintf(stderr, "pow_window_bench: no figure from " OVILAN_POW_PLAIN_BENCH "\n");
            return 2;
        }
        plainMs = std::min(plainMs, *plain);
        windowMs = std::min(windowMs, window.fastestPowTraceMs());
    }
    const double ratio = windowMs / plainMs;
    std::printf("trace pow_chain plain_process ms=%.2f\n", plainMs);
    std::printf("trace pow_chain inside_qapplication ms=%.2f\n", windowMs);
    std::printf(
        "trace pow_chain window_over_plain ratio=%.2f allowed=%.1f\n", ratio, kAllowedRatio);
    if (ratio > kAllowedRatio) {
        std::fprintf(stderr, "pow_window_bench: pow in the window is %.2f times slower\n", ratio);
        return 1;
    }
    return 0;
}
