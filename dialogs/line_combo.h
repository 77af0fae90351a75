#pragma once

#include <QComboBox>
#include <QImage>

namespace ovilan {

// The pictures of the line pickers, by identifier: first the five widths 1 to 5, then the four
// patterns 0 to 3.
inline constexpr int kFirstWidthPicture = 0;
inline constexpr int kWidthPictureCount = 5;
inline constexpr int kFirstStylePicture = 5;
inline constexpr int kStylePictureCount = 4;

inline constexpr int kLinePictureWidth = 110;
inline constexpr int kLinePictureHeight = 15;

// A white 110 × 15 picture with one black horizontal line of the width or pattern the identifier
// stands for; an unknown identifier gives a plain white picture.
QImage linePicture(int picture);

// A drop-down list of line pictures without text: one instance lists the widths, another the
// patterns. The dialogs store the width picker's position + 1 as the width and the pattern
// picker's position as the pattern.
class CLineCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CLineCombo(QWidget* parent = nullptr);

    // Adds the pictures firstPicture, firstPicture + 1, … (replacing any items); until then no
    // item exists.
    void fill(int firstPicture, int count);
    // A position that holds no item leaves the selection as it is.
    void select(int position);
    // The selected position, or -1 while the picker is empty.
    int selectedIndex() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ovilan
