// Writes the example documents: make-examples OUTPUT_FOLDER.

#include "document/document_file.h"
#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

namespace {

using namespace ovilan;

// A formula the check refuses would leave an empty graph in the document: stop instead.
void setFormula(CFunctionGraph& graph, const char* text, int which)
{
    if (graph.setFormula(text, which) != 0) {
        std::fprintf(stderr, "make-examples: the formula \"%s\" is refused\n", text);
        std::exit(1);
    }
}

template <typename Graph>
Graph& addFunction(
    COvilanDoc& document, const char* formula, std::int32_t color, const char* legend)
{
    auto graph = std::make_unique<Graph>(document);
    setFormula(*graph, formula, 0);
    graph->colorIndex = color;
    graph->lineWidth = 2;
    graph->legendText = legend;
    graph->intervalFrom = document.xAxis.min;
    graph->intervalTo = document.xAxis.max;
    Graph& added = *graph;
    document.graphs.push_back(std::move(graph));
    return added;
}

enum class Beside { Right, Above, AboveLeft };
enum class Marker { Shown, Hidden };

// A free label pinned to (x, y); its caption stands beside the marker as the side says.
void addLabel(COvilanDoc& document,
    double x,
    double y,
    const char* caption,
    std::int32_t color,
    Beside side,
    Marker marker = Marker::Shown)
{
    CPlotLabel label;
    label.x = x;
    label.y = y;
    label.caption = caption;
    label.pointColor = color;
    label.showPoint = marker == Marker::Shown ? 1 : 0;
    label.labelTransparent = 1;
    switch (side) {
    case Beside::Right:
        label.horizontalAlign = 2;
        label.verticalAlign = 1;
        break;
    case Beside::Above:
        label.horizontalAlign = 1;
        label.verticalAlign = 0;
        break;
    case Beside::AboveLeft:
        label.horizontalAlign = 0;
        label.verticalAlign = 0;
        break;
    }
    document.labels.push_back(label);
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
    setFormula(heart, "(13cos(t)-5cos(2t)-2cos(3t)-cos(4t))/2", 1);
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
    table->markerStyle.pointColor = 3;
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
    document.legend.shown = 1;
    auto& rose = addFunction<CPolarGraph>(document, "8sin(4a)", 9, "r = 8sin(4a), eight petals");
    rose.intervalFrom = 0;
    rose.intervalTo = 2;
    rose.ownInterval = 1;
    // The circle through the petal tips, drawn thin and dashed so the rose stays in front.
    auto& rim = addFunction<CPolarGraph>(document, "8", 7, "r = 8");
    rim.lineWidth = 1;
    rim.penStyle = 2;
    rim.intervalFrom = 0;
    rim.intervalTo = 2;
    rim.ownInterval = 1;
    // r = 8sin(4a) is largest at a = pi/8: the tip of the first petal.
    addLabel(document, 7.391036260, 3.061467459, "petal tip, a = pi/8", 9, Beside::Right);
}

// Trigonometric functions with their poles: the curves break where they have no value or jump
// by more than the maximum gap, and dashed X(y) lines mark the asymptotes.
void trigonometry(COvilanDoc& document)
{
    document.xAxis.min = -7;
    document.xAxis.max = 7;
    document.yAxis.min = -4;
    document.yAxis.max = 4;
    // Ticks and labels every pi/2, shown in units of pi: 0.5pi, 1pi, ...
    document.xAxis.tickStep = 1.570796327;
    document.xAxis.labelStep = 1.570796327;
    document.xAxis.labelCoefficient = 3.141592654;
    document.xAxis.labelSuffix = "pi";
    document.yAxis.tickStep = 1;
    document.yAxis.labelStep = 1;
    document.grid.vertical.step = 1.570796327;
    document.grid.horizontal.step = 1;
    document.grid.vertical.shown = 1;
    document.grid.horizontal.shown = 1;
    document.general.steps = 2000;
    document.general.maxGap = 50;
    document.legend.shown = 1;
    document.legend.horizontalPosition = 2;
    addFunction<CYofXGraph>(document, "sin(x)", 9, "sin(x)");
    addFunction<CYofXGraph>(document, "tg(x)", 12, "tg(x)");
    auto& secant = addFunction<CYofXGraph>(document, "1/cos(x)", 10, "1/cos(x)");
    secant.penStyle = 1;
    for (const char* pole : { "-3pi/2", "-pi/2", "pi/2", "3pi/2" }) {
        auto& asymptote = addFunction<CXofYGraph>(document, pole, 7, "");
        asymptote.lineWidth = 1;
        asymptote.penStyle = 2;
        asymptote.showInLegend = 0;
        asymptote.intervalFrom = document.yAxis.min;
        asymptote.intervalTo = document.yAxis.max;
    }
    addLabel(document, 1.570796327, 3.5, "pole: cos(x) = 0", 7, Beside::Right);
    addLabel(document, 1.570796327, 1, "sin(pi/2) = 1", 9, Beside::Above);
}

// A Lissajous figure: two sine waves of frequencies 3 and 2 as the coordinates of one point.
void lissajous(COvilanDoc& document)
{
    document.general.equalScale = 1;
    document.general.steps = 2000;
    document.legend.shown = 1;
    document.xAxis.tickStep = 1;
    document.yAxis.tickStep = 1;
    auto& figure
        = addFunction<CParametricGraph>(document, "8sin(3t)", 13, "x = 8sin(3t), y = 8sin(2t)");
    setFormula(figure, "8sin(2t)", 1);
    figure.intervalFrom = 0;
    figure.intervalTo = 6.283185307;
    figure.ownInterval = 1;
    addLabel(document, -9.5, 9.2, "frequencies 3 : 2", 1, Beside::Right, Marker::Hidden);
    // At t = pi/6: x = 8sin(pi/2) = 8, y = 8sin(pi/3).
    addLabel(document, 8, 6.92820323, "t = pi/6", 1, Beside::Right);
}

// Air temperature measured every two hours on one day, with the sine curve that fits it.
void measurements(COvilanDoc& document)
{
    document.general.rectangularAxes = 1;
    document.xAxis.min = -0.5;
    document.xAxis.max = 24.5;
    document.xAxis.tickStep = 1;
    document.xAxis.labelStep = 2;
    document.xAxis.caption = "hour of the day";
    document.yAxis.min = 6;
    document.yAxis.max = 24;
    document.yAxis.tickStep = 1;
    document.yAxis.labelStep = 2;
    document.yAxis.caption = "temperature, C";
    document.grid.vertical.step = 2;
    document.grid.horizontal.step = 2;
    document.grid.vertical.shown = 1;
    document.grid.horizontal.shown = 1;
    document.legend.shown = 1;

    auto table = std::make_unique<CTableGraph>(document);
    const char* rows[][2] = { { "0", "12.3" },
        { "2", "9.6" },
        { "4", "9.2" },
        { "6", "10.1" },
        { "8", "11.7" },
        { "10", "15.4" },
        { "12", "17.8" },
        { "14", "20.5" },
        { "16", "20.8" },
        { "18", "20" },
        { "20", "18.3" },
        { "22", "14.6" },
        { "24", "12.2" } };
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        table->cellX[row] = rows[row][0];
        table->cellY[row] = rows[row][1];
        table->cellLabel[row] = rows[row][1];
    }
    table->showPoints = 1;
    table->showLines = 0;
    table->colorIndex = 4;
    table->legendText = "measured, 12 May";
    table->markerStyle.pointColor = 12;
    table->markerStyle.radius = 4;
    table->markerStyle.horizontalAlign = 1;
    table->markerStyle.verticalAlign = 0;
    table->markerStyle.labelTransparent = 1;
    document.graphs.push_back(std::move(table));

