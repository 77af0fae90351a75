#pragma once

#include <cstdint>
#include <limits>

namespace ovilan {

struct DeviceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const DeviceRect&) const = default;
};

// The mapping between plot coordinates and device pixels that the last layout computed. The
// program keeps one current mapping; drawing and the commands that depend on the screen
// direction of an axis take it as an argument.
struct PlotMapping {
    DeviceRect plotRect;
    double xScale = 1;
    double yScale = 1;
    double xOffset = 0;
    double yOffset = 0;
    std::int32_t xDirection = 1; // +1 "Left->Right", -1 "Right->Left"
    std::int32_t yDirection = 1; // +1 "Down->Up", -1 "Up->Down"

    bool operator==(const PlotMapping&) const = default;
};

struct DevicePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool inside = false;

    bool operator==(const DevicePoint&) const = default;
};

// A device position before rounding to a pixel: where plot-space things such as curves are handed
// to a surface, which rounds with roundToDevice for exact pixels or draws the position as it is.
struct DevicePosition {
    double x = 0;
    double y = 0;

    bool operator==(const DevicePosition&) const = default;
};

struct PlotPoint {
    double x = 0;
    double y = 0;
    bool inside = false;
};

// Rounds to the nearest whole number, halves toward +infinity, clamped to the int32 range: a
// point far outside the range is pinned, never an overflowed integer (NaN counts as low). The
// floor is taken by truncation, which is exact within the int32 range and cheaper than a library
// call on every mapped point.
inline std::int32_t roundToDevice(double value)
{
    const double shifted = value + 0.5;
    if (!(shifted >= -2147483648.0))
        return std::numeric_limits<std::int32_t>::min();
    if (shifted >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    auto whole = static_cast<std::int64_t>(shifted);
    if (static_cast<double>(whole) > shifted)
        --whole;
    return static_cast<std::int32_t>(whole);
}

// Plot to device pixels with the parts that depend only on the mapping worked out once, for
// loops over many points. Rounded to the nearest integer with halves upward, clamped to the int32
// range, and inside when within plotRect, edges included.
class PlotToDevice {
public:
    explicit PlotToDevice(const PlotMapping& mapping);

    DevicePosition unrounded(double x, double y) const
    {
        return { originX_ + scaleX_ * x, originY_ - scaleY_ * y };
    }

    DevicePoint operator()(double x, double y) const
    {
        const DevicePosition position = unrounded(x, y);
        DevicePoint point;
        point.x = roundToDevice(position.x);
        point.y = roundToDevice(position.y);
        point.inside = point.x >= rect_.left && point.x <= rect_.right && point.y >= rect_.top
            && point.y <= rect_.bottom;
        return point;
    }

private:
    DeviceRect rect_;
    double originX_; // the centre's column plus the offset
    double originY_;
    double scaleX_; // the direction times the scale
    double scaleY_;
};

inline DevicePoint plotToDevice(const PlotMapping& mapping, double x, double y)
{
    return PlotToDevice(mapping)(x, y);
}

PlotPoint deviceToPlot(const PlotMapping& mapping, std::int32_t px, std::int32_t py);

} // namespace ovilan
