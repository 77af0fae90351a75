#pragma once

#include "dialogs/dialog_services.h"
#include "render/color.h"
#include "render/font_record.h"

#include <cstdint>
#include <string>
#include <string_view>

class QWidget;

namespace ovilan {

// number × numerator / denominator, rounded to the nearest integer with halves away from zero,
// as the platform's multiply-divide rounds: mulDiv(10, 96, 72) is 13, mulDiv(-13, 72, 96) is -10.
// A result beyond ±(2^31 − 1) is clamped to it, so it can always be negated; a zero denominator
// gives 0.
std::int32_t mulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// The first palette index 0..15 whose colour equals `color`; 0 (black) when none does.
ColorIndex paletteIndexOf(Rgb color);

// A face name cut to what a font record holds: at most FontRecord::kMaxFaceNameLength bytes,
// never in the middle of a UTF-8 character.
std::string limitedFaceName(std::string_view face);

// The vertical pixels per inch of the screen `dialog` is on; 96 when there is no screen.
std::int32_t screenPixelsPerInch(const QWidget* dialog);

// Lets the user choose a font and its colour for a record held in points. The chooser is opened
// on the record with its height in pixels for the dialog's screen and on the palette colour of
// `colorIndex`; after OK the record holds the chosen face, size, weight, italic, underline and
// strike-out and the index the chosen colour; after Cancel both are as they were. The record is
// changed in place and is back in points either way.
void runFontButton(FontRecord& font, ColorIndex& colorIndex, QWidget* dialog, FontChooser& chooser);

// The same at a given resolution, for devices other than the dialog's screen.
void runFontButton(FontRecord& font,
    ColorIndex& colorIndex,
    QWidget* dialog,
    FontChooser& chooser,
    std::int32_t pixelsPerInch);

} // namespace ovilan
