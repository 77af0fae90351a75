#pragma once

#include "document/ovilan_doc.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace ovilan {

// The limits of the sharp pictures — SVG, PDF and the smooth PNG — beside the plot sizes of the
// 16-colour pictures (100..3000 pixels a side).
inline constexpr double kMinPictureScale = 1;
inline constexpr double kMaxPictureScale = 10;
inline constexpr int kMinPictureDpi = 30;
inline constexpr int kMaxPictureDpi = 2400;
// 100 and 3000 plot pixels at 96 per inch are 26.46 and 793.75 millimetres.
inline constexpr double kMinPictureMillimetres = 26.4;
inline constexpr double kMaxPictureMillimetres = 794;
inline constexpr int kMaxSharpPictureSide = 20000;
inline constexpr qint64 kMaxSharpPicturePixels = 100'000'000;

// How big a sharp picture is: its plot laid out on `plot` plot pixels and drawn on `device`
// pixels (the PNG's pixels). A PDF's page is `millimetres` when given; otherwise it, and an SVG
// always, is the plot's size at 96 per inch, which the millimetres' plot matches to a fraction of
// a millimetre.
struct SharpPictureSize {
    QSize plot;
    QSize device;
    std::optional<QSizeF> millimetres;
};

// A size, or the message that refuses what was asked for, naming the limit it breaks.
struct SharpPictureSizeReading {
    SharpPictureSize size;
    QString refusal;
};

// The plot of plotSize plot pixels drawn `scale` times larger.
SharpPictureSizeReading scaledPictureSize(QSize plotSize, double scale);
// A picture of the given millimetres at `dpi` dots per inch; its plot is laid out at 96 per inch.
SharpPictureSizeReading printedPictureSize(QSizeF millimetres, int dpi);

// The picture files, drawn through the vector end; empty bytes when the picture could not be made.
// The SVG keeps its texts as text; the PDF is one page of the picture's size with its fonts
// embedded.
QByteArray svgPictureFile(const COvilanDoc& document, const SharpPictureSize& size);
QByteArray pdfPictureFile(const COvilanDoc& document, const SharpPictureSize& size);
// The smooth picture in full colour on its device pixels; a null image when there is no memory.
QImage smoothPictureImage(const COvilanDoc& document, const SharpPictureSize& size);
QByteArray smoothPngFile(const COvilanDoc& document, const SharpPictureSize& size);

} // namespace ovilan
