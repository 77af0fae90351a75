#pragma once

#include "render/canvas.h"

#include <cstdint>

namespace ovilan {

// Axes, ticks, arrows, grid lines, legend samples and frames are drawn with this one routine: the
// points from (x1, y1) to (x2, y2) in runs of 32 positions switched on by the pattern (0 solid,
// 1..3 dashed; others draw nothing), widened across the line up to 5 pixels; points off the drawing
// surface are left out and pixels outside the clip box are not set.
void drawPixelLine(Canvas& canvas,
    std::int32_t x1,
    std::int32_t y1,
    std::int32_t x2,
    std::int32_t y2,
    std::int32_t width,
    std::int32_t pattern,
    Rgb color);

} // namespace ovilan
