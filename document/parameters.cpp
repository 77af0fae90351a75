#include "document/parameters.h"

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    // A name byte, five doubles and the animation code.
    constexpr std::size_t kParameterRecordSize = 1 + 5 * 8 + 4;

    bool allFinite(const FormulaParameter& p)
    {
        return std::isfinite(p.value) && std::isfinite(p.minimum) && std::isfinite(p.maximum)
            && std::isfinite(p.step) && std::isfinite(p.speed);
    }

} // namespace

const FormulaParameter* ParameterTable::find(char name) const
{
    const auto found = std::ranges::find(parameters, name, &FormulaParameter::name);
    return found == parameters.end() ? nullptr : &*found;
}

FormulaParameter* ParameterTable::find(char name)
{
    const auto found = std::ranges::find(parameters, name, &FormulaParameter::name);
    return found == parameters.end() ? nullptr : &*found;
}

ParameterError checkParameter(const FormulaParameter& parameter)
{
    if (!isParameterLetter(parameter.name))
        return ParameterError::UnknownName;
    if (!allFinite(parameter))
        return ParameterError::NotFinite;
    if (parameter.minimum > parameter.maximum)
        return ParameterError::MinimumAboveMaximum;
    if (!(parameter.step > 0))
        return ParameterError::StepNotPositive;
    if (parameter.value < parameter.minimum || parameter.value > parameter.maximum)
        return ParameterError::ValueOutsideRange;
    if (!(parameter.speed > 0) || parameter.speed > kMaxAnimationSpeed)
        return ParameterError::SpeedOutOfRange;
    if (parameter.animation != ParameterAnimation::Loop
        && parameter.animation != ParameterAnimation::BackAndForth)
        return ParameterError::UnknownAnimation;
    return ParameterError::None;
}

ParameterError checkNewParameterName(const ParameterTable& table, char name)
{
    if (!isParameterLetter(name))
        return ParameterError::UnknownName;
    if (table.find(name) != nullptr)
        return ParameterError::DuplicateName;
    return ParameterError::None;
}

ParameterError checkParameterTable(const ParameterTable& table)
{
    ParameterTable seen;
    for (const FormulaParameter& parameter : table.parameters) {
        if (const ParameterError error = checkNewParameterName(seen, parameter.name);
            error != ParameterError::None)
            return error;
        if (const ParameterError error = checkParameter(parameter); error != ParameterError::None)
            return error;
        seen.parameters.push_back(parameter);
    }
    return ParameterError::None;
}

std::string_view parameterErrorText(ParameterError error)
{
    switch (error) {
    case ParameterError::None:
        return {};
    case ParameterError::UnknownName:
        return "Please enter one of the letters j, k, m, v, w or z as the parameter's name.";
    case ParameterError::DuplicateName:
        return "There is already a parameter of this name.";
    case ParameterError::NotFinite:
        return "Please enter a number.";
    case ParameterError::MinimumAboveMaximum:
        return "The minimum must not be greater than the maximum.";
    case ParameterError::StepNotPositive:
        return "The step must be greater than 0.";
    case ParameterError::ValueOutsideRange:
        return "The value must lie between the minimum and the maximum.";
    case ParameterError::SpeedOutOfRange:
        return "The speed must be greater than 0 and at most 1000 steps per second.";
    case ParameterError::UnknownAnimation:
        return "Unknown kind of animation.";
    }
    return {};
}

void writeParameterTable(ArchiveWriter& out, const ParameterTable& table)
{
    out.writeInt32(static_cast<std::int32_t>(table.parameters.size()));
    for (const FormulaParameter& parameter : table.parameters) {
        out.writeByte(static_cast<std::uint8_t>(parameter.name));
        out.writeDouble(parameter.value);
        out.writeDouble(parameter.minimum);
        out.writeDouble(parameter.maximum);
        out.writeDouble(parameter.step);
        out.writeDouble(parameter.speed);
        out.writeInt32(static_cast<std::int32_t>(parameter.animation));
    }
}

void readParameterTable(ArchiveReader& in, ParameterTable& table)
{
    const std::int32_t count = in.readInt32();
    require(count >= 0 && static_cast<std::size_t>(count) <= kParameterLetters.size()
        && static_cast<std::size_t>(count) <= in.remaining() / kParameterRecordSize);
    ParameterTable read;
    for (std::int32_t i = 0; i < count; ++i) {
        FormulaParameter& parameter = read.parameters.emplace_back();
        parameter.name = static_cast<char>(in.readByte());
        parameter.value = in.readDouble();
        parameter.minimum = in.readDouble();
        parameter.maximum = in.readDouble();
        parameter.step = in.readDouble();
        parameter.speed = in.readDouble();
        parameter.animation = static_cast<ParameterAnimation>(in.readInt32());
    }
    require(checkParameterTable(read) == ParameterError::None);
    table = std::move(read);
}

} // namespace ovilan
