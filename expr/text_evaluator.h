#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace ovilan {

// Evaluates a normal form directly, with `variable` standing for `value`. Serves one-off values:
// constant folding, table cells, interval bounds. Only normal forms may be given: a leaf that is
// not the variable is read as its leading number.
std::optional<double> evaluateText(std::string_view text, std::string_view variable, double value);

// The same with the parameters' current values, indexed as kParameterLetters: a leaf that names a
// parameter reads its value (0 beyond the end of `parameters`, as without them).
std::optional<double> evaluateText(std::string_view text,
    std::string_view variable,
    double value,
    std::span<const double> parameters);

} // namespace ovilan
