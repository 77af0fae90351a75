// Writes the example documents: make-examples OUTPUT_FOLDER.

#include "document/document_file.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

namespace {

using namespace ovilan;

template <typename Graph>
Graph& addFunction(
    COvilanDoc& document, const char* formula, std::int32_t color, const char* legend)
{
    auto graph = std::make_unique<Graph>(document);
    graph->setFormula(formula, 0);
    graph->colorIndex = color;
    graph->lineWidth = 2;
    graph->legendText = legend;
    graph->intervalFrom = document.xAxis.min;
    graph->intervalTo = document.xAxis.max;
    Graph& added = *graph;
    document.graphs.push_back(std::move(graph));
    return added;
}

void gallery(COvilanDoc& document)
{
    document.legend.shown = 1;
    document.grid.horizontal.shown = 1;
    document.grid.vertical.shown = 1;
    addFunction<CYofXGraph>(document, "sin(x)*exp(-x^2/20)*5", 9, "damped wave");
    auto& tangent = addFunction<CYofXGraph>(document, "tg(x)", 12, "tangent");
    tangent.lineWidth = 1;
    tangent.penStyle = 2;
    auto& parabola = addFunction<CXofYGraph>(document, "y^2/4-6", 10, "sideways parabola");
    parabola.intervalFrom = document.yAxis.min;
    parabola.intervalTo = document.yAxis.max;
    auto& heart = addFunction<CParametricGraph>(document, "16sin(t)^3/2", 13, "heart");
    heart.setFormula("(13cos(t)-5cos(2t)-2cos(3t)-cos(4t))/2", 1);
    heart.intervalFrom = 0;
    heart.intervalTo = 6.283185307;
    heart.ownInterval = 1;
    auto& rose = addFunction<CPolarGraph>(document, "6cos(3a)", 11, "rose");
    rose.intervalFrom = 0;
    rose.intervalTo = 1;
    rose.ownInterval = 1;

    auto table = std::make_unique<CTableGraph>(document);
    const char* points[][3] = { { "-8", "-6", "start" },
        { "-6", "-3", "" },
        { "-4", "-5", "" },
        { "-2", "-1", "" },
        { "0", "-2.5", "end" } };
    for (std::size_t row = 0; row < 5; ++row) {
        table->cellX[row] = points[row][0];
        table->cellY[row] = points[row][1];
        table->cellLabel[row] = points[row][2];
    }
    table->showPoints = 1;
    table->colorIndex = 4;
    table->legendText = "measured";
    document.graphs.push_back(std::move(table));

    CPlotLabel label;
    label.x = 1.5707963;
    label.y = 5 * 0.8838;
    label.caption = "peak";
    label.pointColor = 9;
    document.labels.push_back(label);
}

void polarRose(COvilanDoc& document)
{
    document.general.equalScale = 1;
    document.general.steps = 2000;
    auto& rose = addFunction<CPolarGraph>(document, "8sin(4a)", 9, "");
    rose.intervalFrom = 0;
    rose.intervalTo = 2;
    rose.ownInterval = 1;
    addFunction<CPolarGraph>(document, "a", 1, "").intervalTo = 2; // a spiral, from -1 to 2
}

bool write(
    const std::string& folder, const char* name, const std::function<void(COvilanDoc&)>& fill)
{
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    fill(document);
    for (auto& graph : document.graphs)
        graph->computePoints();
    const auto bytes = writeDocument(document);
    std::ofstream file(folder + "/" + name, std::ios::binary);
    file.write(
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-examples OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool written
        = write(folder, "gallery.ovd", gallery) && write(folder, "polar_rose.ovd", polarRose);
    return written ? 0 : 1;
}
