#pragma once

#include "graph/curve_function.h"

#include <optional>
#include <string_view>
#include <vector>

namespace ovilan {

inline constexpr int kMaxTableRows = 2000;

enum class ValueTableStatus { Ok, BadBounds, BadStep, TooManyRows };

// One row of a table of values: the variable's value and the curve's point there, if defined.
struct ValueRow {
    double t = 0;
    std::optional<CurvePoint> point;
};

struct ValueTable {
    ValueTableStatus status = ValueTableStatus::Ok;
    std::vector<ValueRow> rows;
};

// The reason a table of values cannot be made, in the program's words; empty for Ok.
std::string_view valueTableMessage(ValueTableStatus status);

// The curve's points from `from` to `to` by `step` (from > to runs down with a negative step),
// at most kMaxTableRows of them. Each value is from + i * step, so the last one is `to` exactly
// when the step divides the distance, and rounding does not pile up along the table.
ValueTable makeValueTable(CurveFunction& curve, double from, double to, double step);

} // namespace ovilan
