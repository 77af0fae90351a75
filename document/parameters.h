#pragma once

#include "expr/parameters.h"
#include "render/archive.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace ovilan {

// How a parameter moves when animated: from the minimum to the maximum and over again, or back
// and forth between them.
enum class ParameterAnimation : std::int32_t {
    Loop = 0,
    BackAndForth = 1,
};

// The fastest animation a slider is asked for, in steps per second; a paint takes longer.
inline constexpr double kMaxAnimationSpeed = 1000;

// One named parameter: its current value and the slider that moves it.
struct FormulaParameter {
    char name = 'k';
    double value = 1;
    double minimum = -10;
    double maximum = 10;
    double step = 0.1;
    double speed = 10; // steps per second while animated
    ParameterAnimation animation = ParameterAnimation::Loop;

    bool operator==(const FormulaParameter&) const = default;
};

// Why a parameter or a table of them is refused; each code has its message.
enum class ParameterError {
    None = 0,
    UnknownName, // 'a', 'x', 'K'
    DuplicateName, // a second 'k'
    NotFinite, // a value, bound, step or speed that is NaN or infinite
    MinimumAboveMaximum, // -1 .. -2
    StepNotPositive, // step 0 or -0.5
    ValueOutsideRange, // 11 in -10 .. 10
    SpeedOutOfRange, // 0, -1 or beyond kMaxAnimationSpeed steps per second
    UnknownAnimation, // an animation code other than 0 and 1
};

// The parameters a document's formulas use, at most one per letter, in the order they were made.
struct ParameterTable {
    std::vector<FormulaParameter> parameters;

    bool empty() const { return parameters.empty(); }
    const FormulaParameter* find(char name) const;
    FormulaParameter* find(char name);
    bool operator==(const ParameterTable&) const = default;
};

// Checks one parameter on its own: its name, its numbers and its animation.
ParameterError checkParameter(const FormulaParameter& parameter);
// Checks every parameter and that no two share a name.
ParameterError checkParameterTable(const ParameterTable& table);
// Whether a new parameter may take `name` in the table.
ParameterError checkNewParameterName(const ParameterTable& table, char name);
// The message of a refusal; the empty text for ParameterError::None.
std::string_view parameterErrorText(ParameterError error);

// The table's record, shared by the document file's extension block and the undo steps. The
// reader refuses a count beyond the six letters or beyond the bytes left, and a table that fails
// checkParameterTable.
void writeParameterTable(ArchiveWriter& out, const ParameterTable& table);
void readParameterTable(ArchiveReader& in, ParameterTable& table);

} // namespace ovilan
