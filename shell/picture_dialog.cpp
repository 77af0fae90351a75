#include "shell/picture_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace ovilan {

SideReading readPictureSide(const QString& text)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    if (!number)
        return { 0, QStringLiteral("Please enter an integer.") };
    if (value < kMinPictureSide || value > kMaxPictureSide)
        return { value,
            QStringLiteral("Please enter an integer between %1 and %2.")
                .arg(kMinPictureSide)
                .arg(kMaxPictureSide) };
    return { value, {} };
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
}

int PictureDialog::pictureWidth() const { return readPictureSide(width_->text()).value; }
int PictureDialog::pictureHeight() const { return readPictureSide(height_->text()).value; }
bool PictureDialog::rle() const { return rle_->isChecked(); }

QString PictureDialog::refusal()
{
    for (QLineEdit* field : { width_, height_ }) {
        const SideReading reading = readPictureSide(field->text());
        if (!reading.refusal.isEmpty()) {
            field->setFocus();
            field->selectAll();
            return reading.refusal;
        }
    }
    return {};
}

void PictureDialog::accept()
{
    const QString message = refusal();
    if (message.isEmpty()) {
        QDialog::accept();
        return;
    }
    // The plain "enter an integer" has no icon; the range message warns.
    QMessageBox box(
        message.contains(QStringLiteral("between")) ? QMessageBox::Warning : QMessageBox::NoIcon,
        QStringLiteral("Ovilan"),
        message,
        QMessageBox::Ok,
        this);
    box.exec();
}

} // namespace ovilan
