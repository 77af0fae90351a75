#include "graph/table_graph.h"

#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "graph/curve_raster.h"
#include "render/record_io.h"

#include <cstdio>

namespace ovilan {

namespace {

    constexpr std::int16_t kEmptyRun = 0;
    constexpr std::int16_t kFilledRun = 1;

    // A stored coordinate cell is checked as a constant formula and kept as its normal form.
    void loadCoordinate(std::string& cell)
    {
        if (cell.empty())
            return;
        require(checkFormula(cell, " ") == kFormulaOk);
    }

} // namespace

CTableGraph::CTableGraph(const PlotSettings& owner)
    : CGraph(GraphKind::Table, owner)
{
    steps = -1;
    maxGap = 1000;
}

int CTableGraph::computeTablePoints()
{
    int n = 0;
    for (int row = 0; row < kTableRows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        if (cellX[r].empty() || cellY[r].empty())
            continue;
        const auto point = static_cast<std::size_t>(n);
        // The cells are normal forms of constants, so both are defined.
        xs[point] = evaluateText(cellX[r], " ", 0).value_or(0);
        ys[point] = evaluateText(cellY[r], " ", 0).value_or(0);
        pointLabels[point] = cellLabel[r];
        penUp[point] = 0;
        ++n;
    }
    maxGap = 1;
    steps = n - 1;
    penUp[0] = 1;
    dirty = false;
    return steps;
}

bool CTableGraph::draw(Canvas& canvas, const PlotMapping& mapping) const
{
    if (showLines)
        drawTrace(canvas, mapping, *this, GapTest::Skip);
    if (!showPoints)
        return true;
    for (int i = 0; i <= steps; ++i) {
        const auto at = static_cast<std::size_t>(i);
        CPlotLabel marker = markerStyle;
        marker.x = xs[at];
        marker.y = ys[at];
        marker.caption = pointLabels[at] + markerStyle.caption;
        if (marker.caption.empty())
            marker.showLabel = 0;
        marker.draw(canvas, mapping);
    }
    return true;
}

std::string CTableGraph::describe() const
{
    char count[32];
    std::snprintf(count, sizeof count, "%d", steps + 1);
    return "Table " + std::string(count) + " elements" + legendSuffix();
}

void CTableGraph::store(ArchiveWriter& out) const
{
    CGraph::store(out);
    // The rows as runs of the same used state, so the counts add up to 2000.
    int row = 0;
    while (row < kTableRows) {
        const auto used = [this](int r) {
            const auto i = static_cast<std::size_t>(r);
            return !cellX[i].empty() || !cellY[i].empty() || !cellLabel[i].empty();
        };
        const bool filled = used(row);
        int end = row;
        while (end < kTableRows && used(end) == filled)
            ++end;
        out.writeInt16(static_cast<std::int16_t>(end - row));
        out.writeInt16(filled ? kFilledRun : kEmptyRun);
        if (filled) {
            for (int r = row; r < end; ++r) {
                const auto i = static_cast<std::size_t>(r);
                out.writeString(cellX[i]);
                out.writeString(cellY[i]);
                out.writeString(cellLabel[i]);
            }
        }
        row = end;
    }
    writeLabel(out, markerStyle);
    out.writeInt32(showPoints);
    out.writeInt32(showLines);
}

void CTableGraph::load(ArchiveReader& in)
{
    CGraph::load(in);
    int row = 0;
    while (row < kTableRows) {
        const int count = in.readInt16();
        const std::int16_t flag = in.readInt16();
        // A run must stay within the 2000 rows.
        require(count >= 0 && count <= kTableRows - row);
        for (int r = row; r < row + count; ++r) {
            const auto i = static_cast<std::size_t>(r);
            cellX[i].clear();
            cellY[i].clear();
            cellLabel[i].clear();
            if (flag == kEmptyRun)
                continue;
            cellX[i] = in.readString();
            cellY[i] = in.readString();
            cellLabel[i] = in.readString();
            loadCoordinate(cellX[i]);
            loadCoordinate(cellY[i]);
        }
        row += count;
    }
    readLabel(in, markerStyle);
    showPoints = in.readInt32();
    showLines = in.readInt32();
}

} // namespace ovilan
