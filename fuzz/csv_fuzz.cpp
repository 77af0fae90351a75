// Any bytes as a CSV file: the reader must not crash or hang; every row it accepts holds cells a
// table graph's check accepts as written, and a refusal names a place inside the file.

#include "document/csv_table.h"
#include "expr/formula_check.h"
#include "render/plot_label.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void requireCell(const std::string& cell)
{
    std::string normal = cell;
    if (cell.empty() || cell.size() > ovilan::kMaxFormulaLength
        || ovilan::checkFormula(normal, " ") != ovilan::kFormulaOk)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ovilan::CsvReading reading = ovilan::readCsvTable(bytes);
    if (!reading.table) {
        const auto lines = static_cast<std::size_t>(std::ranges::count(bytes, '\n'))
            + static_cast<std::size_t>(std::ranges::count(bytes, '\r')) + 1;
        if (reading.refusal.message.empty() || reading.refusal.line > lines)
            std::abort();
        return 0;
    }
    if (reading.table->rows.empty())
        std::abort();
    for (const ovilan::CsvRow& row : reading.table->rows) {
        requireCell(row.x);
        requireCell(row.y);
        if (row.label.size() > ovilan::kMaxCaptionLength)
            std::abort();
    }
    return 0;
}
