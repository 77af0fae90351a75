#pragma once

#include "graph/graph.h"
#include "graph/table_column.h"
#include "render/plot_label.h"

#include <string>
#include <vector>

namespace ovilan {

inline constexpr int kTableRows = 2000;

// A graph given by a table: the rows with both coordinates filled in are its points, in row order.
class CTableGraph : public CGraph {
public:
    explicit CTableGraph(const PlotSettings& owner);

    // Evaluates the filled rows into the points; returns the number of points minus one.
    int computeTablePoints();
    void computePoints() override { computeTablePoints(); }
    // The points joined in row order (never broken by the maximum gap) and, with the points
    // shown, a marker in the template's style at each, captioned with its row's label.
    bool draw(Canvas& canvas, const PlotMapping& mapping) const override;
    // A table is recomputed only when its cells change.
    void refresh() override { }
    std::string describe() const override;
    void store(ArchiveWriter& out) const override;
    void load(ArchiveReader& in) override;

    TableColumn cellX;
    TableColumn cellY;
    TableColumn cellLabel;
    std::vector<std::string> pointLabels; // the label of each point

    CPlotLabel markerStyle;
    std::int32_t showPoints = 0;
    std::int32_t showLines = 1;

protected:
    // Its steps and maximum gap are derived from the table, so a table of fewer than two points
    // still loads and undoes.
    bool checksParameters() const override { return false; }
};

} // namespace ovilan
