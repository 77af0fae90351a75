#pragma once

#include "document/load_allowance.h"
#include "document/ovilan_doc.h"
#include "render/archive.h"

#include <array>
#include <cstdint>

namespace ovilan {

// What older versions cannot hold of a document goes into one extension block after the general
// record. Older versions stop reading at the end of the general record, so they open the file and
// show the classic part: every graph they can read, with each parameter replaced by its current
// value. The block:
//
//   signature  8 bytes   89 'O' 'V' 'X' 0D 0A 1A 0A  (a byte above 127 first, so no text starts
//                        like it; CR LF and LF catch a transfer that converts line ends)
//   version    int32     1; changes only if the chunk framing itself changes
//   chunks     each: a tag of 4 ASCII bytes, its payload's length as int32, the payload
//     "PARM"   the parameter table (count, then per parameter: name byte, value, minimum,
//              maximum, step, speed doubles, animation int32)
//     "PFRM"   count, then per entry: the graph's index among the graphs of the classic part
//              (ascending), its two formulas as typed with parameters (strings)
//     "GRPH"   the graphs kept only in the block: count, then per entry: the graph's index in the
//              whole graph list (ascending), the entry's length as int32, the graph's kind int32
//              and its extended record. A graph of a kind this version does not know is skipped
//              by its length and the later entries move up, so later graph kinds (implicit
//              relations, shaded regions) can live here and older versions show the rest.
//     "END "   length 0; the last chunk, and nothing may follow it
//
// A chunk of an unknown tag is skipped, whatever it holds: later features add chunks of their own
// ("IREL" for implicit relations and "AREA" for shaded regions are kept free for them). Every
// length and count is checked against the bytes that remain before anything is read or
// allocated. A block that is cut off, lies about a length or a count, repeats a known chunk,
// holds a payload longer or shorter than its records, or goes on after "END " is a damaged file.
inline constexpr std::array<std::uint8_t, 8> kExtensionSignature
    = { 0x89, 'O', 'V', 'X', 0x0D, 0x0A, 0x1A, 0x0A };
inline constexpr std::int32_t kExtensionVersion = 1;

// Whether the document holds anything older versions cannot: parameters, formulas typed with
// them or graphs older versions cannot read. A document that does not has no block, so its bytes
// stay as they always were.
bool needsExtensionBlock(const COvilanDoc& document);

// Writes the block after the general record, or nothing when the document does not need one.
void writeExtensionBlock(ArchiveWriter& out, const COvilanDoc& document);

// Reads the block after the general record into a document whose classic part has been read.
// Bytes there that do not start with the signature are left alone, as older versions leave the
// block; a damaged block throws BadFormat. The graphs kept only in the block take their points
// and work from the same allowance as the classic graphs.
void readExtensionBlock(ArchiveReader& in, COvilanDoc& document, LoadAllowance& allowance);

} // namespace ovilan
