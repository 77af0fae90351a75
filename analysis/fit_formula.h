#pragma once

#include "expr/expression.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ovilan {

// A coefficient as formula text that reads back as the same double: the shortest digits that
// round-trip, with a power of ten written the formula language's way ("1.5*10^(-7)", never
// "1.5e-7").
std::string coefficientText(double value);

// "+ 2.5" or "- 2.5" for a term after the first, so a negative coefficient reads "x-2.5" rather
// than "x+-2.5", which the formula check refuses.
std::string signedTermText(double value);

// A formula with parameter letters compiled once so that only the parameters' values change
// between evaluations: the normal form of the text with its parameters kept as operands.
// Nothing when the text is refused or its normal form cannot be told apart leaf by leaf.
std::optional<Expression> compileParameterFormula(std::string_view text);

// The formula with each parameter letter replaced by its value (indexed as kParameterLetters),
// bracketed and written to round-trip exactly.
std::string substituteExactly(std::string_view text, std::span<const double> values);

} // namespace ovilan
