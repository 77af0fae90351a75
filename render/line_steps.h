#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace ovilan {

// The pixels of a line as both rasterisers generate them: n = max(|dx|, |dy|); n + 1 times the
// two error counters grow by |dx| and |dy|, and a counter that exceeds n loses n and moves its
// coordinate one pixel toward the end. `visit(x, y, i)` sees every step, the first being the
// start itself, so a point may repeat the one before it.
template <typename Visit>
void forEachLineStep(
    std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Visit visit)
{
    const std::int64_t dx = std::llabs(static_cast<std::int64_t>(x2) - x1);
    const std::int64_t dy = std::llabs(static_cast<std::int64_t>(y2) - y1);
    const std::int64_t n = std::max(dx, dy);
    const int stepX = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
    const int stepY = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
    std::int64_t errorX = 0;
    std::int64_t errorY = 0;
    std::int32_t x = x1;
    std::int32_t y = y1;
    for (std::int64_t i = 0; i <= n; ++i) {
        errorX += dx;
        errorY += dy;
        if (errorX > n) {
            errorX -= n;
            x += stepX;
        }
        if (errorY > n) {
            errorY -= n;
            y += stepY;
        }
        visit(x, y, i);
    }
}

} // namespace ovilan
