#pragma once

#include "render/plot_mapping.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

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

// The same points by index. The long direction steps at every point after the first, so point i
// lies i pixels along it and never repeats the one before it; the short direction has stepped
// floor(((i + 1) d - 1) / n) times. Drawing can so visit only the points near the clip box, which
// keeps a line between far-away ends as cheap as its visible part.
class LineSteps {
public:
    LineSteps(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
        : x1_(x1)
        , y1_(y1)
        , dx_(static_cast<std::uint64_t>(std::llabs(std::int64_t { x2 } - x1)))
        , dy_(static_cast<std::uint64_t>(std::llabs(std::int64_t { y2 } - y1)))
        , n_(std::max(dx_, dy_))
        , stepX_(x2 > x1    ? 1
                  : x2 < x1 ? -1
                            : 0)
        , stepY_(y2 > y1    ? 1
                  : y2 < y1 ? -1
                            : 0)
    {
    }

    // Points 0 .. last(); the first is the start, the last the end.
    std::int64_t last() const { return static_cast<std::int64_t>(n_); }

    std::pair<std::int64_t, std::int64_t> point(std::int64_t i) const
    {
        return { x1_ + stepX_ * stepsAfter(dx_, i), y1_ + stepY_ * stepsAfter(dy_, i) };
    }

    // The indices first .. second whose long coordinate lies within the clip box grown by
    // `margin` on every side; first > second when there are none.
    std::pair<std::int64_t, std::int64_t> within(const DeviceRect& clip, int margin) const
    {
        const bool alongX = dx_ >= dy_;
        const std::int64_t start = alongX ? x1_ : y1_;
        const std::int64_t step = alongX ? stepX_ : stepY_;
        const std::int64_t low = std::int64_t { alongX ? clip.left : clip.top } - margin;
        const std::int64_t high = std::int64_t { alongX ? clip.right : clip.bottom } + margin;
        std::int64_t first = 0;
        std::int64_t last = this->last();
        if (step > 0) {
            first = std::max(first, low - start);
            last = std::min(last, high - start);
        } else if (step < 0) {
            first = std::max(first, start - high);
            last = std::min(last, start - low);
        } else if (start < low || start > high) {
            return { 1, 0 };
        }
        return { first, last };
    }

private:
    std::int64_t stepsAfter(std::uint64_t d, std::int64_t i) const
    {
        if (d == 0)
            return 0;
        // At most (2^32) x (2^32 - 1), which fits the unsigned 64 bits.
        return static_cast<std::int64_t>(((static_cast<std::uint64_t>(i) + 1) * d - 1) / n_);
    }

    std::int64_t x1_;
    std::int64_t y1_;
    std::uint64_t dx_;
    std::uint64_t dy_;
    std::uint64_t n_;
    std::int64_t stepX_;
    std::int64_t stepY_;
};

} // namespace ovilan
