#include "document/animation_frames.h"

#include "document/parameter_graphs.h"
#include "expr/dialog_fields.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ovilan {

namespace {

    // How far past the end a frame may fall, in steps, and still be the end.
    constexpr double kEndTolerance = 1e-9;

    // The last frame's index as a number of steps, before it is checked against the limit.
    double lastFrameIndex(const FrameRange& range)
    {
        return std::floor((range.to - range.from) / range.step + kEndTolerance);
    }

    std::optional<double> readConstant(std::string_view text)
    {
        const std::optional<std::string> normal = checkConstantField(text);
        if (!normal)
            return std::nullopt;
        const double value = constantFieldValue(*normal);
        return std::isfinite(value) ? std::optional(value) : std::nullopt;
    }

    std::vector<std::string_view> splitAt(std::string_view text, char separator)
    {
        std::vector<std::string_view> parts;
        for (std::size_t at = text.find(separator); at != std::string_view::npos;
             at = text.find(separator)) {
            parts.push_back(text.substr(0, at));
            text.remove_prefix(at + 1);
        }
        parts.push_back(text);
        return parts;
    }

} // namespace

std::string frameRangeRefusal(const ParameterTable& table, const FrameRange& range)
{
    if (table.find(range.name) == nullptr)
        return std::string("The document has no parameter ") + range.name + '.';
    if (!std::isfinite(range.from) || !std::isfinite(range.to) || !std::isfinite(range.step))
        return "The values of an animation must be finite numbers.";
    if (!(range.step > 0))
        return "The step must be greater than 0.";
    if (range.from > range.to)
        return "The first value must not be greater than the last one.";
    const double last = lastFrameIndex(range);
    if (!(last < static_cast<double>(kMaxAnimationFrames)))
        return "An animation may have at most " + std::to_string(kMaxAnimationFrames)
            + " frames; choose a larger step.";
    return {};
}

std::size_t frameCount(const FrameRange& range)
{
    return static_cast<std::size_t>(std::max(lastFrameIndex(range), 0.0)) + 1;
}

double frameValue(const FrameRange& range, std::size_t index)
{
    const double value = range.from + static_cast<double>(index) * range.step;
    return std::abs(value - range.to) <= kEndTolerance * range.step ? range.to : value;
}

FrameRangeReading readFrameRange(const ParameterTable& table, std::string_view text)
{
    constexpr std::string_view kForm = "An animation is written as k=FROM:TO:STEP.";
    const std::size_t equals = text.find('=');
    if (equals != 1)
        return { std::nullopt, std::string(kForm) };
    const std::vector<std::string_view> numbers = splitAt(text.substr(2), ':');
    if (numbers.size() != 3)
        return { std::nullopt, std::string(kForm) };
    FrameRange range;
    range.name = text[0];
    double* const fields[] = { &range.from, &range.to, &range.step };
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::optional<double> value = readConstant(numbers[i]);
        if (!value)
            return { std::nullopt, "\"" + std::string(numbers[i]) + "\" is not a number." };
        *fields[i] = *value;
    }
    std::string refusal = frameRangeRefusal(table, range);
    if (!refusal.empty())
        return { std::nullopt, std::move(refusal) };
    return { range, {} };
}

std::string frameFileName(std::size_t index, std::size_t count)
{
    const std::size_t width = std::max<std::size_t>(4, std::to_string(count).size());
    std::string number = std::to_string(index + 1);
    number.insert(0, width - std::min(width, number.size()), '0');
    return "frame-" + number + ".png";
}

std::size_t drawFrames(
    COvilanDoc& document, const FrameRange& range, const std::function<bool(std::size_t)>& draw)
{
    const FormulaParameter* parameter = document.parameterTable.find(range.name);
    if (parameter == nullptr)
        return 0;
    const double kept = parameter->value;
    const std::size_t count = frameCount(range);
    std::size_t drawn = 0;
    while (drawn < count) {
        moveParameter(document, range.name, frameValue(range, drawn));
        if (!draw(drawn))
            break;
        ++drawn;
    }
    moveParameter(document, range.name, kept);
    return drawn;
}

} // namespace ovilan
