#include "render/dash_pattern.h"
#include "render/memory_canvas.h"
#include "render/pixel_curve.h"

#include <gtest/gtest.h>
#include <vector>

namespace ovilan {
namespace {

    std::string row(const std::vector<CurvePiece>& pieces, const Pen& pen)
    {
        MemoryCanvas canvas(21, 1);
        CurvePieceList list(pieces);
        drawPixelCurve(canvas, list, pen);
        return canvas.asciiArt().substr(0, 21);
    }

    CurvePiece flat(double from, double to) { return { { from, 0 }, { to, 0 } }; }

    // A one-pixel curve dashes as a line does; a wider one shortens each dash by its brush's reach
    // behind and ahead so the gaps stay open, and a solid one is never shortened.
    TEST(DashPattern, CurvesShareTheLinePatternsShortenedByTheirBrush)
    {
        for (std::int32_t style = 0; style <= 4; ++style) {
            const std::array<bool, 32> curve = curveDashPattern(style, 1);
            for (int p = 0; p < 32; ++p)
                EXPECT_EQ(curve[static_cast<std::size_t>(p)], ((dashMask(style) >> p) & 1U) != 0)
                    << "style " << style << " position " << p;
        }
        const std::array<bool, 32> dash = curveDashPattern(1, 3);
        for (int p = 0; p < 32; ++p)
            EXPECT_EQ(dash[static_cast<std::size_t>(p)], p >= 1 && p <= 22) << p;
        const std::array<bool, 32> dashDot = curveDashPattern(3, 4); // 2 behind, 1 ahead
        EXPECT_FALSE(dashDot[1]);
        EXPECT_TRUE(dashDot[2] && dashDot[15] && dashDot[24] && dashDot[25]);
        EXPECT_FALSE(dashDot[16] || dashDot[23] || dashDot[26]);
        for (const bool on : curveDashPattern(0, 5))
            EXPECT_TRUE(on);
    }

    // Pieces are rounded at the pixel end: one that starts on the rounded end of the piece before
    // continues it without repeating the joint pixel; one that starts elsewhere starts a new dash,
    // while the pattern runs on.
    TEST(PixelCurve, PiecesJoinWhereTheirRoundedEndsMeet)
    {
        const Pen dotted { 1, 2, colorOf(0) }; // 12 on, 4 off
        EXPECT_EQ(row({ flat(0, 20) }, dotted), "############....#####");
        EXPECT_EQ(row({ flat(0, 5.4), flat(4.6, 20) }, dotted), "############....#####");
        EXPECT_EQ(row({ flat(0, 5), flat(7, 20) }, dotted), "######.######....####");
        EXPECT_EQ(row({ flat(0, 20) }, Pen { 6, 0, colorOf(0) }), ".....................");
    }

} // namespace
} // namespace ovilan
