#pragma once

#include "render/color.h"
#include "render/font_record.h"
#include "render/plot_mapping.h"

#include <cstdint>
#include <string_view>

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

    // Text measured in a font whose height is in points; the canvas converts it to its pixels
    // with fontPixelHeight.
    struct TextExtent {
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    virtual TextExtent measureText(const FontRecord& font, std::string_view text) const = 0;
    virtual std::int32_t pixelsPerInchY() const = 0;
};

// The device height of a font of `points` points: points x pixels-per-inch / 72, rounded as a
// multiply-divide rounds (halves away from zero).
constexpr std::int32_t fontPixelHeight(std::int32_t points, std::int32_t pixelsPerInch)
{
    const std::int64_t product = static_cast<std::int64_t>(points) * pixelsPerInch;
    const std::int64_t rounded = product >= 0 ? (product + 36) / 72 : (product - 36) / 72;
    return static_cast<std::int32_t>(rounded);
}

} // namespace ovilan
