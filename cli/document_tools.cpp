#include "cli/document_tools.h"

#include "cli/argument_number.h"
#include "cli/engine_commands.h"
#include "cli/file_access.h"
#include "document/csv_table.h"
#include "document/document_file.h"
#include "document/document_size_limit.h"
#include "expr/number_format.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace ovilan::cli {

namespace {

    constexpr std::string_view kKindNames[] = { "Y(x)", "X(y)", "X(t),Y(t)", "R(a)", "Table" };

    bool open(COvilanDoc& document, std::string_view path, std::ostream& err)
    {
        const std::string_view failure = openDocument(document, path);
        if (!failure.empty())
            err << failure << '\n';
        return failure.empty();
    }

    void printRange(std::ostream& out, std::string_view name, const AxisSettings& axis)
    {
        out << name << " range: " << formatNumber(axis.min) << " .. " << formatNumber(axis.max)
            << '\n';
    }

} // namespace

std::string_view openDocument(COvilanDoc& document, std::string_view path)
{
    const auto bytes = readRegularFile(std::string(path), kMaxDocumentFileBytes);
    if (!bytes)
        return "Failed to open document.";
    if (!loadDocument(document, *bytes))
        return kUnexpectedFileFormat;
    return {};
}

int runInfo(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1)
        return kExitUsage;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    if (!open(document, args[0], err))
        return kExitRefused;
    out << "graphs: " << document.graphCount() << '\n';
    for (std::int32_t i = 0; i < document.graphCount(); ++i) {
        const CGraph& graph = document.graph(i);
        out << "  " << i << '\t' << kKindNames[static_cast<int>(graph.kind)] << '\t'
            << graph.describe() << (graph.showGraph ? "" : "\t(hidden)") << '\n';
    }
    out << "labels: " << document.labelCount() << '\n';
    for (std::int32_t i = 0; i < document.labelCount(); ++i) {
        const CPlotLabel& label = document.labels[static_cast<std::size_t>(i)];
        out << "  " << i << "\t(" << formatNumber(label.x) << ", " << formatNumber(label.y)
            << ")\t\"" << label.caption << "\"\n";
    }
    printRange(out, "x", document.xAxis);
    printRange(out, "y", document.yAxis);
    // Only a document with parameters has the line, so the summary of every other stays as it was.
    if (!document.parameterTable.empty()) {
        out << "parameters: " << document.parameterTable.parameters.size() << '\n';
        for (const FormulaParameter& parameter : document.parameterTable.parameters) {
            out << "  " << parameter.name << " = " << formatNumber(parameter.value) << "\t"
                << formatNumber(parameter.minimum) << " .. " << formatNumber(parameter.maximum)
                << ", step " << formatNumber(parameter.step) << '\n';
        }
    }
    return kExitSuccess;
}

int runTrace(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    std::optional<std::int32_t> only;
    if (args.size() == 3 && args[1] == "--graph") {
        only = readArgumentNumber<std::int32_t>(args[2]);
        if (!only)
            return kExitUsage;
    } else if (args.size() != 1) {
        return kExitUsage;
    }
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    if (!open(document, args[0], err))
        return kExitRefused;
    if (only && (*only < 0 || *only >= document.graphCount())) {
        err << "ovilan-cli: the document has no graph " << *only << '\n';
        return kExitRefused;
    }
    // A graph at a time, so the largest document's points never stand in memory at once.
    out << kTracedPointsHeader;
    std::string lines;
    for (std::int32_t g = 0; g < document.graphCount() && out; ++g) {
        if (only && g != *only)
            continue;
        lines.clear();
        appendTracedPoints(lines, document.graph(g), g);
        out << lines;
    }
    return kExitSuccess;
}

} // namespace ovilan::cli
