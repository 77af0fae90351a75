#include "cli/engine_commands.h"

#include "expr/derivative.h"
#include "expr/expression.h"
#include "expr/formula_check.h"
#include "expr/number_format.h"
#include "expr/text_evaluator.h"
#include "expr/typed_formula.h"

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ovilan::cli {

namespace {

    // "%.17g" in the "C" locale: enough digits for the exact double to be read back.
    std::string exactText(std::optional<double> value)
    {
        if (!value)
            return "undefined";
        char buffer[64];
        const auto result
            = std::to_chars(buffer, buffer + sizeof buffer, *value, std::chars_format::general, 17);
        return std::string(buffer, result.ptr);
    }

    std::optional<double> parseDouble(std::string_view text)
    {
        if (text.starts_with('+'))
            text.remove_prefix(1);
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        return value;
    }

    std::string_view withoutCarriageReturn(std::string_view line)
    {
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        return line;
    }

    // One batch line: VAR<TAB>X<TAB>TEXT. VAR is one character, a blank for constant texts.
    bool formulaBatchLine(std::string_view line, std::ostream& out)
    {
        const std::size_t firstTab = line.find('\t');
        if (firstTab == std::string_view::npos || firstTab > 1)
            return false;
        const std::size_t secondTab = line.find('\t', firstTab + 1);
        if (secondTab == std::string_view::npos)
            return false;
        const std::string variable = firstTab == 0 ? " " : std::string(line.substr(0, 1));
        const auto x = parseDouble(line.substr(firstTab + 1, secondTab - firstTab - 1));
        if (!x)
            return false;

        const std::string_view text = line.substr(secondTab + 1);
        const TypedFormula checked = checkTypedFormula(text, variable);
        const int code = checked.code;
        out << code << '\t';
        if (code != kFormulaOk) {
            const FormulaFault fault = locateFormulaFault(text, variable, code);
            out << "-\t-\t-\t" << fault.begin << '\t' << fault.length << '\n';
            return true;
        }
        const std::string& normal = checked.normalForm;
        const Expression expression = prepare(normal, variable);
        ExpressionEvaluator evaluator(expression);
        out << normal << '\t' << exactText(evaluateText(normal, variable, *x)) << '\t'
            << exactText(evaluator.evaluate(*x)) << '\n';
        return true;
    }

    // Runs `handle` on every line of `in`; a line it cannot read is reported and answered with an
    // empty line, so the output stays in step with the input.
    template <typename Handler>
    int eachLine(std::istream& in,
        std::ostream& out,
        std::ostream& err,
        std::string_view expected,
        Handler handle)
    {
        int status = kExitSuccess;
        std::string line;
        for (long long number = 1; std::getline(in, line); ++number) {
            if (handle(withoutCarriageReturn(line), out))
                continue;
            err << "ovilan-cli: line " << number << ": expected " << expected << '\n';
            out << '\n';
            status = kExitRefused;
        }
        if (in.bad()) {
            err << "ovilan-cli: the input could not be read\n";
            status = kExitRefused;
        }
        out.flush();
        return status;
    }

    std::string joined(std::span<const std::string_view> words)
    {
        std::string text;
        for (const std::string_view word : words) {
            if (!text.empty())
                text += ' ';
            text += word;
        }
        return text;
    }

} // namespace

namespace {

    struct FormulaArguments {
        std::string variable;
        std::string text;
    };

    // [--var V] [--] TEXT...: the variable, x unless given, and the words of the formula.
    std::optional<FormulaArguments> formulaArguments(std::span<const std::string_view> args)
    {
        FormulaArguments read { "x", "" };
        std::size_t i = 0;
        if (i + 1 < args.size() && args[i] == "--var") {
            read.variable = std::string(args[i + 1]);
            i += 2;
            if (read.variable.size() != 1)
                return std::nullopt;
        }
        if (i < args.size() && args[i] == "--")
            ++i;
        else if (i < args.size() && args[i].starts_with("--"))
            return std::nullopt;
        if (i >= args.size())
            return std::nullopt;
        read.text = joined(args.subspan(i));
        return read;
    }

    // A refused formula: its code, message, where the fault lies in the text (the byte offset
    // from 0 and the length) and, when the message leaves it unsaid, what is wrong.
    int refused(const FormulaArguments& read, int code, std::ostream& out)
    {
        const FormulaFault fault = locateFormulaFault(read.text, read.variable, code);
        out << code << '\t' << formulaErrorText(code) << '\t' << fault.begin << '\t'
            << fault.length;
        if (!fault.explanation.empty())
            out << '\t' << fault.explanation;
        out << '\n';
        return kExitRefused;
    }

} // namespace

int runFormula(
    std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && args[0] == "--batch")
        return eachLine(in, out, err, "VAR<TAB>X<TAB>TEXT", formulaBatchLine);

    auto read = formulaArguments(args);
    if (!read)
        return kExitUsage;
    const TypedFormula checked = checkTypedFormula(read->text, read->variable);
    if (checked.code != kFormulaOk)
        return refused(*read, checked.code, out);
    out << checked.code << '\t' << checked.normalForm << '\n';
    return kExitSuccess;
}

int runDerive(std::span<const std::string_view> args, std::ostream& out)
{
    auto read = formulaArguments(args);
    if (!read)
        return kExitUsage;
    const TypedFormula checked = checkTypedFormula(read->text, read->variable);
    if (checked.code != kFormulaOk)
        return refused(*read, checked.code, out);
    const Derivative result = derivative(checked.normalForm, read->variable);
    if (result.code != kFormulaOk) {
        out << result.code << '\t' << result.refusal << '\n';
        return kExitRefused;
    }
    out << result.code << '\t' << result.normalForm << '\n';
    return kExitSuccess;
}

int runNumber(
    std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err)
{
    const auto formatLine = [](std::string_view line, std::ostream& lineOut) {
        const auto value = parseDouble(line);
        if (!value)
            return false;
        lineOut << formatNumber(*value) << '\n';
        return true;
    };
    if (args.size() != 1)
        return kExitUsage;
    if (args[0] == "--batch")
        return eachLine(in, out, err, "one number", formatLine);
    if (!formatLine(args[0], out)) {
        err << "ovilan-cli: not a number: " << args[0] << '\n';
        return kExitRefused;
    }
    return kExitSuccess;
}

} // namespace ovilan::cli
