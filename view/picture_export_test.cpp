#include "document/dib_test_support.h"
#include "document/document_file.h"
#include "view/example_document_test_support.h"
#include "view/picture_export.h"
#include "view/qimage_canvas.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    QImage blankImage(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    TEST(QImageCanvas, PixelsGoStraightIntoTheImageWithinTheClipBox)
    {
        QImage image = blankImage(8, 6);
        QImageCanvas canvas(image);
        canvas.setPixel(2, 3, colorOf(9));
        canvas.setPixel(-1, 3, colorOf(9));
        canvas.setPixel(8, 0, colorOf(9));
        EXPECT_EQ(image.pixel(2, 3), qRgb(255, 0, 0));
        EXPECT_EQ(canvas.pixel(2, 3), colorOf(9));
        canvas.setClipBox({ 1, 1, 3, 3 });
        canvas.setPixel(4, 1, colorOf(0));
        canvas.fillRect({ 0, 0, 8, 6 }, colorOf(10));
        EXPECT_EQ(image.pixel(4, 1), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
        EXPECT_EQ(image.pixel(3, 3), qRgb(0, 255, 0));
        EXPECT_EQ(canvas.pixelsPerInchY(), 96);
    }

    TEST(QImageCanvas, FontsResolveToTheirMetricTwinsAndTextIsNotSmoothed)
    {
        const QFont arial = toQFont(makeFont("Arial", 8, 0), 96);
        EXPECT_EQ(arial.pixelSize(), 11);
        EXPECT_EQ(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(QFontInfo(toQFont(makeFont("Times New Roman", 9, 700), 96)).family(),
            QStringLiteral("Liberation Serif"));

        QImage image = blankImage(120, 40);
        QImageCanvas canvas(image);
        const FontRecord font = makeFont("Arial", 12, 700);
        const Canvas::TextExtent extent = canvas.measureText(font, "Ovilan 42");
        EXPECT_GT(extent.width, 40);
        EXPECT_EQ(extent.height, QFontMetrics(toQFont(font, 96)).height());
        canvas.textState().backgroundColor = colorOf(14);
        canvas.drawText(font, "Ovilan 42", 5, 5);
        // Inside the text's box every pixel is the text colour or the opaque background.
        int ink = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 120; ++x) {
                const bool inBox
                    = x >= 5 && x < 5 + extent.width && y >= 5 && y < 5 + extent.height;
                const QRgb pixel = image.pixel(x, y);
                if (!inBox) {
                    ASSERT_EQ(pixel, qRgb(255, 255, 255)) << x << "," << y;
                    continue;
                }
                ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(0, 255, 255)) << x << "," << y;
                ink += pixel == qRgb(0, 0, 0);
            }
        }
        EXPECT_GT(ink, 50);
    }

    // Italic glyphs reach past the text's advance; a clip box that begins just after it still
    // gets those pixels, as a drawing of the whole picture has them.
    TEST(QImageCanvas, TextOverhangIsDrawnInAClipBoxBesideTheText)
    {
        FontRecord font = makeFont("Times New Roman", 20, 400);
        font.lfItalic = 1;
        QImage whole = blankImage(120, 50);
        QImageCanvas wholeCanvas(whole);
        const int right = 10 + wholeCanvas.measureText(font, "ff").width;
        wholeCanvas.drawText(font, "ff", 10, 10);
        QImage clipped = blankImage(120, 50);
        QImageCanvas clippedCanvas(clipped);
        clippedCanvas.setClipBox({ right, 0, 119, 49 });
        clippedCanvas.drawText(font, "ff", 10, 10);
        int overhang = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = right; x < 120; ++x) {
                ASSERT_EQ(clipped.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
                overhang += whole.pixel(x, y) == qRgb(0, 0, 0);
            }
        EXPECT_GT(overhang, 0);
    }

    // The gallery document as ovilan-cli and the program open it.
    struct Gallery : testing::Example {
        Gallery()
            : Example(QStringLiteral("gallery.ovd"))
        {
        }
    };

    QImage readBmp(const std::vector<std::uint8_t>& dib)
    {
        const std::vector<std::uint8_t> file = bmpFile(dib);
        return QImage::fromData(file.data(), static_cast<int>(file.size()), "BMP")
            .convertToFormat(QImage::Format_RGB32);
    }

    TEST(Picture, EveryFormatCarriesTheSamePixels)
    {
        const Gallery gallery;
        ASSERT_GT(gallery.document.graphCount(), 4);
        for (const auto& [width, height] : { std::pair { 640, 480 }, { 333, 101 }, { 100, 100 } }) {
            const QImage picture = renderPictureImage(gallery.document, width, height);
            const QImage indexed = toPaletteImage(picture);
            const QImage palette = indexed.convertToFormat(QImage::Format_RGB32);
            const auto plain = pictureDib(picture, DibCompression::None);
            const auto rle = pictureDib(picture, DibCompression::Rle4);
            // The drawing uses palette colours only, so nothing is lost in the 16 colours.
            EXPECT_EQ(palette, picture.convertToFormat(QImage::Format_RGB32));
            EXPECT_EQ(readBmp(plain), palette) << width << "x" << height;
            EXPECT_EQ(readBmp(rle), palette) << width << "x" << height;
            EXPECT_LT(rle.size(), plain.size());

            // Our own strict decoder agrees with the uncompressed rows, pixel by pixel.
            const auto rows = testing::decodeRle4Dib(rle);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(height));
            for (int y = 0; y < height; ++y) {
                const auto& row = rows[static_cast<std::size_t>(height - 1 - y)];
                ASSERT_EQ(row.size(), static_cast<std::size_t>(width));
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(indexed.pixelIndex(x, y), row[static_cast<std::size_t>(x)])
                        << x << "," << y;
            }
        }
    }

    TEST(Picture, TheWindowsMappingIsNotTouched)
    {
        // The picture lays out its own mapping; drawing twice gives the same pixels.
        const Gallery gallery;
        const QImage first = renderPictureImage(gallery.document, 300, 200);
        const QImage second = renderPictureImage(gallery.document, 300, 200);
        EXPECT_EQ(first, second);
        EXPECT_EQ(first.pixel(0, 0), qRgb(255, 255, 255));
    }

} // namespace
} // namespace ovilan

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
