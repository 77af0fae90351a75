#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ovilan {

// A number typed in a usual notation ("-0.5", ".5", "+2", "1e-5", "1E+3", and with decimalComma
// also "3,14") as the program's own number text, keeping every digit typed where a normal form
// keeps ten: a small or large magnitude is written "1.5*10^(-7)", a decimal comma becomes a
// point, a plus sign and leading or trailing zeros go. The text is one the formula check accepts
// as typed, so older versions read it, and it evaluates to exactly the double the typed number
// denotes. Nothing when the text is not such a number, lies beyond +-10^306 or has more digits
// than a formula may hold.
std::optional<std::string> exactNumberText(std::string_view text, bool decimalComma);

// Whether the text is already its own exact number text: a number with all its digits that a
// constant cell may keep as it stands instead of its ten-digit normal form.
bool isExactNumberText(std::string_view text);

} // namespace ovilan
