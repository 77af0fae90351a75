#pragma once

#include <string>

namespace ovilan {

// Writes a double as formula text: at most 10 significant digits, large and small magnitudes as
// "m*10^e" with a negative exponent in brackets, so 0.00001 gives "1*10^(-5)" and the text can be
// checked again.
std::string formatNumber(double value);

// Keeps the digits of `value` down to two decades below the leading decade of `magnitude`
// (m = 0.25: 1.23456 becomes 1.235), then makes it the double nearest to its formatted text.
// Returns false when that text does not evaluate.
bool roundToMagnitude(double& value, double magnitude);

} // namespace ovilan
