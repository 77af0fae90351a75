#pragma once

#include "document/ovilan_doc.h"

namespace ovilan {

// True when some axis misses traced points of the graph and can take their range.
bool axesMoveForPoints(const COvilanDoc& document, const CGraph& graph);

// Moves each axis that misses some of the graph's traced points to the points' range with a
// twentieth of it to spare on each side. A moved axis gets round steps (1, 2 or 5 times a power
// of ten) when "Automatically change steps" is on, about as many labels as before. Refreshes the
// graphs when an axis moved; takes no undo step and sends no hint.
void bringPointsIntoView(COvilanDoc& document, const CGraph& graph);

// The step of 1, 2 or 5 times a power of ten nearest to `step` by ratio; `step` itself when it is
// not a positive finite number.
double roundStep(double step);

} // namespace ovilan
