#pragma once

#include "render/color.h"
#include "render/curve_piece.h"
#include "render/font_record.h"
#include "render/pen.h"
#include "render/plot_mapping.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace ovilan {

enum class BackgroundMode { Transparent, Opaque };

// What a text is drawn with: its colour, and the box behind it filled with the background colour
// when the mode is opaque. A fresh canvas draws black text opaque on white, as a fresh device does.
struct TextState {
    Rgb textColor = colorOf(0);
    Rgb backgroundColor = colorOf(15);
    BackgroundMode backgroundMode = BackgroundMode::Opaque;

    bool operator==(const TextState&) const = default;
};

// The drawing surface the plot is drawn on: a window's back buffer, an exported picture, or an
// image in memory for tests. The plot is drawn through its primitives — lines, curves, texts,
// ellipses, filled rectangles — whose defaults set the exact pixels through setPixel, so the
// screen, the pictures and the tests see the same pixels; a surface that draws real lines overrides
// them.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPixel(std::int32_t x, std::int32_t y, Rgb color) = 0;
    virtual Rgb pixel(std::int32_t x, std::int32_t y) const = 0;
    // The clip box, edges included; drawing outside it has no effect.
    virtual DeviceRect clipBox() const = 0;
    // The whole drawing surface, edges included: the clip box of a full paint. What is drawn may
    // depend on it, never on the clip box, so a repaint of a small area gives exactly the pixels
    // a paint of the whole surface gives there.
    virtual DeviceRect surfaceBox() const = 0;
    // The straight line from (x1, y1) to (x2, y2), both ends included, in `pen`: by default the
    // exact pixels of drawPixelLine.
    virtual void drawLine(
        std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, const Pen& pen);
    // A traced curve as its visible pieces in `pen`, the dash pattern running on across them: by
    // default the exact pixels of drawPixelCurve.
    virtual void drawCurve(CurvePieces& pieces, const Pen& pen);
    // Fills the pixels from (left, top) up to but excluding (right, bottom), within the clip box.
    virtual void fillRect(DeviceRect area, Rgb color);
    // Fills the area a closed outline of unrounded device positions encloses, by the even-odd
    // rule: by default every pixel whose centre lies inside it.
    virtual void fillArea(std::span<const DevicePosition> outline, Rgb color);

    // Text measured and drawn in a font whose height is in points; the canvas converts it to its
    // pixels with fontDrawingHeight.
    struct TextExtent {
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    // No extent is wider than this, so the positions computed from text boxes stay far from
    // the int32 limits even for a caption of millions of characters.
    static constexpr std::int32_t kMaxTextWidth = 1 << 24;
    virtual TextExtent measureText(const FontRecord& font, std::string_view text) const = 0;
    // Draws `text` with its box's top left corner at (left, top), in the current text state.
    virtual void drawText(
        const FontRecord& font, std::string_view text, std::int32_t left, std::int32_t top)
        = 0;
    virtual std::int32_t pixelsPerInchY() const = 0;

    // The ellipse inscribed in the box from (left, top) up to but excluding (right, bottom): its
    // one-pixel outline in `outline`, its inside filled with `fill` when there is one.
    virtual void drawEllipse(DeviceRect box, Rgb outline, std::optional<Rgb> fill);

    TextState& textState() { return textState_; }
    const TextState& textState() const { return textState_; }

private:
    TextState textState_;
};

// Restores the canvas's text state when a drawing step that changed it ends.
class TextStateSaver {
public:
    explicit TextStateSaver(Canvas& canvas)
        : canvas_(canvas)
        , saved_(canvas.textState())
    {
    }
    ~TextStateSaver() { canvas_.textState() = saved_; }
    TextStateSaver(const TextStateSaver&) = delete;
    TextStateSaver& operator=(const TextStateSaver&) = delete;

private:
    Canvas& canvas_;
    TextState saved_;
};

// The device height of a font of `points` points: points x pixels-per-inch / 72, rounded as a
// multiply-divide rounds (halves away from zero).
constexpr std::int64_t fontPixelHeight(std::int32_t points, std::int32_t pixelsPerInch)
{
    const std::int64_t product = static_cast<std::int64_t>(points) * pixelsPerInch;
    return product >= 0 ? (product + 36) / 72 : (product - 36) / 72;
}

// Text is never drawn taller than this, whatever height a file asks for: glyphs of millions of
// pixels would only exhaust the memory and freeze the paint.
inline constexpr std::int32_t kMaxFontPixels = 1000;

// The pixel size a canvas draws a font with: its height converted for the device, at least one
// pixel and at most kMaxFontPixels. A height of 0 asks for the device's usual 12 pixels.
constexpr std::int32_t fontDrawingHeight(const FontRecord& font, std::int32_t pixelsPerInch)
{
    if (font.lfHeight == 0)
        return 12;
    const std::int64_t height = fontPixelHeight(font.lfHeight, pixelsPerInch);
    const std::int64_t size = height < 0 ? -height : height;
    return static_cast<std::int32_t>(size < 1 ? 1 : size > kMaxFontPixels ? kMaxFontPixels : size);
}

} // namespace ovilan
