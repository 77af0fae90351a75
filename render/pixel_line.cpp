#include "render/pixel_line.h"

#include <algorithm>
#include <cstdlib>

namespace ovilan {

namespace {

    // Whether position 0..31 of a run is drawn in the pattern.
    bool patternOn(std::int32_t pattern, int position)
    {
        switch (pattern) {
        case 0:
            return true;
        case 1:
            return position <= 23;
        case 2:
            return position <= 11 || (position >= 16 && position <= 27);
        case 3:
            return position <= 16 || (position >= 22 && position <= 26);
        default:
            return false;
        }
    }

    bool inClip(const DeviceRect& clip, std::int64_t x, std::int64_t y)
    {
        return x >= clip.left && x <= clip.right && y >= clip.top && y <= clip.bottom;
    }

} // namespace

void drawPixelLine(Canvas& canvas,
    std::int32_t x1,
    std::int32_t y1,
    std::int32_t x2,
    std::int32_t y2,
    std::int32_t width,
    std::int32_t pattern,
    Rgb color)
{
    if (width > 5 || pattern < 0 || pattern > 3)
        return;
    const std::uint64_t dx = static_cast<std::uint64_t>(std::llabs(std::int64_t { x2 } - x1));
    const std::uint64_t dy = static_cast<std::uint64_t>(std::llabs(std::int64_t { y2 } - y1));
    const std::uint64_t n = std::max(dx, dy);
    // Width grows across the line: vertically for a flat line, horizontally otherwise.
    const bool flat = dy < dx;
    const int ux = flat ? 0 : 1;
    const int uy = flat ? 1 : 0;
    // Offsets across the line by width: 2 adds +u, 3 adds -u, 4 adds -2u, 5 adds +2u.
    constexpr int kAcross[5] = { 0, 1, -1, -2, 2 };
    const int across = width <= 1 ? 1 : width;
    const DeviceRect clip = canvas.clipBox();
    const std::int64_t stepX = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
    const std::int64_t stepY = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;

    // The error counters step the long direction at every point after the first, so point i lies
    // i pixels along it, and no point repeats the one before it. Only the points whose long
    // coordinate is within the clip box can be drawn; the loop visits just those, which keeps a
    // line between far-away ends as cheap as its visible part.
    const bool alongX = dx >= dy;
    const std::int64_t start = alongX ? x1 : y1;
    const std::int64_t step = alongX ? stepX : stepY;
    const std::int64_t low = alongX ? clip.left : clip.top;
    const std::int64_t high = alongX ? clip.right : clip.bottom;
    std::int64_t first = 0;
    std::int64_t last = static_cast<std::int64_t>(n);
    if (step > 0) {
        first = std::max(first, low - start);
        last = std::min(last, high - start);
    } else if (step < 0) {
        first = std::max(first, start - high);
        last = std::min(last, start - low);
    } else if (start < low || start > high) {
        return;
    }
    // After i + 1 additions a counter of increment d has stepped floor(((i + 1) d - 1) / n) times.
    const auto stepsAfter = [n](std::uint64_t d, std::int64_t i) -> std::int64_t {
        if (d == 0)
            return 0;
        return static_cast<std::int64_t>(((static_cast<std::uint64_t>(i) + 1) * d - 1) / n);
    };
    for (std::int64_t i = first; i <= last; ++i) {
        if (!patternOn(pattern, static_cast<int>(i % 32)))
            continue;
        const std::int64_t x = x1 + stepX * stepsAfter(dx, i);
        const std::int64_t y = y1 + stepY * stepsAfter(dy, i);
        // The point itself must lie in the clip box; its widening pixels are clipped by the canvas.
        if (!inClip(clip, x, y))
            continue;
        for (int k = 0; k < across; ++k)
            canvas.setPixel(static_cast<std::int32_t>(x + kAcross[k] * ux),
                static_cast<std::int32_t>(y + kAcross[k] * uy),
                color);
    }
}

} // namespace ovilan
