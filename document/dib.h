#pragma once

#include "render/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ovilan {

enum class DibCompression { None = 0, Rle4 = 2 };

// The palette index nearest to a colour (least squared distance; the lower index on a tie).
std::int32_t nearestColorIndex(Rgb color);

// The picture on `canvas` (width x height pixels from its top left) as a 16-colour device-
// independent bitmap: info header, the palette of the colour index rule, pixel rows bottom-up.
std::vector<std::uint8_t> toDib(
    const Canvas& canvas, std::int32_t width, std::int32_t height, DibCompression compression);

// A BMP file: the 14-byte file header, then the DIB.
std::vector<std::uint8_t> bmpFile(const std::vector<std::uint8_t>& dib);

// Writes the BMP file of a DIB, creating or truncating it; false when it cannot be written.
bool writeBmp(const std::string& path, const std::vector<std::uint8_t>& dib);

// One row of palette indices in the BMP format's 4-bit run-length encoding. Every pixel is written
// explicitly: repeated pixels as encoded runs, stretches of 3 or more as absolute runs padded to a
// 16-bit boundary, then the end of line; no run crosses a row and no delta is used, since decoders
// disagree about anything else.
void encodeRle4Row(const std::vector<std::uint8_t>& indices, std::vector<std::uint8_t>& out);

} // namespace ovilan
