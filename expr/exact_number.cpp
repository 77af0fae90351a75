// A number typed in a usual notation as the program's own number text, every digit kept.

#include "expr/exact_number.h"

#include "expr/formula_check.h"
#include "expr/text_evaluator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace ovilan {

namespace {

    // The cell check refuses a constant beyond this magnitude.
    constexpr double kLargestCell = 1e306;
    // An exponent with more digits than this lies far outside the double range either way.
    constexpr std::size_t kExponentDigits = 9;

    bool isDigit(char c) { return c >= '0' && c <= '9'; }

    // A typed number as sign * digits * 10^scale, the digits without leading or trailing zeros
    // (empty for zero).
    struct DecimalNumber {
        bool negative = false;
        std::string digits;
        long long scale = 0;

        // The decimal exponent of the leading digit: 2 for 123.4, -2 for 0.05.
        long long decade() const { return scale + static_cast<long long>(digits.size()) - 1; }
    };

    std::string_view withoutBlanks(std::string_view text)
    {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        return text;
    }

    std::size_t digitRun(std::string_view text, std::size_t from)
    {
        std::size_t end = from;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        return end - from;
    }

    // Reads the exponent part "e-5" from `at`; false when it is malformed.
    bool readExponent(std::string_view text, std::size_t at, long long& exponent)
    {
        bool negative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            negative = text[at++] == '-';
        const std::size_t count = digitRun(text, at);
        if (count == 0 || at + count != text.size())
            return false;
        std::string_view digits = text.substr(at, count);
        while (digits.size() > 1 && digits.front() == '0')
            digits.remove_prefix(1);
        if (digits.size() > kExponentDigits) {
            exponent = negative ? -1'000'000'000'000LL : 1'000'000'000'000LL;
            return true;
        }
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        if (negative)
            exponent = -exponent;
        return true;
    }

    std::optional<DecimalNumber> readDecimal(std::string_view cell, bool decimalComma)
    {
        const std::string_view text = withoutBlanks(cell);
        DecimalNumber number;
        std::size_t at = 0;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            number.negative = text[at++] == '-';
        const std::size_t whole = digitRun(text, at);
        std::string digits(text.substr(at, whole));
        at += whole;
        std::size_t fraction = 0;
        if (at < text.size() && (text[at] == '.' || (decimalComma && text[at] == ','))) {
            fraction = digitRun(text, ++at);
            digits += text.substr(at, fraction);
            at += fraction;
        }
        if (digits.empty())
            return std::nullopt;
        long long exponent = 0;
        if (at < text.size()) {
            if ((text[at] != 'e' && text[at] != 'E') || !readExponent(text, at + 1, exponent))
                return std::nullopt;
        }
        const std::size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos)
            return DecimalNumber {};
        const std::size_t last = digits.find_last_not_of('0');
        number.scale = exponent - static_cast<long long>(fraction)
            + static_cast<long long>(digits.size() - 1 - last);
        number.digits = digits.substr(first, last - first + 1);
        return number;
    }

    std::string decimalText(long long value) { return std::to_string(value); }

    // The value the digits denote, rounded once; nothing beyond the double range.
    std::optional<double> valueOf(const DecimalNumber& number)
    {
        if (number.digits.empty())
            return 0.0;
        if (number.decade() > 400 || number.decade() < -400)
            return std::nullopt;
        const std::string text = number.digits + 'e' + decimalText(number.scale);
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        return number.negative ? -value : value;
    }

    // "0.00012", "1234.5", "120000": the digits with a point and zeros, nothing else.
    std::string plainText(const DecimalNumber& number)
    {
        const auto count = static_cast<long long>(number.digits.size());
        const long long decade = number.decade();
        std::string text = number.negative ? "-" : "";
        if (decade < 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-decade - 1), '0');
            text += number.digits;
        } else if (decade + 1 >= count) {
            text += number.digits;
            text.append(static_cast<std::size_t>(decade + 1 - count), '0');
        } else {
            const auto point = static_cast<std::size_t>(decade + 1);
            text += number.digits.substr(0, point);
            text += '.';
            text += number.digits.substr(point);
        }
        return text;
    }

    std::string powerOfTen(long long exponent)
    {
        // A negative exponent in brackets, so the text reads back as a power: "10^(-5)".
        return exponent < 0 ? "10^(" + decimalText(exponent) + ")" : "10^" + decimalText(exponent);
    }

    // "1.5*10^(-7)": the program's way with small and large magnitudes.
    std::string scientificText(const DecimalNumber& number)
    {
        std::string text = number.negative ? "-" : "";
        text += number.digits.front();
        if (number.digits.size() > 1)
            text += '.' + number.digits.substr(1);
        return text + '*' + powerOfTen(number.decade());
    }

    bool evaluatesTo(const std::string& text, double value)
    {
        const std::optional<double> read = evaluateText(text, " ", 0);
        return read && *read == value;
    }

} // namespace

std::optional<std::string> exactNumberText(std::string_view text, bool decimalComma)
{
    const std::optional<DecimalNumber> number = readDecimal(text, decimalComma);
    if (!number)
        return std::nullopt;
    if (number->digits.empty())
        return "0";
    const std::optional<double> value = valueOf(*number);
    if (!value || !(std::fabs(*value) <= kLargestCell))
        return std::nullopt;
    // Within the decades "%g" writes plainly, and for every digit typed, the plain text; it is
    // read by the same rounding as the typed number, so it is exact.
    const long long decade = number->decade();
    const auto count = static_cast<long long>(number->digits.size());
    const std::string plain = plainText(*number);
    if (decade >= -4 && decade < std::max(10LL, count))
        return plain.size() <= kMaxFormulaLength ? std::optional(plain) : std::nullopt;
    // A power of ten is a second rounding, so the program's way is taken only when it reads back
    // exactly; else the plain digits, which always do.
    std::string scientific = scientificText(*number);
    if (evaluatesTo(scientific, *value))
        return scientific;
    if (plain.size() <= kMaxFormulaLength)
        return plain;
    return std::nullopt;
}

bool isExactNumberText(std::string_view text)
{
    // "1.5*10^(-7)" is read back as "1.5e-7".
    std::string usual(text);
    const std::size_t power = usual.find("*10^");
    if (power != std::string::npos) {
        std::string exponent = usual.substr(power + 4);
        if (exponent.starts_with("(-") && exponent.ends_with(')'))
            exponent = exponent.substr(1, exponent.size() - 2);
        else if (exponent.starts_with('-') || exponent.starts_with('('))
            return false;
        usual = usual.substr(0, power) + 'e' + exponent;
    }
    const std::optional<std::string> exact = exactNumberText(usual, false);
    return exact && *exact == text;
}

} // namespace ovilan
