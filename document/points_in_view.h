#pragma once

#include "document/ovilan_doc.h"

namespace ovilan {

// Which axes take the points' range: those that miss some of the points, or both, as in a plot
// that had no graph before, whose ranges nobody chose for these data.
enum class AxesToMove { MissingPoints, Both };

// True when some axis would take the points' range and can.
bool axesMoveForPoints(const COvilanDoc& document, const CGraph& graph, AxesToMove axes);

// Moves the axes to the graph's traced points, their range with a twentieth of it to spare on
// each side. A moved axis gets round steps (1, 2 or 5 times a power of ten) when "Automatically
// change steps" is on, about as many labels as before. Refreshes the graphs when an axis moved;
// takes no undo step and sends no hint.
void bringPointsIntoView(COvilanDoc& document, const CGraph& graph, AxesToMove axes);

// The step of 1, 2 or 5 times a power of ten nearest to `step` by ratio; `step` itself when it is
// not a positive finite number.
double roundStep(double step);

} // namespace ovilan
