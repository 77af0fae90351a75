#include "shell/picture_dialog.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/dialog_services.h"
#include "expr/dialog_fields.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ovilan {

SideReading readPictureSide(const QString& text)
{
    const IntegerField field
        = readIntegerField(text.toStdString(), kMinPictureSide, kMaxPictureSide);
    return { field.value, QString::fromStdString(field.refusal), field.warning };
}

PictureDialog::PictureDialog(int width, int height, QWidget* parent)
    : QDialog(parent)
    , width_(new QLineEdit(QString::number(width)))
    , height_(new QLineEdit(QString::number(height)))
    , rle_(new QCheckBox(QStringLiteral("RLE compression")))
{
    setWindowTitle(QStringLiteral("Picture properties"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Width:"), width_);
    fields->addRow(QStringLiteral("Height:"), height_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &PictureDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PictureDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(rle_);
    layout->addWidget(buttons);
    keepDialogFitted(*this);
}

int PictureDialog::pictureWidth() const { return readPictureSide(width_->text()).value; }
int PictureDialog::pictureHeight() const { return readPictureSide(height_->text()).value; }
bool PictureDialog::rle() const { return rle_->isChecked(); }

SideReading PictureDialog::refusal()
{
    for (QLineEdit* field : { width_, height_ }) {
        const SideReading reading = readPictureSide(field->text());
        if (!reading.refusal.isEmpty()) {
            field->setFocus();
            field->selectAll();
            return reading;
        }
    }
    return {};
}

void PictureDialog::accept()
{
    const SideReading refused = refusal();
    if (refused.refusal.isEmpty()) {
        QDialog::accept();
        return;
    }
    standardDialogServices().messages.show(
        this, refused.refusal, refused.warning ? MessageIcon::Warning : MessageIcon::None);
}

PictureFormat chosenPictureFormat(const QString& path, const QString& nameFilter)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("png"))
        return nameFilter == kSmoothPngFilter ? PictureFormat::SmoothPng : PictureFormat::Png;
    if (suffix == QStringLiteral("bmp") || suffix == QStringLiteral("rle"))
        return PictureFormat::Bmp;
    if (suffix == QStringLiteral("svg"))
        return PictureFormat::Svg;
    if (suffix == QStringLiteral("pdf"))
        return PictureFormat::Pdf;
    if (nameFilter == kPngFilter)
        return PictureFormat::Png;
    if (nameFilter == kSmoothPngFilter)
        return PictureFormat::SmoothPng;
    if (nameFilter == kSvgFilter)
        return PictureFormat::Svg;
    return nameFilter == kPdfFilter ? PictureFormat::Pdf : PictureFormat::Bmp;
}

} // namespace ovilan
