#include "render/record_io.h"

#include <cmath>

namespace ovilan {

namespace {

    bool isStoredColor(ColorIndex color) { return color >= 0 && color <= kMaxStoredColor; }

    bool inRange(std::int32_t value, std::int32_t low, std::int32_t high)
    {
        return value >= low && value <= high;
    }

} // namespace

// Members in alphabetical order of their names, as the file has them.
void writeFont(ArchiveWriter& out, const FontRecord& font)
{
    out.writeByte(font.lfCharSet);
    out.writeByte(font.lfClipPrecision);
    out.writeInt32(font.lfEscapement);
    out.writeString(font.lfFaceName);
    out.writeInt32(font.lfHeight);
    out.writeByte(font.lfItalic);
    out.writeInt32(font.lfOrientation);
    out.writeByte(font.lfOutPrecision);
    out.writeByte(font.lfPitchAndFamily);
    out.writeByte(font.lfQuality);
    out.writeByte(font.lfStrikeOut);
    out.writeByte(font.lfUnderline);
    out.writeInt32(font.lfWeight);
    out.writeInt32(font.lfWidth);
}

void readFont(ArchiveReader& in, FontRecord& font)
{
    font.lfCharSet = in.readByte();
    font.lfClipPrecision = in.readByte();
    font.lfEscapement = in.readInt32();
    font.lfFaceName = in.readString();
    // The face member holds 31 characters; a longer name is not a font the program wrote.
    require(font.lfFaceName.size() <= FontRecord::kMaxFaceNameLength);
    font.lfHeight = in.readInt32();
    font.lfItalic = in.readByte();
    font.lfOrientation = in.readInt32();
    font.lfOutPrecision = in.readByte();
    font.lfPitchAndFamily = in.readByte();
    font.lfQuality = in.readByte();
    font.lfStrikeOut = in.readByte();
    font.lfUnderline = in.readByte();
    font.lfWeight = in.readInt32();
    font.lfWidth = in.readInt32();
}

// The last three fields are not in declaration order: pointBorder, labelBorder, textColor.
void writeLabel(ArchiveWriter& out, const CPlotLabel& label)
{
    out.writeDouble(label.x);
    out.writeDouble(label.y);
    out.writeInt32(label.showLabel);
    out.writeString(label.caption);
    out.writeInt32(label.backgroundColor);
    out.writeInt32(label.showPoint);
    out.writeInt32(label.pointColor);
    out.writeInt32(label.radius);
    out.writeInt32(label.pointTransparent);
    out.writeInt32(label.labelTransparent);
    out.writeInt32(label.horizontalAlign);
    out.writeInt32(label.verticalAlign);
    out.writeInt32(label.outlineOnly);
    writeFont(out, label.font);
    out.writeInt32(label.pointBorder);
    out.writeInt32(label.labelBorder);
    out.writeInt32(label.textColor);
}

void readLabel(ArchiveReader& in, CPlotLabel& label)
{
    label.x = in.readDouble();
    label.y = in.readDouble();
    label.showLabel = in.readInt32();
    label.caption = in.readString();
    label.backgroundColor = in.readInt32();
    label.showPoint = in.readInt32();
    label.pointColor = in.readInt32();
    label.radius = in.readInt32();
    label.pointTransparent = in.readInt32();
    label.labelTransparent = in.readInt32();
    label.horizontalAlign = in.readInt32();
    label.verticalAlign = in.readInt32();
    label.outlineOnly = in.readInt32();
    readFont(in, label.font);
    label.pointBorder = in.readInt32();
    label.labelBorder = in.readInt32();
    label.textColor = in.readInt32();
    require(label.caption.size() <= kMaxCaptionLength);
}

void writeAxis(ArchiveWriter& out, const AxisSettings& axis)
{
    out.writeInt32(axis.showAxis);
    out.writeInt32(axis.axisId);
    out.writeString(axis.caption);
    out.writeInt32(axis.showArrow);
    out.writeDouble(axis.min);
    out.writeDouble(axis.max);
    out.writeInt32(axis.showTicks);
    out.writeDouble(axis.tickStep);
    out.writeInt32(axis.tickLength);
    out.writeInt32(axis.showLabels);
    out.writeDouble(axis.labelStep);
    out.writeString(axis.labelSuffix);
    out.writeInt32(axis.labelLayout);
    out.writeInt32(axis.lineColor);
    out.writeInt32(axis.tickColor);
    out.writeInt32(axis.lineWidth);
    out.writeInt32(axis.lineStyle);
    out.writeInt32(axis.direction);
    out.writeInt32(axis.captionColor);
    out.writeInt32(axis.labelColor);
    out.writeDouble(axis.labelCoefficient);
    writeFont(out, axis.captionFont);
    writeFont(out, axis.labelFont);
}

void readAxis(ArchiveReader& in, AxisSettings& axis)
{
    axis.showAxis = in.readInt32();
    axis.axisId = in.readInt32();
    axis.caption = in.readString();
    axis.showArrow = in.readInt32();
    axis.min = in.readDouble();
    axis.max = in.readDouble();
    axis.showTicks = in.readInt32();
    axis.tickStep = in.readDouble();
    axis.tickLength = in.readInt32();
    axis.showLabels = in.readInt32();
    axis.labelStep = in.readDouble();
    axis.labelSuffix = in.readString();
    axis.labelLayout = in.readInt32();
    axis.lineColor = in.readInt32();
    axis.tickColor = in.readInt32();
    axis.lineWidth = in.readInt32();
    axis.lineStyle = in.readInt32();
    axis.direction = in.readInt32();
    axis.captionColor = in.readInt32();
    axis.labelColor = in.readInt32();
    axis.labelCoefficient = in.readDouble();
    readFont(in, axis.captionFont);
    readFont(in, axis.labelFont);
    // Infinite ranges or steps are no plot anyone saved; they are refused with the rest.
    require(std::isfinite(axis.min) && std::isfinite(axis.max) && std::isfinite(axis.tickStep)
        && std::isfinite(axis.labelStep));
    require(
        axis.caption.size() <= kMaxCaptionLength && axis.labelSuffix.size() <= kMaxCaptionLength);
    require(axis.min < axis.max && axis.tickStep > 0 && inRange(axis.tickLength, 1, kMaxTickLength)
        && axis.labelStep > 0 && isStoredColor(axis.lineColor) && isStoredColor(axis.tickColor)
        && isStoredColor(axis.captionColor) && isStoredColor(axis.labelColor));
}

void writeLegend(ArchiveWriter& out, const LegendSettings& legend)
{
    out.writeInt32(legend.shown);
    out.writeInt32(legend.showSamples);
    out.writeInt32(legend.textColorAsGraphs);
    out.writeInt32(legend.horizontalPosition);
    out.writeInt32(legend.verticalPosition);
    writeFont(out, legend.font);
    out.writeInt32(legend.textColor);
}

void readLegend(ArchiveReader& in, LegendSettings& legend)
{
    legend.shown = in.readInt32();
    legend.showSamples = in.readInt32();
    legend.textColorAsGraphs = in.readInt32();
    legend.horizontalPosition = in.readInt32();
    legend.verticalPosition = in.readInt32();
    readFont(in, legend.font);
    legend.textColor = in.readInt32();
    require(isStoredColor(legend.textColor));
}

void writeGrid(ArchiveWriter& out, const GridSettings& grid)
{
    for (const GridLineSet* set : { &grid.horizontal, &grid.vertical }) {
        out.writeInt32(set->shown);
        out.writeDouble(set->step);
        out.writeInt32(set->color);
        out.writeInt32(set->style);
        out.writeInt32(set->width);
    }
}

void readGrid(ArchiveReader& in, GridSettings& grid)
{
    for (GridLineSet* set : { &grid.horizontal, &grid.vertical }) {
        set->shown = in.readInt32();
        set->step = in.readDouble();
        set->color = in.readInt32();
        set->style = in.readInt32();
        set->width = in.readInt32();
    }
    require(std::isfinite(grid.horizontal.step) && std::isfinite(grid.vertical.step));
    require(grid.horizontal.step > 0 && grid.vertical.step > 0
        && isStoredColor(grid.horizontal.color) && isStoredColor(grid.vertical.color));
}

void writeGeneral(ArchiveWriter& out, const GeneralSettings& general)
{
    out.writeInt32(general.rectangularAxes);
    out.writeInt32(general.equalScale);
    out.writeInt32(general.backgroundColor);
    out.writeInt32(general.steps);
    out.writeInt32(general.maxGap);
}

void readGeneral(ArchiveReader& in, GeneralSettings& general)
{
    general.rectangularAxes = in.readInt32();
    general.equalScale = in.readInt32();
    general.backgroundColor = in.readInt32();
    general.steps = in.readInt32();
    general.maxGap = in.readInt32();
    require(isStoredColor(general.backgroundColor) && inRange(general.maxGap, 1, kMaxGapLimit)
        && inRange(general.steps, 1, kMaxSteps));
}

void writeSettings(ArchiveWriter& out, const PlotSettings& settings)
{
    writeAxis(out, settings.xAxis);
    writeAxis(out, settings.yAxis);
    writeLegend(out, settings.legend);
    writeGrid(out, settings.grid);
    writeGeneral(out, settings.general);
}

void readSettings(ArchiveReader& in, PlotSettings& settings)
{
    readAxis(in, settings.xAxis);
    readAxis(in, settings.yAxis);
    readLegend(in, settings.legend);
    readGrid(in, settings.grid);
    readGeneral(in, settings.general);
}

} // namespace ovilan
