#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace ovilan {

// One column of a table graph's 2000 rows. Only rows that were written hold a text, so an empty
// table, or the empty rows of a sparse one, cost nothing; an unwritten row reads as empty.
class TableColumn {
public:
    const std::string& operator[](std::size_t row) const
    {
        static const std::string kEmptyCell;
        const auto cell = cells_.find(row);
        return cell == cells_.end() ? kEmptyCell : cell->second;
    }

    // The row's text, made writable; the reference stays valid while other rows are written.
    std::string& operator[](std::size_t row) { return cells_[row]; }

    // Forgets the rows whose text has been emptied, so they cost nothing again.
    void dropEmptyCells()
    {
        std::erase_if(cells_, [](const auto& cell) { return cell.second.empty(); });
    }

    std::size_t storedCells() const { return cells_.size(); }

private:
    std::map<std::size_t, std::string> cells_;
};

} // namespace ovilan
