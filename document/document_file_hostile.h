#pragma once

// Documents built byte by byte to cost as much as a file of their size can: the cases a reader
// must either handle within its time and memory or refuse. Shared by the reader's tests and the
// bounds benchmark, which also writes them out for measuring the command-line tool.

#include "render/archive.h"
#include "render/plot_label.h"
#include "render/plot_settings.h"
#include "render/record_io.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ovilan::hostile {

inline constexpr std::size_t kMegabyte = 1 << 20;

struct FunctionEntry {
    std::int32_t kind = 0;
    std::int32_t steps = 20000;
    std::string formula = "x";
    std::string formula2;
    std::string legendText;
};

inline void writeCommon(ArchiveWriter& out, std::int32_t steps, const std::string& legendText)
{
    out.writeInt32(1); // colour
    out.writeInt32(1); // width
    out.writeInt32(0); // style
    out.writeString(legendText);
    out.writeInt32(1); // shown
    out.writeInt32(1); // in the legend
    out.writeInt32(1); // own parameters
    out.writeInt32(200); // maximum gap
    out.writeInt32(steps);
}

inline void writeFunction(ArchiveWriter& out, const FunctionEntry& entry)
{
    out.writeInt32(entry.kind);
    writeCommon(out, entry.steps, entry.legendText);
    out.writeDouble(10);
    out.writeDouble(-10);
    out.writeInt32(1); // own interval
    out.writeString(entry.formula);
    out.writeString(entry.formula2);
}

struct TableRow {
    std::string x;
    std::string y;
    std::string label;
};

// A table of the given rows from row 0 on, the rest empty.
inline void writeTable(ArchiveWriter& out,
    const std::vector<TableRow>& rows,
    const CPlotLabel& marker,
    std::int32_t showPoints)
{
    constexpr int kRows = 2000;
    out.writeInt32(4);
    writeCommon(out, static_cast<std::int32_t>(rows.size()) - 1, {});
    if (!rows.empty()) {
        out.writeInt16(static_cast<std::int16_t>(rows.size()));
        out.writeInt16(1);
        for (const TableRow& row : rows) {
            out.writeString(row.x);
            out.writeString(row.y);
            out.writeString(row.label);
        }
    }
    if (rows.size() < kRows) {
        out.writeInt16(static_cast<std::int16_t>(kRows - static_cast<int>(rows.size())));
        out.writeInt16(0);
    }
    writeLabel(out, marker);
    out.writeInt32(showPoints);
    out.writeInt32(1);
}

// A whole document: the graph entries that `graphs` writes (returning how many), the labels and
// the settings.
inline std::vector<std::uint8_t> document(const std::function<int(ArchiveWriter&)>& graphs,
    const std::vector<CPlotLabel>& labels = {},
    const PlotSettings& settings = {})
{
    ArchiveWriter head;
    head.writeString("OvilanDocument");
    head.writeInt32(1);
    ArchiveWriter body;
    const int count = graphs(body);
    head.writeInt32(count);
    std::vector<std::uint8_t> bytes = head.takeBytes();
    bytes.insert(bytes.end(), body.bytes().begin(), body.bytes().end());
    ArchiveWriter tail;
    tail.writeInt32(static_cast<std::int32_t>(labels.size()));
    for (const CPlotLabel& label : labels)
        writeLabel(tail, label);
    writeSettings(tail, settings);
    bytes.insert(bytes.end(), tail.bytes().begin(), tail.bytes().end());
    return bytes;
}

// As many copies of one function graph as fit in `size` bytes.
inline std::vector<std::uint8_t> repeatedFunctions(const FunctionEntry& entry, std::size_t size)
{
    return document([&](ArchiveWriter& out) {
        ArchiveWriter one;
        writeFunction(one, entry);
        const std::size_t fit = (size - 1000) / one.bytes().size();
        for (std::size_t i = 0; i < fit; ++i)
            writeFunction(out, entry);
        return static_cast<int>(fit);
    });
}

// "x^x^...^x" with `depth` powers.
inline std::string powerChain(int depth)
{
    std::string text = "x";
    for (int i = 0; i < depth; ++i)
        text += "^x";
    return text;
}

// A 1 MB file of Y(x) graphs "x" at 20000 steps.
inline std::vector<std::uint8_t> manyGraphs(std::size_t size = kMegabyte)
{
    return repeatedFunctions({}, size);
}

