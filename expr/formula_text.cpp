#include "expr/formula_text.h"

#include "expr/operations.h"

#include <array>
#include <charconv>

namespace ovilan {

namespace {

    constexpr int bracketDelta(char c) { return c == '(' ? 1 : c == ')' ? -1 : 0; }

    constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

    // The characters an operation's text can begin with. Most characters of a formula (the
    // variable, digits, brackets) begin none, and the search passes them at the cost of a look-up.
    constexpr std::array<bool, 256> operationInitials()
    {
        std::array<bool, 256> initials {};
        for (const std::string_view text : kOperationTexts)
            initials[static_cast<unsigned char>(text.front())] = true;
        return initials;
    }

    constexpr std::array<bool, 256> kOperationInitials = operationInitials();

    // The lowest code below `limit` whose text starts at `position`; `limit` when none does.
    int operationAt(std::string_view text, std::size_t position, int limit)
    {
        const char initial = text[position];
        if (!kOperationInitials[static_cast<unsigned char>(initial)])
            return limit;
        const std::string_view rest = text.substr(position);
        for (int code = 0; code < limit; ++code) {
            const std::string_view name = kOperationTexts[static_cast<std::size_t>(code)];
            if (name.front() == initial && rest.starts_with(name))
                return code;
        }
        return limit;
    }

    // Length of the mantissa's digits and point at the start of `text`, 0 when it has no digit.
    std::size_t mantissaLength(std::string_view text)
    {
        std::size_t i = 0;
        std::size_t digits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
        if (i < text.size() && text[i] == '.') {
            ++i;
            while (i < text.size() && isDigit(text[i])) {
                ++i;
                ++digits;
            }
        }
        return digits == 0 ? 0 : i;
    }

    std::size_t exponentLength(std::string_view text)
    {
        if (text.empty() || (text[0] != 'e' && text[0] != 'E'))
            return 0;
        std::size_t i = 1;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t digitsStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i == digitsStart ? 0 : i;
    }

    // The decimal exponent of the leading digit of a number text: "123.4" gives 2, "0.05" gives
    // -2. Decides whether a number outside the double range overflows or underflows.
    long long leadingDecade(std::string_view mantissa, std::string_view exponent)
    {
        long long decade = 0;
        if (!exponent.empty()) {
            std::string_view digits = exponent.substr(1);
            if (!digits.empty() && digits[0] == '+')
                digits.remove_prefix(1);
            long long value = 0;
            auto [end, error]
                = std::from_chars(digits.data(), digits.data() + digits.size(), value);
            (void)end;
            if (error == std::errc::result_out_of_range)
                value = digits.starts_with('-') ? -1'000'000'000'000LL : 1'000'000'000'000LL;
            decade = value;
        }
        const std::size_t point = mantissa.find('.');
        const std::string_view whole = mantissa.substr(0, point);
        const std::size_t firstNonZero = whole.find_first_not_of('0');
        if (firstNonZero != std::string_view::npos)
            return decade + static_cast<long long>(whole.size() - firstNonZero) - 1;
        if (point == std::string_view::npos)
            return decade - 1;
        const std::string_view fraction = mantissa.substr(point + 1);
        const std::size_t leadingZeros = fraction.find_first_not_of('0');
        return decade - static_cast<long long>(leadingZeros) - 1;
    }

} // namespace

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isWrapped(std::string_view text)
{
    if (text.empty() || text.front() != '(')
        return false;
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        depth += bracketDelta(text[i]);
        if (depth == 0)
            return i + 1 == text.size();
    }
    return false;
}

std::string_view unwrapped(std::string_view text)
{
    while (isWrapped(text))
        text = text.substr(1, text.size() - 2);
    return text;
}

std::optional<OperatorMatch> findOperator(std::string_view text)
{
    // One pass from the right: the balance of the text before each position is the total balance
    // less that of the rest. The first hit of a code is its rightmost one, so only weaker codes
    // than the best so far need testing further left.
    long long balance = 0;
    for (const char c : text)
        balance += bracketDelta(c);
    int best = kOperationCount;
    std::size_t bestPosition = 0;
    for (std::size_t i = text.size(); i-- > 0;) {
        balance -= bracketDelta(text[i]);
        if (balance != 0)
            continue;
        const int code = operationAt(text, i, best);
        if (code < best) {
            best = code;
            bestPosition = i;
            if (best == 0)
                break;
        }
    }
    if (best == kOperationCount)
        return std::nullopt;
    return OperatorMatch { bestPosition, best };
}

double leadingNumber(std::string_view text)
{
    bool negative = false;
    std::string_view rest = text;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    const std::size_t mantissa = mantissaLength(rest);
    if (mantissa == 0)
        return 0;
    const std::size_t exponent = exponentLength(rest.substr(mantissa));
    const std::string_view number = rest.substr(0, mantissa + exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        const bool overflow
            = leadingDecade(number.substr(0, mantissa), number.substr(mantissa)) > 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace ovilan
