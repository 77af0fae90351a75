#include "dialogs/color_combo.h"

#include "render/color.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace ovilan {

namespace {

    inline constexpr ColorIndex kPaletteSize = 16;

    // Each item is a swatch one pixel inside its rectangle, leaving room for the focus frame.
    class ColorItemDelegate : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;

        void paint(QPainter* painter,
            const QStyleOptionViewItem& option,
            const QModelIndex& index) const override
        {
            const QColor color = index.data(Qt::UserRole).value<QColor>();
            painter->fillRect(option.rect.adjusted(1, 1, -1, -1), color);
            if (option.state & (QStyle::State_HasFocus | QStyle::State_Selected))
                drawFocusFrame(*painter, option.rect, option.palette.color(QPalette::Text));
        }

        QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
        {
            return { kPickerItemWidth, kPickerItemHeight };
        }
    };

    QColor toQColor(Rgb color) { return QColor(color.red, color.green, color.blue); }

} // namespace

void drawFocusFrame(QPainter& painter, const QRect& rect, const QColor& color)
{
    if (rect.isEmpty())
        return;
    QPolygon dots;
    for (int x = rect.left(); x <= rect.right(); x += 2) {
        dots << QPoint(x, rect.top());
        dots << QPoint(x, rect.bottom());
    }
    for (int y = rect.top(); y <= rect.bottom(); y += 2) {
        dots << QPoint(rect.left(), y);
        dots << QPoint(rect.right(), y);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 0));
    painter.drawPoints(dots);
    painter.restore();
}

void paintClosedPicker(QComboBox& combo, QStyleOptionComboBox& option)
{
    QStylePainter painter(&combo);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (combo.currentIndex() < 0)
        return;

    const QRect field = combo.style()->subControlRect(
        QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    QStyleOptionViewItem item;
    item.initFrom(&combo);
    item.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected);
    if (combo.hasFocus())
        item.state |= QStyle::State_HasFocus;
    item.rect = QRect(field.left(),
        field.top() + (field.height() - kPickerItemHeight) / 2,
        field.width(),
        kPickerItemHeight);
    painter.setClipRect(field);
    combo.itemDelegate()->paint(
        &painter, item, combo.model()->index(combo.currentIndex(), combo.modelColumn()));
}

QSize pickerSizeHint(const QComboBox& combo, const QStyleOptionComboBox& option)
{
    return combo.style()->sizeFromContents(
        QStyle::CT_ComboBox, &option, QSize(kPickerItemWidth, kPickerItemHeight), &combo);
}

CColorCombo::CColorCombo(QWidget* parent)
    : QComboBox(parent)
{
    setItemDelegate(new ColorItemDelegate(this));
    setMaxVisibleItems(kPaletteSize);
}

void CColorCombo::fill()
{
    clear();
    for (ColorIndex index = 0; index < kPaletteSize; ++index)
        addItem(QString(), toQColor(colorOf(index)));
}

void CColorCombo::select(ColorIndex index)
{
    if (index >= 0 && index < count())
        setCurrentIndex(index);
}

ColorIndex CColorCombo::selectedIndex() const { return currentIndex(); }

QSize CColorCombo::sizeHint() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return pickerSizeHint(*this, option);
}

QSize CColorCombo::minimumSizeHint() const { return sizeHint(); }

void CColorCombo::paintEvent(QPaintEvent*)
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    paintClosedPicker(*this, option);
}

} // namespace ovilan
