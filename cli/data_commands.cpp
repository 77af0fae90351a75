#include "cli/data_commands.h"

#include "cli/argument_number.h"
#include "cli/document_tools.h"
#include "cli/engine_commands.h"
#include "cli/file_access.h"
#include "document/csv_table.h"
#include "document/document_file.h"
#include "document/load_allowance.h"
#include "document/points_in_view.h"
#include "graph/table_graph.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace ovilan::cli {

namespace {

    // The positional paths and at most one `option N`; nothing when they do not read.
    struct PathsAndNumber {
        std::string_view source;
        std::string_view target;
        std::optional<std::int32_t> number;
    };

    std::optional<PathsAndNumber> readArguments(
        std::span<const std::string_view> args, std::string_view option)
    {
        if (args.size() == 2)
            return PathsAndNumber { args[0], args[1], std::nullopt };
        if (args.size() != 4 || args[2] != option)
            return std::nullopt;
        const std::optional<std::int32_t> number = readArgumentNumber<std::int32_t>(args[3]);
        if (!number)
            return std::nullopt;
        return PathsAndNumber { args[0], args[1], number };
    }

    // Writing the result over the file it is made from would lose that file.
    bool writesOverSource(const PathsAndNumber& paths, std::ostream& err)
    {
        std::error_code error;
        if (!std::filesystem::equivalent(paths.source, paths.target, error) || error)
            return false;
        err << "ovilan-cli: " << paths.target << " is the file being read\n";
        return true;
    }

    bool isLarger(const std::string& path, std::size_t limit)
    {
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        return !error && size > limit;
    }

    bool writeText(const std::string& path, const std::string& text)
    {
        const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
        return writeFileSafely(path, std::span(data, text.size()));
    }

} // namespace

std::optional<CsvTable> readDataFile(const std::string& path, std::ostream& err)
{
    const auto bytes = readRegularFile(path, kMaxCsvFileBytes);
    if (!bytes) {
        // The reader's own words for a file too large; any other failure is the opening's.
        err << (isLarger(path, kMaxCsvFileBytes)
                ? kCsvFileTooLarge
                : std::string_view("Failed to open the data file."))
            << '\n';
        return std::nullopt;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    CsvReading reading = readCsvTable(text);
    if (!reading.table)
        err << reading.refusal.message << '\n';
    return std::move(reading.table);
}

int runImport(std::span<const std::string_view> args, std::ostream& err)
{
    const std::optional<PathsAndNumber> read = readArguments(args, "--first");
    if (!read)
        return kExitUsage;
    if (writesOverSource(*read, err))
        return kExitRefused;
    if (read->number && (*read->number < 1 || *read->number > kTableRows)) {
        err << "ovilan-cli: --first takes 1 to " << kTableRows << " rows\n";
        return kExitUsage;
    }
    const std::optional<CsvTable> table = readDataFile(std::string(read->source), err);
    if (!table)
        return kExitRefused;
    const std::size_t rows = table->rows.size();
    if (!read->number && rows > static_cast<std::size_t>(kTableRows)) {
        err << csvRowsBeyondTableText(rows) << " --first " << kTableRows << " imports the first "
            << kTableRows << ".\n";
        return kExitRefused;
    }
    const std::size_t taken
        = read->number ? std::min(rows, static_cast<std::size_t>(*read->number)) : rows;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    auto graph = std::make_unique<CTableGraph>(document);
    fillImportedTableGraph(*graph, *table, taken);
    // Numbers of thousands of digits each could make a table too costly to check on opening.
    if (!loadsWithGraph(document, *graph, 0)) {
        err << kDocumentTooLarge << '\n';
        return kExitRefused;
    }
    document.insertGraph(std::move(graph), 0);
    bringPointsIntoView(document, document.graph(0), AxesToMove::Both);
    if (!writeFileSafely(std::string(read->target), writeDocument(document))) {
        err << "Failed to save document.\n";
        return kExitRefused;
    }
    return kExitSuccess;
}

int runExport(std::span<const std::string_view> args, std::ostream& err)
{
    const std::optional<PathsAndNumber> read = readArguments(args, "--graph");
    if (!read)
        return kExitUsage;
    if (writesOverSource(*read, err))
        return kExitRefused;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    const std::string_view failure = openDocument(document, read->source);
    if (!failure.empty()) {
        err << failure << '\n';
        return kExitRefused;
    }
    const std::optional<std::int32_t> only = read->number;
    if (only && (*only < 0 || *only >= document.graphCount())) {
        err << "ovilan-cli: the document has no graph " << *only << '\n';
        return kExitRefused;
    }
    const CGraph* chosen = only ? &document.graph(*only) : nullptr;
    const std::string csv = chosen && chosen->kind == GraphKind::Table
        ? csvOfTableGraph(static_cast<const CTableGraph&>(*chosen))
        : csvOfTracedPoints(document, only);
    if (!writeText(std::string(read->target), csv)) {
        err << "An error has occured while saving.\n";
        return kExitRefused;
    }
    return kExitSuccess;
}

} // namespace ovilan::cli
