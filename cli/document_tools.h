#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ovilan::cli {

// `info FILE`, `trace FILE [--graph N]` and `convert IN.ovd OUT.ovd|OUT.bmp|OUT.png`.
int runInfo(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int runTrace(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int runConvert(std::span<const std::string_view> args, std::ostream& err);

} // namespace ovilan::cli
