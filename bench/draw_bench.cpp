// Drawing as the window and the pictures do it: a full repaint of a large plot in exact pixels and
// with smooth lines, the layout alone, and a 3000 x 3000 picture export with run-length
// compression. Prints one summary line each.

#include "bench/large_plot.h"
#include "bench/summary_reporter.h"
#include "document/draw_plot.h"
#include "render/layout.h"
#include "view/picture_export.h"
#include "view/qimage_canvas.h"
#include "view/screen_plot.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

using namespace ovilan;

struct PlotFixture {
    PlotFixture() { bench::fillLargePlot(document); }
    AppPreferences preferences;
    COvilanDoc document { preferences };
};

// What a paint does: the background erased, the layout, the plot drawn.
void repaint(benchmark::State& state)
{
    const PlotFixture plot;
    QImage image(1920, 1080, QImage::Format_RGB32);
    QImageCanvas canvas(image);
    for (auto _ : state) {
        renderPicture(canvas, plot.document, 1920, 1080);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The window's repaint with smooth lines: the whole back buffer of a screen at 96 dots per inch.
void smoothRepaint(benchmark::State& state)
{
    const PlotFixture plot;
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    PlotMapping mapping;
    for (auto _ : state) {
        drawScreenPlot(image, image.rect(), LineDrawing::Smooth, mapping, plot.document);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void layoutOnly(benchmark::State& state)
{
    const PlotFixture plot;
    QImage image(1920, 1080, QImage::Format_RGB32);
    const QImageCanvas canvas(image);
    for (auto _ : state) {
        PlotMapping mapping;
        mapping.plotRect = { 0, 0, 1920, 1080 };
        layoutDocument(mapping, canvas, plot.document);
        benchmark::DoNotOptimize(mapping);
    }
}

void exportPicture(benchmark::State& state)
{
    const PlotFixture plot;
    for (auto _ : state) {
        const QImage picture = renderPictureImage(plot.document, 3000, 3000);
        benchmark::DoNotOptimize(bmpFile(pictureDib(picture, DibCompression::Rle4)));
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::RegisterBenchmark("draw_plot/1920x1080_20_graphs_20001_points", repaint)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("smooth_plot/1920x1080_20_graphs_20001_points", smoothRepaint)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("layout_plot/1920x1080", layoutOnly)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("export/3000x3000_rle", exportPicture)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n");
    std::printf("draw_plot 1920x1080 graphs=20 points=20001 ms=%.2f\n",
        reporter.time("draw_plot/1920x1080_20_graphs_20001_points"));
    std::printf("smooth_plot 1920x1080 graphs=20 points=20001 ms=%.2f (aim < 16)\n",
        reporter.time("smooth_plot/1920x1080_20_graphs_20001_points"));
    std::printf("layout_plot 1920x1080 us=%.1f\n", reporter.time("layout_plot/1920x1080"));
    std::printf("export 3000x3000 rle ms=%.1f\n", reporter.time("export/3000x3000_rle"));
    return 0;
}
