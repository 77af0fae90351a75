#pragma once

#include "render/plot_settings.h"

#include <string>

namespace ovilan {

// The coordinate shown in the status bar for a plot value on an axis: the number as formula text,
// cut (toward minus infinity, not rounded) to as many decimals as the axis range makes useful,
// unless it is in power-of-ten form.
std::string cursorCoordinate(double value, const AxisSettings& axis);

} // namespace ovilan
