#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ovilan::cli {

// `fit DATA.csv --model linear|poly N|exp|log|power|FORMULA [--start k=1,m=2]`: fits the file's
// points and prints each coefficient as NAME<TAB>VALUE (%.17g), then R², the residual standard
// deviation and the normal form of the fitted curve, one per line.
int runFit(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace ovilan::cli
