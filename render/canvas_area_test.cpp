#include "render/memory_canvas.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace ovilan {
namespace {

    std::string filled(const std::vector<DevicePosition>& outline, DeviceRect clip = { 0, 0, 7, 5 })
    {
        MemoryCanvas canvas(8, 6);
        canvas.setClipBox(clip);
        canvas.fillArea(outline, colorOf(0));
        return canvas.asciiArt();
    }

    // A pixel is filled when its centre lies inside: a rectangle's edge through pixel centres
    // takes the row and column it starts on and leaves the ones it ends on.
    TEST(CanvasArea, FillsThePixelsWhoseCentresLieInside)
    {
        const std::string square = filled({ { 1, 1 }, { 4, 1 }, { 4, 3 }, { 1, 3 } });
        MemoryCanvas expected(8, 6);
        expected.fillRect({ 1, 1, 4, 3 }, colorOf(0));
        EXPECT_EQ(square, expected.asciiArt());

        // The same square turned the other way round and shifted by less than half a pixel.
        EXPECT_EQ(filled({ { 0.6, 0.7 }, { 0.6, 2.9 }, { 3.9, 2.9 }, { 3.9, 0.7 } }), square);
    }

    // Where the outline crosses itself the even-odd rule leaves the doubly enclosed part empty.
    TEST(CanvasArea, EvenOddRuleAndClipBox)
    {
        const std::vector<DevicePosition> frame { { 0, 0 },
            { 8, 0 },
            { 8, 6 },
            { 0, 6 },
            { 0, 0 },
            { 2, 2 },
            { 6, 2 },
            { 6, 4 },
            { 2, 4 },
            { 2, 2 } };
        MemoryCanvas expected(8, 6);
        expected.fillRect({ 0, 0, 8, 6 }, colorOf(0));
        expected.fillRect({ 2, 2, 6, 4 }, colorOf(15));
        EXPECT_EQ(filled(frame), expected.asciiArt());

        MemoryCanvas clipped(8, 6);
        clipped.fillRect({ 3, 1, 5, 3 }, colorOf(0));
        EXPECT_EQ(
            filled({ { -100, -100 }, { 100, -100 }, { 100, 100 }, { -100, 100 } }, { 3, 1, 4, 2 }),
            clipped.asciiArt());
    }

    // A degenerate or broken outline fills nothing, and a huge one costs only its visible rows.
    TEST(CanvasArea, DegenerateAndHugeOutlines)
    {
        const std::string empty = MemoryCanvas(8, 6).asciiArt();
        EXPECT_EQ(filled({}), empty);
        EXPECT_EQ(filled({ { 0, 0 }, { 7, 5 } }), empty);
        EXPECT_EQ(filled({ { 0, 0 }, { 7, 0 }, { 7, 5 }, { 0, 5 } }, { 0, 0, -1, -1 }), empty);
        const double nan = std::numeric_limits<double>::quiet_NaN();
        EXPECT_EQ(filled({ { 0, 0 }, { nan, 0 }, { 7, 5 } }), empty);

        const auto start = std::chrono::steady_clock::now();
        const std::string all = filled({ { -1e300, -1e300 }, { 1e300, -1e300 }, { 1e300, 1e300 } });
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_NE(all, empty);
    }

} // namespace
} // namespace ovilan
