#include "render/pixel_line.h"

#include "render/dash_pattern.h"
#include "render/line_steps.h"

#include <cstdlib>

namespace ovilan {

namespace {

    bool inBox(const DeviceRect& box, std::int64_t x, std::int64_t y)
    {
        return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
    }

    // Widening reaches this far across a line, so points this far outside the clip box can still
    // set pixels inside it.
    constexpr int kWidestReach = 2;

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
    const std::uint32_t drawn = dashMask(pattern);
    const LineSteps steps(x1, y1, x2, y2);
    // Width grows across the line: vertically for a flat line, horizontally otherwise.
    const bool flat = std::llabs(std::int64_t { y2 } - y1) < std::llabs(std::int64_t { x2 } - x1);
    const int ux = flat ? 0 : 1;
    const int uy = flat ? 1 : 0;
    // Offsets across the line by width: 2 adds +u, 3 adds -u, 4 adds -2u, 5 adds +2u.
    constexpr int kAcross[5] = { 0, 1, -1, -2, 2 };
    const int across = width <= 1 ? 1 : width;
    const DeviceRect surface = canvas.surfaceBox();
    // Only points that can reach the clip box are visited; the pattern position of a point is its
    // index, counted from the true start.
    const auto [first, last] = steps.within(canvas.clipBox(), kWidestReach);
    for (std::int64_t i = first; i <= last; ++i) {
        if (((drawn >> (i % 32)) & 1U) == 0)
            continue;
        const auto [x, y] = steps.point(i);
        // The point itself must lie on the surface, whatever part of it is being repainted; its
        // widening pixels are clipped by the canvas.
        if (!inBox(surface, x, y))
            continue;
        for (int k = 0; k < across; ++k)
            canvas.setPixel(static_cast<std::int32_t>(x + kAcross[k] * ux),
                static_cast<std::int32_t>(y + kAcross[k] * uy),
                color);
    }
}

} // namespace ovilan
