#include "render/dash_pattern.h"

#include <algorithm>

namespace ovilan {

namespace {

    constexpr DashRun kSolid[] = { { 0, 31 } };
    constexpr DashRun kDash[] = { { 0, 23 } };
    constexpr DashRun kDot[] = { { 0, 11 }, { 16, 27 } };
    constexpr DashRun kDashDot[] = { { 0, 16 }, { 22, 26 } };

} // namespace

std::span<const DashRun> dashRuns(std::int32_t style)
{
    switch (style) {
    case 0:
        return kSolid;
    case 1:
        return kDash;
    case 2:
        return kDot;
    case 3:
        return kDashDot;
    default:
        return {};
    }
}

std::uint32_t dashMask(std::int32_t style)
{
    std::uint32_t mask = 0;
    for (const DashRun& run : dashRuns(style))
        for (int p = run.first; p <= run.last; ++p)
            mask |= std::uint32_t { 1 } << p;
    return mask;
}

std::array<bool, 32> curveDashPattern(std::int32_t style, std::int32_t width)
{
    std::array<bool, 32> on {};
    // A solid line has no gap to keep open.
    const bool solid = style == 0;
    const int behind = solid ? 0 : width / 2;
    const int ahead = solid ? 0 : (width - 1) / 2;
    for (const DashRun& run : dashRuns(style))
        for (int p = std::max(run.first + behind, 0); p <= std::min(run.last - ahead, 31); ++p)
            on[static_cast<std::size_t>(p)] = true;
    return on;
}

} // namespace ovilan
