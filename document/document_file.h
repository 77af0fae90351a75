#pragma once

#include "document/ovilan_doc.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ovilan {

inline constexpr std::string_view kDocumentSignature = "OvilanDocument";
inline constexpr std::string_view kUnexpectedFileFormat = "Unexpected file format.";

// The whole document in the .ovd layout.
std::vector<std::uint8_t> writeDocument(const COvilanDoc& document);

// Reads a file into a document that has just been reset; throws BadFormat on a damaged file.
void readDocument(COvilanDoc& document, std::span<const std::uint8_t> bytes);

// Open: reset, then read. A damaged file leaves a fresh empty document (the views hear hint 0)
// and returns false; the caller shows kUnexpectedFileFormat. On success the last graph is
// selected, the history is empty and the document is unmodified.
bool loadDocument(COvilanDoc& document, std::span<const std::uint8_t> bytes);

} // namespace ovilan