// A 1 MB file of empty table graphs.
inline std::vector<std::uint8_t> manyEmptyTables(std::size_t size = kMegabyte)
{
    return document([&](ArchiveWriter& out) {
        const CPlotLabel marker;
        int count = 0;
        while (out.bytes().size() + 1000 < size) {
            writeTable(out, {}, marker, 0);
            ++count;
        }
        return count;
    });
}

// A 1 MB file of graphs whose formula is a 256-deep power chain, at 20000 steps.
inline std::vector<std::uint8_t> powerChains(std::size_t size = kMegabyte)
{
    FunctionEntry entry;
    entry.formula = powerChain(255);
    return repeatedFunctions(entry, size);
}

// One graph whose formula is a sum of `terms` terms of the given text.
inline std::vector<std::uint8_t> hugeFormula(const std::string& term, std::size_t terms)
{
    FunctionEntry entry;
    entry.formula = term;
    for (std::size_t i = 1; i < terms; ++i)
        entry.formula += "+" + term;
    return repeatedFunctions(entry, entry.formula.size() + 2000);
}

// A full table shown with markers whose template caption has `length` characters.
inline std::vector<std::uint8_t> tableWithLongMarkerCaption(std::size_t length)
{
    return document([&](ArchiveWriter& out) {
        std::vector<TableRow> rows;
        for (int row = 0; row < 2000; ++row)
            rows.push_back({ std::to_string(row % 20 - 10), std::to_string(row % 19 - 9), "p" });
        CPlotLabel marker;
        marker.caption = std::string(length, 'w');
        writeTable(out, rows, marker, 1);
        return 1;
    });
}

// The X axis labelled every 0.05, each label followed by a suffix of `length` characters.
inline std::vector<std::uint8_t> longLabelSuffix(std::size_t length)
{
    PlotSettings settings;
    settings.xAxis.labelStep = 0.05;
    settings.xAxis.labelSuffix = std::string(length, 's');
    return document([](ArchiveWriter&) { return 0; }, {}, settings);
}

// One plot label whose caption has `length` characters.
inline std::vector<std::uint8_t> longLabelCaption(std::size_t length)
{
    CPlotLabel label;
    label.caption = std::string(length, 'c');
    return document([](ArchiveWriter&) { return 0; }, { label });
}

// A 1 MB file of graphs in the legend, each with a legend text of `length` characters.
inline std::vector<std::uint8_t> longLegendTexts(std::size_t length, std::size_t size = kMegabyte)
{
    PlotSettings settings;
    settings.legend.shown = 1;
    return document(
        [&](ArchiveWriter& out) {
            FunctionEntry entry;
            entry.steps = 1;
            entry.legendText = std::string(length, 'l');
            int count = 0;
            while (out.bytes().size() + length + 1000 < size) {
                writeFunction(out, entry);
                ++count;
            }
            return count;
        },
        {},
        settings);
}

// Documents as large as people make them, which must load: `count` graphs at 20000 steps with
// everyday formulas, each with a legend text.
inline std::vector<std::uint8_t> typicalGraphs(int count)
{
    const char* const formulas[] = { "sin(x)",
        "x^2-3*x+2",
        "sin(x)*exp(-x^2/10)+sqrt(abs(x))",
        "1/x",
        "tg(x)",
        "(x^3-2*x)/(x^2+1)*cos(3*x)" };
    return document([&](ArchiveWriter& out) {
        for (int i = 0; i < count; ++i) {
            FunctionEntry entry;
            entry.formula = formulas[i % 6];
            entry.legendText = "graph " + std::to_string(i);
            writeFunction(out, entry);
        }
        return count;
    });
}

// `count` tables with all 2000 rows filled and labelled, drawn with markers.
inline std::vector<std::uint8_t> fullTables(int count)
{
    return document([&](ArchiveWriter& out) {
        std::vector<TableRow> rows;
        for (int row = 0; row < 2000; ++row)
            rows.push_back({ std::to_string(row % 20 - 10) + ".25",
                "sqrt(" + std::to_string(row % 50 + 1) + ")",
                "point " + std::to_string(row) });
        CPlotLabel marker;
        marker.caption = " (measured)";
        for (int i = 0; i < count; ++i)
            writeTable(out, rows, marker, 1);
        return count;
    });
}

} // namespace ovilan::hostile
