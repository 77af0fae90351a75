#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ovilan::cli {

// `convert IN.ovd OUT.ovd|OUT.bmp|OUT.png|OUT.svg|OUT.pdf [picture options]` and, for a batch,
// `convert IN.ovd... --to FORMAT --out-dir DIR [picture options]`, and the frames of an
// animation, `convert IN.ovd DIR --animate k=FROM:TO:STEP [PNG options]`.
int runConvert(std::span<const std::string_view> args, std::ostream& err);

} // namespace ovilan::cli
