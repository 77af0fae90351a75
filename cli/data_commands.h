#pragma once

#include "document/csv_table.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ovilan::cli {

// `import DATA.csv OUT.ovd [--first N]`: a new document with one table graph of the file's
// points; a file of more rows than a table holds is refused unless --first says how many to take.
int runImport(std::span<const std::string_view> args, std::ostream& err);
// `export DOC.ovd OUT.csv [--graph N]`: the points of table graph N, the traced points of another
// graph N, or the traced points of every graph, as CSV.
int runExport(std::span<const std::string_view> args, std::ostream& err);

// The data file's table, or nothing with the reason on `err`: why it cannot be opened, that it is
// too large, or the reader's refusal.
std::optional<CsvTable> readDataFile(const std::string& path, std::ostream& err);

} // namespace ovilan::cli
