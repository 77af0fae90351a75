#include "render/legend.h"

#include <algorithm>

namespace ovilan {

void drawLegend(Canvas& canvas,
    const PlotMapping& mapping,
    const LegendSettings& legend,
    std::span<const LegendEntry> entries)
{
    if (!legend.shown)
        return;
    std::int32_t widest = 0;
    std::int32_t lineHeight = 0;
    for (const LegendEntry& entry : entries) {
        const Canvas::TextExtent extent = canvas.measureText(legend.font, entry.text);
        widest = std::max(widest, extent.width);
        lineHeight = std::max(lineHeight, extent.height);
    }
    if (entries.empty())
        lineHeight = canvas.measureText(legend.font, "A").height;

    const DeviceRect& rect = mapping.plotRect;
    const std::int32_t sampleRoom = legend.showSamples ? 72 : 0;
    std::int32_t blockLeft = rect.left - 15;
    if (legend.horizontalPosition == 1)
        blockLeft = (rect.left + rect.right - widest - sampleRoom) / 2;
    else if (legend.horizontalPosition == 2)
        blockLeft = rect.right - widest - sampleRoom + 15;

    const auto n = static_cast<std::int32_t>(entries.size());
    for (std::int32_t j = 0; j < n; ++j) {
        const LegendEntry& entry = entries[static_cast<std::size_t>(j)];
        // The block ends 15 pixels above the plot rectangle, or starts 20 pixels below it.
        const std::int32_t top = legend.verticalPosition == 0
            ? rect.top - 15 + (j - n) * (lineHeight + 5)
            : rect.bottom + 20 + j * (lineHeight + 5);
        if (legend.showSamples) {
            const std::int32_t middle = top + lineHeight / 2;
            canvas.drawLine(blockLeft,
                middle,
                blockLeft + 52,
                middle,
                { entry.lineWidth, entry.penStyle, colorOf(entry.color) });
        }
        // The background mode is the painter's: opaque in the document's background colour.
        const TextStateSaver saver(canvas);
        canvas.textState().textColor
            = colorOf(legend.textColorAsGraphs ? entry.color : legend.textColor);
        canvas.drawText(legend.font, entry.text, blockLeft + sampleRoom, top);
    }
}

} // namespace ovilan
