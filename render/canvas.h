#pragma once

#include "render/color.h"
#include "render/plot_mapping.h"

#include <cstdint>

namespace ovilan {

// The drawing surface the plot is drawn on: a window's back buffer, an exported picture, or an
// image in memory for tests. Every line of the plot is drawn pixel by pixel through it, so the
// screen, the pictures and the tests see the same pixels.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPixel(std::int32_t x, std::int32_t y, Rgb color) = 0;
    virtual Rgb pixel(std::int32_t x, std::int32_t y) const = 0;
    // The clip box, edges included; drawing outside it has no effect.
    virtual DeviceRect clipBox() const = 0;
};

} // namespace ovilan
