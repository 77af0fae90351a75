#include "expr/formula_check.h"

#include "expr/formula_text.h"
#include "expr/number_format.h"
#include "expr/operations.h"
#include "expr/text_evaluator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace ovilan {

namespace {

    // Passed up from an operand that had an implicit multiplication written out: the enclosing
    // text must be checked afresh with the rewritten operand.
    constexpr int kRewritten = -1;
    // Internal: the text was rewritten at a level that checks afresh itself.
    constexpr int kCheckAgain = -2;

    enum Nesting : int { kTopLevel = 0, kOperand = 1 };

    // The work a chain's operand costs beyond its characters.
    constexpr long long kWorkPerOperand = 64;

    constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

    std::string loweredAndTrimmed(std::string_view text)
    {
        std::string result(trimmed(text));
        for (char& c : result) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return result;
    }

    bool bracketsBalanced(std::string_view text)
    {
        long long depth = 0;
        for (const char c : text) {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            if (depth < 0)
                return false;
        }
        return depth == 0;
    }

    // Strips every wrapping pair with the blanks inside it, in one pass over a balanced text:
    // "( (x) )" gives "x". The closing partner of each "(" is found once, so even a hundred
    // thousand nested pairs cost a single scan.
    std::string_view strippedOfWrapping(std::string_view text)
    {
        if (text.empty() || text.front() != '(')
            return text;
        std::vector<std::size_t> partner(text.size(), 0);
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '(') {
                open.push_back(i);
            } else if (text[i] == ')') {
                partner[open.back()] = i;
                open.pop_back();
            }
        }
        std::size_t begin = 0;
        std::size_t end = text.size();
        while (begin < end && text[begin] == '(' && partner[begin] == end - 1) {
            ++begin;
            --end;
            while (begin < end && isBlank(text[begin]))
                ++begin;
            while (begin < end && isBlank(text[end - 1]))
                --end;
        }
        return text.substr(begin, end - begin);
    }

    // States of the factor scanner; a token may end only in an odd state.
    enum ScanState : int {
        kStart = 0,
        kVariable = 1,
        kP = 2,
        kPi = 3,
        kInteger = 5,
        kPoint = 6,
        kFraction = 7,
        kGroup = 8,
        kGroupClosed = 9,
    };
    constexpr int kTokenEnd = -1;

    class FormulaChecker {
    public:
        FormulaChecker(std::string_view variable, long long& workLeft)
            : variable_(variable.empty() ? std::string_view(" ") : variable)
            , workLeft_(workLeft)
        {
        }

        int check(std::string& text, int nested)
        {
            if (depth_ >= kMaxCheckDepth)
                return kSyntaxError;
            ++depth_;
            int result;
            do {
                result = checkOnce(text, nested);
            } while (result == kCheckAgain);
            --depth_;
            return result;
        }

    private:
        int checkOnce(std::string& text, int nested);
        // The normal form of a chain's operands so far, with what the next join needs to know.
        struct ChainPart {
            std::string text;
            std::optional<int> weakest;
            bool hasVariable = false;
        };
        enum class Simplified { kJoined, kLeft, kRight, kNegatedRight, kZero, kOne };

        int checkChain(std::string& text, int nested, int code, std::string_view w);
        bool takeChainWork(std::size_t operandCount);
        int checkOperand(std::string& operand);
        int combine(ChainPart& done, int code, std::string right) const;
        static Simplified simplified(int code, bool leftZero, std::string_view right);
        void joinInPlace(ChainPart& done, bool bracketLeft, int code, std::string_view right) const;
        void bracketInPlace(ChainPart& done) const;
        void replace(ChainPart& done, std::string text) const;
        int checkFunction(
            std::string& text, int nested, int code, std::string_view left, std::string_view right);
        int scanFactors(std::string& text, int nested, std::string_view source);
        int nextScanState(int state, char c, int& groupDepth) const;
        int fold(std::string& text) const;

        bool containsVariable(std::string_view text) const
        {
            return text.find(variable_) != std::string_view::npos;
        }

        // True when the variable occurs in the text ending at or after `position`.
        bool containsVariableFrom(std::string_view text, std::size_t position) const
        {
            const std::size_t reach = variable_.size() - 1;
            return text.find(variable_, position > reach ? position - reach : 0)
                != std::string_view::npos;
        }

        static std::optional<int> weakestCode(std::string_view text)
        {
            const auto match = findOperator(text);
            return match ? std::optional<int>(match->code) : std::nullopt;
        }

        // The text has been rewritten; an operand reports it upwards, a top level checks again.
        static int rewritten(std::string& text, int nested, std::string replacement)
        {
            text = std::move(replacement);
            return nested == kOperand ? kRewritten : kCheckAgain;
        }

        std::string_view variable_;
        int depth_ = 0;
        long long& workLeft_;
    };

    int FormulaChecker::checkOnce(std::string& text, int nested)
    {
        workLeft_ -= static_cast<long long>(text.size()) + 1;
        if (workLeft_ < 0)
            return kSyntaxError;

        const std::string lowered = loweredAndTrimmed(text);
        if (!lowered.empty() && !bracketsBalanced(lowered))
            return kCheckBrackets;
        const std::string_view w = strippedOfWrapping(lowered);
        if (w.empty())
            return kEmptyExpression;

        const auto match = findOperator(w);
        if (!match)
            return scanFactors(text, nested, w);
        if (isFunction(match->code)) {
            const std::string_view left = trimmed(w.substr(0, match->position));
            const std::string_view right
                = trimmed(w.substr(match->position + kOperationTexts[match->code].size()));
            return checkFunction(text, nested, match->code, left, right);
        }
        return checkChain(text, nested, match->code, w);
    }

    // The operands of a chain of one binary operator at bracket depth zero, found in one scan:
    // "a+b+c" gives "a", "b", "c". The chain groups to the left, ((a+b)+c).
    std::vector<std::string> chainOperands(std::string_view text, char op)
    {
        std::vector<std::string> operands;
        int depth = 0;
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
            if (depth == 0 && text[i] == op) {
                operands.emplace_back(trimmed(text.substr(start, i - start)));
                start = i + 1;
            }
        }
        operands.emplace_back(trimmed(text.substr(start)));
        return operands;
    }

    // Operands a chain refuses before any of them is checked: a missing one, or "+" directly
    // followed by "-". A leading unary plus or minus has "0" put before it: "-x" is "0-x".
    bool chainWellFormed(std::vector<std::string>& operands, int code)
    {
        if (operands.front().empty() && (code == kPlus || code == kMinus))
            operands.front() = "0";
        for (const std::string& operand : operands) {
            if (operand.empty())
                return false;
        }
        for (std::size_t i = 1; i < operands.size(); ++i) {
            if (code == kPlus && operands[i].front() == '-')
                return false;
        }
        return true;
    }

    // The chain's text from operand `first` on, the operands before it replaced by the normal
    // form `done`: what the enclosing text becomes when an operand had a product written out.
    std::string chainText(std::string done,
        std::string_view op,
        const std::vector<std::string>& operands,
        std::size_t first)
    {
        for (std::size_t i = first; i < operands.size(); ++i) {
            done += op;
            done += operands[i];
        }
        return done;
    }

    // A text whose weakest operator is binary: a chain of that operator, "a+b+c" meaning
    // ((a+b)+c). The operands are checked left to right in one loop, so a long sum or product
    // costs no nesting; the text is rebuilt and checked afresh as soon as one of them has a
    // product written out.
    int FormulaChecker::checkChain(std::string& text, int nested, int code, std::string_view w)
    {
        const std::string_view op = kOperationTexts[code];
        std::vector<std::string> operands = chainOperands(w, op.front());
        if (!chainWellFormed(operands, code))
            return kSyntaxError;
        if (!takeChainWork(operands.size()))
            return kSyntaxError;

        ChainPart done;
        done.text = std::move(operands.front());
        int result = checkOperand(done.text);
        if (result == kRewritten)
            return rewritten(text, nested, chainText(std::move(done.text), op, operands, 1));
        if (result != kFormulaOk)
            return result;
        done.weakest = weakestCode(done.text);
        done.hasVariable = containsVariable(done.text);

        for (std::size_t i = 1; i < operands.size(); ++i) {
            std::string right = std::move(operands[i]);
            result = checkOperand(right);
            if (result == kRewritten) {
                std::string joined = std::move(done.text);
                joined += op;
                joined += right;
                return rewritten(text, nested, chainText(std::move(joined), op, operands, i + 1));
            }
            if (result != kFormulaOk)
                return result;
            result = combine(done, code, std::move(right));
            if (result != kFormulaOk)
                return result;
        }
        text = std::move(done.text);
        return kFormulaOk;
    }

    // Each operand costs more than its characters: it is checked, joined and measured on its own.
    // The charge stays below that of checking the chain's left parts one level at a time, each of
    // at least two characters more than the one before it, so no text is refused that was not
    // refused when chains were checked that way.
    bool FormulaChecker::takeChainWork(std::size_t operandCount)
    {
        if (operandCount <= 2)
            return true;
        const auto count = static_cast<long long>(operandCount);
        workLeft_ -= count * std::min(kWorkPerOperand, count - 2);
        return workLeft_ >= 0;
    }

    int FormulaChecker::checkOperand(std::string& operand)
    {
        return check(operand, isWrapped(operand) ? kTopLevel : kOperand);
    }

    // Joins the normal form of the chain so far with the next operand's normal form. Brackets go
    // back only where an operand holds a weaker operator, or an equal one on the right: "(x+1)*2",
    // "10-(x-1)". Function names are stronger than every binary operator.
    int FormulaChecker::combine(ChainPart& done, int code, std::string right) const
    {
        const bool bracketLeft = done.weakest && *done.weakest < code;
        if (const auto inner = weakestCode(right); inner && *inner <= code)
            right = "(" + right + ")";
        const bool leftZero = !bracketLeft && done.text == "0";
        if (code == kDivide && right == "0" && !leftZero)
            return kDenominatorZero;
        // A folded operand can turn negative: "x+(-5)".
        if (code == kPlus && right.front() == '-')
            right = "(" + right + ")";

        switch (simplified(code, leftZero, right)) {
        case Simplified::kJoined:
            joinInPlace(done, bracketLeft, code, right);
            break;
        case Simplified::kLeft:
            if (bracketLeft)
                bracketInPlace(done);
            break;
        case Simplified::kRight:
            replace(done, std::move(right));
            break;
        case Simplified::kNegatedRight:
            replace(done, "-" + right);
            break;
        case Simplified::kZero:
            replace(done, "0");
            break;
        case Simplified::kOne:
            replace(done, "1");
            break;
        }
        if (done.hasVariable)
            return kFormulaOk;
        const int result = fold(done.text);
        done.weakest = weakestCode(done.text);
        done.hasVariable = containsVariable(done.text);
        return result;
    }

    // What the simplification of zeros and ones leaves of "left op right".
    FormulaChecker::Simplified FormulaChecker::simplified(
        int code, bool leftZero, std::string_view right)
    {
        switch (code) {
        case kPower:
            if (leftZero)
                return Simplified::kZero;
            if (right == "0")
                return Simplified::kOne;
            return right == "1" ? Simplified::kLeft : Simplified::kJoined;
        case kPlus:
            if (leftZero)
                return Simplified::kRight;
            return right == "0" ? Simplified::kLeft : Simplified::kJoined;
        case kMinus:
            if (leftZero)
                return right != "0" ? Simplified::kNegatedRight : Simplified::kZero;
            return right == "0" ? Simplified::kLeft : Simplified::kJoined;
        default: // "*" and "/"
            return leftZero || right == "0" ? Simplified::kZero : Simplified::kJoined;
        }
    }

    // "left op right" built on the chain's own text, so a long chain is never copied per operand.
    // Its weakest operator is `code` itself: an operand holding a weaker one is in brackets.
    void FormulaChecker::joinInPlace(
        ChainPart& done, bool bracketLeft, int code, std::string_view right) const
    {
        if (bracketLeft)
            bracketInPlace(done);
        const std::size_t before = done.text.size();
        done.text += kOperationTexts[code];
        done.text += right;
        done.hasVariable = done.hasVariable || containsVariableFrom(done.text, before);
        done.weakest = code;
    }

    void FormulaChecker::bracketInPlace(ChainPart& done) const
    {
        done.text.insert(done.text.begin(), '(');
        done.text += ')';
        done.hasVariable = done.hasVariable || done.text.starts_with(variable_)
            || containsVariableFrom(done.text, done.text.size() - 1);
        done.weakest.reset();
    }

    void FormulaChecker::replace(ChainPart& done, std::string text) const
    {
        done.text = std::move(text);
        done.weakest = weakestCode(done.text);
        done.hasVariable = containsVariable(done.text);
    }

    int FormulaChecker::checkFunction(
        std::string& text, int nested, int code, std::string_view left, std::string_view right)
    {
        const std::string_view name = kOperationTexts[code];
        // Something before the name is a factor: "2sin(x)" is "2*sin(x)".
        if (!left.empty())
            return rewritten(
                text, nested, std::string(left) + "*" + std::string(name) + std::string(right));
        if (right.empty() || right.front() != '(')
            return kArgumentNotDefined;

        int depth = 0;
        std::size_t groupEnd = 0;
        for (std::size_t i = 0; i < right.size(); ++i) {
            depth += right[i] == '(' ? 1 : right[i] == ')' ? -1 : 0;
            if (depth == 0) {
                groupEnd = i;
                break;
            }
        }
        if (groupEnd + 1 < right.size()) {
            // Something follows the argument: "sin(x)2" is "sin(x)*2".
            std::string product(right.substr(0, groupEnd + 1));
            product += '*';
            product += right.substr(groupEnd + 1);
            return rewritten(text, nested, std::string(name) + product);
        }

        std::string argument(right);
        const int result = check(argument, kTopLevel);
        if (result != kFormulaOk)
            return result;
        text = std::string(name) + "(" + argument + ")";
        if (!containsVariable(argument))
            return fold(text);
        return kFormulaOk;
    }

    int FormulaChecker::nextScanState(int state, char c, int& groupDepth) const
    {
        switch (state) {
        case kStart:
            if (c == variable_.front())
                return kVariable;
            if (c == 'p')
                return kP;
            if (isDigit(c))
                return kInteger;
            if (c == '.')
                return kPoint;
            if (c == '(') {
                groupDepth = 1;
                return kGroup;
            }
            if (c == '\n')
                return kStart;
            return kTokenEnd;
        case kP:
            return c == 'i' ? kPi : kTokenEnd;
        case kInteger:
            return isDigit(c) ? kInteger : c == '.' ? kPoint : kTokenEnd;
        case kPoint:
        case kFraction:
            return isDigit(c) ? kFraction : kTokenEnd;
        case kGroup:
            groupDepth += c == '(' ? 1 : c == ')' ? -1 : 0;
            return groupDepth == 0 ? kGroupClosed : kGroup;
        default:
            return kTokenEnd;
        }
    }

    // A text without operators is a run of factors: variables, numbers, "pi" and bracket groups,
    // written side by side for a product ("2x", "2.5.3", "x(x+1)").
    int FormulaChecker::scanFactors(std::string& text, int nested, std::string_view source)
    {
        std::string input(source);
        input += '\n'; // the end mark
        std::string product;
        bool firstToken = true;
        int state = kStart;
        int groupDepth = 0;
        std::size_t tokenStart = 0;
        std::size_t i = 0;
        while (i < input.size()) {
            const int next = nextScanState(state, input[i], groupDepth);
            if (next != kTokenEnd) {
                if (state == kStart && next == kStart)
                    tokenStart = i + 1; // a line feed between factors is skipped
                state = next;
                ++i;
                continue;
            }
            if (state % 2 == 0)
                return kSyntaxError;
            std::string token = input.substr(tokenStart, i - tokenStart);
            if (state == kPi) {
                token = formatNumber(detail::pi());
            } else if (state == kInteger || state == kFraction) {
                const double number = leadingNumber(token);
                // A number beyond the double range has no formula text.
                if (!std::isfinite(number))
                    return kInvalidConstant;
                token = formatNumber(number);
            }
            if (token.find('*') != std::string::npos)
                token = "(" + token + ")";
            if (!firstToken)
                product += '*';
            product += token;
            firstToken = false;
            tokenStart = i;
            state = kStart; // the current character is read again
        }
        if (state != kStart)
            return kCheckBrackets;
        if (product.find('*') == std::string::npos) {
            text = std::move(product);
            return kFormulaOk;
        }
        return rewritten(text, nested, std::move(product));
    }

    // A constant text becomes its value.
    int FormulaChecker::fold(std::string& text) const
    {
        const auto value = evaluateText(text, variable_, 0);
        // An infinite value (a difference of huge numbers) has no formula text either.
        if (!value || !std::isfinite(*value))
            return kInvalidConstant;
        text = formatNumber(*value);
        return kFormulaOk;
    }

    constexpr std::array<std::string_view, 9> kErrorTexts = {
        "",
        "Check brackets",
        "Invalid constant",
        "Empty expression",
        "Argument is not defined",
        "Argument is not in brackets",
        "Syntax error",
        "Denominator is equal to zero",
        "Undefined parameter",
    };

} // namespace

int checkFormula(std::string& text, std::string_view variable)
{
    long long workLeft = kMaxCheckWork;
    return checkFormula(text, variable, workLeft);
}

int checkFormula(std::string& text, std::string_view variable, long long& workLeft)
{
    FormulaChecker checker(variable, workLeft);
    return checker.check(text, kTopLevel);
}

std::string_view formulaErrorText(int code)
{
    if (code <= 0 || code >= static_cast<int>(kErrorTexts.size()))
        return {};
    return kErrorTexts[static_cast<std::size_t>(code)];
}

} // namespace ovilan
