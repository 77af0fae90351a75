#pragma once

#include "shell/command_ids.h"

class QPainter;

namespace ovilan {

// The side of the square, in painter units, that every command picture is drawn into. The caller
// scales the painter so that one unit is one pixel of a 16 pixel image, or two of a 32 pixel one.
inline constexpr int commandPictureUnits = 16;

// Paints the picture of a tool bar command into the square (0, 0) to (16, 16). Returns false, and
// paints nothing, for a command that has no tool bar button and so no picture.
bool paintCommandPicture(QPainter& painter, CommandId id);

} // namespace ovilan
