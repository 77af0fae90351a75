#pragma once

#include "shell/command_ids.h"

#include <QCursor>
#include <QIcon>

namespace ovilan {

// The image of a command that has a tool bar button, shown on the button and beside the command's
// menu item: the desktop icon theme's image where a standard name fits the command, else our own
// drawing. A null icon for every command without a button.
QIcon commandIcon(CommandId id);

// Our own drawing of a button command at 16 and 32 pixels, whatever the icon theme offers; a null
// icon for a command without a button.
QIcon drawnCommandIcon(CommandId id);

// The program's icon, a coordinate system with a curve, at 16, 32, 48, 64, 128 and 256 pixels.
QIcon applicationIcon();

// The plot view's cursors in the add-label and select-interval mouse modes; both point with the
// centre of a cross-hair. They need the application object, as every QPixmap does.
QCursor addLabelCursor();
QCursor selectCursor();

} // namespace ovilan
