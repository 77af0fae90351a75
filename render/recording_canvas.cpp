#include "render/recording_canvas.h"

#include <cstdio>

namespace ovilan {

namespace {

    std::string hex(Rgb color)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%02x%02x%02x", color.red, color.green, color.blue);
        return text;
    }

    std::string numbers(std::initializer_list<std::int64_t> values)
    {
        std::string text;
        for (const std::int64_t value : values)
            text += " " + std::to_string(value);
        return text;
    }

    std::string boxNumbers(const DeviceRect& box)
    {
        return numbers({ box.left, box.top, box.right, box.bottom });
    }

    // Passes the pieces of a curve on, counting them.
    class CountedPieces final : public CurvePieces {
    public:
        explicit CountedPieces(CurvePieces& pieces)
            : pieces_(pieces)
        {
        }

        std::span<const CurvePiece> next() override
        {
            const std::span<const CurvePiece> batch = pieces_.next();
            count_ += batch.size();
            return batch;
        }

        std::size_t count() const { return count_; }

    private:
        CurvePieces& pieces_;
        std::size_t count_ = 0;
    };

} // namespace

RecordingCanvas::RecordingCanvas(std::int32_t width, std::int32_t height)
    : pixels_(width, height)
{
}

void RecordingCanvas::setPixel(std::int32_t x, std::int32_t y, Rgb color)
{
    pixels_.setPixel(x, y, color);
}

Rgb RecordingCanvas::pixel(std::int32_t x, std::int32_t y) const { return pixels_.pixel(x, y); }

DeviceRect RecordingCanvas::clipBox() const { return pixels_.clipBox(); }

DeviceRect RecordingCanvas::surfaceBox() const { return pixels_.surfaceBox(); }

Canvas::TextExtent RecordingCanvas::measureText(const FontRecord& font, std::string_view text) const
{
    return pixels_.measureText(font, text);
}

std::int32_t RecordingCanvas::pixelsPerInchY() const { return pixels_.pixelsPerInchY(); }

void RecordingCanvas::drawLine(
    std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, const Pen& pen)
{
    record_
        += "line" + numbers({ x1, y1, x2, y2, pen.width, pen.style }) + " " + hex(pen.color) + "\n";
    pixels_.drawLine(x1, y1, x2, y2, pen);
}

void RecordingCanvas::drawCurve(CurvePieces& pieces, const Pen& pen)
{
    // The pieces are handed over only once, so they are counted as they are drawn.
    CountedPieces counted(pieces);
    pixels_.drawCurve(counted, pen);
    record_ += "curve"
        + numbers({ static_cast<std::int64_t>(counted.count()), pen.width, pen.style }) + " "
        + hex(pen.color) + "\n";
}

void RecordingCanvas::drawText(
    const FontRecord& font, std::string_view text, std::int32_t left, std::int32_t top)
{
    const TextState& state = textState();
    const bool opaque = state.backgroundMode == BackgroundMode::Opaque;
    record_ += "text" + numbers({ left, top, fontDrawingHeight(font, pixelsPerInchY()) }) + " "
        + hex(state.textColor) + (opaque ? " opaque " : " transparent ")
        + hex(state.backgroundColor) + " " + std::string(text) + "\n";
    // The in-memory canvas paints the box behind the text in its own text state.
    pixels_.textState() = state;
    pixels_.drawText(font, text, left, top);
}

void RecordingCanvas::drawEllipse(DeviceRect box, Rgb outline, std::optional<Rgb> fill)
{
    record_ += "ellipse" + boxNumbers(box) + " " + hex(outline) + " " + (fill ? hex(*fill) : "-")
        + "\n";
    pixels_.drawEllipse(box, outline, fill);
}

void RecordingCanvas::fillRect(DeviceRect area, Rgb color)
{
    record_ += "fill" + boxNumbers(area) + " " + hex(color) + "\n";
    pixels_.fillRect(area, color);
}

void RecordingCanvas::fillArea(std::span<const DevicePosition> outline, Rgb color)
{
    record_ += "area" + numbers({ static_cast<std::int64_t>(outline.size()) }) + " " + hex(color)
        + "\n";
    pixels_.fillArea(outline, color);
}

} // namespace ovilan
