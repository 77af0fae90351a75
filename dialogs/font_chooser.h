#pragma once

#include "dialogs/dialog_services.h"

#include <QFont>

namespace ovilan {

// The font a record with a negative pixel height at `pixelsPerInch` describes, sized in whole
// points as the font dialog lists them: -13 pixels at 96 pixels per inch is 10 points. A height
// of 0 keeps the application's usual size.
QFont fontOfRecord(const FontRecord& record, int pixelsPerInch);

// `base` with the face, size, weight, italic, underline and strike-out of `font`; the height
// becomes a negative pixel height at `pixelsPerInch` again.
FontRecord recordOfFont(const QFont& font, const FontRecord& base, int pixelsPerInch);

// A modal "Font" dialog: face, style, size and effects from Qt's own font widgets, and the 16
// palette colours beside them, since the toolkit's font dialog offers no colour.
class QtFontChooser : public FontChooser {
public:
    std::optional<FontChoice> choose(
        QWidget* owner, const FontRecord& font, Rgb color, int pixelsPerInch) override;
};

} // namespace ovilan
