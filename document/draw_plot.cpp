#include "document/draw_plot.h"

#include "render/axes.h"
#include "render/layout.h"

namespace ovilan {

std::vector<LegendEntry> legendEntries(const COvilanDoc& document)
{
    std::vector<LegendEntry> entries;
    for (const auto& graph : document.graphs)
        if (graph->showGraph && graph->showInLegend)
            entries.push_back(
                { graph->legendText, graph->colorIndex, graph->lineWidth, graph->penStyle });
    return entries;
}

void layoutDocument(PlotMapping& mapping, const Canvas& canvas, const COvilanDoc& document)
{
    const auto entries = static_cast<int>(legendEntries(document).size());
    layoutPlot(mapping, canvas, document, entries);
}

void drawPlot(Canvas& canvas, const PlotMapping& mapping, const COvilanDoc& document)
{
    drawAxes(canvas, mapping, document, legendEntries(document));
    for (const auto& graph : document.graphs)
        if (graph->showGraph)
            graph->draw(canvas, mapping);
    for (const CPlotLabel& label : document.labels)
        label.draw(canvas, mapping);
}

void renderPicture(
    Canvas& canvas, const COvilanDoc& document, std::int32_t width, std::int32_t height)
{
    const Rgb background = colorOf(document.general.backgroundColor);
    canvas.fillRect({ 0, 0, width, height }, background);
    canvas.textState().backgroundColor = background;
    PlotMapping mapping;
    mapping.plotRect = { 0, 0, width, height };
    layoutDocument(mapping, canvas, document);
    drawPlot(canvas, mapping, document);
}

} // namespace ovilan
