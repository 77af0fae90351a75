#pragma once

#include "document/ovilan_doc.h"
#include "graph/function_graph.h"

#include <string>

namespace ovilan::bench {

inline const char* const kLargePlotFormulas[] = { "sin(x)",
    "x^2/10-3",
    "sin(x)*exp(-x^2/10)+sqrt(abs(x))",
    "1/x",
    "tg(x)",
    "(x^3-2*x)/(x^2+1)*cos(3*x)",
    "5*cos(x/2)",
    "abs(x)-5" };

// 20 graphs of 20000 steps in every width and style, with legend, grid and ten labels.
inline void fillLargePlot(COvilanDoc& document)
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
        graph->setFormula(kLargePlotFormulas[i % 8], 0);
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

} // namespace ovilan::bench
