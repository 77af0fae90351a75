#pragma once

#include "document/ovilan_doc.h"
#include "document/user_interface.h"
#include "graph/curve_function.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovilan {

// A table of values has at most as many rows as a table graph.
inline constexpr int kMaxValueRows = 2000;
inline constexpr std::string_view kTooManyValueRows
    = "The table would have more than 2000 rows. Please enter a larger step.";

// A value as the read-outs show it: ten significant digits, "%.10g".
std::string shownValue(double value);

// "x=1.5; y=2.25", with the variable first where it is not one of the coordinates:
// "t=0.5; x=...; y=..." on a parametric curve, "a=...; r=...; x=...; y=..." on a polar one.
std::string pointReadOut(std::string_view variable, double value, const CurvePoint& point);

// One row of a table of values: the variable's value and the curve's point there, nothing where
// the formula is undefined.
struct ValueRow {
    double value = 0;
    std::optional<CurvePoint> point;
};

// The number of rows from..to in steps of `step`: from, from + step, ... up to `to` (reached
// within a billionth of a step, so 0..1 by 0.1 ends at 1). Nothing beyond kMaxValueRows; the
// caller has checked from <= to and step > 0.
std::optional<int> valueRowCount(double from, double to, double step);
// The rows themselves; value i is from + i * step, so the values do not drift.
std::vector<ValueRow> valueTable(CurveFunction& curve, double from, int rows, double step);

// The table as tab-separated text with a header line: "x\ty" for a function of x or of y, the
// variable first for the others ("t\tx\ty"); an undefined point shows a dash.
std::string valueTableText(std::string_view variable, std::span<const ValueRow> rows);
// Whether the variable has a column of its own beside x and y.
bool variableHasColumn(std::string_view variable);

// A new table graph of the defined points of the rows, as one undo step; refused with the
// program's message when the document could not hold it. True when it was added.
bool addValueTableGraph(COvilanDoc& document, UserInterface& ui, std::span<const ValueRow> rows);

} // namespace ovilan
