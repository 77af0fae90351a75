#include "shell/picture_files.h"

#include "view/picture_export.h"

#include <QBuffer>
#include <QSaveFile>

namespace ovilan {

namespace {

    QByteArray bytesOf(const std::vector<std::uint8_t>& file)
    {
        return QByteArray(
            reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size()));
    }

    QByteArray pngBytes(const QImage& picture)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
            return {};
        return bytes;
    }

} // namespace

bool isSharpPicture(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
    case PictureFormat::Png:
        return false;
    case PictureFormat::Svg:
    case PictureFormat::Pdf:
    case PictureFormat::SmoothPng:
        return true;
    }
    return false;
}

QByteArray exactPictureFile(
    const COvilanDoc& document, const PictureRequest& request, PictureFormat format)
{
    const QImage picture = renderPictureImage(document, request.width, request.height);
    if (format == PictureFormat::Png)
        return pngBytes(toPaletteImage(picture));
    const auto dib = pictureDib(picture, request.rle ? DibCompression::Rle4 : DibCompression::None);
    if (dib.empty())
        return {};
    return bytesOf(bmpFile(dib));
}

QByteArray sharpPictureFile(
    const COvilanDoc& document, const SharpPictureSize& size, PictureFormat format)
{
    switch (format) {
    case PictureFormat::Svg:
        return svgPictureFile(document, size);
    case PictureFormat::Pdf:
        return pdfPictureFile(document, size);
    case PictureFormat::SmoothPng:
        return smoothPngFile(document, size);
    case PictureFormat::Bmp:
    case PictureFormat::Png:
        break;
    }
    return {};
}

// A picture smaller than Qt's write buffer reaches the disk only when the file is closed, and a
// failure there does not stop commit() from replacing the target with a cut-off file: the explicit
// flush reports it, and the temporary file is thrown away.
bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
        && file.commit();
}

} // namespace ovilan
