#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace ovilan {

// Fills `indices` (one byte a pixel, the picture's width long) with the palette indices of row y.
using PaletteRowSource = std::function<void(std::int32_t y, std::span<std::uint8_t> indices)>;

// A picture of width x height pixels in the plot's 16 colours as a PNG file, 4 bits per pixel,
// with the palette of the colour index rule: given the indices the BMP picture holds, both decode
// to the same pixels. Empty when the pixels could not be compressed.
std::vector<std::uint8_t> palettePngFile(
    std::int32_t width, std::int32_t height, const PaletteRowSource& rows);

} // namespace ovilan
