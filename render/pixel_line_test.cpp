#include "render/memory_canvas.h"
#include "render/pixel_line.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    const Rgb kBlack = colorOf(0);

    std::string line(std::int32_t width,
        std::int32_t height,
        std::int32_t x1,
        std::int32_t y1,
        std::int32_t x2,
        std::int32_t y2,
        std::int32_t lineWidth,
        std::int32_t pattern)
    {
        MemoryCanvas canvas(width, height);
        drawPixelLine(canvas, x1, y1, x2, y2, lineWidth, pattern, kBlack);
        return canvas.asciiArt();
    }

    TEST(ColorIndex, PaletteRule)
    {
        EXPECT_EQ(colorOf(0), (Rgb { 0, 0, 0 }));
        EXPECT_EQ(colorOf(7), (Rgb { 128, 128, 128 }));
        EXPECT_EQ(colorOf(8), (Rgb { 192, 192, 192 }));
        EXPECT_EQ(colorOf(9), (Rgb { 255, 0, 0 }));
        EXPECT_EQ(colorOf(6), (Rgb { 0, 128, 128 }));
        EXPECT_EQ(colorOf(15), (Rgb { 255, 255, 255 }));
    }

    TEST(PixelLine, WidthGrowsAcrossTheLine)
    {
        EXPECT_EQ(line(6, 5, 1, 2, 4, 2, 1, 0), "......\n......\n.####.\n......\n......\n");
        // Width 2 adds the pixel below a flat line, 3 the one above as well.
        EXPECT_EQ(line(6, 5, 1, 2, 4, 2, 2, 0), "......\n......\n.####.\n.####.\n......\n");
        EXPECT_EQ(line(6, 5, 1, 2, 4, 2, 3, 0), "......\n.####.\n.####.\n.####.\n......\n");
        // A steep line grows to the right first, then to the left.
        EXPECT_EQ(line(5, 4, 2, 0, 2, 3, 2, 0), "..##.\n..##.\n..##.\n..##.\n");
        EXPECT_EQ(line(6, 2, 2, 0, 2, 1, 4, 0), "####..\n####..\n");
        EXPECT_EQ(line(6, 2, 1, 0, 1, 1, 6, 0), "......\n......\n");
    }

    TEST(PixelLine, DiagonalStepsBothWays)
    {
        EXPECT_EQ(line(4, 4, 0, 0, 3, 3, 1, 0), "#...\n.#..\n..#.\n...#\n");
        // The y step comes only when its counter exceeds n: on the last point here.
        EXPECT_EQ(line(4, 2, 3, 1, 0, 0, 1, 0), "#...\n.###\n");
    }

    TEST(PixelLine, PatternsRunInThirtyTwos)
    {
        const auto drawn = [](std::int32_t pattern) {
            MemoryCanvas canvas(70, 1);
            drawPixelLine(canvas, 0, 0, 69, 0, 1, pattern, kBlack);
            return canvas.asciiArt();
        };
        const std::string run1 = std::string(24, '#') + std::string(8, '.');
        EXPECT_EQ(drawn(1), run1 + run1 + "######\n");
        const std::string run2 = std::string(12, '#') + "...." + std::string(12, '#') + "....";
        EXPECT_EQ(drawn(2), run2 + run2 + "######\n");
        const std::string run3 = std::string(17, '#') + "....." + "#####" + ".....";
        EXPECT_EQ(drawn(3), run3 + run3 + "######\n");
        EXPECT_EQ(drawn(4), std::string(70, '.') + "\n");
    }

    TEST(PixelLine, OnlyPointsInsideTheClipBoxAreDrawn)
    {
        MemoryCanvas canvas(6, 3);
        canvas.setClipBox({ 2, 0, 3, 2 });
        drawPixelLine(canvas, 0, 1, 5, 1, 3, 0, kBlack);
        EXPECT_EQ(canvas.asciiArt(), "..##..\n..##..\n..##..\n");
        // A point just outside the box draws none of its widening pixels either.
        MemoryCanvas other(3, 3);
        other.setClipBox({ 0, 0, 2, 0 });
        drawPixelLine(other, 0, 1, 2, 1, 3, 0, kBlack);
        EXPECT_EQ(other.asciiArt(), "...\n...\n...\n");
    }

} // namespace
} // namespace ovilan
