#include "render/line_steps.h"
#include "render/memory_canvas.h"
#include "render/pixel_line.h"

#include <gtest/gtest.h>
#include <random>

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

    TEST(PixelLine, PointsOffTheSurfaceAreLeftOutAndPixelsClipped)
    {
        MemoryCanvas canvas(6, 3);
        canvas.setClipBox({ 2, 0, 3, 2 });
        drawPixelLine(canvas, 0, 1, 5, 1, 3, 0, kBlack);
        EXPECT_EQ(canvas.asciiArt(), "..##..\n..##..\n..##..\n");
        // A point just off the surface draws none of its widening pixels either.
        MemoryCanvas offSurface(3, 3);
        drawPixelLine(offSurface, 0, -1, 2, -1, 3, 0, kBlack);
        EXPECT_EQ(offSurface.asciiArt(), "...\n...\n...\n");
        // A point outside the area being repainted widens into it, as in a paint of everything.
        MemoryCanvas repainted(3, 3);
        repainted.setClipBox({ 0, 0, 2, 0 });
        drawPixelLine(repainted, 0, 1, 2, 1, 3, 0, kBlack);
        EXPECT_EQ(repainted.asciiArt(), "###\n...\n...\n");
    }

    // The line as its definition says, point by point from the start: the reference for the
    // drawing that visits only the points within the clip box.
    void referenceLine(MemoryCanvas& canvas,
        std::int32_t x1,
        std::int32_t y1,
        std::int32_t x2,
        std::int32_t y2,
        std::int32_t pattern)
    {
        const DeviceRect clip = canvas.clipBox();
        int position = 0;
        forEachLineStep(x1, y1, x2, y2, [&](std::int32_t x, std::int32_t y, std::int64_t) {
            const int at = position++ % 32;
            const bool on = pattern == 0 || (pattern == 2 && (at <= 11 || (at >= 16 && at <= 27)));
            if (on && x >= clip.left && x <= clip.right && y >= clip.top && y <= clip.bottom)
                canvas.setPixel(x, y, kBlack);
        });
    }

    TEST(PixelLine, VisitingOnlyTheClipBoxKeepsEveryPixel)
    {
        std::mt19937 random(7);
        std::uniform_int_distribution<std::int32_t> coordinate(-60, 90);
        for (int trial = 0; trial < 400; ++trial) {
            const std::int32_t x1 = coordinate(random);
            const std::int32_t y1 = coordinate(random);
            const std::int32_t x2 = coordinate(random);
            const std::int32_t y2 = coordinate(random);
            const std::int32_t pattern = trial % 2 == 0 ? 0 : 2;
            MemoryCanvas drawn(40, 30);
            MemoryCanvas expected(40, 30);
            drawn.setClipBox({ 5, 3, 33, 25 });
            expected.setClipBox({ 5, 3, 33, 25 });
            drawPixelLine(drawn, x1, y1, x2, y2, 1, pattern, kBlack);
            referenceLine(expected, x1, y1, x2, y2, pattern);
            ASSERT_EQ(drawn.asciiArt(), expected.asciiArt())
                << x1 << "," << y1 << " - " << x2 << "," << y2 << " pattern " << pattern;
        }
    }

    TEST(PixelLine, FarEndsCostOnlyTheVisiblePart)
    {
        // Ends at the limits of the device range (a label frame or a tick of a far-away point)
        // draw the visible part at once, with the dash rhythm counted from the true start.
        MemoryCanvas canvas(64, 1);
        drawPixelLine(canvas, -2147483647 - 1, 0, 2147483647, 0, 1, 1, kBlack);
        // Position of pixel 0 in its run: 2^31 points lie before it, a multiple of 32.
        const std::string run = std::string(24, '#') + std::string(8, '.');
        EXPECT_EQ(canvas.asciiArt(), run + run + "\n");
        MemoryCanvas steep(3, 3);
        drawPixelLine(steep, 1, -2147483647 - 1, 1, 2147483647, 1, 0, kBlack);
        EXPECT_EQ(steep.asciiArt(), ".#.\n.#.\n.#.\n");
    }

} // namespace
} // namespace ovilan
