#include "document/ovilan_doc.h"
#include "expr/number_format.h"
#include "expr/text_evaluator.h"

namespace ovilan {

namespace {

    // At most ten significant digits: a third of 1 becomes 0.3333333333.
    double rounded(double step) { return evaluateText(formatNumber(step), " ", 0).value_or(step); }

} // namespace

void COvilanDoc::applyAutoSteps(
    double xLabel, double xTick, double xGrid, double yLabel, double yTick, double yGrid)
{
    if (!preferences().autoChangeSteps)
        return;
    const double rx = xAxis.max - xAxis.min;
    const double ry = yAxis.max - yAxis.min;
    xAxis.tickStep = rounded(rx * xTick);
    yAxis.tickStep = rounded(ry * yTick);
    xAxis.labelStep = rounded(rx * xLabel);
    yAxis.labelStep = rounded(ry * yLabel);
    grid.vertical.step = rounded(rx * xGrid);
    grid.horizontal.step = rounded(ry * yGrid);
}

} // namespace ovilan
