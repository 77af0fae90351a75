// Hostile documents: the largest costs a file of at most 1 MB can ask for. Writes each case as a
// file for measuring the programs (bounds_bench --write DIR), and otherwise times how long the
// reader takes to load or refuse each one and how long one paint of it takes.

#include "document/document_file.h"
#include "document/document_file_hostile.h"
#include "document/draw_plot.h"
#include "render/memory_canvas.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace ovilan;

using Generator = std::function<std::vector<std::uint8_t>()>;

std::vector<std::pair<std::string, Generator>> cases()
{
    using namespace hostile;
    return {
        { "many_graphs", [] { return manyGraphs(); } },
        { "many_empty_tables", [] { return manyEmptyTables(); } },
        { "power_chains", [] { return powerChains(); } },
        { "huge_formula_sum", [] { return hugeFormula("x", 250000); } },
        { "huge_formula_products", [] { return hugeFormula("xx", 170000); } },
        { "huge_formula_sines", [] { return hugeFormula("sin(x)", 70000); } },
        { "huge_formula_constants", [] { return hugeFormula("2", 250000); } },
        { "marker_caption_50k", [] { return tableWithLongMarkerCaption(50000); } },
        { "marker_caption_at_bound", [] { return tableWithLongMarkerCaption(500); } },
        { "marker_caption_1m", [] { return tableWithLongMarkerCaption(1000000); } },
        { "label_suffix_1m", [] { return longLabelSuffix(1000000); } },
        { "label_caption_1m", [] { return longLabelCaption(1000000); } },
        { "legend_texts_1k", [] { return longLegendTexts(1000); } },
        { "typical_graphs_300", [] { return typicalGraphs(300); } },
        { "typical_graphs_600", [] { return typicalGraphs(600); } },
        { "full_tables_20", [] { return fullTables(20); } },
        { "x_graphs_600", [] { return repeatedFunctions({}, 600 * 60 + 1000); } },
        { "sines_at_bound",
            [] {
                FunctionEntry entry;
                entry.formula = "x";
                for (int i = 0; i < 24; ++i)
                    entry.formula = "sin(" + entry.formula + ")";
                return repeatedFunctions(entry, 100 * 170 + 1000);
            } },
        { "powers_at_bound",
            [] {
                FunctionEntry entry;
                entry.formula = powerChain(24);
                return repeatedFunctions(entry, 100 * 110 + 1000);
            } },
    };
}

int writeCases(const std::string& directory)
{
    for (const auto& [name, generate] : cases()) {
        const std::vector<std::uint8_t> bytes = generate();
        std::ofstream out(directory + "/" + name + ".ovd", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
        if (!out)
            return 1;
    }
    return 0;
}

void loadAndPaint(benchmark::State& state, const Generator& generate)
{
    const std::vector<std::uint8_t> bytes = generate();
    const AppPreferences preferences;
    for (auto _ : state) {
        COvilanDoc document(preferences);
        const bool loaded = loadDocument(document, bytes);
        MemoryCanvas canvas(800, 600);
        if (loaded)
            renderPicture(canvas, document, 800, 600);
        state.counters["loaded"] = loaded ? 1 : 0;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string_view(argv[1]) == "--write")
        return writeCases(argv[2]);
    for (const auto& [name, generate] : cases())
        benchmark::RegisterBenchmark(
            name.c_str(), [generate](benchmark::State& state) { loadAndPaint(state, generate); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
