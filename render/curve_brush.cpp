#include "render/curve_brush.h"

#include <algorithm>

namespace ovilan {

// The brush of each width, device y growing downward; width 2's pixel is the lower right
// corner of its square, widths 4 and 5 lose their corner pixels.
std::span<const BrushOffset> curveBrush(std::int32_t width)
{
    static constexpr BrushOffset kOne[] = { { 0, 0 } };
    static constexpr BrushOffset kTwo[] = { { -1, -1 }, { 0, -1 }, { -1, 0 }, { 0, 0 } };
    static constexpr BrushOffset kThree[] = { { -1, -1 },
        { 0, -1 },
        { 1, -1 },
        { -1, 0 },
        { 0, 0 },
        { 1, 0 },
        { -1, 1 },
        { 0, 1 },
        { 1, 1 } };
    static constexpr auto kFour = [] {
        std::array<BrushOffset, 12> offsets {};
        std::size_t n = 0;
        for (int dy = -2; dy <= 1; ++dy)
            for (int dx = -2; dx <= 1; ++dx)
                if (!((dx == -2 || dx == 1) && (dy == -2 || dy == 1)))
                    offsets[n++] = { dx, dy };
        return offsets;
    }();
    static constexpr auto kFive = [] {
        std::array<BrushOffset, 21> offsets {};
        std::size_t n = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (!((dx == -2 || dx == 2) && (dy == -2 || dy == 2)))
                    offsets[n++] = { dx, dy };
        return offsets;
    }();
    switch (width) {
    case 1:
        return kOne;
    case 2:
        return kTwo;
    case 3:
        return kThree;
    case 4:
        return kFour;
    case 5:
        return kFive;
    default:
        return {};
    }
}

LeadingEdges::LeadingEdges(std::span<const BrushOffset> brush)
{
    for (int sy = -1; sy <= 1; ++sy) {
        for (int sx = -1; sx <= 1; ++sx) {
            Edge& edge = edges_[index(sx, sy)];
            for (const BrushOffset& offset : brush) {
                // Covered when the offset seen from the previous pixel is in the brush.
                const int ox = offset.dx + sx;
                const int oy = offset.dy + sy;
                const bool covered = std::any_of(brush.begin(),
                    brush.end(),
                    [ox, oy](const BrushOffset& o) { return o.dx == ox && o.dy == oy; });
                if (!covered)
                    edge.offsets[edge.count++] = offset;
            }
        }
    }
}

} // namespace ovilan
