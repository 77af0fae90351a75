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

} // namespace ovilan
