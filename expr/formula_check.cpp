#include "expr/formula_check.h"

#include "expr/formula_text.h"
#include "expr/number_format.h"
#include "expr/operations.h"
#include "expr/text_evaluator.h"

#include <array>
#include <cmath>
#include <vector>

namespace ovilan {

namespace {

    // Passed up from an operand that had an implicit multiplication written out: the enclosing
    // text must be checked afresh with the rewritten operand.
    constexpr int kRewritten = -1;
    // Internal: the text was rewritten at a level that checks afresh itself.
    constexpr int kCheckAgain = -2;

    enum Nesting : int { kTopLevel = 0, kOperand = 1 };

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
        int checkBinary(
            std::string& text, int nested, int code, std::string left, std::string right);
        int checkFunction(
            std::string& text, int nested, int code, std::string_view left, std::string_view right);
        int scanFactors(std::string& text, int nested, std::string_view source);
        int nextScanState(int state, char c, int& groupDepth) const;
        int fold(std::string& text) const;

        bool containsVariable(std::string_view text) const
        {
            return text.find(variable_) != std::string_view::npos;
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
        const std::string_view left = trimmed(w.substr(0, match->position));
        const std::string_view right
            = trimmed(w.substr(match->position + kOperationTexts[match->code].size()));
        if (isFunction(match->code))
            return checkFunction(text, nested, match->code, left, right);
        return checkBinary(text, nested, match->code, std::string(left), std::string(right));
    }

    int FormulaChecker::checkBinary(
        std::string& text, int nested, int code, std::string left, std::string right)
    {
        const std::string_view op = kOperationTexts[code];
        // Unary plus and minus: "-x" is "0-x".
        if ((code == kPlus || code == kMinus) && left.empty())
            left = "0";
        if (left.empty() || right.empty() || (code == kPlus && right.front() == '-'))
            return kSyntaxError;

        int result = check(left, isWrapped(left) ? kTopLevel : kOperand);
        if (result == kRewritten)
            return rewritten(text, nested, left + std::string(op) + right);
        if (result != kFormulaOk)
            return result;
        result = check(right, isWrapped(right) ? kTopLevel : kOperand);
        if (result == kRewritten)
            return rewritten(text, nested, left + std::string(op) + right);
        if (result != kFormulaOk)
            return result;

        // Brackets go back only where an operand holds a weaker operator, or an equal one on the
        // right: "(x+1)*2", "10-(x-1)". Function names are stronger than every binary operator.
        if (const auto inner = findOperator(left); inner && inner->code < code)
            left = "(" + left + ")";
        if (const auto inner = findOperator(right); inner && inner->code <= code)
            right = "(" + right + ")";
        if (code == kDivide && right == "0" && left != "0")
            return kDenominatorZero;
        // A folded operand can turn negative: "x+(-5)".
        if (code == kPlus && right.front() == '-')
            right = "(" + right + ")";
        text = left + std::string(op) + right;

        switch (code) {
        case kPower:
            if (right == "1")
                text = left;
            if (right == "0")
                text = "1";
            if (left == "0")
                text = "0";
            break;
        case kPlus:
            if (left == "0")
                text = right;
            else if (right == "0")
                text = left;
            break;
        case kMinus:
            if (left == "0")
                text = right != "0" ? "-" + right : "0";
            else if (right == "0")
                text = left;
            break;
        case kMultiply:
        case kDivide:
            if (left == "0" || right == "0")
                text = "0";
            break;
        }
        if (!containsVariable(text))
            return fold(text);
        return kFormulaOk;
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

    constexpr std::array<std::string_view, 8> kErrorTexts = {
        "",
        "Check brackets",
        "Invalid constant",
        "Empty expression",
        "Argument is not defined",
        "Argument is not in brackets",
        "Syntax error",
        "Denominator is equal to zero",
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
