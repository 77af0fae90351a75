// Importing measurements: a 2000-row file as a spreadsheet writes it (semicolons, decimal commas,
// a header, labels, small values in scientific notation) read, put into a table graph and its
// points computed. Prints one summary line.

#include "bench/summary_reporter.h"
#include "document/csv_table.h"
#include "document/ovilan_doc.h"
#include "graph/table_graph.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

using namespace ovilan;

std::string loggerFile(int rows)
{
    std::string bytes = "t [s];U [V];note\r\n";
    char line[128];
    for (int row = 0; row < rows; ++row) {
        const double t = row * 0.0125;
        // Every other value small enough for scientific notation, the slower path.
        const double u = row % 2 ? 1.2345678 * std::sin(t) : 3.5e-7 * std::cos(t);
        std::snprintf(line, sizeof line, "%.4f;%.9g;%s\r\n", t, u, row % 100 ? "" : "mark");
        bytes += line;
    }
    // The spreadsheet's decimal comma.
    for (char& c : bytes)
        if (c == '.')
            c = ',';
    return bytes;
}

void importRows(benchmark::State& state)
{
    const std::string bytes = loggerFile(static_cast<int>(state.range(0)));
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    for (auto _ : state) {
        const CsvReading reading = readCsvTable(bytes);
        CTableGraph graph(document);
        fillTableGraph(graph, reading.table->rows);
        benchmark::DoNotOptimize(graph.steps);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("csv_import", importRows)
        ->Arg(kTableRows)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\ncsv_import rows=%d ms=%.3f\n",
        kTableRows,
        reporter.time("csv_import/" + std::to_string(kTableRows)) / 1000);
    return 0;
}
