#include "graph/table_graph.h"

#include "expr/exact_number.h"
#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "graph/curve_raster.h"
#include "render/record_io.h"

#include <cstdio>

namespace ovilan {

namespace {

    constexpr std::int16_t kEmptyRun = 0;
    constexpr std::int16_t kFilledRun = 1;

    enum class CellKind { Coordinate, Label };

    // Reads one cell; an empty one stays unstored. A coordinate is checked as a constant formula
    // and kept as its normal form, unless it is a number already written the program's way with
    // more digits than the normal form's ten, as measured data is: then every digit is kept. A
    // label is drawn beside its point, so its length is a caption's.
    void readCell(ArchiveReader& in, TableColumn& column, std::size_t row, CellKind kind)
    {
        std::string text = in.readString();
        if (text.empty())
            return;
        if (kind == CellKind::Coordinate) {
            std::string normalForm = text;
            require(text.size() <= kMaxFormulaLength
                && checkFormula(normalForm, " ", in.checkWork()) == kFormulaOk);
            // Most cells are their own normal form; only the others need the closer look.
            if (normalForm != text && !isExactNumberText(text))
                text = std::move(normalForm);
        } else {
            require(text.size() <= kMaxCaptionLength);
        }
        column[row] = std::move(text);
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
    for (TableColumn* column : { &cellX, &cellY, &cellLabel })
        column->dropEmptyCells();
    // Read through the table's const side: reading a row must not store it.
    const CTableGraph& table = *this;
    const auto isPoint = [&table](std::size_t row) {
        return !table.cellX[row].empty() && !table.cellY[row].empty();
    };
    std::size_t count = 0;
    for (std::size_t row = 0; row < kTableRows; ++row)
        count += isPoint(row) ? 1 : 0;
    resizePoints(count);
    pointLabels.assign(count, {});
    std::size_t point = 0;
    for (std::size_t row = 0; row < kTableRows; ++row) {
        if (!isPoint(row))
            continue;
        // The cells are normal forms of constants, so both are defined.
        xs[point] = evaluateText(table.cellX[row], " ", 0).value_or(0);
        ys[point] = evaluateText(table.cellY[row], " ", 0).value_or(0);
        pointLabels[point] = table.cellLabel[row];
        penUp[point] = 0;
        ++point;
    }
    maxGap = 1;
    steps = static_cast<int>(count) - 1;
    if (count > 0)
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
    cellX = {};
    cellY = {};
    cellLabel = {};
    int row = 0;
    while (row < kTableRows) {
        const int count = in.readInt16();
        const std::int16_t flag = in.readInt16();
        // A run must stay within the 2000 rows.
        require(count >= 0 && count <= kTableRows - row);
        for (int r = row; flag != kEmptyRun && r < row + count; ++r) {
            const auto i = static_cast<std::size_t>(r);
            readCell(in, cellX, i, CellKind::Coordinate);
            readCell(in, cellY, i, CellKind::Coordinate);
            readCell(in, cellLabel, i, CellKind::Label);
        }
        row += count;
    }
    readLabel(in, markerStyle);
    showPoints = in.readInt32();
    showLines = in.readInt32();
}

} // namespace ovilan
