#include "document/points_in_view.h"

#include "document/document_commands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>

namespace ovilan {

namespace {

    // The widest and narrowest ranges the zoom lets an axis take.
    constexpr double kWidestRange = 1e200;
    constexpr double kNarrowestRange = 1e-21;

    struct Range {
        double min;
        double max;
    };

    // The values' range with a twentieth of it added on each side, a single value one unit
    // either side; nothing when that range is one the zoom would refuse.
    std::optional<Range> shownDataRange(std::span<const double> values)
    {
        if (values.empty())
            return std::nullopt;
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        const double margin = *high > *low ? (*high - *low) / 20 : 1;
        const Range range { roundedToShownDigits(*low - margin),
            roundedToShownDigits(*high + margin) };
        const double width = range.max - range.min;
        if (!std::isfinite(width) || width > kWidestRange || width < kNarrowestRange)
            return std::nullopt;
        return range;
    }

    bool showsAll(const AxisSettings& axis, std::span<const double> values)
    {
        return std::all_of(values.begin(), values.end(), [&axis](double value) {
            return axis.min <= value && value <= axis.max;
        });
    }

    // A tick or grid step that divided the label step (or was a whole multiple of it) keeps
    // doing so, so labels stay on ticks and grid lines; any other step is rounded on its own.
    double followingStep(double oldStep, double oldLabelStep, double newLabelStep, double scale)
    {
        const double ratio = oldStep / oldLabelStep;
        for (int n = 1; n <= 10; ++n) {
            if (std::abs(ratio * n - 1) < 1e-9)
                return roundedToShownDigits(newLabelStep / n);
            if (std::abs(ratio / n - 1) < 1e-9)
                return roundedToShownDigits(newLabelStep * n);
        }
        return roundStep(oldStep * scale);
    }

    void giveRoundSteps(AxisSettings& axis, GridLineSet& grid, double oldWidth)
    {
        const double scale = (axis.max - axis.min) / oldWidth;
        const double oldLabelStep = axis.labelStep;
        const double labelStep = roundStep(oldLabelStep * scale);
        axis.tickStep = followingStep(axis.tickStep, oldLabelStep, labelStep, scale);
        grid.step = followingStep(grid.step, oldLabelStep, labelStep, scale);
        axis.labelStep = labelStep;
    }

    // The range the axis moves to, when it moves.
    std::optional<Range> movedRange(
        const AxisSettings& axis, std::span<const double> values, AxesToMove axes)
    {
        if (axes == AxesToMove::MissingPoints && showsAll(axis, values))
            return std::nullopt;
        const std::optional<Range> range = shownDataRange(values);
        if (range && range->min == axis.min && range->max == axis.max)
            return std::nullopt;
        return range;
    }

    void showValues(AxisSettings& axis,
        GridLineSet& grid,
        std::span<const double> values,
        AxesToMove axes,
        bool roundSteps)
    {
        const std::optional<Range> moved = movedRange(axis, values, axes);
        if (!moved)
            return;
        const double oldWidth = axis.max - axis.min;
        axis.min = moved->min;
        axis.max = moved->max;
        if (roundSteps)
            giveRoundSteps(axis, grid, oldWidth);
    }

} // namespace

bool axesMoveForPoints(const COvilanDoc& document, const CGraph& graph, AxesToMove axes)
{
    return movedRange(document.xAxis, graph.xs, axes) || movedRange(document.yAxis, graph.ys, axes);
}

void bringPointsIntoView(COvilanDoc& document, const CGraph& graph, AxesToMove axes)
{
    if (!axesMoveForPoints(document, graph, axes))
        return;
    const bool roundSteps = document.preferences().autoChangeSteps != 0;
    // The grid's vertical lines are spaced along x, its horizontal ones along y.
    showValues(document.xAxis, document.grid.vertical, graph.xs, axes, roundSteps);
    showValues(document.yAxis, document.grid.horizontal, graph.ys, axes, roundSteps);
    document.refreshGraphs();
}

double roundStep(double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return step;
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    const double mantissa = step / power;
    // The boundaries between 1, 2, 5 and 10 by ratio: the geometric means of the neighbours.
    constexpr std::array<double, 3> kBounds {
        1.4142135623730951, 3.1622776601683795, 7.0710678118654755
    };
    constexpr std::array<double, 4> kMantissas { 1, 2, 5, 10 };
    const auto index = static_cast<std::size_t>(
        std::upper_bound(kBounds.begin(), kBounds.end(), mantissa) - kBounds.begin());
    return roundedToShownDigits(kMantissas[index] * power);
}

} // namespace ovilan
