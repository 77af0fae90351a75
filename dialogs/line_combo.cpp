#include "dialogs/line_combo.h"

#include "dialogs/color_combo.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>

namespace ovilan {

namespace {

    // One picture's line: its rows, the column it starts at and the lengths of its runs, drawn
    // and skipped in turn (the first run is drawn; a 0 ends the list).
    struct PictureLine {
        int topRow;
        int thickness;
        int firstColumn;
        std::array<int, 12> runs;
    };

    // Indexed by picture identifier: the widths 1 to 5, then the patterns 0 to 3.
    constexpr std::array<PictureLine, 9> kPictureLines { {
        { 7, 1, 5, { 88 } }, // width 1: columns 5 to 92
        { 7, 2, 4, { 90 } }, // width 2: columns 4 to 93
        { 6, 3, 4, { 90 } },
        { 6, 4, 4, { 90 } },
        { 5, 5, 4, { 90 } },
        { 7, 1, 5, { 88 } }, // pattern 0, solid
        { 7, 1, 5, { 24, 8, 24, 8, 24 } }, // pattern 1, long dashes
        { 7, 1, 5, { 12, 4, 12, 4, 12, 4, 12, 4, 12, 4, 12 } }, // pattern 2, short dashes
        { 7, 1, 4, { 17, 5, 5, 5, 17, 5, 5, 5, 17, 5, 5 } }, // pattern 3, dash and dot
    } };

    void drawPictureLine(QImage& image, const PictureLine& line)
    {
        int column = line.firstColumn;
        bool drawn = true;
        for (const int run : line.runs) {
            if (run == 0)
                break;
            if (drawn) {
                for (int row = line.topRow; row < line.topRow + line.thickness; ++row) {
                    auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
                    std::fill(pixels + column, pixels + column + run, qRgb(0, 0, 0));
                }
            }
            column += run;
            drawn = !drawn;
        }
    }

    // Each item is its picture copied pixel for pixel to the item's top-left corner and cut off
    // at the item's edges.
    class LineItemDelegate : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;

        void paint(QPainter* painter,
            const QStyleOptionViewItem& option,
            const QModelIndex& index) const override
        {
            const QImage picture = linePicture(index.data(Qt::UserRole).toInt());
            painter->save();
            painter->setClipRect(option.rect, Qt::IntersectClip);
            painter->drawImage(option.rect.topLeft(), picture);
            painter->restore();
            if (option.state & (QStyle::State_HasFocus | QStyle::State_Selected))
                drawFocusFrame(*painter, option.rect, option.palette.color(QPalette::Text));
        }

        QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
        {
            return { kLinePictureWidth, kPickerItemHeight };
        }
    };

} // namespace

QImage linePicture(int picture)
{
    QImage image(kLinePictureWidth, kLinePictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (picture >= 0 && picture < static_cast<int>(kPictureLines.size()))
        drawPictureLine(image, kPictureLines[static_cast<std::size_t>(picture)]);
    return image;
}

CLineCombo::CLineCombo(QWidget* parent)
    : QComboBox(parent)
{
    setItemDelegate(new LineItemDelegate(this));
}

void CLineCombo::fill(int firstPicture, int count)
{
    clear();
    for (int picture = firstPicture; picture < firstPicture + count; ++picture)
        addItem(QString(), picture);
}

void CLineCombo::select(int position)
{
    if (position >= 0 && position < count())
        setCurrentIndex(position);
}

int CLineCombo::selectedIndex() const { return currentIndex(); }

QSize CLineCombo::sizeHint() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return pickerSizeHint(*this, option);
}

QSize CLineCombo::minimumSizeHint() const { return sizeHint(); }

void CLineCombo::paintEvent(QPaintEvent*)
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    paintClosedPicker(*this, option);
}

} // namespace ovilan
