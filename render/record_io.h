#pragma once

#include "render/archive.h"
#include "render/font_record.h"
#include "render/plot_label.h"
#include "render/plot_settings.h"

namespace ovilan {

// One writer and one reader per record, shared by document files and undo snapshots. A reader
// fills an existing record and throws BadFormat when the input ends early or, at the end of the
// record, when a value fails its check.

void writeFont(ArchiveWriter& out, const FontRecord& font);
void readFont(ArchiveReader& in, FontRecord& font);

void writeLabel(ArchiveWriter& out, const CPlotLabel& label);
void readLabel(ArchiveReader& in, CPlotLabel& label);

void writeAxis(ArchiveWriter& out, const AxisSettings& axis);
void readAxis(ArchiveReader& in, AxisSettings& axis);

void writeLegend(ArchiveWriter& out, const LegendSettings& legend);
void readLegend(ArchiveReader& in, LegendSettings& legend);

void writeGrid(ArchiveWriter& out, const GridSettings& grid);
void readGrid(ArchiveReader& in, GridSettings& grid);

void writeGeneral(ArchiveWriter& out, const GeneralSettings& general);
void readGeneral(ArchiveReader& in, GeneralSettings& general);

// The five settings records in file order: X axis, Y axis, legend, grid, general.
void writeSettings(ArchiveWriter& out, const PlotSettings& settings);
void readSettings(ArchiveReader& in, PlotSettings& settings);

} // namespace ovilan
