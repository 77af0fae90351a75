#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace ovilan {

inline constexpr int kMinPictureSide = 100;
inline constexpr int kMaxPictureSide = 3000;

// "Picture properties": the size of an exported or copied picture and its compression.
class PictureDialog : public QDialog {
    Q_OBJECT

public:
    PictureDialog(int width, int height, QWidget* parent = nullptr);

    int pictureWidth() const;
    int pictureHeight() const;
    bool rle() const;

    // The message that refuses the fields as they stand, or an empty text; the refused field has
    // the focus with its text selected.
    QString refusal();

    void accept() override;

private:
    QLineEdit* width_;
    QLineEdit* height_;
    QCheckBox* rle_;
};

// A side of a picture as typed: an integer within 100..3000, or the message that refuses it.
struct SideReading {
    int value = 0;
    QString refusal;
};
SideReading readPictureSide(const QString& text);

} // namespace ovilan
