#pragma once

#include "shell/shell_interface.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace ovilan {

// The fields of the sharp picture dialog read as a size, or the message that refuses them and
// the field it refuses.
struct SharpPictureFields {
    SharpPictureSize size;
    QString refusal;
    bool warning = false;
    QLineEdit* refusedField = nullptr;
};

// "Sharp picture": what a PDF or a smooth PNG needs besides the plot's size in plot pixels. A
// PDF asks for its page in millimetres; a smooth PNG for a scale (2 draws every plot pixel on
// 2 x 2 picture pixels) or for millimetres and dots per inch. Millimetres start as the plot's
// pixels at 96 per inch; a plot given in millimetres is laid out for them at 96 per inch, so its
// texts keep their size and nothing is stretched.
class SharpPictureDialog : public QDialog {
    Q_OBJECT

public:
    SharpPictureDialog(PictureFormat format, QSize plotSize, QWidget* parent = nullptr);

    // The size as the fields stand; meaningful once the fields are accepted.
    SharpPictureSize pictureSize() const { return read().size; }

    // Why the fields as they stand are refused (an empty refusal when they are not); the refused
    // field has the focus with its text selected.
    SharpPictureFields refusal();

    void accept() override;

private:
    SharpPictureFields read() const;
    SharpPictureFields readScale() const;
    SharpPictureFields readPrintedSize() const;
    void showChoice();
    void startTyping(QLineEdit* field);

    QSize plotSize_;
    QRadioButton* byScale_ = nullptr;
    QRadioButton* byMillimetres_ = nullptr;
    QLineEdit* scale_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QLineEdit* dpi_ = nullptr;
};

} // namespace ovilan
