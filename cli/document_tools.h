#pragma once

#include "document/ovilan_doc.h"

#include <iosfwd>
#include <span>
#include <string_view>

namespace ovilan::cli {

// Opens a document as the program does: the program's message when it fails, else empty.
std::string_view openDocument(COvilanDoc& document, std::string_view path);

// `info FILE` and `trace FILE [--graph N]`.
int runInfo(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int runTrace(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace ovilan::cli
