#include "render/memory_canvas.h"

#include <algorithm>
#include <cstdint>

namespace ovilan {

MemoryCanvas::MemoryCanvas(std::int32_t width, std::int32_t height, Rgb background)
    : width_(width)
    , height_(height)
    , background_(background)
    , clip_ { 0, 0, width - 1, height - 1 }
    , pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background)
{
}

void MemoryCanvas::setPixel(std::int32_t x, std::int32_t y, Rgb color)
{
    if (x < clip_.left || x > clip_.right || y < clip_.top || y > clip_.bottom)
        return;
    if (x < 0 || x >= width_ || y < 0 || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)
        + static_cast<std::size_t>(x)]
        = color;
}

Rgb MemoryCanvas::pixel(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || x >= width_ || y < 0 || y >= height_)
        return background_;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)
        + static_cast<std::size_t>(x)];
}

Canvas::TextExtent MemoryCanvas::measureText(const FontRecord& font, std::string_view text) const
{
    const std::int32_t height = fontDrawingHeight(font, pixelsPerInchY());
    const std::int64_t width = static_cast<std::int64_t>(text.size()) * ((height + 1) / 2);
    return { static_cast<std::int32_t>(std::min<std::int64_t>(width, kMaxTextWidth)), height };
}

void MemoryCanvas::drawText(
    const FontRecord& font, std::string_view text, std::int32_t left, std::int32_t top)
{
    const TextExtent extent = measureText(font, text);
    if (textState().backgroundMode == BackgroundMode::Opaque)
        fillRect(
            { left, top, left + extent.width, top + extent.height }, textState().backgroundColor);
    texts_.push_back({ std::string(text), left, top, extent.height, textState() });
}

std::string MemoryCanvas::asciiArt() const
{
    std::string art;
    for (std::int32_t y = 0; y < height_; ++y) {
        for (std::int32_t x = 0; x < width_; ++x)
            art += pixel(x, y) == background_ ? '.' : '#';
        art += '\n';
    }
    return art;
}

} // namespace ovilan
