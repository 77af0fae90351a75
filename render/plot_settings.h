#pragma once

#include "render/font_record.h"

#include <cstdint>
#include <string>

namespace ovilan {

// Colours are colour indices 0..15; booleans are int32 0 or 1, as the document file has them.
using ColorIndex = std::int32_t;

inline constexpr std::int32_t kXAxisId = 0;
inline constexpr std::int32_t kYAxisId = 1;

struct AxisSettings {
    std::int32_t showAxis = 1;
    std::string caption;
    std::int32_t showArrow = 1;
    double min = -10.0;
    double max = 10.0;
    std::int32_t showTicks = 1;
    double tickStep = 2.0;
    std::int32_t tickLength = 6;
    std::int32_t showLabels = 1;
    double labelStep = 2.0;
    std::string labelSuffix;
    std::int32_t labelLayout = 0; // "To the up" (X) / "To the right" (Y)
    ColorIndex lineColor = 0;
    ColorIndex tickColor = 0;
    std::int32_t direction = 1; // +1 "Left->Right" / "Down->Up", -1 reversed
    FontRecord captionFont = makeFont("Arial", 10, 300);
    FontRecord labelFont = makeFont("Arial", 8, 0);
    std::int32_t lineWidth = 1;
    std::int32_t lineStyle = 0;
    std::int32_t axisId = kXAxisId;
    ColorIndex captionColor = 0;
    ColorIndex labelColor = 0;
    double labelCoefficient = 1.0;

    bool operator==(const AxisSettings&) const = default;
};

AxisSettings defaultXAxis();
AxisSettings defaultYAxis();

struct GridLineSet {
    double step = 2.0;
    std::int32_t width = 1;
    ColorIndex color = 8;
    std::int32_t style = 0;
    std::int32_t shown = 0;

    bool operator==(const GridLineSet&) const = default;
};

struct GridSettings {
    GridLineSet horizontal; // spaced along y
    GridLineSet vertical; // spaced along x

    bool operator==(const GridSettings&) const = default;
};

struct GeneralSettings {
    std::int32_t rectangularAxes = 0; // 0 "Crossing axes", 1 "Rectangular"
    std::int32_t equalScale = 0;
    ColorIndex backgroundColor = 15;
    std::int32_t steps = 500;
    std::int32_t maxGap = 200;

    bool operator==(const GeneralSettings&) const = default;
};

struct LegendSettings {
    std::int32_t shown = 0;
    std::int32_t showSamples = 1;
    std::int32_t textColorAsGraphs = 0;
    std::int32_t horizontalPosition = 1; // 0 "Left", 1 "Center", 2 "Right"
    std::int32_t verticalPosition = 1; // 0 "Top", 1 "Bottom"
    FontRecord font = makeFont("Times New Roman", 9, 700);
    ColorIndex textColor = 0;

    bool operator==(const LegendSettings&) const = default;
};

// Everything a drawing reads of a document's settings. The document owns one; graphs refer to it
// to follow the axis ranges and the general parameters.
struct PlotSettings {
    AxisSettings xAxis = defaultXAxis();
    AxisSettings yAxis = defaultYAxis();
    GridSettings grid;
    GeneralSettings general;
    LegendSettings legend;

    bool operator==(const PlotSettings&) const = default;
};

// Limits the document file and the dialogs hold the settings to.
inline constexpr std::int32_t kMaxSteps = 20000;
inline constexpr std::int32_t kMaxGapLimit = 1000000;
inline constexpr std::int32_t kMaxTickLength = 1000;
inline constexpr ColorIndex kMaxStoredColor = 16;

} // namespace ovilan
