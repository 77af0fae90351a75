#include "render/plot_label.h"

#include "render/random_color.h"

namespace ovilan {

CPlotLabel::CPlotLabel()
    : pointColor(nextRandomColor())
{
}

} // namespace ovilan
