#include "render/plot_mapping.h"

#include <cmath>
#include <limits>

namespace ovilan {

namespace {

    bool within(const DeviceRect& rect, std::int32_t x, std::int32_t y)
    {
        return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
    }

    // The integer midpoints of the plot rectangle.
    double centreX(const DeviceRect& rect) { return rect.left + (rect.right - rect.left) / 2; }
    double centreY(const DeviceRect& rect) { return rect.top + (rect.bottom - rect.top) / 2; }

} // namespace

std::int32_t roundToDevice(double value)
{
    // floor(value + 0.5), clamped: a point far outside the range is pinned, never an overflowed
    // integer (NaN counts as low). The floor is taken by truncation, which is exact within the
    // int32 range and cheaper than a library call on every mapped point.
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

DevicePoint plotToDevice(const PlotMapping& mapping, double x, double y)
{
    const DeviceRect& rect = mapping.plotRect;
    DevicePoint point;
    point.x
        = roundToDevice(centreX(rect) + mapping.xOffset + mapping.xDirection * mapping.xScale * x);
    point.y
        = roundToDevice(centreY(rect) - mapping.yOffset - mapping.yDirection * mapping.yScale * y);
    point.inside = within(rect, point.x, point.y);
    return point;
}

PlotPoint deviceToPlot(const PlotMapping& mapping, std::int32_t px, std::int32_t py)
{
    const DeviceRect& rect = mapping.plotRect;
    PlotPoint point;
    point.x = (px - (centreX(rect) + mapping.xOffset)) / mapping.xScale * mapping.xDirection;
    point.y = -(py - (centreY(rect) - mapping.yOffset)) / mapping.yScale * mapping.yDirection;
    point.inside = within(rect, px, py);
    return point;
}

} // namespace ovilan
