#pragma once

#include "render/plot_mapping.h"

namespace ovilan {

// One visible straight piece of a traced curve, already clipped to the plot, from one device
// position to another, unrounded. A piece that starts on the rounded end of the piece before it
// continues that one; the dash pattern runs on across all pieces of a curve.
struct CurvePiece {
    DevicePosition from;
    DevicePosition to;

    bool operator==(const CurvePiece&) const = default;
};

} // namespace ovilan
