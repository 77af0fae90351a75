#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ovilan {

// A typed formula rewritten into the program's own spelling, lower case: familiar function names
// become the program's ("tan" is "tg", "log10" is "lg"), the constant e becomes its value and a
// number in scientific notation its plain decimal text ("1e-3" is "0.001"). Every character of
// the result remembers the typed characters it came from, so a fault found in the rewritten text
// can be shown where the user typed it.
struct SpelledFormula {
    std::string text;
    // For text[i]: the typed characters typedBegin[i] .. typedEnd[i] (exclusive).
    std::vector<std::size_t> typedBegin;
    std::vector<std::size_t> typedEnd;
    std::size_t typedSize = 0;
    // False when the text needed no rewriting: it is the typed text in lower case.
    bool changed = false;

    struct Span {
        std::size_t begin = 0;
        std::size_t length = 0;
    };
    // The typed characters behind text[begin, begin + length); an empty span stays empty.
    Span typedSpan(std::size_t begin, std::size_t length) const;
};

// Rewrites the familiar spellings that the program's own formula language refuses:
// - tan, cot, sinh, cosh, tanh, coth, arctan, atan, arcsin, asin, arccos, acos, arccot, acot
//   and log10 become tg, ctg, sh, ch, th, cth, arctg, arcsin, arccos, arcctg and lg;
// - a number in scientific notation — digits with an optional fraction, directly followed by e
//   or E, an optional sign and at least one digit — becomes the same number written out, so
//   "x-1e-3" is x minus 0.001 and "2.5E6" is 2500000;
// - any other e standing alone is Euler's number, multiplied by what touches it as pi is:
//   "2e" is 2·e, "2e^x" is 2·(e^x), "2e-x" is 2·e − x, "e2" is e·2.
// In a polar graph, whose variable is a, "asin(a)" and "acos(a)" have always meant a·sin(a) and
// a·cos(a); so there asin, acos, atan and acot stay the variable times the function. "log" alone
// is left as typed: it could be either logarithm. Letters that are no name at all are left as
// typed too, for the check to refuse. When the variable is e itself, e is never a number.
SpelledFormula ownSpelling(std::string_view typed, std::string_view variable);

// Where a familiar name, the program's own or "log" begins at `position` of the lower-case
// text: its length, 0 when none does. Longer names win ("arcsin" over "asin", "sinh" over "sin").
std::size_t nameLengthAt(std::string_view text, std::size_t position, char variable);

} // namespace ovilan
