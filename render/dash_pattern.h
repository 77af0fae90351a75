#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace ovilan {

// The positions of a dash pattern's 32-position run that are drawn, first and last included.
struct DashRun {
    int first;
    int last;
};

// The runs of a pen style: 0 solid, 1..3 the three dash patterns; any other style draws nothing.
std::span<const DashRun> dashRuns(std::int32_t style);

// Whether each position 0..31 of a run is drawn, as a mask with bit p for position p.
std::uint32_t dashMask(std::int32_t style);

// The pattern of a curve of a brush `width` pixels wide: each dash shortened by the brush's reach
// behind and ahead of its centre, so the stamped width keeps the gaps open.
std::array<bool, 32> curveDashPattern(std::int32_t style, std::int32_t width);

} // namespace ovilan
