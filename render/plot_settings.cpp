#include "render/plot_settings.h"

namespace ovilan {

AxisSettings defaultXAxis()
{
    AxisSettings axis;
    axis.caption = "x";
    axis.axisId = kXAxisId;
    return axis;
}

AxisSettings defaultYAxis()
{
    AxisSettings axis;
    axis.caption = "y";
    axis.axisId = kYAxisId;
    return axis;
}

} // namespace ovilan
