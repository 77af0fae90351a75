// Documents as users work with them: load and save a large document, refresh after a zoom, one
// undo and redo of a settings change. Prints one summary line per figure.

#include "bench/summary_reporter.h"
#include "document/dib.h"
#include "document/document_commands.h"
#include "document/document_file.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "render/memory_canvas.h"
#include "render/pixel_line.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace ovilan;

const char* const kFormulas[] = { "sin(x)",
    "x^2-3*x+2",
    "sin(x)*exp(-x^2/10)+sqrt(abs(x))",
    "1/x",
    "tg(x)",
    "(x^3-2*x)/(x^2+1)*cos(3*x)" };

// 100 function graphs and a table graph with all 2000 rows filled.
void fillLarge(COvilanDoc& document)
{
    for (int i = 0; i < 100; ++i) {
        auto graph = std::make_unique<CYofXGraph>(document);
        graph->setFormula(kFormulas[i % 6], 0);
        graph->legendText = "graph " + std::to_string(i);
        document.graphs.push_back(std::move(graph));
    }
    auto table = std::make_unique<CTableGraph>(document);
    for (std::size_t row = 0; row < kTableRows; ++row) {
        table->cellX[row] = std::to_string(row);
        table->cellY[row] = std::to_string(row % 17) + ".25";
        table->cellLabel[row] = "p" + std::to_string(row);
    }
    document.graphs.push_back(std::move(table));
    for (auto& graph : document.graphs)
        graph->computePoints();
}

void saveLarge(benchmark::State& state)
{
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    fillLarge(document);
    for (auto _ : state)
        benchmark::DoNotOptimize(writeDocument(document));
}

void loadLarge(benchmark::State& state)
{
    const AppPreferences preferences;
    COvilanDoc source(preferences);
    fillLarge(source);
    const auto bytes = writeDocument(source);
    COvilanDoc document(preferences);
    for (auto _ : state)
        benchmark::DoNotOptimize(loadDocument(document, bytes));
}

struct SilentUi : UserInterface {
    void showMessage(std::string_view) override { }
    bool askYesNo(std::string_view) override { return true; }
    std::unique_ptr<CFunctionGraph> runGraphDialog(COvilanDoc&, const CFunctionGraph*) override
    {
        return nullptr;
    }
    bool runTableGraphDialog(COvilanDoc&, CTableGraph&) override { return false; }
    bool askConfirmation(std::string_view) override { return true; }
    bool runLabelDialog(COvilanDoc&, CPlotLabel&) override { return false; }
    void runDocumentProperties(COvilanDoc&) override { }
};

// 20 graphs of 20000 steps each that follow the X range, recomputed after a zoom.
void refreshAfterZoom(benchmark::State& state)
{
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    document.general.steps = 20000;
    for (int i = 0; i < 20; ++i) {
        auto graph = std::make_unique<CYofXGraph>(document);
        graph->setFormula(kFormulas[i % 6], 0);
        document.graphs.push_back(std::move(graph));
    }
    document.refreshGraphs();
    bool in = true;
    for (auto _ : state) {
        state.PauseTiming();
        document.xAxis.min = in ? -5 : -10;
        document.xAxis.max = in ? 5 : 10;
        in = !in;
        state.ResumeTiming();
        document.refreshGraphs();
    }
}

void undoRedoSettings(benchmark::State& state)
{
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    fillLarge(document);
    zoomIn(document, *std::make_unique<SilentUi>());
    for (auto _ : state) {
        document.undo();
        document.redo();
    }
}

// A 3000 x 3000 picture with a grid of lines, converted with run-length compression.
void exportLargePicture(benchmark::State& state)
{
    MemoryCanvas canvas(3000, 3000, colorOf(15));
    for (std::int32_t at = 0; at < 3000; at += 50) {
        drawPixelLine(canvas, at, 0, at, 2999, 1, 0, colorOf(8));
        drawPixelLine(canvas, 0, at, 2999, at, 1, 2, colorOf(9));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(bmpFile(toDib(canvas, 3000, 3000, DibCompression::Rle4)));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("save/100_graphs_full_table", saveLarge)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("load/100_graphs_full_table", loadLarge)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("refresh/20_graphs_20000_steps", refreshAfterZoom)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("undo_redo/settings", undoRedoSettings)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("export/3000x3000_rle_from_memory", exportLargePicture)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n");
    for (const auto& [name, us] : reporter.times())
        std::printf("%s ms=%.3f\n", name.c_str(), us / 1000);
    return 0;
}
