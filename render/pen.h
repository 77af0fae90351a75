#pragma once

#include "render/color.h"

#include <cstdint>

namespace ovilan {

// What a straight line is drawn with: its width across the line in pixels (1..5; less draws as 1),
// its pattern (0 solid, 1..3 the three dash patterns) and its colour. A width above 5 or a pattern
// outside 0..3 draws nothing.
struct Pen {
    std::int32_t width = 1;
    std::int32_t style = 0;
    Rgb color = colorOf(0);

    bool operator==(const Pen&) const = default;
};

} // namespace ovilan
