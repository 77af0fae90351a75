#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ovilan::cli {

// `import DATA.csv OUT.ovd [--first N]`: a new document with one table graph of the file's
// points; a file of more rows than a table holds is refused unless --first says how many to take.
int runImport(std::span<const std::string_view> args, std::ostream& err);
// `export DOC.ovd OUT.csv [--graph N]`: the points of table graph N, the traced points of another
// graph N, or the traced points of every graph, as CSV.
int runExport(std::span<const std::string_view> args, std::ostream& err);

} // namespace ovilan::cli
