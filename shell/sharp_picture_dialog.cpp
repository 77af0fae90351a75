#include "shell/sharp_picture_dialog.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/dialog_services.h"
#include "expr/dialog_fields.h"
#include "view/vector_picture.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>
#include <optional>

namespace ovilan {

namespace {

    const QString kEnterNumber = QStringLiteral("Please enter a number.");
    constexpr double kMillimetresPerInch = 25.4;
    constexpr double kProposedScale = 2;
    constexpr int kProposedDpi = 300;

    // Tenths of a millimetre: 800 plot pixels read back from "211.7" are 800 again.
    QString millimetresText(int plotPixels)
    {
        return QString::number(plotPixels * kMillimetresPerInch / kPlotPixelsPerInch, 'f', 1);
    }

    std::optional<double> readNumber(const QLineEdit& field)
    {
        bool ok = false;
        const double value = QLocale::c().toDouble(field.text().trimmed(), &ok);
        if (!ok)
            return std::nullopt;
        return value;
    }

    bool withinMillimetres(double side)
    {
        return side >= kMinPictureMillimetres && side <= kMaxPictureMillimetres;
    }

    // The message a side outside the limits gets, in the words of every other size check.
    QString sideRefusal() { return printedPictureSize(QSizeF(0, 0), kPlotPixelsPerInch).refusal; }

    QLineEdit* namedField(const QString& text, const char* name)
    {
        auto* field = new QLineEdit(text);
        field->setObjectName(QString::fromLatin1(name));
        return field;
    }

    SharpPictureFields refused(QLineEdit* field, const QString& text, bool warning)
    {
        return { {}, text, warning, field };
    }

    // A side in millimetres, or the refusal of its field.
    struct SideField {
        double millimetres = 0;
        SharpPictureFields refusal;
    };

    SideField readSide(QLineEdit& field)
    {
        const auto side = readNumber(field);
        if (!side)
            return { 0, refused(&field, kEnterNumber, false) };
        if (!withinMillimetres(*side))
            return { 0, refused(&field, sideRefusal(), true) };
        return { *side, {} };
    }

} // namespace

SharpPictureDialog::SharpPictureDialog(PictureFormat format, QSize plotSize, QWidget* parent)
    : QDialog(parent)
    , plotSize_(plotSize)
    , width_(namedField(millimetresText(plotSize.width()), "width"))
    , height_(namedField(millimetresText(plotSize.height()), "height"))
{
    setWindowTitle(QStringLiteral("Sharp picture"));
    auto* fields = new QFormLayout;
    if (format == PictureFormat::SmoothPng) {
        byScale_ = new QRadioButton(QStringLiteral("Scale:"));
        byMillimetres_ = new QRadioButton(QStringLiteral("Printed size"));
        byScale_->setObjectName(QStringLiteral("byScale"));
        byMillimetres_->setObjectName(QStringLiteral("byMillimetres"));
        scale_ = namedField(QString::number(kProposedScale), "scale");
        dpi_ = namedField(QString::number(kProposedDpi), "dpi");
        byScale_->setChecked(true);
        fields->addRow(byScale_, scale_);
        fields->addRow(byMillimetres_);
        connect(byScale_, &QRadioButton::toggled, this, &SharpPictureDialog::showChoice);
        connect(byScale_, &QRadioButton::clicked, this, [this] { startTyping(scale_); });
        connect(byMillimetres_, &QRadioButton::clicked, this, [this] { startTyping(width_); });
    }
    fields->addRow(QStringLiteral("Width (mm):"), width_);
    fields->addRow(QStringLiteral("Height (mm):"), height_);
    if (dpi_)
        fields->addRow(QStringLiteral("Resolution (dpi):"), dpi_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &SharpPictureDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SharpPictureDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    showChoice();
    keepDialogFitted(*this);
    startTyping(scale_ ? scale_ : width_);
}

// The field to type into has the focus with its text selected, so typing replaces it.
void SharpPictureDialog::startTyping(QLineEdit* field)
{
    field->setFocus();
    field->selectAll();
}

// Only the fields of the chosen way to give the size can be typed into.
void SharpPictureDialog::showChoice()
{
    if (!byScale_)
        return;
    const bool scaled = byScale_->isChecked();
    scale_->setEnabled(scaled);
    for (QLineEdit* field : { width_, height_, dpi_ })
        field->setEnabled(!scaled);
}

SharpPictureFields SharpPictureDialog::read() const
{
    if (byScale_ && byScale_->isChecked())
        return readScale();
    return readPrintedSize();
}

SharpPictureFields SharpPictureDialog::readScale() const
{
    const auto scale = readNumber(*scale_);
    if (!scale)
        return refused(scale_, kEnterNumber, false);
    const SharpPictureSizeReading reading = scaledPictureSize(plotSize_, *scale);
    if (!reading.refusal.isEmpty())
        return refused(scale_, reading.refusal, true);
    return { reading.size, {}, false, nullptr };
}

// In the order of the fields: each side, then the resolution, which also refuses a picture of
// more pixels than may be drawn.
SharpPictureFields SharpPictureDialog::readPrintedSize() const
{
    const SideField width = readSide(*width_);
    if (width.refusal.refusedField)
        return width.refusal;
    const SideField height = readSide(*height_);
    if (height.refusal.refusedField)
        return height.refusal;
    const QSizeF millimetres(width.millimetres, height.millimetres);
    int dpi = kPlotPixelsPerInch;
    if (dpi_) {
        const IntegerField typed = readIntegerField(dpi_->text().toStdString(),
            std::numeric_limits<std::int32_t>::min(),
            std::numeric_limits<std::int32_t>::max());
        if (!typed.refusal.empty())
            return refused(dpi_, QString::fromStdString(typed.refusal), typed.warning);
        dpi = typed.value;
    }
    const SharpPictureSizeReading reading = printedPictureSize(millimetres, dpi);
    if (!reading.refusal.isEmpty())
        return refused(dpi_ ? dpi_ : height_, reading.refusal, true);
    return { reading.size, {}, false, nullptr };
}

SharpPictureFields SharpPictureDialog::refusal()
{
    const SharpPictureFields fields = read();
    if (fields.refusedField) {
        fields.refusedField->setFocus();
        fields.refusedField->selectAll();
    }
    return fields;
}

void SharpPictureDialog::accept()
{
    const SharpPictureFields refused = refusal();
    if (refused.refusal.isEmpty()) {
        QDialog::accept();
        return;
    }
    standardDialogServices().messages.show(
        this, refused.refusal, refused.warning ? MessageIcon::Warning : MessageIcon::None);
}

} // namespace ovilan
