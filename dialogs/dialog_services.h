#pragma once

#include "render/color.h"
#include "render/font_record.h"

#include <QString>

#include <optional>

class QWidget;

namespace ovilan {

enum class MessageIcon { None, Warning };

// Where a dialog's refusals go. The program shows message boxes owned by the dialog with the
// application's title; tests record the texts, so no modal box ever blocks them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(QWidget* owner, const QString& text, MessageIcon icon) = 0;
};

// What the font chooser hands back: the font (its height as a negative pixel height, as it was
// handed in) and the colour picked with it.
struct FontChoice {
    FontRecord font;
    Rgb color;
};

// The platform's font dialog, offering the 16 palette colours with the font. Opened on a record
// whose height is a negative pixel height at `pixelsPerInch`; nothing when cancelled.
class FontChooser {
public:
    virtual ~FontChooser() = default;
    virtual std::optional<FontChoice> choose(
        QWidget* owner, const FontRecord& font, Rgb color, int pixelsPerInch)
        = 0;
};

// The message sink and font chooser every dialog of one run uses.
struct DialogServices {
    MessageSink& messages;
    FontChooser& fonts;
};

// Message boxes and the real font chooser; these hold no state.
DialogServices standardDialogServices();

} // namespace ovilan
