#pragma once

#include "render/plot_settings.h"

#include <cstdint>

namespace ovilan {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The one colour rule of the plot: index 8 is light grey (192, 192, 192); otherwise the level is
// 128 below 8 and 255 above, and bits 0, 1, 2 switch red, green and blue on. So 0 is black, 7 is
// (128, 128, 128), 9 bright red and 15 white.
constexpr Rgb colorOf(ColorIndex index)
{
    if (index == 8)
        return { 192, 192, 192 };
    const std::uint8_t level = index < 8 ? 128 : 255;
    return { static_cast<std::uint8_t>(index & 1 ? level : 0),
        static_cast<std::uint8_t>(index & 2 ? level : 0),
        static_cast<std::uint8_t>(index & 4 ? level : 0) };
}

} // namespace ovilan
