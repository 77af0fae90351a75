#pragma once

#include <cstddef>

namespace ovilan {

// The largest file that is read as a document. A real document stays far below it — hundreds of
// graphs with every table row filled come to a few megabytes — while a device such as /dev/zero
// or a runaway file is refused after this many bytes instead of filling the memory.
inline constexpr std::size_t kMaxDocumentFileBytes = std::size_t { 64 } * 1024 * 1024;

} // namespace ovilan
