#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ovilan {

// The multiples k x step that lie within min..max, k running from ceil(min / step) to
// floor(max / step). Ticks, labels and grid lines stand at them.
struct StepMultiples {
    double first = 0; // the smallest k
    std::int64_t count = 0; // how many there are; 0 for a step that is not positive

    double k(std::int64_t i) const { return first + static_cast<double>(i); }
    double fromTop(std::int64_t i) const { return first + static_cast<double>(count - 1 - i); }
};

// The pixels of a span of the plot rectangle that lie on the drawing surface. Loops over ticks
// and grid lines are bounded by it, so no rectangle a strange file lays out can make them run
// longer than the device is wide. It is the surface, never the area being repainted, so that a
// small repaint draws the same ticks and lines as a paint of the whole window.
struct PixelSpan {
    std::int32_t first = 0;
    std::int32_t last = -1;

    std::int64_t count() const { return last >= first ? std::int64_t { last } - first + 1 : 0; }
};

inline PixelSpan visibleSpan(
    std::int32_t from, std::int32_t to, std::int32_t clipLow, std::int32_t clipHigh)
{
    return { std::max(std::min(from, to), clipLow), std::min(std::max(from, to), clipHigh) };
}

// Counted with an integer, so a k beyond the precision of a double cannot stall the loop. A step
// so fine that there are more multiples than `limit` reports limit + 1; callers bound their loops
// by what can be seen on the device.
inline StepMultiples stepMultiples(double min, double max, double step, std::int64_t limit)
{
    StepMultiples multiples;
    if (!(step > 0))
        return multiples;
    const double first = std::ceil(min / step);
    const double last = std::floor(max / step);
    if (!std::isfinite(first) || !std::isfinite(last) || last < first)
        return multiples;
    multiples.first = first;
    const double count = last - first + 1;
    multiples.count
        = count > static_cast<double>(limit) ? limit + 1 : static_cast<std::int64_t>(count);
    return multiples;
}

} // namespace ovilan
