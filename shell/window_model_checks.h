#pragma once

#include "shell/window_model_actions.h"

#include <string>
#include <vector>

namespace ovilan::testing {

// What the window shows must follow the document after every action. Each check returns the
// differences it found, in words; none when the window is right.

// The plot view's pixels, once it has painted what is pending, against the document drawn afresh
// on a picture of the same size.
std::vector<std::string> checkPlotPixels(ModelWindow& window);
// The graph list, when shown: one item per graph in document order, with the graph's description
// and its shown state as the check mark, and the selected graph's item selected.
std::vector<std::string> checkGraphList(ModelWindow& window);
// Undo and Redo enabled exactly when there is something to undo or redo, Edit and Remove graph
// when a graph is selected; the title's modified mark and name as the document's.
std::vector<std::string> checkCommandsAndTitle(ModelWindow& window);
// The document written, read back and written again gives the same bytes.
std::vector<std::string> checkSaveLoadRoundTrip(ModelWindow& window);

// Lets the window handle everything pending, paints included.
void settle();

} // namespace ovilan::testing
