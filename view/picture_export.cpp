#include "view/picture_export.h"

#include "document/draw_plot.h"
#include "view/qimage_canvas.h"

namespace ovilan {

QImage renderPictureImage(const COvilanDoc& document, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QImageCanvas canvas(picture);
    renderPicture(canvas, document, width, height);
    return picture;
}

QImage toPaletteImage(const QImage& picture)
{
    QImage indexed(picture.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (ColorIndex index = 0; index < 16; ++index) {
        const Rgb color = colorOf(index);
        table.append(qRgb(color.red, color.green, color.blue));
    }
    indexed.setColorTable(table);
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            const Rgb color { static_cast<std::uint8_t>(qRed(from[x])),
                static_cast<std::uint8_t>(qGreen(from[x])),
                static_cast<std::uint8_t>(qBlue(from[x])) };
            to[x] = static_cast<uchar>(nearestColorIndex(color));
        }
    }
    return indexed;
}

std::vector<std::uint8_t> pictureDib(QImage picture, DibCompression compression)
{
    // The canvas writes into the image it wraps, so it must hold the only copy of the pixels.
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    const QImageCanvas canvas(picture);
    return toDib(canvas, picture.width(), picture.height(), compression);
}

} // namespace ovilan
