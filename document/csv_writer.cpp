// Table graphs filled from CSV rows, and graphs written out as CSV.

#include "document/csv_table.h"
#include "document/ovilan_doc.h"
#include "expr/text_evaluator.h"
#include "graph/table_graph.h"
#include "render/plot_label.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace ovilan {

namespace {

    // %.17g in the "C" locale: the double reads back exactly.
    void appendExact(std::string& out, double value)
    {
        char buffer[64];
        const auto result
            = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
        out.append(buffer, result.ptr);
    }

    // The shortest text that reads back as the same double: a measurement typed as 70.53 goes
    // out as 70.53, as a spreadsheet shows it, not as 70.530000000000001.
    void appendShortest(std::string& out, double value)
    {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out.append(buffer, result.ptr);
    }

    void appendInteger(std::string& out, long long value)
    {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out.append(buffer, result.ptr);
    }

    // A field with a comma, a quote, a line break or blanks at its ends is quoted, "" for ".
    void appendField(std::string& out, std::string_view field)
    {
        const bool needsQuotes = field.find_first_of(",\"\r\n") != std::string_view::npos
            || (!field.empty()
                && (field.front() == ' ' || field.back() == ' ' || field.front() == '\t'
                    || field.back() == '\t'));
        if (!needsQuotes) {
            out += field;
            return;
        }
        out += '"';
        for (const char c : field) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }

} // namespace

void fillTableGraph(CTableGraph& graph, std::span<const CsvRow> rows)
{
    const std::size_t count = std::min(rows.size(), static_cast<std::size_t>(kTableRows));
    for (std::size_t row = 0; row < static_cast<std::size_t>(kTableRows); ++row) {
        if (row < count) {
            graph.cellX[row] = rows[row].x;
            graph.cellY[row] = rows[row].y;
            graph.cellLabel[row] = rows[row].label;
        } else {
            graph.cellX[row].clear();
            graph.cellY[row].clear();
            graph.cellLabel[row].clear();
        }
    }
    graph.computeTablePoints();
}

void fillImportedTableGraph(CTableGraph& graph, const CsvTable& table, std::size_t count)
{
    fillTableGraph(graph, std::span(table.rows).first(std::min(count, table.rows.size())));
    graph.legendText.clear();
    if (table.header.size() < 2)
        return;
    const std::string& heading = table.header[1];
    const bool oneLine = std::none_of(heading.begin(), heading.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    if (oneLine && heading.size() <= kMaxCaptionLength)
        graph.legendText = heading;
}

std::string csvOfTableGraph(const CTableGraph& graph)
{
    std::string out = "x,y,label\n";
    for (std::size_t row = 0; row < static_cast<std::size_t>(kTableRows); ++row) {
        const std::string& x = graph.cellX[row];
        const std::string& y = graph.cellY[row];
        if (x.empty() || y.empty())
            continue;
        // The cells are checked constants (normal forms or exact numbers), so both are defined.
        appendShortest(out, evaluateText(x, " ", 0).value_or(0));
        out += ',';
        appendShortest(out, evaluateText(y, " ", 0).value_or(0));
        out += ',';
        appendField(out, graph.cellLabel[row]);
        out += '\n';
    }
    return out;
}

void appendTracedPoints(std::string& out, const CGraph& graph, std::int32_t index)
{
    for (std::int32_t i = 0; i <= graph.steps; ++i) {
        const auto at = static_cast<std::size_t>(i);
        appendInteger(out, index);
        out += ',';
        appendInteger(out, i);
        out += ',';
        appendExact(out, graph.xs[at]);
        out += ',';
        appendExact(out, graph.ys[at]);
        out += ',';
        appendInteger(out, graph.penUp[at]);
        out += '\n';
    }
}

std::string csvOfTracedPoints(const COvilanDoc& document, std::optional<std::int32_t> only)
{
    std::string out(kTracedPointsHeader);
    for (std::int32_t g = 0; g < document.graphCount(); ++g)
        if (!only || g == *only)
            appendTracedPoints(out, *document.graphs[static_cast<std::size_t>(g)], g);
    return out;
}

} // namespace ovilan
