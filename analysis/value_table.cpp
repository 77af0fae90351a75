#include "analysis/value_table.h"

#include <cmath>

namespace ovilan {

std::string_view valueTableMessage(ValueTableStatus status)
{
    switch (status) {
    case ValueTableStatus::Ok:
        return "";
    case ValueTableStatus::BadBounds:
        return "The bounds of the table must be numbers.";
    case ValueTableStatus::BadStep:
        return "The step must lead from the first value to the last.";
    case ValueTableStatus::TooManyRows:
        return "The table would have more than 2000 rows.";
    }
    return "";
}

ValueTable makeValueTable(CurveFunction& curve, double from, double to, double step)
{
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(to - from))
        return { ValueTableStatus::BadBounds, {} };
    if (!std::isfinite(step) || (step == 0 && from != to) || (to - from) * step < 0)
        return { ValueTableStatus::BadStep, {} };
    // A step that divides the distance up to rounding reaches the last value.
    const double steps = from == to ? 0 : std::floor((to - from) / step * (1 + 1e-12));
    if (steps + 1 > kMaxTableRows)
        return { ValueTableStatus::TooManyRows, {} };
    ValueTable table;
    const int count = static_cast<int>(steps) + 1;
    table.rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t
            = i + 1 == count && steps > 0 && std::abs(from + i * step - to) <= 1e-9 * std::abs(step)
            ? to
            : from + i * step;
        table.rows.push_back({ t, curve.at(t) });
    }
    return table;
}

} // namespace ovilan
