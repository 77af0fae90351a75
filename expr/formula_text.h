#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ovilan {

// Where the operator search found the weakest operator of a text.
struct OperatorMatch {
    std::size_t position;
    int code;
};

// True for the blanks that trimming removes (the "C" locale's white space).
constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimmed(std::string_view text);

// True when the text begins with "(" and the bracket depth first returns to zero at its last
// character: "(x)(x)" is not wrapped, "((x)(x))" is.
bool isWrapped(std::string_view text);

// Removes every outer pair of brackets: "((x+1))" gives "x+1".
std::string_view unwrapped(std::string_view text);

// The weakest operator of the text at bracket depth zero: for each operation in code order, the
// rightmost occurrence whose preceding text holds as many "(" as ")". Function names are found
// wherever they occur, since the search is a plain substring search.
std::optional<OperatorMatch> findOperator(std::string_view text);

// The longest leading decimal number of the text, 0 when there is none ("2.5.3" gives 2.5).
double leadingNumber(std::string_view text);

} // namespace ovilan
