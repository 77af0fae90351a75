#pragma once

#include "graph/curve_function.h"
#include "render/archive.h"
#include "render/canvas.h"
#include "render/plot_mapping.h"
#include "render/plot_settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ovilan {

enum class GraphKind : std::int32_t {
    YofX = 0,
    XofY = 1,
    Parametric = 2,
    Polar = 3,
    Table = 4,
};

// A graph has steps + 1 points. Their arrays are sized to the steps once per computation, never
// per point, so a graph of 100 steps does not hold room for 20001.
inline constexpr int kMaxGraphSteps = 20000;
inline constexpr int kMaxGraphPoints = kMaxGraphSteps + 1;

// One graph of a document: its drawing attributes and its traced points in plot coordinates.
class CGraph {
public:
    CGraph(GraphKind graphKind, const PlotSettings& owner);
    virtual ~CGraph() = default;
    CGraph(const CGraph&) = delete;
    CGraph& operator=(const CGraph&) = delete;

    // Draws the traced points as a clipped, dashed polyline in the graph's pen, broken at every
    // pen-up mark and at every jump beyond the maximum gap. Never recomputes.
    virtual bool draw(Canvas& canvas, const PlotMapping& mapping) const;
    // Fills xs, ys and penUp from the graph's definition and clears dirty.
    virtual void computePoints() = 0;
    // Brings the graph up to date with its document; recomputes only when dirty.
    virtual void refresh();
    // The description shown in the graph lists: the legend suffix here, the formula in the kinds.
    virtual std::string describe() const;
    // The graph's record in a document file or undo snapshot (after its kind).
    virtual void store(ArchiveWriter& out) const;
    virtual void load(ArchiveReader& in);
    // The record as the extension block of a document file and the undo steps keep it: the
    // record above followed by what older versions cannot hold of the graph.
    virtual void storeExtended(ArchiveWriter& out) const { store(out); }
    virtual void loadExtended(ArchiveReader& in) { load(in); }
    // Whether the graph's record can be read by versions that know nothing of the extension
    // block; a graph they cannot read is kept only in the block.
    virtual bool olderVersionsCanRead() const { return true; }
    // "x", "y", "t" or "a"; empty for a table.
    virtual std::string variableName() const { return {}; }
    // The curve as a function of the graph's variable over the interval it is traced on;
    // nothing for a graph of points only (a table).
    virtual std::unique_ptr<CurveFunction> curveFunction() const { return nullptr; }
    // Where the curve heads at a value of its variable: the derivatives of the point's x and y by
    // the variable, from the symbolic derivatives of the formulas; nothing where one is undefined.
    virtual std::optional<CurvePoint> velocityAt(double) const { return std::nullopt; }

    void setLegendText(std::string text) { legendText = std::move(text); }

    GraphKind kind;
    std::int32_t colorIndex;
    std::int32_t lineWidth = 1;
    std::int32_t penStyle = 0;
    std::string legendText;
    std::int32_t showGraph = 1;
    std::int32_t showInLegend = 1;
    std::int32_t maxGap;
    std::int32_t steps;
    bool dirty = true;
    std::int32_t ownParameters = 0;
    const PlotSettings* document;
    std::vector<double> xs; // points 0..steps once computed
    std::vector<double> ys;
    std::vector<std::uint8_t> penUp;

protected:
    // Gives the point arrays room for exactly `count` points; allocates only when that changes.
    void resizePoints(std::size_t count);
    // " {legend}" when there is a legend text.
    std::string legendSuffix() const;
    // The stored steps and maximum gap must be in range; a table graph sets its own.
    virtual bool checksParameters() const { return true; }
};

// A new graph of the kind with its defaults; nothing for a kind outside 0..4.
std::unique_ptr<CGraph> createGraph(std::int32_t kind, const PlotSettings& document);

} // namespace ovilan
