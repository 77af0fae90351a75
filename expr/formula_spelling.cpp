#include "expr/formula_spelling.h"

#include "expr/number_format.h"
#include "expr/operations.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <numbers>
#include <optional>
#include <utility>

namespace ovilan {

namespace {

    struct Familiar {
        std::string_view typed;
        std::string_view own;
    };

    // Names other programs use, with the program's own name for each.
    constexpr std::array<Familiar, 14> kFamiliarNames = { {
        { "tan", "tg" },
        { "cot", "ctg" },
        { "sinh", "sh" },
        { "cosh", "ch" },
        { "tanh", "th" },
        { "coth", "cth" },
        { "arctan", "arctg" },
        { "atan", "arctg" },
        { "asin", "arcsin" },
        { "acos", "arccos" },
        { "arccot", "arcctg" },
        { "acot", "arcctg" },
        { "log10", "lg" },
        // Kept as typed, so that the check refuses it and the fault can say why.
        { "log", "log" },
    } };

    constexpr char kPolarVariable = 'a';
    // Bounds beyond which a number in scientific notation is certainly infinite or certainly 0;
    // between them it is written out in full, so it is read exactly as the typed number.
    constexpr long long kBeyondLargest = 320;
    constexpr long long kBelowSmallest = -345;

    constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
    constexpr bool isLetter(char c) { return c >= 'a' && c <= 'z'; }

    std::string lowered(std::string_view text)
    {
        std::string result(text);
        for (char& c : result) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return result;
    }

    // In a polar graph "asin(a)" is a·sin(a), as it has always been.
    bool readAsVariableTimesFunction(std::string_view name, char variable)
    {
        return variable == kPolarVariable && name.size() == 4 && name.front() == kPolarVariable;
    }

    // The longest name, own or familiar, at the position: its own spelling and typed length.
    std::optional<Familiar> nameAt(std::string_view text, std::size_t position, char variable)
    {
        const std::string_view rest = text.substr(position);
        std::optional<Familiar> best;
        for (int code = kFirstFunction; code < kOperationCount; ++code) {
            const std::string_view own = kOperationTexts[static_cast<std::size_t>(code)];
            if (rest.starts_with(own) && (!best || own.size() > best->typed.size()))
                best = Familiar { own, own };
        }
        for (const Familiar& familiar : kFamiliarNames) {
            if (readAsVariableTimesFunction(familiar.typed, variable))
                continue;
            if (rest.starts_with(familiar.typed)
                && (!best || familiar.typed.size() > best->typed.size()))
                best = familiar;
        }
        return best;
    }

