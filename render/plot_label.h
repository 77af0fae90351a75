#pragma once

#include "render/canvas.h"
#include "render/font_record.h"
#include "render/plot_mapping.h"
#include "render/plot_settings.h"

#include <cstdint>
#include <string>

namespace ovilan {

// The longest text a stored document may ask the plot to draw: a label's caption, a table row's
// label, an axis caption or label suffix, a legend text. A paint draws such texts once per label,
// table point or axis label, so their length bounds what one paint can cost. Captions people
// type are a few words; a paragraph still fits.
inline constexpr std::size_t kMaxCaptionLength = 500;

// A user annotation pinned to a plot point: a round marker and a caption beside it.
struct CPlotLabel {
    CPlotLabel();

    // The caption's box in device pixels beside the marker, as the alignments place it; right
    // and bottom are one past the text.
    DeviceRect captionBox(const Canvas& canvas, const PlotMapping& mapping) const;
    // The marker and the caption; nothing at all when the point lies outside the plot rectangle.
    void draw(Canvas& canvas, const PlotMapping& mapping) const;
    // Whether a device point hits the caption box (right and bottom edges excluded) or lies
    // within the marker's radius.
    bool hitTest(
        const Canvas& canvas, const PlotMapping& mapping, std::int32_t mx, std::int32_t my) const;

    double x = 0;
    double y = 0;
    std::int32_t showLabel = 1;
    std::string caption;
    ColorIndex backgroundColor = 15;
    std::int32_t showPoint = 1;
    ColorIndex pointColor = 0; // random at construction
    std::int32_t radius = 4;
    std::int32_t pointTransparent = 0;
    std::int32_t labelTransparent = 0;
    std::int32_t horizontalAlign = 2; // 0 "Left", 1 "Center", 2 "Right"
    std::int32_t verticalAlign = 2; // 0 "Top", 1 "Center", 2 "Bottom"
    std::int32_t outlineOnly = 0; // set only on the copy that follows the mouse in a drag
    FontRecord font = makeFont("Arial", 8, 100);
    ColorIndex textColor = 0;
    std::int32_t pointBorder = 1;
    std::int32_t labelBorder = 0;

    bool operator==(const CPlotLabel&) const = default;
};

} // namespace ovilan
