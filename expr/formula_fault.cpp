#include "expr/formula_fault.h"

#include "expr/formula_check.h"
#include "expr/formula_spelling.h"
#include "expr/formula_text.h"
#include "expr/operations.h"

#include <optional>
#include <vector>

namespace ovilan {

namespace {

    constexpr std::string_view kUnclosedBracket = "This bracket is never closed.";
    constexpr std::string_view kUnopenedBracket = "This bracket closes nothing.";
    constexpr std::string_view kSignAfterOperator
        = "A sign after an operator must be put in brackets, as in x*(-2).";
    constexpr std::string_view kMissingOperand
        = "A number or variable is missing beside this operator.";
    constexpr std::string_view kPointWithoutDigit = "A decimal point must be followed by a digit.";
    constexpr std::string_view kBlankBetweenFactors
        = "Please write * between two factors or leave out the blank.";
    constexpr std::string_view kAmbiguousLog
        = "Please write ln for the natural logarithm or lg for the decimal one.";

    // The letters that are the variable of some kind of graph.
    constexpr std::string_view kGraphVariables = "xyta";

    constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
    constexpr bool isLetter(char c) { return c >= 'a' && c <= 'z'; }

    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::size_t size() const { return end - begin; }
        bool empty() const { return begin == end; }
    };

    struct Found {
        Span span;
        std::string explanation;
    };

    // Finds the fault in the program's own spelling of the formula by following the check's own
    // road: the text is split where the check splits it, and the first part that is refused with
    // the same code on its own is searched further, until no smaller part is.
    class FaultFinder {
    public:
        FaultFinder(std::string_view text, std::string_view variable, int code)
            : text_(text)
            , variable_(variable.empty() ? std::string(" ") : std::string(variable))
            , code_(code)
        {
        }

        Found find()
        {
            if (code_ == kCheckBrackets)
                return brackets();
            if (code_ == kEmptyExpression)
                return emptyBrackets();
            if (code_ == kArgumentNotDefined) {
                if (auto name = functionWithoutArgument())
                    return *name;
            }
            return descend({ 0, text_.size() });
        }

    private:
        Found brackets() const
        {
            std::vector<std::size_t> open;
            for (std::size_t i = 0; i < text_.size(); ++i) {
                if (text_[i] == '(') {
                    open.push_back(i);
                } else if (text_[i] == ')') {
                    if (open.empty())
                        return { { i, i + 1 }, std::string(kUnopenedBracket) };
                    open.pop_back();
                }
            }
            if (open.empty())
                return { whole(), {} };
            // The outermost bracket left open: in "(x+1)*(x" the second one.
            return { { open.front(), open.front() + 1 }, std::string(kUnclosedBracket) };
        }

        Found emptyBrackets() const
        {
            for (std::size_t i = 0; i < text_.size(); ++i) {
                if (text_[i] != '(')
                    continue;
                std::size_t j = i + 1;
                while (j < text_.size() && isBlank(text_[j]))
                    ++j;
                if (j < text_.size() && text_[j] == ')')
                    return { { i, j + 1 }, {} };
            }
            return { { 0, text_.size() }, {} };
        }

        // The first function name that is not followed by a bracket: "sin x", "2sqrt".
        std::optional<Found> functionWithoutArgument() const
        {
            const char variable = variable_.front();
            std::size_t i = 0;
            while (i < text_.size()) {
                const std::size_t length
                    = isLetter(text_[i]) ? nameLengthAt(text_, i, variable) : 0;
                if (length == 0) {
                    ++i;
                    continue;
                }
                std::size_t next = i + length;
                while (next < text_.size() && isBlank(text_[next]))
                    ++next;
                if (next >= text_.size() || text_[next] != '(')
                    return Found { { i, i + length }, {} };
                i += length;
            }
            return std::nullopt;
        }

        Span whole() const { return trimmedSpan({ 0, text_.size() }); }

        Span trimmedSpan(Span span) const
        {
            while (span.begin < span.end && isBlank(text_[span.begin]))
                ++span.begin;
            while (span.begin < span.end && isBlank(text_[span.end - 1]))
                --span.end;
            return span;
        }

        std::string_view textOf(Span span) const
        {
            return std::string_view(text_).substr(span.begin, span.size());
        }

