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
    DeviceRect surfaceBox() const override { return { 0, 0, width_ - 1, height_ - 1 }; }
    // Fixed metrics, the same on every machine: a character is half the font's pixel height wide
    // (rounded up), a line is the pixel height tall. 96 pixels per inch.
    TextExtent measureText(const FontRecord& font, std::string_view text) const override;
    // Texts are not rasterised: each is recorded with where and how it was drawn, and only the
    // opaque box behind it is painted.
    void drawText(const FontRecord& font,
        std::string_view text,
        std::int32_t left,
        std::int32_t top) override;
    std::int32_t pixelsPerInchY() const override { return 96; }

    struct DrawnText {
        std::string text;
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t pixelHeight = 0;
        TextState state;

        bool operator==(const DrawnText&) const = default;
    };
    const std::vector<DrawnText>& texts() const { return texts_; }

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
    std::vector<DrawnText> texts_;
};

} // namespace ovilan
