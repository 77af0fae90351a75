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

// The sums are grouped as plot x = (cx + xOffset) + (xDirection x xScale) x x always was, so
// every point maps to the same pixel as before the parts were kept.
PlotToDevice::PlotToDevice(const PlotMapping& mapping)
    : rect_(mapping.plotRect)
    , originX_(centreX(mapping.plotRect) + mapping.xOffset)
    , originY_(centreY(mapping.plotRect) - mapping.yOffset)
    , scaleX_(mapping.xDirection * mapping.xScale)
    , scaleY_(mapping.yDirection * mapping.yScale)
{
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
