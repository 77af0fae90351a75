#pragma once

#include "dialogs/edit_grid.h"

#include <QCoreApplication>

namespace ovilan::testing {

inline constexpr int X = CEditGrid::kXColumn;
inline constexpr int Y = CEditGrid::kYColumn;
inline constexpr int Label = CEditGrid::kLabelColumn;

// Lets the keys the editor and the grid post to each other arrive.
inline void settle()
{
    for (int round = 0; round < 4; ++round)
        QCoreApplication::processEvents();
}

} // namespace ovilan::testing
