#pragma once

#include "shell/shell_interface.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace ovilan {

inline constexpr int kMinPictureSide = 100;
inline constexpr int kMaxPictureSide = 3000;

// A side of a picture as typed: an integer within 100..3000, or the message that refuses it.
struct SideReading {
    int value = 0;
    QString refusal;
    bool warning = false;
};
// "Picture properties": the size of an exported or copied picture and its compression.
class PictureDialog : public QDialog {
    Q_OBJECT

public:
    PictureDialog(int width, int height, QWidget* parent = nullptr);

    int pictureWidth() const;
    int pictureHeight() const;
    bool rle() const;

    // Why the fields as they stand are refused (an empty refusal when they are not); the refused
    // field has the focus with its text selected.
    SideReading refusal();

    void accept() override;

private:
    QLineEdit* width_;
    QLineEdit* height_;
    QCheckBox* rle_;
};

SideReading readPictureSide(const QString& text);

inline const QString kBitmapFilter = QStringLiteral("Bitmap pictures (*.bmp *.rle)");
inline const QString kPngFilter = QStringLiteral("PNG pictures (*.png)");
inline const QString kSvgFilter = QStringLiteral("SVG pictures (*.svg)");
inline const QString kPdfFilter = QStringLiteral("PDF documents (*.pdf)");
inline const QString kSmoothPngFilter = QStringLiteral("Smooth PNG pictures (*.png)");

// A typed ".bmp", ".rle", ".svg" or ".pdf" decides the format, and so does ".png" — a smooth PNG
// when that filter is chosen, the 16-colour one otherwise; without a known suffix the chosen
// filter decides, and "All files" keeps the bitmap.
PictureFormat chosenPictureFormat(const QString& path, const QString& nameFilter);

} // namespace ovilan
