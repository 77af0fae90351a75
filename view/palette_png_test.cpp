#include "document/document_file.h"
#include "view/palette_png.h"
#include "view/picture_export.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <random>

namespace ovilan {
namespace {

    QImage decoded(const std::vector<std::uint8_t>& png)
    {
        const QImage image = QImage::fromData(
            QByteArrayView(reinterpret_cast<const char*>(png.data()), qsizetype(png.size())),
            "PNG");
        EXPECT_FALSE(image.isNull());
        return image;
    }

    // The pixels as the 16-colour PNG has always had them, compared in 32-bit colour.
    void expectSamePixels(const QImage& picture)
    {
        const QImage png = decoded(palettePngFile(picture));
        EXPECT_EQ(png.colorCount(), 16);
        EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
            toPaletteImage(picture).convertToFormat(QImage::Format_RGB32));
    }

    TEST(PalettePng, EveryExampleDecodesToThePixelsOfThePalettePicture)
    {
        const QDir examples(QStringLiteral(OVILAN_EXAMPLES));
        for (const QString& name : examples.entryList({ QStringLiteral("*.ovd") })) {
            SCOPED_TRACE(name.toStdString());
            QFile file(examples.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const AppPreferences preferences;
            COvilanDoc document(preferences);
            ASSERT_TRUE(loadDocument(document,
                std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()))));
            // An odd width ends its rows in half a byte.
            expectSamePixels(renderPictureImage(document, 800, 600));
            expectSamePixels(renderPictureImage(document, 333, 101));
        }
    }

    TEST(PalettePng, OffPaletteColoursAndNarrowRowsMapToTheNearestPaletteColour)
    {
        std::mt19937 random(11);
        std::uniform_int_distribution<int> channel(0, 255);
        for (int width = 1; width <= 9; ++width) {
            QImage picture(width, 5, QImage::Format_RGB32);
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < width; ++x)
                    picture.setPixel(x, y, qRgb(channel(random), channel(random), channel(random)));
            SCOPED_TRACE(width);
            expectSamePixels(picture);
        }
    }

    TEST(PalettePng, HeaderSaysFourBitsOfAPalette)
    {
        QImage picture(320, 200, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const auto png = palettePngFile(picture);
        ASSERT_GT(png.size(), 33u);
        const std::vector<std::uint8_t> header(png.begin() + 12, png.begin() + 29);
        EXPECT_EQ(header,
            (std::vector<std::uint8_t> {
                'I', 'H', 'D', 'R', 0, 0, 1, 64, 0, 0, 0, 200, 4, 3, 0, 0, 0 }));
    }

} // namespace
} // namespace ovilan
