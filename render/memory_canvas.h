#pragma once

#include "render/canvas.h"

#include <string>
#include <vector>

namespace ovilan {

// A canvas in memory, for tests and for pictures drawn without a window.
class MemoryCanvas : public Canvas {
public:
    MemoryCanvas(std::int32_t width, std::int32_t height, Rgb background = colorOf(15));

    void setPixel(std::int32_t x, std::int32_t y, Rgb color) override;
    Rgb pixel(std::int32_t x, std::int32_t y) const override;
    DeviceRect clipBox() const override { return clip_; }
    void setClipBox(DeviceRect clip) { clip_ = clip; }
    // Fixed metrics, the same on every machine: a character is half the font's pixel height wide
    // (rounded up), a line is the pixel height tall. 96 pixels per inch.
    TextExtent measureText(const FontRecord& font, std::string_view text) const override;
    std::int32_t pixelsPerInchY() const override { return 96; }

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    // The picture as rows of characters: '.' for the background colour, '#' for anything else.
    std::string asciiArt() const;

private:
    std::int32_t width_;
    std::int32_t height_;
    Rgb background_;
    DeviceRect clip_;
    std::vector<Rgb> pixels_;
};

} // namespace ovilan
