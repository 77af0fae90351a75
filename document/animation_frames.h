#pragma once

#include "document/ovilan_doc.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ovilan {

// The values one parameter takes through the frames of an animation: from, from + step,
// from + 2·step and so on up to and including to.
struct FrameRange {
    char name = 'k';
    double from = 0;
    double to = 0;
    double step = 0;
};

// An animation longer than this is surely a mistyped step, and would fill a folder for hours.
inline constexpr std::size_t kMaxAnimationFrames = 10000;

// Why the range cannot be drawn — a letter the table does not define, a number that is not
// finite, a step that is not above zero, a start beyond the end, more than kMaxAnimationFrames
// frames — in the program's words; empty when it can. A value outside the parameter's minimum and
// maximum is allowed: those bound the slider, not the formulas.
std::string frameRangeRefusal(const ParameterTable& table, const FrameRange& range);

// The number of frames of an accepted range, at least one.
std::size_t frameCount(const FrameRange& range);

// The value of frame `index` (from 0): from + index·step, computed from the start each time so
// no rounding builds up; a value within a billionth of a step of the end is the end itself.
double frameValue(const FrameRange& range, std::size_t index);

// A range typed as `k=0:10:0.1`: a parameter letter, then from, to and step, each a constant
// formula such as pi/2. The refusal is empty when the range was read and accepted.
struct FrameRangeReading {
    std::optional<FrameRange> range;
    std::string refusal;
};
FrameRangeReading readFrameRange(const ParameterTable& table, std::string_view text);

// The file of frame `index` (from 0) of `count`: frame-0001.png, its number as wide as the count
// needs and at least four digits, so the files sort in their order.
std::string frameFileName(std::size_t index, std::size_t count);

// Draws each frame of an accepted range: moves the parameter as a slider does, then calls `draw`
// with the frame's index; stops early when `draw` returns false. The parameter gets its value
// back afterwards, so the document is as it was. Returns the number of frames drawn.
std::size_t drawFrames(
    COvilanDoc& document, const FrameRange& range, const std::function<bool(std::size_t)>& draw);

} // namespace ovilan
