#pragma once

#include "render/plot_settings.h"

#include <QComboBox>

class QPainter;
class QStyleOptionComboBox;

namespace ovilan {

// What the drawn pickers share: items of one height, drawn by the program, and a dotted focus
// frame around the current one.
inline constexpr int kPickerItemHeight = 15;
// Wide enough for a colour swatch or a whole line picture.
inline constexpr int kPickerItemWidth = 110;

// A dotted frame on the outermost pixels of `rect`, every other pixel set, as the platform marks
// the focused item of a list.
void drawFocusFrame(QPainter& painter, const QRect& rect, const QColor& color);

// Paints a closed picker: the combo's frame and arrow, and in its edit field the selected item
// drawn by the combo's own delegate.
void paintClosedPicker(QComboBox& combo, QStyleOptionComboBox& option);

// The size of a closed picker that holds one item of kPickerItemWidth × kPickerItemHeight.
QSize pickerSizeHint(const QComboBox& combo, const QStyleOptionComboBox& option);

// The drop-down list of the 16 palette colours, shown as swatches without text. The position of
// the selected item is the colour index.
class CColorCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CColorCombo(QWidget* parent = nullptr);

    // Adds the 16 colours in palette order (replacing any items); until then no item exists.
    void fill();
    // An index that is not a listed colour leaves the selection as it is.
    void select(ColorIndex index);
    // The selected colour index, or -1 while the picker is empty.
    ColorIndex selectedIndex() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ovilan
