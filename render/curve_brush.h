#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace ovilan {

struct BrushOffset {
    int dx;
    int dy;
};

// The brush a curve of `width` pixels is stamped with; empty for a width outside 1..5.
std::span<const BrushOffset> curveBrush(std::int32_t width);

// For each step of the rasterisation, one pixel in any direction, the pixels of the brush at
// the new pixel that the brush at the previous pixel does not cover: the body stamp.
class LeadingEdges {
public:
    explicit LeadingEdges(std::span<const BrushOffset> brush);

    std::span<const BrushOffset> forStep(int sx, int sy) const
    {
        const Edge& edge = edges_[index(sx, sy)];
        return { edge.offsets.data(), edge.count };
    }

private:
    static std::size_t index(int sx, int sy)
    {
        return static_cast<std::size_t>((sy + 1) * 3 + sx + 1);
    }

    struct Edge {
        std::array<BrushOffset, 21> offsets {};
        std::size_t count = 0;
    };
    std::array<Edge, 9> edges_ {};
};

} // namespace ovilan
