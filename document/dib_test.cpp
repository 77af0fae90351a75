#include "document/dib.h"
#include "document/dib_test_support.h"
#include "render/memory_canvas.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace ovilan {
namespace {

    std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at)
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16
            | std::uint32_t { bytes[at + 3] } << 24;
    }

    TEST(Dib, UncompressedPictureHasTheDocumentedSize)
    {
        const MemoryCanvas canvas(100, 100, colorOf(15));
        const auto file = bmpFile(toDib(canvas, 100, 100, DibCompression::None));
        EXPECT_EQ(file.size(), 5318u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(read32(file, 2), 5318u);
        EXPECT_EQ(read32(file, 10), 118u);
        EXPECT_EQ(read32(file, 14 + 16), 0u); // no compression
        EXPECT_EQ(read32(file, 14 + 20), 5200u);
        EXPECT_EQ(file[118], 0xFF); // white background pixels are palette entry 15
        EXPECT_EQ(read32(file, 54 + 9 * 4),
            0x00FF0000u); // entry 9, bright red: bytes blue, green, red, 0
    }

    TEST(Dib, RowsGoBottomUpWithTheHighNibbleFirst)
    {
        MemoryCanvas canvas(3, 2, colorOf(15));
        canvas.setPixel(0, 1, colorOf(9));
        canvas.setPixel(2, 0, colorOf(0));
        const auto dib = toDib(canvas, 3, 2, DibCompression::None);
        const std::vector<std::uint8_t> pixels(dib.begin() + 104, dib.end());
        EXPECT_EQ(pixels, (std::vector<std::uint8_t> { 0x9F, 0xF0, 0, 0, 0xFF, 0x00, 0, 0 }));
    }

    TEST(Dib, NearestColourMapsOffPaletteColours)
    {
        EXPECT_EQ(nearestColorIndex({ 250, 10, 5 }), 9);
        EXPECT_EQ(nearestColorIndex({ 200, 200, 190 }), 8);
        EXPECT_EQ(nearestColorIndex({ 0, 0, 0 }), 0);
    }

    TEST(Dib, RunLengthEncodingDecodesToEveryPixel)
    {
        std::mt19937 random(7);
        for (std::int32_t width = 1; width <= 300; ++width) {
            const std::int32_t height = 7;
            MemoryCanvas canvas(width, height, colorOf(15));
            for (std::int32_t y = 0; y < height; ++y) {
                for (std::int32_t x = 0; x < width; ++x) {
                    // Long runs, short runs and noise, so every kind of run appears.
                    const auto color = static_cast<std::int32_t>(
                        y % 3 == 0 ? random() % 16 : (x / (1 + (y + width) % 7)) % 16);
                    canvas.setPixel(x, y, colorOf(color));
                }
            }
            const auto dib = toDib(canvas, width, height, DibCompression::Rle4);
            ASSERT_EQ(read32(dib, 16), 2u);
            ASSERT_EQ(read32(dib, 20), dib.size() - 104);
            const auto rows = testing::decodeRle4Dib(dib);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(height)) << width;
            for (std::int32_t y = 0; y < height; ++y) {
                const auto& row = rows[static_cast<std::size_t>(height - 1 - y)];
                ASSERT_EQ(row.size(), static_cast<std::size_t>(width)) << y;
                for (std::int32_t x = 0; x < width; ++x)
                    ASSERT_EQ(
                        row[static_cast<std::size_t>(x)], nearestColorIndex(canvas.pixel(x, y)))
                        << x << "," << y << " of width " << width;
            }
        }
    }

    TEST(Dib, WriteBmpWritesTheFileOrSaysItCannot)
    {
        MemoryCanvas canvas(5, 3, colorOf(15));
        canvas.setPixel(1, 1, colorOf(12));
        const auto dib = toDib(canvas, 5, 3, DibCompression::Rle4);
        const std::string path = ::testing::TempDir() + "ovilan_write_bmp.bmp";
        ASSERT_TRUE(writeBmp(path, dib));
        std::ifstream file(path, std::ios::binary);
        const std::vector<std::uint8_t> written { std::istreambuf_iterator<char>(file),
            std::istreambuf_iterator<char>() };
        EXPECT_EQ(written, bmpFile(dib));
        std::remove(path.c_str());
        EXPECT_FALSE(writeBmp(::testing::TempDir() + "no-such-folder/picture.bmp", dib));
    }

} // namespace
} // namespace ovilan