        // The check's verdict on a part alone, or nothing once the search has used its work.
        std::optional<int> verdict(Span span, std::string* normalForm = nullptr)
        {
            std::string part(textOf(span));
            const int code = checkFormula(part, variable_, work_);
            if (work_ < 0)
                return std::nullopt;
            if (normalForm)
                *normalForm = std::move(part);
            return code;
        }

        bool refusedAlike(Span span) { return verdict(span) == code_; }

        Found descend(Span span);
        Found inFunction(Span span, OperatorMatch match);
        Found inChain(Span span, int code);
        std::optional<Found> chainShape(const std::vector<Span>& operands,
            const std::vector<std::size_t>& operators,
            int code) const;
        Found inFactors(Span span);
        Found letterFault(std::size_t at) const;
        std::size_t characterLength(std::size_t at) const;

        std::string_view text_;
        std::string variable_;
        int code_;
        long long work_ = kMaxCheckWork;
        int depth_ = 0;
    };

    Found FaultFinder::descend(Span span)
    {
        span = trimmedSpan(span);
        while (isWrapped(textOf(span)))
            span = trimmedSpan({ span.begin + 1, span.end - 1 });
        // The check refuses deeper texts before looking into them.
        if (span.empty() || ++depth_ > kMaxCheckDepth)
            return { span, {} };
        const auto match = findOperator(textOf(span));
        if (!match)
            return inFactors(span);
        if (isFunction(match->code))
            return inFunction(span, *match);
        return inChain(span, match->code);
    }

    Found FaultFinder::inFunction(Span span, OperatorMatch match)
    {
        const std::size_t name = span.begin + match.position;
        const std::size_t nameEnd
            = name + kOperationTexts[static_cast<std::size_t>(match.code)].size();
        const Span left = trimmedSpan({ span.begin, name });
        const Span right = trimmedSpan({ nameEnd, span.end });
        if (!left.empty()) {
            for (const Span part : { left, Span { name, span.end } }) {
                if (refusedAlike(part))
                    return descend(part);
            }
            return { span, {} };
        }
        if (right.empty() || text_[right.begin] != '(')
            return { { name, nameEnd }, {} };
        int depth = 0;
        std::size_t groupEnd = right.begin;
        for (std::size_t i = right.begin; i < right.end; ++i) {
            depth += text_[i] == '(' ? 1 : text_[i] == ')' ? -1 : 0;
            if (depth == 0) {
                groupEnd = i + 1;
                break;
            }
        }
        if (groupEnd < right.end) {
            for (const Span part : { Span { name, groupEnd }, Span { groupEnd, right.end } }) {
                if (refusedAlike(part))
                    return descend(part);
            }
            return { span, {} };
        }
        if (refusedAlike(right))
            return descend(right);
        // The call itself has no value: "ln(0)".
        return { span, {} };
    }

    Found FaultFinder::inChain(Span span, int code)
    {
        const char op = kOperationTexts[static_cast<std::size_t>(code)].front();
        std::vector<Span> operands;
        std::vector<std::size_t> operators;
        int depth = 0;
        std::size_t start = span.begin;
        for (std::size_t i = span.begin; i < span.end; ++i) {
            depth += text_[i] == '(' ? 1 : text_[i] == ')' ? -1 : 0;
            if (depth == 0 && text_[i] == op) {
                operands.push_back(trimmedSpan({ start, i }));
                operators.push_back(i);
                start = i + 1;
            }
        }
        operands.push_back(trimmedSpan({ start, span.end }));
        if (auto shape = chainShape(operands, operators, code))
            return *shape;
        for (const Span operand : operands) {
            if (refusedAlike(operand))
                return descend(operand);
        }
        if (code_ == kDenominatorZero && code == kDivide) {
            for (std::size_t i = 1; i < operands.size(); ++i) {
                std::string normal;
                if (verdict(operands[i], &normal) == kFormulaOk && normal == "0")
                    return { operands[i], {} };
            }
        }
        return { span, {} };
    }

    // A chain the check refuses before looking at its operands: an operand is missing ("x+",
    // "*x", "x*-2" where "x*" is the operand of "-") or "+" is followed by "-".
    std::optional<Found> FaultFinder::chainShape(const std::vector<Span>& operands,
        const std::vector<std::size_t>& operators,
        int code) const
    {
        if (code_ != kSyntaxError)
            return std::nullopt;
        for (std::size_t i = 0; i < operands.size(); ++i) {
            if (i == 0 && (code == kPlus || code == kMinus))
                continue; // a leading sign
            if (!operands[i].empty()
                && !(code == kPlus && i > 0 && text_[operands[i].begin] == '-'))
                continue;
            const std::size_t op = operators[i == 0 ? 0 : i - 1];
            std::size_t next = op + 1;
            while (next < text_.size() && isBlank(text_[next]))
                ++next;
            if (i > 0 && next < text_.size() && (text_[next] == '-' || text_[next] == '+'))
                return Found { { op, next + 1 }, std::string(kSignAfterOperator) };
            return Found { { op, op + 1 }, std::string(kMissingOperand) };
        }
        return std::nullopt;
    }

