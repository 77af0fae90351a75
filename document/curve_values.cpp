#include "document/curve_values.h"

#include "document/load_allowance.h"
#include "expr/dialog_fields.h"
#include "expr/number_format.h"
#include "graph/table_graph.h"

#include <cmath>
#include <cstdio>

namespace ovilan {

std::string shownValue(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string pointReadOut(std::string_view variable, double value, const CurvePoint& point)
{
    const std::string coordinates = "x=" + shownValue(point.x) + "; y=" + shownValue(point.y);
    if (!variableHasColumn(variable))
        return coordinates;
    std::string text = std::string(variable) + "=" + shownValue(value) + "; ";
    if (variable == "a") {
        // The signed radius, back from the point the angle turned it into.
        const double radius = point.x * std::cos(value) + point.y * std::sin(value);
        text += "r=" + shownValue(radius) + "; ";
    }
    return text + coordinates;
}

std::optional<int> valueRowCount(double from, double to, double step)
{
    const double intervals = std::floor((to - from) / step + 1e-9);
    if (!(intervals >= 0 && intervals < kMaxValueRows))
        return std::nullopt;
    return static_cast<int>(intervals) + 1;
}

std::vector<ValueRow> valueTable(CurveFunction& curve, double from, int rows, double step)
{
    std::vector<ValueRow> table;
    table.reserve(static_cast<std::size_t>(std::max(rows, 0)));
    for (int i = 0; i < rows; ++i) {
        const double value = from + i * step;
        std::optional<CurvePoint> point = curve.at(value);
        if (point && !(std::isfinite(point->x) && std::isfinite(point->y)))
            point.reset();
        table.push_back({ value, point });
    }
    return table;
}

bool variableHasColumn(std::string_view variable) { return variable != "x" && variable != "y"; }

std::string valueTableText(std::string_view variable, std::span<const ValueRow> rows)
{
    const bool ownColumn = variableHasColumn(variable);
    std::string text = ownColumn ? std::string(variable) + "\tx\ty\n" : "x\ty\n";
    for (const ValueRow& row : rows) {
        if (ownColumn)
            text += shownValue(row.value) + "\t";
        if (row.point)
            text += shownValue(row.point->x) + "\t" + shownValue(row.point->y) + "\n";
        else if (ownColumn)
            text += "-\t-\n";
        else
            text += variable == "x" ? shownValue(row.value) + "\t-\n"
                                    : "-\t" + shownValue(row.value) + "\n";
    }
    return text;
}

bool addValueTableGraph(COvilanDoc& document, UserInterface& ui, std::span<const ValueRow> rows)
{
    auto graph = std::make_unique<CTableGraph>(document);
    std::size_t row = 0;
    for (const ValueRow& value : rows) {
        if (!value.point || row >= static_cast<std::size_t>(kTableRows))
            continue;
        // The cells hold normal forms of constants, as the table dialog writes them.
        const std::optional<std::string> x = checkConstantField(formatNumber(value.point->x));
        const std::optional<std::string> y = checkConstantField(formatNumber(value.point->y));
        if (!x || !y)
            continue;
        graph->cellX[row] = *x;
        graph->cellY[row] = *y;
        ++row;
    }
    graph->computeTablePoints();
    const std::int32_t index = document.graphCount();
    if (!loadsWithGraph(document, *graph, index)) {
        ui.showMessage(kDocumentTooLarge);
        return false;
    }
    document.pushSnapshot(kGraphInserted, index, 0);
    document.insertGraph(std::move(graph), index);
    return true;
}

} // namespace ovilan
