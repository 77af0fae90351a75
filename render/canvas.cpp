#include "render/canvas.h"

#include "render/pixel_curve.h"
#include "render/pixel_line.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ovilan {

namespace {

    // The columns of one row of an ellipse, first and last included; empty when first > last.
    struct Span {
        std::int64_t first = 1;
        std::int64_t last = 0;
        bool contains(std::int64_t x) const { return x >= first && x <= last; }
    };

    // A pixel belongs to the ellipse inscribed in the box when its centre lies within it.
    class EllipseRows {
    public:
        explicit EllipseRows(const DeviceRect& box)
            : top_(box.top)
            , bottom_(static_cast<std::int64_t>(box.bottom) - 1)
            , centreX_((static_cast<double>(box.left) + box.right - 1) / 2)
            , centreY_((static_cast<double>(box.top) + box.bottom - 1) / 2)
            , radiusX_((static_cast<double>(box.right) - box.left) / 2)
            , radiusY_((static_cast<double>(box.bottom) - box.top) / 2)
        {
        }

        bool empty() const { return !(radiusX_ > 0 && radiusY_ > 0); }

        Span row(std::int64_t y) const
        {
            if (y < top_ || y > bottom_)
                return {};
            const double across = (static_cast<double>(y) - centreY_) / radiusY_;
            const double room = 1 - across * across;
            if (room < 0)
                return {};
            const double half = radiusX_ * std::sqrt(room);
            return { static_cast<std::int64_t>(std::ceil(centreX_ - half)),
                static_cast<std::int64_t>(std::floor(centreX_ + half)) };
        }

        std::int64_t top() const { return top_; }
        std::int64_t bottom() const { return bottom_; }

    private:
        std::int64_t top_;
        std::int64_t bottom_;
        double centreX_;
        double centreY_;
        double radiusX_;
        double radiusY_;
    };

} // namespace

void Canvas::drawLine(
    std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, const Pen& pen)
{
    drawPixelLine(*this, x1, y1, x2, y2, pen.width, pen.style, pen.color);
}

void Canvas::drawCurve(CurvePieces& pieces, const Pen& pen) { drawPixelCurve(*this, pieces, pen); }

void Canvas::fillRect(DeviceRect area, Rgb color)
{
    const DeviceRect clip = clipBox();
    const std::int64_t top = std::max<std::int64_t>(area.top, clip.top);
    const std::int64_t bottom
        = std::min<std::int64_t>(static_cast<std::int64_t>(area.bottom) - 1, clip.bottom);
    const std::int64_t left = std::max<std::int64_t>(area.left, clip.left);
    const std::int64_t right
        = std::min<std::int64_t>(static_cast<std::int64_t>(area.right) - 1, clip.right);
    for (std::int64_t y = top; y <= bottom; ++y)
        for (std::int64_t x = left; x <= right; ++x)
            setPixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), color);
}

void Canvas::fillArea(std::span<const DevicePosition> outline, Rgb color)
{
    if (outline.size() < 3)
        return;
    const DeviceRect clip = clipBox();
    double top = outline.front().y;
    double bottom = top;
    for (const DevicePosition& corner : outline) {
        if (!std::isfinite(corner.x) || !std::isfinite(corner.y))
            return;
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    // Only the rows within the clip box are scanned, so a huge area costs no more than the
    // visible one.
    if (top > clip.bottom || bottom < clip.top)
        return;
    const auto firstRow = static_cast<std::int64_t>(std::max<double>(std::ceil(top), clip.top));
    const auto lastRow
        = static_cast<std::int64_t>(std::min<double>(std::floor(bottom), clip.bottom));
    std::vector<double> crossings;
    for (std::int64_t y = firstRow; y <= lastRow; ++y) {
        crossings.clear();
        const auto row = static_cast<double>(y);
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const DevicePosition& a = outline[i];
            const DevicePosition& b = outline[(i + 1) % outline.size()];
            // Each edge counts its upper end and not its lower, so a corner on the row is
            // crossed once where the outline passes and twice or never where it turns.
            if ((a.y <= row) != (b.y <= row))
                crossings.push_back(a.x + (row - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const double from = std::max<double>(std::ceil(crossings[i]), clip.left);
            const double to = std::min<double>(std::ceil(crossings[i + 1]) - 1, clip.right);
            if (!(from <= to))
                continue;
            for (auto x = static_cast<std::int64_t>(from); x <= static_cast<std::int64_t>(to); ++x)
                setPixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), color);
        }
    }
}

void Canvas::drawEllipse(DeviceRect box, Rgb outline, std::optional<Rgb> fill)
{
    const EllipseRows rows(box);
    if (rows.empty())
        return;
    // Only the rows and columns within the clip box are visited, so a huge marker costs no more
    // than the visible area.
    const DeviceRect clip = clipBox();
    const std::int64_t top = std::max<std::int64_t>(rows.top(), clip.top);
    const std::int64_t bottom = std::min<std::int64_t>(rows.bottom(), clip.bottom);
    for (std::int64_t y = top; y <= bottom; ++y) {
        const Span span = rows.row(y);
        const Span above = rows.row(y - 1);
        const Span below = rows.row(y + 1);
        const std::int64_t left = std::max<std::int64_t>(span.first, clip.left);
        const std::int64_t right = std::min<std::int64_t>(span.last, clip.right);
        for (std::int64_t x = left; x <= right; ++x) {
            // A pixel with a neighbour outside the ellipse is on its outline.
            const bool edge
                = x == span.first || x == span.last || !above.contains(x) || !below.contains(x);
            if (edge)
                setPixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), outline);
            else if (fill)
                setPixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), *fill);
        }
    }
}

} // namespace ovilan
