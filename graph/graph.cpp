#include "graph/graph.h"

#include "graph/curve_raster.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "render/plot_label.h"
#include "render/random_color.h"

namespace ovilan {

CGraph::CGraph(GraphKind graphKind, const PlotSettings& owner)
    : kind(graphKind)
    , colorIndex(reseededRandomColor())
    , maxGap(owner.general.maxGap)
    , steps(owner.general.steps)
    , document(&owner)
{
}

bool CGraph::draw(Canvas& canvas, const PlotMapping& mapping) const
{
    drawTrace(canvas, mapping, *this, GapTest::Apply);
    return true;
}

void CGraph::refresh()
{
    if (!ownParameters) {
        maxGap = document->general.maxGap;
        if (document->general.steps != steps)
            dirty = true;
        steps = document->general.steps;
    }
    if (dirty)
        computePoints();
}

void CGraph::resizePoints(std::size_t count)
{
    if (xs.size() == count)
        return;
    // Fresh arrays rather than resized ones, so a graph that shrinks gives its memory back.
    xs = std::vector<double>(count);
    ys = std::vector<double>(count);
    penUp = std::vector<std::uint8_t>(count);
}

std::string CGraph::legendSuffix() const
{
    return legendText.empty() ? std::string() : " {" + legendText + "}";
}

std::string CGraph::describe() const { return legendSuffix(); }

void CGraph::store(ArchiveWriter& out) const
{
    out.writeInt32(colorIndex);
    out.writeInt32(lineWidth);
    out.writeInt32(penStyle);
    out.writeString(legendText);
    out.writeInt32(showGraph);
    out.writeInt32(showInLegend);
    out.writeInt32(ownParameters);
    out.writeInt32(maxGap);
    out.writeInt32(steps);
}

void CGraph::load(ArchiveReader& in)
{
    colorIndex = in.readInt32();
    lineWidth = in.readInt32();
    penStyle = in.readInt32();
    legendText = in.readString();
    showGraph = in.readInt32();
    showInLegend = in.readInt32();
    ownParameters = in.readInt32();
    maxGap = in.readInt32();
    steps = in.readInt32();
    // The legend draws the text once per paint, as a label draws its caption.
    require(legendText.size() <= kMaxCaptionLength);
    if (checksParameters())
        require(maxGap >= 1 && maxGap <= kMaxGapLimit && steps >= 1 && steps <= kMaxGraphSteps);
    dirty = true;
}

std::unique_ptr<CGraph> createGraph(std::int32_t kind, const PlotSettings& document)
{
    switch (kind) {
    case static_cast<std::int32_t>(GraphKind::YofX):
        return std::make_unique<CYofXGraph>(document);
    case static_cast<std::int32_t>(GraphKind::XofY):
        return std::make_unique<CXofYGraph>(document);
    case static_cast<std::int32_t>(GraphKind::Parametric):
        return std::make_unique<CParametricGraph>(document);
    case static_cast<std::int32_t>(GraphKind::Polar):
        return std::make_unique<CPolarGraph>(document);
    case static_cast<std::int32_t>(GraphKind::Table):
        return std::make_unique<CTableGraph>(document);
    default:
        return nullptr;
    }
}

} // namespace ovilan
