#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ovilan::cli {

// Exit codes of ovilan-cli: 0 success, 1 a refused input, 2 a usage error.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// `formula [--var V] [--] TEXT...` and `formula --batch`.
int runFormula(
    std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

// `derive [--var V] [--] TEXT...`: the derivative's code and normal form, as `formula` prints a
// formula's.
int runDerive(std::span<const std::string_view> args, std::ostream& out);

// `number VALUE` and `number --batch`.
int runNumber(
    std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace ovilan::cli
