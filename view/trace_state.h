#pragma once

#include "view/curve_track.h"
#include "view/drag_feedback.h"
#include "view/plot_view.h"

#include <optional>
#include <vector>

namespace ovilan {

// The curve cursor of the Trace Curve mode, with its feedback on the screen.
struct COvilanView::TraceState {
    std::int32_t graph = -1; // the graph the cursor is on; -1 before it is on one
    int index = 0;
    std::int32_t pinned = -1; // the graph a click or a key chose
    std::int32_t selectionWhenPinned = -1;
    // Each graph's points, worked out when first needed; emptied when the document changes.
    std::vector<std::optional<CurveTrack>> tracks;
    std::vector<bool> tracked;
    SavedPixels saved;
};

} // namespace ovilan
