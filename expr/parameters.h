#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace ovilan {

// The letters a formula may use for parameters, which a slider sets: "k*x", "sin(k*x)+m". None
// of them is a variable, a function name or part of one, so an operand equal to one of them
// is always that parameter. A parameter's index is its place here.
inline constexpr std::array<std::string_view, 6> kParameterNames = { "j", "k", "m", "v", "w", "z" };
inline constexpr std::size_t kParameterCount = kParameterNames.size();

constexpr std::optional<std::size_t> parameterIndex(std::string_view operand)
{
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        if (operand == kParameterNames[i])
            return i;
    }
    return std::nullopt;
}

// A parameter's current value; one without a value reads 0, as the letter alone always has.
constexpr double parameterValue(std::span<const double> values, std::size_t index)
{
    return index < values.size() ? values[index] : 0.0;
}

} // namespace ovilan
