#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ovilan {

// The sample values from..to in n steps: v(0) = from, v(i+1) = v(i) + step, so the samples drift
// exactly as documents have always been traced (x = 0 in -10..10 is reached only approximately).
void fillSamples(double from, double to, int n, std::span<double> samples);

// Traces a normal form at the samples: values[i] is written where the formula is defined, and
// undefined[i] is 1 where it is not (values[i] then keeps what it held).
void traceFormula(std::string_view normalForm,
    std::string_view variable,
    std::span<const double> samples,
    std::span<double> values,
    std::span<std::uint8_t> undefined);

// penUp[0] = 1; penUp[i] = 1 when point i or point i-1 is undefined. Works in place: `marks` and
// `penUp` may be the same array.
void applyPenUpRule(std::span<const std::uint8_t> marks, std::span<std::uint8_t> penUp);

} // namespace ovilan
