#include "dialogs/font_chooser.h"

#include "dialogs/color_combo.h"
#include "dialogs/font_button.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace ovilan {

namespace {

    inline constexpr int kPointsPerInch = 72;

    QString toQString(const std::string& text)
    {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    // Enter and Escape typed in the font widgets reach the embedded QFontDialog first, which
    // would close only itself and leave a hole, or swallow Enter for want of a default button;
    // they answer our dialog instead.
    class KeysToDialog : public QObject {
    public:
        explicit KeysToDialog(QDialog& dialog)
            : QObject(&dialog)
            , dialog_(dialog)
        {
        }

        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() != QEvent::KeyPress)
                return false;
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (key->matches(QKeySequence::Cancel)) {
                dialog_.reject();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                dialog_.accept();
                return true;
            }
            return false;
        }

    private:
        QDialog& dialog_;
    };

    // The font widgets of QFontDialog without its buttons, living inside our dialog.
    QFontDialog* makeEmbeddedFontDialog(QDialog& parent, const QFont& font)
    {
        auto* fonts = new QFontDialog(&parent);
        fonts->setWindowFlags(Qt::Widget);
        fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        fonts->setCurrentFont(font);
        fonts->setSizeGripEnabled(false);
        if (QLayout* layout = fonts->layout())
            layout->setContentsMargins(0, 0, 0, 0);
        fonts->installEventFilter(new KeysToDialog(parent));
        // Should the embedded dialog close itself any other way, ours closes with it.
        QObject::connect(fonts, &QDialog::finished, &parent, &QDialog::done);
        return fonts;
    }

    QHBoxLayout* makeColorRow(QDialog& parent, CColorCombo& colors)
    {
        auto* label = new QLabel(QStringLiteral("&Color:"), &parent);
        label->setBuddy(&colors);
        auto* row = new QHBoxLayout;
        row->addWidget(label);
        row->addWidget(&colors);
        row->addStretch();
        return row;
    }

    QDialogButtonBox* makeButtons(QDialog& parent)
    {
        auto* buttons
            = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &parent);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &parent, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &parent, &QDialog::reject);
        return buttons;
    }

} // namespace

QFont fontOfRecord(const FontRecord& record, int pixelsPerInch)
{
    QFont font(toQString(record.lfFaceName));
    if (record.lfHeight != 0) {
        const std::int32_t points = mulDiv(record.lfHeight, kPointsPerInch, pixelsPerInch);
        font.setPointSize(std::max(1, points < 0 ? -points : points));
    }
    if (record.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(record.lfWeight, 1, 1000)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

FontRecord recordOfFont(const QFont& font, const FontRecord& base, int pixelsPerInch)
{
    FontRecord record = base;
    record.lfFaceName = limitedFaceName(font.family().toStdString());
    const int points = font.pointSize() > 0 ? font.pointSize() : QFont().pointSize();
    record.lfHeight = -mulDiv(points, pixelsPerInch, kPointsPerInch);
    record.lfWeight = static_cast<std::int32_t>(font.weight());
    record.lfItalic = font.italic() ? 1 : 0;
    record.lfUnderline = font.underline() ? 1 : 0;
    record.lfStrikeOut = font.strikeOut() ? 1 : 0;
    return record;
}

std::optional<FontChoice> QtFontChooser::choose(
    QWidget* owner, const FontRecord& font, Rgb color, int pixelsPerInch)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(QStringLiteral("Font"));
    dialog.setSizeGripEnabled(true);

    QFontDialog* fonts = makeEmbeddedFontDialog(dialog, fontOfRecord(font, pixelsPerInch));
    auto* colors = new CColorCombo(&dialog);
    colors->fill();
    colors->select(paletteIndexOf(color));

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(makeColorRow(dialog, *colors));
    layout->addWidget(makeButtons(dialog));

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice { recordOfFont(fonts->currentFont(), font, pixelsPerInch),
        colorOf(colors->selectedIndex()) };
}

} // namespace ovilan
