#pragma once

namespace ovilan {

// What a click in the plot does. One value for the whole program: the plot view and the main
// window's mode commands share it.
enum class MouseMode : int {
    Standard = 0,
    AddLabel = 1,
    SelectInterval = 2,
    TraceCurve = 3,
    DraggingLabel = 5,
    Selecting = 6,
};

} // namespace ovilan
