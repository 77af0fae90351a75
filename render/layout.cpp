#include "render/layout.h"

#include "expr/number_format.h"

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    constexpr std::int32_t kInset = 15;

    // A margin or a cut of the rectangle in whole pixels. Settings a file may hold can ask for
    // more pixels than any device has; such a rectangle is empty either way, so the amount is
    // pinned to a million pixels instead of overflowing.
    std::int32_t pixels(double amount)
    {
        constexpr double kLimit = 1'000'000;
        if (!(amount > -kLimit))
            return -static_cast<std::int32_t>(kLimit);
        if (amount > kLimit)
            return static_cast<std::int32_t>(kLimit);
        return static_cast<std::int32_t>(std::trunc(amount));
    }

    // The two texts beside one axis, in the extent that matters for its margins: widths for the
    // Y axis (they hang left and right), heights for the X axis (they hang above and below).
    struct SideTexts {
        std::int32_t nearMin; // on the side that holds the axis' `min` of the other axis
        std::int32_t nearMax;
    };

    struct Margins {
        std::int32_t low = kInset; // left, or top
        std::int32_t high = kInset; // right, or bottom
    };

    // The three margin rules along one direction. `range` is the other axis (whose zero decides
    // where this axis stands); `minIsLow` tells whether range.min lies on the low side; `lowText`
    // and `highText` are the extents of the texts hanging on each side; `span` the size.
    Margins margins(const AxisSettings& range,
        bool minIsLow,
        std::int32_t lowText,
        std::int32_t highText,
        std::int32_t span,
        bool rectangular)
    {
        Margins result;
        std::int32_t& minMargin = minIsLow ? result.low : result.high;
        std::int32_t& maxMargin = minIsLow ? result.high : result.low;
        const std::int32_t minText = minIsLow ? lowText : highText;
        const std::int32_t maxText = minIsLow ? highText : lowText;
        if (range.max > 0 && range.min < 0) {
            const bool nearIsMin = std::fabs(range.max) >= std::fabs(range.min);
            const std::int32_t w = nearIsMin ? minText : maxText;
            const double nearDistance = nearIsMin ? std::fabs(range.min) : range.max;
            const double farDistance = nearIsMin ? range.max : std::fabs(range.min);
            if (w > kInset) {
                const double k = (span - w - kInset) / farDistance;
                if (std::trunc(k * (range.max - range.min)) < span - 30) {
                    const std::int32_t margin = pixels(w - std::trunc(k * nearDistance));
                    (nearIsMin ? minMargin : maxMargin) = margin;
                }
            }
        }
        if (range.max <= 0)
            maxMargin = std::max(maxMargin, maxText);
        if (range.min >= 0 || rectangular)
            minMargin = std::max(minMargin, minText);
        return result;
    }

    double roundedOffset(double value) { return std::floor(value + 0.5); }

} // namespace

void layoutPlot(
    PlotMapping& mapping, const Canvas& canvas, const PlotSettings& settings, int legendEntries)
{
    DeviceRect& rect = mapping.plotRect;
    rect.left += kInset;
    rect.top += kInset;
    rect.right -= kInset;
    rect.bottom -= kInset;

    if (settings.legend.shown) {
        const std::int32_t lineHeight = canvas.measureText(settings.legend.font, "A").height + 5;
        const std::int32_t band = legendEntries * lineHeight;
        if (settings.legend.verticalPosition == 0)
            rect.top += band;
        else
            rect.bottom -= band;
    }

    const AxisSettings& x = settings.xAxis;
    const AxisSettings& y = settings.yAxis;
    const auto capX = canvas.measureText(x.captionFont, x.caption);
    const auto labX = canvas.measureText(x.labelFont, formatNumber(x.labelStep) + x.labelSuffix);
    const auto capY = canvas.measureText(y.captionFont, y.caption);
    const auto labY
        = canvas.measureText(y.labelFont, formatNumber(y.min + y.labelStep) + y.labelSuffix);

    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    const bool rectangular = settings.general.rectangularAxes == 1;
    // The Y caption hangs right of the Y axis and its labels left, unless the layout is set.
    const std::int32_t leftText = y.labelLayout ? capY.width : labY.width;
    const std::int32_t rightText = y.labelLayout ? labY.width : capY.width;
    const Margins horizontal
        = margins(x, x.direction >= 0, leftText, rightText, width, rectangular);
    // The X caption hangs above the X axis and its labels below, unless the layout is set.
    const std::int32_t topText = x.labelLayout ? labX.height : capX.height;
    const std::int32_t bottomText = x.labelLayout ? capX.height : labX.height;
    const Margins vertical = margins(y, y.direction < 0, topText, bottomText, height, rectangular);

    rect.left += horizontal.low;
    rect.right -= horizontal.high;
    rect.top += vertical.low;
    rect.bottom -= vertical.high;
    if ((rect.right - rect.left) % 2 != 0)
        rect.right += 1;
    if ((rect.bottom - rect.top) % 2 != 0)
        rect.bottom += 1;

    mapping.xScale = (rect.right - rect.left) / (x.max - x.min);
    mapping.yScale = (rect.bottom - rect.top) / (y.max - y.min);
    if (settings.general.equalScale) {
        if (mapping.xScale <= mapping.yScale) {
            mapping.yScale = mapping.xScale;
            const std::int32_t d
                = pixels((rect.bottom - rect.top) - (y.max - y.min) * mapping.xScale);
            rect.top += d / 2;
            rect.bottom -= d / 2;
        } else {
            mapping.xScale = mapping.yScale;
            const std::int32_t d
                = pixels((rect.right - rect.left) - (x.max - x.min) * mapping.yScale);
            rect.left += d / 2;
            rect.right -= d / 2;
        }
    }
    // A direction is +1 or -1; any other value a file may hold counts by its sign, so the
    // mapping never stretches or collapses an axis.
    mapping.xDirection = x.direction < 0 ? -1 : 1;
    mapping.yDirection = y.direction < 0 ? -1 : 1;
    mapping.xOffset = roundedOffset(
        ((rect.right - rect.left) / 2 - mapping.xScale * x.max) * mapping.xDirection);
    mapping.yOffset = roundedOffset(
        ((rect.bottom - rect.top) / 2 - mapping.yScale * y.max) * mapping.yDirection);
}

} // namespace ovilan
