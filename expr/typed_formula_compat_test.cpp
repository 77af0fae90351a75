#include "expr/formula_check.h"
#include "expr/formula_spelling.h"
#include "expr/operations.h"
#include "expr/typed_formula.h"

#include <array>
#include <gtest/gtest.h>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    // Pieces from which random formulas are built beside the program's own operation names: the
    // familiar spellings, and the letters and signs that make texts ambiguous or wrong.
    constexpr std::array<std::string_view, 34> kOtherPieces = {
        "x",
        "y",
        "t",
        "a",
        "X",
        "A",
        "T",
        "pi",
        "PI",
        "e",
        "E",
        "0",
        "1",
        "2",
        "10",
        "2.5",
        ".5",
        "5.",
        "1e3",
        "1E-3",
        "2e+2",
        "(",
        ")",
        "()",
        " ",
        "  ",
        "tan",
        "asin",
        "acos",
        "sinh",
        "log",
        "log10",
        "k",
        "SIN",
    };
    constexpr std::array<std::string_view, 5> kVariables = { "x", "y", "t", "a", " " };

    std::size_t below(std::mt19937& random, std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    }

    std::string_view anyOf(std::mt19937& random, std::span<const std::string_view> choices)
    {
        return choices[below(random, choices.size())];
    }

    // Names called like functions beside the program's own.
    constexpr std::array<std::string_view, 9> kFamiliarNames = {
        "tan",
        "asin",
        "acos",
        "atan",
        "sinh",
        "cosh",
        "log10",
        "log",
        "SIN",
    };

    std::vector<std::string_view> withOperations(
        std::size_t firstOperation, std::span<const std::string_view> more)
    {
        std::vector<std::string_view> all(
            kOperationTexts.begin() + firstOperation, kOperationTexts.end());
        all.insert(all.end(), more.begin(), more.end());
        return all;
    }

    const std::vector<std::string_view>& pieces()
    {
        static const std::vector<std::string_view> all = withOperations(0, kOtherPieces);
        return all;
    }

    const std::vector<std::string_view>& functions()
    {
        static const std::vector<std::string_view> all
            = withOperations(static_cast<std::size_t>(kFirstFunction), kFamiliarNames);
        return all;
    }
    constexpr std::array<std::string_view, 16> kLeaves = {
        "x", "y", "t", "a", "X", "pi", "e", "E", "2", "10", "2.5", ".5", "1e3", "2E-3", "1e+2", "0"
    };
    constexpr std::array<std::string_view, 7> kJoins = { "+", "-", "*", "/", "^", "", " " };

    // A formula grown from leaves, calls, brackets and operators, written out or left out.
    std::string grownFormula(std::mt19937& random, int depth)
    {
        const std::size_t choice = depth <= 0 ? 0 : below(random, 4);
        if (choice == 0)
            return std::string(anyOf(random, kLeaves));
        if (choice == 1)
            return std::string(anyOf(random, functions())) + "(" + grownFormula(random, depth - 1)
                + ")";
        if (choice == 2)
            return "(" + grownFormula(random, depth - 1) + ")";
        return grownFormula(random, depth - 1) + std::string(anyOf(random, kJoins))
            + grownFormula(random, depth - 1);
    }

    // Half of the texts are grown, half thrown together from pieces, so that both the
    // well-formed and the broken are met often.
    std::string randomFormula(std::mt19937& random)
    {
        if (below(random, 2) == 0)
            return grownFormula(random, 3);
        std::string text;
        for (std::size_t n = 1 + below(random, 8); n > 0; --n)
            text += anyOf(random, pieces());
        return text;
    }

    // Every text the program's own check accepts gets exactly its code and normal form from the
    // whole language; every text it refuses stays refused unless a familiar spelling was read.
    TEST(TypedFormulaCompatibility, TheOwnLanguageKeepsEveryReading)
    {
        std::mt19937 random(20240611);
        int accepted = 0;
        int newlyAccepted = 0;
        for (int n = 0; n < 60000; ++n) {
            const std::string text = randomFormula(random);
            const std::string_view variable
                = kVariables[static_cast<std::size_t>(n) % kVariables.size()];
            std::string own = text;
            const int ownCode = checkFormula(own, variable);
            const TypedFormula typed = checkTypedFormula(text, variable);
            if (ownCode == kFormulaOk) {
                ++accepted;
                ASSERT_EQ(typed.code, kFormulaOk) << text << " in " << variable;
                ASSERT_EQ(typed.normalForm, own) << text << " in " << variable;
                ASSERT_TRUE(typed.ownSpelling) << text;
                continue;
            }
            if (typed.code != kFormulaOk)
                continue;
            ++newlyAccepted;
            ASSERT_TRUE(ownSpelling(text, variable).changed) << text << " in " << variable;
            ASSERT_FALSE(typed.ownSpelling) << text;
            // What is stored for older versions is accepted by them.
            std::string stored = typed.normalForm;
            ASSERT_EQ(checkFormula(stored, variable), kFormulaOk) << text;
        }
        // The generator reaches both kinds of text often enough to mean something.
        EXPECT_GT(accepted, 5000);
        EXPECT_GT(newlyAccepted, 1000);
    }

    // The locator never runs past the text, whatever it is given.
    TEST(TypedFormulaCompatibility, FaultsLieInsideTheTypedText)
    {
        std::mt19937 random(7);
        for (int n = 0; n < 20000; ++n) {
            const std::string text = randomFormula(random);
            const std::string_view variable
                = kVariables[static_cast<std::size_t>(n) % kVariables.size()];
            const int code = checkTypedFormula(text, variable).code;
            if (code == kFormulaOk)
                continue;
            const FormulaFault fault = locateFormulaFault(text, variable, code);
            ASSERT_LE(fault.begin + fault.length, text.size()) << text;
        }
    }

} // namespace
} // namespace ovilan