    // The digits of a number's mantissa ("2.5" or ".5") at `position`; 0 when none begins there.
    std::size_t mantissaLength(std::string_view text, std::size_t position)
    {
        std::size_t i = position;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1])) {
            ++i;
            while (i < text.size() && isDigit(text[i]))
                ++i;
        }
        return i - position;
    }

    // The exponent "e-3" at `position`: its length, 0 when there is none.
    std::size_t exponentLength(std::string_view text, std::size_t position)
    {
        if (position >= text.size() || text[position] != 'e')
            return 0;
        std::size_t i = position + 1;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t digits = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i == digits ? 0 : i - position;
    }

    long long exponentValue(std::string_view exponent)
    {
        std::string_view digits = exponent.substr(1);
        const bool negative = digits.starts_with('-');
        if (digits.starts_with('-') || digits.starts_with('+'))
            digits.remove_prefix(1);
        long long value = 0;
        const auto [end, error]
            = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        (void)end;
        // Far beyond any double either way: the number is infinite or 0.
        if (error == std::errc::result_out_of_range || value > 100'000)
            value = 100'000;
        return negative ? -value : value;
    }

    // The mantissa with its point moved by the exponent, written out: "1.5" and -3 give
    // "0.0015". A number that is certainly too large gives a text that is too large, too.
    std::string writtenOut(std::string_view mantissa, long long exponent)
    {
        const std::size_t point = mantissa.find('.');
        std::string digits(mantissa.substr(0, point));
        if (point != std::string_view::npos)
            digits += mantissa.substr(point + 1);
        long long pointAt
            = static_cast<long long>(point == std::string_view::npos ? mantissa.size() : point)
            + exponent;
        const std::size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos)
            return "0";
        digits.erase(0, first);
        pointAt -= static_cast<long long>(first);
        const long long leadingDecade = pointAt - 1;
        if (leadingDecade > kBeyondLargest)
            return "1" + std::string(static_cast<std::size_t>(kBeyondLargest), '0');
        if (leadingDecade < kBelowSmallest)
            return "0";
        const auto length = static_cast<long long>(digits.size());
        if (pointAt <= 0)
            return "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
        if (pointAt >= length)
            return digits + std::string(static_cast<std::size_t>(pointAt - length), '0');
        const auto split = static_cast<std::size_t>(pointAt);
        return digits.substr(0, split) + "." + digits.substr(split);
    }

    class Speller {
    public:
        Speller(std::string_view typed, std::string_view variable)
            : text_(lowered(typed))
            , variable_(variable.empty() ? ' ' : variable.front())
        {
            result_.typedSize = typed.size();
        }

        SpelledFormula run()
        {
            std::size_t i = 0;
            while (i < text_.size()) {
                if (isDigit(text_[i]) || text_[i] == '.')
                    i = number(i);
                else if (isLetter(text_[i]))
                    i = letters(i);
                else
                    i = copy(i, 1);
            }
            return std::move(result_);
        }

    private:
        std::size_t copy(std::size_t from, std::size_t length)
        {
            for (std::size_t k = from; k < from + length; ++k)
                put(std::string_view(&text_[k], 1), k, k + 1);
            return from + length;
        }

        void put(std::string_view out, std::size_t typedBegin, std::size_t typedEnd)
        {
            result_.text += out;
            result_.typedBegin.insert(result_.typedBegin.end(), out.size(), typedBegin);
            result_.typedEnd.insert(result_.typedEnd.end(), out.size(), typedEnd);
        }

        // A "*" between a number put in and digits or a point that touch it, which would
        // otherwise run into one number: "2e" is 2·e, not 22.718281828.
        void separate(std::size_t typedAt)
        {
            if (result_.text.empty())
                return;
            const char last = result_.text.back();
            if (isDigit(last) || last == '.')
                put("*", typedAt, typedAt);
        }

        void separateFollowing(std::size_t next)
        {
            if (next < text_.size() && (isDigit(text_[next]) || text_[next] == '.'))
                put("*", next, next);
        }

        bool scientific() const { return variable_ != 'e'; }

        std::size_t number(std::size_t from)
        {
            const std::size_t mantissa = mantissaLength(text_, from);
            if (mantissa == 0)
                return copy(from, 1); // a point without digits: the check refuses it
            const std::size_t exponent = scientific() ? exponentLength(text_, from + mantissa) : 0;
            if (exponent == 0)
                return copy(from, mantissa);
            const std::size_t end = from + mantissa + exponent;
            const std::string value = writtenOut(std::string_view(text_).substr(from, mantissa),
                exponentValue(std::string_view(text_).substr(from + mantissa, exponent)));
            separate(from);
            put(value, from, end);
            separateFollowing(end);
            result_.changed = true;
            return end;
        }

        // One piece of a run of letters: a name, the variable, pi, e, or letters no name
        // begins with.
        std::size_t letters(std::size_t from)
        {
            if (const auto name = nameAt(text_, from, variable_)) {
                put(name->own, from, from + name->typed.size());
                result_.changed = result_.changed || name->own != name->typed;
                return from + name->typed.size();
            }
            if (text_[from] == variable_)
                return copy(from, 1);
            if (std::string_view(text_).substr(from).starts_with("pi"))
                return copy(from, 2);
            if (text_[from] == 'e' && scientific()) {
                separate(from);
                put(formatNumber(std::numbers::e), from, from + 1);
                separateFollowing(from + 1);
                result_.changed = true;
                return from + 1;
            }
            return copy(from, unknownLength(from));
        }

        // Letters that form no name run on to the variable, pi or a name: "sec" stays whole,
        // and its e is no constant.
        std::size_t unknownLength(std::size_t from) const
        {
            std::size_t i = from + 1;
            while (i < text_.size() && isLetter(text_[i]) && text_[i] != variable_
                && !std::string_view(text_).substr(i).starts_with("pi")
                && !nameAt(text_, i, variable_))
                ++i;
            return i - from;
        }

        std::string text_;
        char variable_;
        SpelledFormula result_;
    };

} // namespace

SpelledFormula::Span SpelledFormula::typedSpan(std::size_t begin, std::size_t length) const
{
    if (begin >= text.size())
        return { typedSize, 0 };
    const std::size_t from = typedBegin[begin];
    if (length == 0)
        return { from, 0 };
    const std::size_t last = std::min(begin + length, text.size()) - 1;
    return { from, std::max(typedEnd[last], from) - from };
}

SpelledFormula ownSpelling(std::string_view typed, std::string_view variable)
{
    return Speller(typed, variable).run();
}

std::size_t nameLengthAt(std::string_view text, std::size_t position, char variable)
{
    const auto name = nameAt(text, position, variable);
    return name ? name->typed.size() : 0;
}

} // namespace ovilan
