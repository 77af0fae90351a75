#pragma once

#include "expr/formula_fault.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ovilan {

inline constexpr std::string_view kEnterInteger = "Please enter an integer.";

// A whole number typed into a dialog field, read as the C library reads a long: blanks and tabs
// first, an optional sign, decimal digits, a value beyond 32 bits pinned to the nearest limit.
struct IntegerField {
    std::int32_t value = 0;
    // Empty when accepted; otherwise the message to show.
    std::string refusal;
    // "Please enter an integer." is shown without an icon, the range message as a warning.
    bool warning = false;
};

// Only the first 31 characters count. A text is refused when it reads 0 but does not start with
// the digit 0 (empty, "abc", "+0", "-0"), when anything but blanks and tabs follows the digits, or
// when the value lies outside minimum..maximum.
IntegerField readIntegerField(std::string_view text, std::int32_t minimum, std::int32_t maximum);

// A constant field: a formula without a variable, in the program's own or the familiar spellings
// ("1e-3", "e^2"). Its normal form when the check accepts it with the blank variable, nothing
// when it is refused.
std::optional<std::string> checkConstantField(std::string_view text);
// Where a refused constant field goes wrong.
FormulaFault constantFieldFault(std::string_view text);
// The value of an accepted constant field's normal form.
double constantFieldValue(std::string_view normalForm);

} // namespace ovilan
