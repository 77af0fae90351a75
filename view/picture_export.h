#pragma once

#include "document/dib.h"
#include "document/ovilan_doc.h"

#include <QImage>
#include <QString>

#include <vector>

namespace ovilan {

// The document's plot drawn off screen on a 32-bit image of width x height pixels.
QImage renderPictureImage(const COvilanDoc& document, int width, int height);

// The picture in the 16 colours of the plot, each pixel mapped to its nearest palette colour as
// the BMP export maps it: the same pixels for every picture format.
QImage toPaletteImage(const QImage& picture);

// The 16-colour DIB of a rendered picture, uncompressed or run-length encoded.
std::vector<std::uint8_t> pictureDib(QImage picture, DibCompression compression);

} // namespace ovilan
