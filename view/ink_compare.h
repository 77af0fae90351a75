#pragma once

#include <QImage>

namespace ovilan {

// Whether a pixel carries ink: it differs clearly from the picture's background.
inline bool isInk(QRgb pixel, QRgb background)
{
    return std::abs(qRed(pixel) - qRed(background)) + std::abs(qGreen(pixel) - qGreen(background))
        + std::abs(qBlue(pixel) - qBlue(background))
        > 96;
}

// The share of `drawn`'s ink pixels that have ink of `reference` within `reach` pixels: 1 when
// every stroke of one picture lies where the other has one. Both pictures have the same size.
inline double inkAgreement(const QImage& drawn, const QImage& reference, int reach)
{
    const QImage a = drawn.convertToFormat(QImage::Format_RGB32);
    const QImage b = reference.convertToFormat(QImage::Format_RGB32);
    const QRgb background = b.pixel(0, 0);
    long ink = 0;
    long matched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!isInk(a.pixel(x, y), background))
                continue;
            ++ink;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy)
                for (int dx = -reach; dx <= reach && !found; ++dx)
                    found = b.valid(x + dx, y + dy) && isInk(b.pixel(x + dx, y + dy), background);
            matched += found ? 1 : 0;
        }
    return ink == 0 ? 1.0 : static_cast<double>(matched) / static_cast<double>(ink);
}

} // namespace ovilan
