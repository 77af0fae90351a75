#include "view/plot_state.h"

namespace ovilan {

PlotMapping& currentPlotMapping()
{
    static PlotMapping mapping;
    return mapping;
}

MouseMode& currentMouseMode()
{
    static MouseMode mode = MouseMode::Standard;
    return mode;
}

} // namespace ovilan
