#pragma once

#include "render/plot_settings.h"

namespace ovilan {

// The one place that uses the C library's generator. A new graph reseeds it with the time in
// seconds, so graphs made within the same second share a colour; a new label takes the next
// value. Either way the colour is 0..14, never white.
ColorIndex reseededRandomColor();
ColorIndex nextRandomColor();

} // namespace ovilan
