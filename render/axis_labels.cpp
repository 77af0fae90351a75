#include "render/axis_labels.h"

#include "expr/number_format.h"
#include "render/step_multiples.h"

namespace ovilan {

namespace {

    std::string labelNumber(const AxisSettings& axis, double k)
    {
        const double displayedStep
            = axis.labelCoefficient == 0 ? axis.labelStep : axis.labelStep / axis.labelCoefficient;
        double value = k * displayedStep;
        roundToMagnitude(value, axis.labelStep);
        return formatNumber(value);
    }

} // namespace

std::vector<AxisLabel> axisLabels(const AxisSettings& axis, LabelOrder order, ZeroLabel zero)
{
    const StepMultiples multiples
        = stepMultiples(axis.min, axis.max, axis.labelStep, kMaxLabelsPerAxis);
    if (multiples.count > kMaxLabelsPerAxis)
        return {};
    // The numbers first: the additional string, which may be long, is counted but only joined
    // to them once the characters are known to be within the bound.
    std::vector<AxisLabel> labels;
    labels.reserve(static_cast<std::size_t>(multiples.count));
    std::int64_t characters = 0;
    for (std::int64_t i = 0; i < multiples.count; ++i) {
        const double k = order == LabelOrder::Downward ? multiples.fromTop(i) : multiples.k(i);
        if (k == 0 && zero == ZeroLabel::LeftToOrigin)
            continue;
        labels.push_back({ k * axis.labelStep, labelNumber(axis, k) });
        characters
            += static_cast<std::int64_t>(labels.back().text.size() + axis.labelSuffix.size());
        if (characters > kMaxLabelCharactersPerAxis)
            return {};
    }
    for (AxisLabel& label : labels)
        label.text += axis.labelSuffix;
    return labels;
}

} // namespace ovilan
