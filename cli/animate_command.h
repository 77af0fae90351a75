#pragma once

#include "cli/picture_tools.h"

#include <iosfwd>
#include <string_view>

namespace ovilan::cli {

// `convert IN.ovd DIR --animate k=FROM:TO:STEP [PNG options]`: one PNG picture a value of the
// parameter, DIR/frame-0001.png and on; DIR is made when it is missing.
int writeAnimationFrames(std::string_view source,
    std::string_view folder,
    std::string_view range,
    const PictureRequest& request,
    std::ostream& err);

} // namespace ovilan::cli