    auto& fit
        = addFunction<CYofXGraph>(document, "15-6cos(pi(x-4)/12)", 9, "fit 15-6cos(pi(x-4)/12)");
    fit.lineWidth = 1;
    addLabel(document, 4, 7.6, "coldest before dawn", 1, Beside::Right, Marker::Hidden);
    addLabel(document, 16, 22.6, "warmest mid-afternoon", 1, Beside::Right, Marker::Hidden);
}

// Equal scale of axes keeps a circle round: a circle, an ellipse, and the tangent to the circle
// at P(3, 4), which is perpendicular to the radius OP.
void geometry(COvilanDoc& document)
{
    document.general.equalScale = 1;
    document.general.steps = 1000;
    document.legend.shown = 1;
    document.yAxis.min = -6;
    document.yAxis.max = 9;
    document.xAxis.tickStep = 1;
    document.yAxis.tickStep = 1;
    document.grid.vertical.step = 1;
    document.grid.horizontal.step = 1;
    document.grid.vertical.shown = 1;
    document.grid.horizontal.shown = 1;
    auto& circle = addFunction<CPolarGraph>(document, "5", 9, "circle r = 5");
    circle.intervalFrom = -1;
    circle.intervalTo = 1;
    circle.ownInterval = 1;
    auto& ellipse
        = addFunction<CParametricGraph>(document, "8cos(t)", 12, "ellipse 8cos(t), 3sin(t)");
    setFormula(ellipse, "3sin(t)", 1);
    ellipse.intervalFrom = 0;
    ellipse.intervalTo = 6.283185307;
    ellipse.ownInterval = 1;
    addFunction<CYofXGraph>(document, "(25-3x)/4", 10, "tangent 3x + 4y = 25");

    auto radius = std::make_unique<CTableGraph>(document);
    const char* points[][3] = { { "0", "0", "" }, { "3", "4", "P(3, 4)" } };
    for (std::size_t row = 0; row < std::size(points); ++row) {
        radius->cellX[row] = points[row][0];
        radius->cellY[row] = points[row][1];
        radius->cellLabel[row] = points[row][2];
    }
    radius->showPoints = 1;
    radius->colorIndex = 0;
    radius->penStyle = 1;
    radius->legendText = "radius OP";
    radius->markerStyle.pointColor = 0;
    radius->markerStyle.radius = 3;
    radius->markerStyle.horizontalAlign = 2;
    radius->markerStyle.verticalAlign = 0;
    document.graphs.push_back(std::move(radius));
    // The centre's caption goes up and left, clear of the origin's "0" below and left.
    CPlotLabel centre;
    centre.caption = "O";
    centre.showPoint = 0;
    centre.labelTransparent = 1;
    centre.horizontalAlign = 0;
    centre.verticalAlign = 0;
    centre.pointColor = 0;
    document.labels.push_back(centre);
    // The ellipse at t = 3pi/4.
    addLabel(document, -5.656854249, 2.121320344, "semi-axes a = 8, b = 3", 12, Beside::AboveLeft);
}

