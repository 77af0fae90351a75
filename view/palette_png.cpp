#include "view/palette_png.h"

#include "document/dib.h"
#include "document/png_file.h"

namespace ovilan {

namespace {

    std::uint8_t paletteIndexOf(QRgb pixel)
    {
        return static_cast<std::uint8_t>(nearestColorIndex({ static_cast<std::uint8_t>(qRed(pixel)),
            static_cast<std::uint8_t>(qGreen(pixel)),
            static_cast<std::uint8_t>(qBlue(pixel)) }));
    }

} // namespace

std::vector<std::uint8_t> palettePngFile(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const auto rows = [&source](std::int32_t y, std::span<std::uint8_t> indices) {
        const auto* pixels = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        // Pictures are mostly long stretches of one colour: remember the last mapping.
        QRgb last = pixels[0];
        std::uint8_t lastIndex = paletteIndexOf(last);
        for (std::size_t x = 0; x < indices.size(); ++x) {
            if (pixels[x] != last) {
                last = pixels[x];
                lastIndex = paletteIndexOf(last);
            }
            indices[x] = lastIndex;
        }
    };
    return palettePngFile(source.width(), source.height(), rows);
}

} // namespace ovilan
