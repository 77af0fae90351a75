#include "render/cursor_readout.h"

#include "expr/number_format.h"

#include <cmath>

namespace ovilan {

std::string cursorCoordinate(double value, const AxisSettings& axis)
{
    const std::string text = formatNumber(value);
    if (text.find('^') != std::string::npos)
        return text;
    const double range = axis.max - axis.min;
    // One decimal for ranges of 100 and more; each decade less adds one.
    const double decimals = range >= 100 ? 1 : 4 - std::ceil(std::log10(range));
    const double scale = std::pow(10.0, decimals);
    const double cut = std::floor(value * scale) / scale;
    if (!std::isfinite(cut))
        return text;
    return formatNumber(cut);
}

} // namespace ovilan
