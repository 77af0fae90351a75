#include "document/dib.h"
#include "render/memory_canvas.h"

#include <gtest/gtest.h>
#include <random>

namespace ovilan {
namespace {

    std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at)
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16
            | std::uint32_t { bytes[at + 3] } << 24;
    }

    // A strict decoder of the runs our encoder may write: encoded runs, absolute runs of 3 or more
    // padded to 16 bits, end of line, end of bitmap; anything else fails the test.
    std::vector<std::vector<std::uint8_t>> decodeRle4(const std::vector<std::uint8_t>& data)
    {
        std::vector<std::vector<std::uint8_t>> rows(1);
        std::size_t i = 0;
        while (i + 1 < data.size()) {
            const std::uint8_t count = data[i];
            const std::uint8_t value = data[i + 1];
            i += 2;
            if (count > 0) {
                for (int k = 0; k < count; ++k)
                    rows.back().push_back(k % 2 == 0 ? value >> 4 : value & 15);
            } else if (value == 0) {
                rows.emplace_back();
            } else if (value == 1) {
                rows.pop_back();
                EXPECT_EQ(i, data.size());
                return rows;
            } else {
                EXPECT_GE(value, 3);
                const std::size_t bytes = (value + 1) / 2;
                for (int k = 0; k < value; ++k)
                    rows.back().push_back(k % 2 == 0 ? data[i + k / 2] >> 4 : data[i + k / 2] & 15);
                i += bytes + bytes % 2;
            }
        }
        ADD_FAILURE() << "no end of bitmap";
        return rows;
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
        const std::int32_t width = 301;
        const std::int32_t height = 40;
        MemoryCanvas canvas(width, height, colorOf(15));
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                // Long runs, short runs and noise, so every kind of run appears.
                const auto color = static_cast<std::int32_t>(
                    y % 3 == 0 ? random() % 16 : (x / (1 + y % 7)) % 16);
                canvas.setPixel(x, y, colorOf(color));
            }
        }
        const auto dib = toDib(canvas, width, height, DibCompression::Rle4);
        EXPECT_EQ(read32(dib, 16), 2u);
        const std::vector<std::uint8_t> data(dib.begin() + 104, dib.end());
        EXPECT_EQ(read32(dib, 20), data.size());
        const auto rows = decodeRle4(data);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(height));
        for (std::int32_t y = 0; y < height; ++y) {
            const auto& row = rows[static_cast<std::size_t>(height - 1 - y)];
            ASSERT_EQ(row.size(), static_cast<std::size_t>(width)) << y;
            for (std::int32_t x = 0; x < width; ++x)
                ASSERT_EQ(row[static_cast<std::size_t>(x)], nearestColorIndex(canvas.pixel(x, y)))
                    << x << "," << y;
        }
    }

} // namespace
} // namespace ovilan
