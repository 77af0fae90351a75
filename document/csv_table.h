#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovilan {

class CGraph;
class COvilanDoc;
class CTableGraph;

// A file of measurements larger than this is refused before it is read.
inline constexpr std::size_t kMaxCsvFileBytes = 64 * 1024 * 1024;
inline constexpr std::string_view kCsvFileTooLarge = "The file is larger than 64 MB.";
// Rows beyond this many are not kept: a file that long is refused rather than held in memory.
inline constexpr std::size_t kMaxCsvRows = 1'000'000;

// What a CSV or TSV file of measurements holds, read without the toolkit and without the locale:
// rows of an x, a y and an optional label, each number already written as the program's own
// number text ("3,14" with ';' gives "3.14", "1e-5" gives "1*10^(-5)"), so a table graph's check
// accepts it and older versions read it.
struct CsvRow {
    std::size_t line = 0; // the row's line in the file, from 1
    std::string x;
    std::string y;
    std::string label; // the third column, empty when there is none
};

enum class CsvSeparator { Comma, Semicolon, Tab };

struct CsvTable {
    CsvSeparator separator = CsvSeparator::Comma;
    bool decimalComma = false; // a number was written "3,14": only with ';' or tab as separator
    // The header row's first three cells (x, y, label), empty when the first row is data.
    std::vector<std::string> header;
    std::vector<CsvRow> rows; // every data row, also beyond the table graph's 2000
    std::size_t columns = 2; // the most cells in a row; those after the third are not read
};

// Why a file cannot be read as a table, with the place of the fault where there is one.
struct CsvRefusal {
    std::string message; // in the program's words, e.g. "Line 7, column 2 is not a number: "abc"."
    std::size_t line = 0; // from 1; 0 when the fault is the whole file (empty, binary)
    std::size_t column = 0; // from 1; 0 when the fault is not one cell
};

struct CsvReading {
    std::optional<CsvTable> table;
    CsvRefusal refusal; // meaningful when table is empty
};

// Reads the bytes of a CSV/TSV file: sniffs the separator (tab, semicolon or comma, whichever
// gives every one of the first lines the same number of cells, at least two, and two numbers at
// the start of each line after the first), a decimal comma
// where the separator allows it, quoted fields (with "" inside), a header row (the first row,
// when neither of its first two cells is a number), a UTF-8 byte-order mark, blank lines, CRLF,
// LF or CR line ends. The first column is x, the second y, the third the point's label; further
// columns are not read. Rows of one cell are refused with their line; a cell that is not a number
// names its line and column. An empty, binary or oversized file is refused.
CsvReading readCsvTable(std::string_view bytes);

// "The file has 2500 rows; a table graph holds 2000.": what to say before offering to take the
// first 2000 rows of a longer file.
std::string csvRowsBeyondTableText(std::size_t rows);

// A cell's number as the program writes it, every digit kept (see exactNumberText): "3,14"
// with decimalComma gives "3.14", "1e-5" gives "1*10^(-5)"; nothing when it is not a number.
std::optional<std::string> csvNumberText(std::string_view cell, bool decimalComma);

// Fills a table graph's cells from the rows, at most the graph's 2000 (the caller asks first),
// emptying the rest, and computes its points.
void fillTableGraph(CTableGraph& graph, std::span<const CsvRow> rows);
// The same for an imported file's first `count` rows; the y column's heading, when the file has
// one that fits a legend on one line ("Temperature, C"), becomes the graph's legend text.
void fillImportedTableGraph(CTableGraph& graph, const CsvTable& table, std::size_t count);

// CSV with a comma separator and a point as the decimal mark, a field quoted when it needs it,
// lines ended by LF; every number reads back exactly.
// The points of a table graph as "x,y,label": each filled row's cells evaluated, each number
// the shortest text of its value (70.53, 1e-05).
std::string csvOfTableGraph(const CTableGraph& graph);
// The traced points "graph,index,x,y,penUp" of every graph of the document, or of the graph
// `only`, numbered by their place in the document, numbers as %.17g (what `ovilan-cli trace`
// has always printed).
std::string csvOfTracedPoints(
    const COvilanDoc& document, std::optional<std::int32_t> only = std::nullopt);
// The same a graph at a time, for a writer that streams: the header line, then the lines of one
// graph's points with `index` as its number.
inline constexpr std::string_view kTracedPointsHeader = "graph,index,x,y,penUp\n";
void appendTracedPoints(std::string& out, const CGraph& graph, std::int32_t index);

} // namespace ovilan
