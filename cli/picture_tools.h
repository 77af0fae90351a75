#pragma once

#include "document/ovilan_doc.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ovilan::cli {

enum class PictureFormat { Bmp, Png };

struct PictureRequest {
    PictureFormat format = PictureFormat::Bmp;
    int width = 800;
    int height = 600;
    bool rle = false;
};

// The bytes of the document's picture file, drawn without a display; nothing when the picture
// could not be made.
std::optional<std::vector<std::uint8_t>> pictureFile(
    const COvilanDoc& document, const PictureRequest& request);

} // namespace ovilan::cli