// A family of curves for the Parameters pane: the amplitude k and the frequency m of a sine, and
// a parabola whose width and vertex follow them. Older versions show the curves at k = 3, m = 1.
void families(COvilanDoc& document)
{
    FormulaParameter amplitude;
    amplitude.name = 'k';
    amplitude.value = 3;
    amplitude.minimum = -5;
    amplitude.maximum = 5;
    FormulaParameter frequency;
    frequency.name = 'm';
    frequency.value = 1;
    frequency.minimum = 0.1;
    frequency.maximum = 4;
    frequency.animation = ParameterAnimation::BackAndForth;
    document.parameterTable.parameters = { amplitude, frequency };
    const auto values = parameterValues(document.parameterTable);
    document.legend.shown = 1;
    const std::pair<const char*, const char*> curves[] = {
        { "k*sin(m*x)", "k sin(m x)" },
        { "(x-m)^2/k-k", "(x - m)^2/k - k" },
    };
    std::int32_t color = 9;
    for (const auto& [formula, legend] : curves) {
        auto graph = std::make_unique<CYofXGraph>(document);
        long long work = kMaxCheckWork;
        if (graph->setParameterFormula(formula, 0, values, work) != 0) {
            std::fprintf(stderr, "make-examples: the formula \"%s\" is refused\n", formula);
            std::exit(1);
        }
        graph->colorIndex = color++;
        graph->lineWidth = 2;
        graph->legendText = legend;
        graph->intervalFrom = document.xAxis.min;
        graph->intervalTo = document.xAxis.max;
        document.graphs.push_back(std::move(graph));
    }
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
    const std::pair<const char*, void (*)(COvilanDoc&)> examples[] = {
        { "gallery.ovd", gallery },
        { "polar_rose.ovd", polarRose },
        { "trigonometry.ovd", trigonometry },
        { "lissajous.ovd", lissajous },
        { "measurements.ovd", measurements },
        { "geometry.ovd", geometry },
        { "families.ovd", families },
    };
    for (const auto& [name, fill] : examples) {
        if (!write(folder, name, fill)) {
            std::fprintf(stderr, "make-examples: cannot write %s/%s\n", folder.c_str(), name);
            return 1;
        }
    }
    return 0;
}
