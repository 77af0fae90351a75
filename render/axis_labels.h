#pragma once

#include "render/plot_settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ovilan {

// A tick label: where it stands on its axis, in plot units, and its text: the value in the
// displayed step, cleaned of floating-point noise down to two decades below the step, followed by
// the additional string.
struct AxisLabel {
    double at = 0;
    std::string text;

    bool operator==(const AxisLabel&) const = default;
};

// Measuring and drawing a label costs some microseconds, and more for a long additional string;
// these bounds keep the labels of a paint well under a second. Ten thousand labels on one axis
// are several to a pixel even across the widest picture, so no plot a user reads reaches them.
inline constexpr std::int64_t kMaxLabelsPerAxis = 10000;
inline constexpr std::int64_t kMaxLabelCharactersPerAxis = 250000;

enum class LabelOrder { Upward, Downward };
enum class ZeroLabel { Drawn, LeftToOrigin };

// The labels at the multiples of the label step within the axis range, from the smallest up or
// from the largest down. An axis whose labels would pass either bound gets none at all rather
// than a part of them.
std::vector<AxisLabel> axisLabels(const AxisSettings& axis, LabelOrder order, ZeroLabel zero);

} // namespace ovilan
