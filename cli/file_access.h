#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ovilan::cli {

// The bytes of a regular file of at most `limit` bytes; nothing when the path is not a regular
// file (a directory, a FIFO, a device), cannot be read, or is larger. Never waits for a writer.
std::optional<std::vector<std::uint8_t>> readRegularFile(
    const std::string& path, std::size_t limit);

// Replaces `path` with `bytes` only once they are all on disk, as the program's Save does: a
// symbolic link keeps pointing at its file, which is the one replaced; an existing file keeps its
// permissions; a file with several hard links is replaced by a new one, so the other names keep
// the old contents. The bytes go to a temporary file beside the target that never takes an
// existing name, and that is removed on failure and before an interrupt or termination signal
// takes effect.
bool writeFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

// A thread that calls this never receives the signals writeFileSafely holds back, so that one
// sent to the program while a file is written waits for the writing thread to remove its
// temporary file, instead of ending the program through this thread at once.
void leaveEndingSignalsToOtherThreads();

} // namespace ovilan::cli