    // A run of factors: variables, numbers, pi and bracket groups side by side. The scan is the
    // check's own; the first character it cannot take is the fault.
    Found FaultFinder::inFactors(Span span)
    {
        const char variable = variable_.front();
        std::vector<Span> groups;
        std::size_t i = span.begin;
        while (i < span.end) {
            const char c = text_[i];
            if ((c == variable && variable != ' ') || c == '\n') {
                ++i;
            } else if (c == 'p' && i + 1 < span.end && text_[i + 1] == 'i') {
                i += 2;
            } else if (isDigit(c) || c == '.') {
                const std::size_t start = i;
                while (i < span.end && isDigit(text_[i]))
                    ++i;
                if (i < span.end && text_[i] == '.') {
                    ++i;
                    if (i >= span.end || !isDigit(text_[i]))
                        return { { i - 1, i }, std::string(kPointWithoutDigit) };
                    while (i < span.end && isDigit(text_[i]))
                        ++i;
                }
                if (code_ == kInvalidConstant && refusedAlike({ start, i }))
                    return { { start, i }, {} };
            } else if (c == '(') {
                const std::size_t start = i;
                int depth = 0;
                do {
                    depth += text_[i] == '(' ? 1 : text_[i] == ')' ? -1 : 0;
                    ++i;
                } while (i < span.end && depth > 0);
                groups.push_back({ start, i });
            } else if (isLetter(c)) {
                return letterFault(i);
            } else if (isBlank(c)) {
                std::size_t end = i;
                while (end < span.end && isBlank(text_[end]))
                    ++end;
                return { { i, end }, std::string(kBlankBetweenFactors) };
            } else {
                const std::size_t length = characterLength(i);
                return { { i, i + length },
                    "The character \"" + std::string(textOf({ i, i + length }))
                        + "\" cannot be used in a formula." };
            }
        }
        for (const Span group : groups) {
            if (refusedAlike(group))
                return descend(group);
        }
        return { span, {} };
    }

    // A letter the scan cannot take: the variable of another kind of graph, "log", or the
    // beginning of a name nobody knows.
    Found FaultFinder::letterFault(std::size_t at) const
    {
        const char variable = variable_.front();
        const char c = text_[at];
        const bool alone
            = at + 1 >= text_.size() || !isLetter(text_[at + 1]) || text_[at + 1] == variable;
        if (alone && kGraphVariables.find(c) != std::string_view::npos) {
            const std::string letter(1, c);
            if (variable == ' ')
                return { { at, at + 1 },
                    "A number is expected here, not the variable " + letter + "." };
            return { { at, at + 1 },
                "The variable of this formula is " + variable_.substr(0, 1) + ", not " + letter
                    + "." };
        }
        if (textOf({ at, text_.size() }).starts_with("log"))
            return { { at, at + 3 }, std::string(kAmbiguousLog) };
        std::size_t end = at + 1;
        while (end < text_.size() && isLetter(text_[end]) && text_[end] != variable
            && !textOf({ end, text_.size() }).starts_with("pi"))
            ++end;
        return { { at, end }, "Unknown name \"" + std::string(textOf({ at, end })) + "\"." };
    }

    // A character of several bytes is selected whole.
    std::size_t FaultFinder::characterLength(std::size_t at) const
    {
        std::size_t end = at + 1;
        while (end < text_.size() && (static_cast<unsigned char>(text_[end]) & 0xC0) == 0x80)
            ++end;
        return end - at;
    }

} // namespace

FormulaFault locateFormulaFault(std::string_view typed, std::string_view variable, int code)
{
    if (code == kFormulaOk)
        return {};
    const SpelledFormula spelled = ownSpelling(typed, variable);
    const Found found = FaultFinder(spelled.text, variable, code).find();
    const SpelledFormula::Span span = spelled.typedSpan(found.span.begin, found.span.size());
    return { span.begin, span.length, found.explanation };
}

} // namespace ovilan
