#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ovilan::cli {

// `analyze FILE --graph N [--from A --to B]`: the roots, extrema, axis crossings and
// intersections of one graph as CSV.
int runAnalyze(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// `integrate FILE --graph N --from A --to B`: the integral of a Y(x) graph and its error estimate.
int runIntegrate(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace ovilan::cli
