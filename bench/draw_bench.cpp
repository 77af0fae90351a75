// Drawing as the window and the pictures do it: a full repaint of a large plot, the layout alone,
// and a 3000 x 3000 picture export with run-length compression. Prints one summary line each.

#include "bench/summary_reporter.h"
#include "document/draw_plot.h"
#include "graph/function_graph.h"
#include "render/layout.h"
#include "view/picture_export.h"
#include "view/qimage_canvas.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

using namespace ovilan;

const char* const kFormulas[] = { "sin(x)",
    "x^2/10-3",
    "sin(x)*exp(-x^2/10)+sqrt(abs(x))",
    "1/x",
    "tg(x)",
    "(x^3-2*x)/(x^2+1)*cos(3*x)",
    "5*cos(x/2)",
    "abs(x)-5" };

// 20 graphs of 20000 steps in every width and style, with legend, grid and ten labels.
void fillPlot(COvilanDoc& document)
{
    document.general.steps = 20000;
    document.legend.shown = 1;
    document.grid.horizontal.shown = 1;
    document.grid.vertical.shown = 1;
    document.grid.horizontal.step = 1;
    document.grid.vertical.step = 1;
    document.xAxis.tickStep = 1;
    document.xAxis.labelStep = 1;
    document.yAxis.tickStep = 1;
    document.yAxis.labelStep = 1;
    for (int i = 0; i < 20; ++i) {
        auto graph = std::make_unique<CYofXGraph>(document);
        graph->setFormula(kFormulas[i % 8], 0);
        graph->lineWidth = 1 + i % 5;
        graph->penStyle = i % 4;
        graph->colorIndex = i % 15;
        graph->legendText = "graph " + std::to_string(i);
        document.insertGraph(std::move(graph), i);
    }
    for (int i = 0; i < 10; ++i) {
        CPlotLabel label;
        label.x = i * 2 - 9;
        label.y = (i % 5) * 2 - 4;
        label.caption = "label " + std::to_string(i);
        document.insertLabel(label, i);
    }
    document.refreshGraphs();
}

struct PlotFixture {
    PlotFixture() { fillPlot(document); }
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
    std::printf("layout_plot 1920x1080 us=%.1f\n", reporter.time("layout_plot/1920x1080"));
    std::printf("export 3000x3000 rle ms=%.1f\n", reporter.time("export/3000x3000_rle"));
    return 0;
}
