#pragma once

#include <cstdint>

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

struct PlotPoint {
    double x = 0;
    double y = 0;
    bool inside = false;
};

// Plot to device pixels: rounded to the nearest integer with halves upward, clamped to the int32
// range, and inside when within plotRect, edges included.
DevicePoint plotToDevice(const PlotMapping& mapping, double x, double y);
PlotPoint deviceToPlot(const PlotMapping& mapping, std::int32_t px, std::int32_t py);

// Rounds to the nearest whole number, halves toward +infinity, clamped to the int32 range.
std::int32_t roundToDevice(double value);

} // namespace ovilan
