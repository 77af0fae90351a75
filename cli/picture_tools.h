#pragma once

#include "document/ovilan_doc.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ovilan::cli {

enum class PictureFormat { Bmp, Png, Svg, Pdf };

struct PictureRequest {
    PictureFormat format = PictureFormat::Bmp;
    // The plot's size in plot pixels: the picture's pixels unless it is drawn larger.
    int width = 800;
    int height = 600;
    bool rle = false;
    bool smooth = false; // a PNG in full colour, anti-aliased
    std::optional<double> scale;
    std::optional<int> dotsPerInch;
    std::optional<std::pair<double, double>> millimetres;
};

// Why a picture cannot be made as asked — a scale, resolution or size in millimetres beyond its
// limits, or more pixels than a picture may have — in the words of the program's dialogs, naming
// the limit; empty when it can be made.
std::string pictureRefusal(const PictureRequest& request);

class HeadlessApplication;

// Draws pictures without a display. The application object that fonts need is started once, so
// a batch of pictures pays for it once.
class PictureMaker {
public:
    PictureMaker();
    PictureMaker(const PictureMaker&) = delete;
    PictureMaker& operator=(const PictureMaker&) = delete;
    ~PictureMaker();

    // The bytes of the document's picture file; nothing when the picture could not be made.
    std::optional<std::vector<std::uint8_t>> file(
        const COvilanDoc& document, const PictureRequest& request) const;

private:
    std::unique_ptr<HeadlessApplication> application_;
};

} // namespace ovilan::cli
