#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace ovilan {

// A rendered picture as a 16-colour PNG file, 4 bits per pixel: each pixel mapped to its nearest
// palette colour as toPaletteImage and the BMP export map it, so every format has the same pixels.
// Empty when the file could not be made.
std::vector<std::uint8_t> palettePngFile(const QImage& picture);

} // namespace ovilan
