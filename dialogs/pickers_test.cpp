#include "dialogs/color_combo.h"
#include "dialogs/font_button.h"
#include "dialogs/font_chooser.h"
#include "dialogs/line_combo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <limits>
#include <utility>
#include <vector>

namespace ovilan {
namespace {

    // A colour no picker draws, so untouched pixels show.
    const QRgb kUntouched = qRgb(1, 2, 3);

    struct ColumnRun {
        int first;
        int last;
    };

    struct ExpectedPicture {
        const char* name;
        int picture;
        int topRow;
        int bottomRow;
        std::vector<ColumnRun> black;
    };

    bool isBlack(const ExpectedPicture& expected, int x, int y)
    {
        if (y < expected.topRow || y > expected.bottomRow)
            return false;
        for (const ColumnRun& run : expected.black) {
            if (x >= run.first && x <= run.last)
                return true;
        }
        return false;
    }

    TEST(LinePicture, EveryPictureHasItsLineOnWhite)
    {
        const std::vector<ExpectedPicture> pictures {
            { "width 1", kFirstWidthPicture + 0, 7, 7, { { 5, 92 } } },
            { "width 2", kFirstWidthPicture + 1, 7, 8, { { 4, 93 } } },
            { "width 3", kFirstWidthPicture + 2, 6, 8, { { 4, 93 } } },
            { "width 4", kFirstWidthPicture + 3, 6, 9, { { 4, 93 } } },
            { "width 5", kFirstWidthPicture + 4, 5, 9, { { 4, 93 } } },
            { "solid", kFirstStylePicture + 0, 7, 7, { { 5, 92 } } },
            { "long dashes", kFirstStylePicture + 1, 7, 7, { { 5, 28 }, { 37, 60 }, { 69, 92 } } },
            { "short dashes",
                kFirstStylePicture + 2,
                7,
                7,
                { { 5, 16 }, { 21, 32 }, { 37, 48 }, { 53, 64 }, { 69, 80 }, { 85, 96 } } },
            { "dash and dot",
                kFirstStylePicture + 3,
                7,
                7,
                { { 4, 20 }, { 26, 30 }, { 36, 52 }, { 58, 62 }, { 68, 84 }, { 90, 94 } } },
        };
        for (const ExpectedPicture& expected : pictures) {
            SCOPED_TRACE(expected.name);
            const QImage image = linePicture(expected.picture);
            ASSERT_EQ(image.size(), QSize(110, 15));
            for (int y = 0; y < 15; ++y) {
                for (int x = 0; x < 110; ++x) {
                    const QRgb want = isBlack(expected, x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                    ASSERT_EQ(image.pixel(x, y), want) << "x " << x << " y " << y;
                }
            }
        }
    }

    QImage untouchedImage(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(kUntouched);
        return image;
    }

    // Paints item `row` of `combo` as its drop-down list does, into an image of `size`.
    QImage paintItem(
        const QComboBox& combo, int row, QRect itemRect, QSize size, QStyle::State state = {})
    {
        QImage image = untouchedImage(size.width(), size.height());
        QStyleOptionViewItem option;
        option.rect = itemRect;
        option.state = state;
        option.palette.setColor(QPalette::Text, Qt::black);
        QPainter painter(&image);
        combo.itemDelegate()->paint(&painter, option, combo.model()->index(row, 0));
        return image;
    }

    TEST(ColorCombo, ListsThePaletteInIndexOrderOnceFilled)
    {
        CColorCombo combo;
        EXPECT_EQ(combo.count(), 0);
        EXPECT_EQ(combo.selectedIndex(), -1);

        combo.fill();
        const std::vector<QColor> palette { { 0, 0, 0 },
            { 128, 0, 0 },
            { 0, 128, 0 },
            { 128, 128, 0 },
            { 0, 0, 128 },
            { 128, 0, 128 },
            { 0, 128, 128 },
            { 128, 128, 128 },
            { 192, 192, 192 },
            { 255, 0, 0 },
            { 0, 255, 0 },
            { 255, 255, 0 },
            { 0, 0, 255 },
            { 255, 0, 255 },
            { 0, 255, 255 },
            { 255, 255, 255 } };
        ASSERT_EQ(combo.count(), 16);
        for (int index = 0; index < 16; ++index) {
            SCOPED_TRACE(index);
            const QImage item = paintItem(combo, index, QRect(0, 0, 110, 15), QSize(110, 15));
            EXPECT_EQ(item.pixelColor(1, 1), palette[static_cast<std::size_t>(index)]);
            EXPECT_EQ(item.pixelColor(108, 13), palette[static_cast<std::size_t>(index)]);
        }

        combo.fill(); // filling again does not add a second palette
        EXPECT_EQ(combo.count(), 16);
    }

    TEST(Pickers, SelectionIsThePosition)
    {
        CColorCombo combo;
        combo.fill();
        for (ColorIndex index = 0; index < 16; ++index) {
            combo.select(index);
            EXPECT_EQ(combo.selectedIndex(), index);
        }
        combo.select(8);
        combo.select(16);
        EXPECT_EQ(combo.selectedIndex(), 8) << "an index beyond the palette keeps the selection";
        combo.select(-1);
        EXPECT_EQ(combo.selectedIndex(), 8);

        CLineCombo widths;
        widths.fill(kFirstWidthPicture, kWidthPictureCount);
        widths.select(4);
        EXPECT_EQ(widths.selectedIndex(), 4) << "the last width picture, width 5";
        widths.select(5);
        EXPECT_EQ(widths.selectedIndex(), 4);
    }

    TEST(ColorCombo, ItemIsASwatchOnePixelInsideItsRectangle)
    {
        CColorCombo combo;
        combo.fill();
        const QRect itemRect(2, 3, 20, 15);
        const QImage image = paintItem(combo, 8, itemRect, QSize(24, 20));
        const QRect swatch = itemRect.adjusted(1, 1, -1, -1);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb want = swatch.contains(x, y) ? qRgb(192, 192, 192) : kUntouched;
                ASSERT_EQ(image.pixel(x, y), want) << "x " << x << " y " << y;
            }
        }
    }

    TEST(ColorCombo, FocusedItemHasADottedFrameOnItsEdge)
    {
        CColorCombo combo;
        combo.fill();
        const QRect itemRect(0, 0, 20, 15);
        const QImage image = paintItem(combo, 15, itemRect, QSize(20, 15), QStyle::State_HasFocus);
        EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(1, 0), kUntouched);
        EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(0, 1), kUntouched);
        EXPECT_EQ(image.pixel(0, 2), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(18, 14), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255)) << "the swatch stays whole";
    }

    TEST(LineCombo, ItemIsItsPictureCutToTheItem)
    {
        CLineCombo widths;
        EXPECT_EQ(widths.count(), 0);
        widths.fill(kFirstWidthPicture, kWidthPictureCount);
        ASSERT_EQ(widths.count(), 5);
        for (int position = 0; position < 5; ++position) {
            SCOPED_TRACE(position);
            EXPECT_EQ(paintItem(widths, position, QRect(0, 0, 110, 15), QSize(110, 15)),
                linePicture(kFirstWidthPicture + position));
        }

        CLineCombo styles;
        styles.fill(kFirstStylePicture, kStylePictureCount);
        ASSERT_EQ(styles.count(), 4);
        const QRect narrow(10, 2, 40, 15);
        const QImage image = paintItem(styles, 1, narrow, QSize(70, 20));
        const QImage picture = linePicture(kFirstStylePicture + 1);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb want = narrow.contains(x, y) ? picture.pixel(x - 10, y - 2) : kUntouched;
                ASSERT_EQ(image.pixel(x, y), want) << "x " << x << " y " << y;
            }
        }
    }

    TEST(Pickers, ClosedBoxShowsTheSelectedItem)
    {
        CColorCombo colors;
        colors.fill();
        colors.select(12);
        colors.resize(colors.sizeHint());
        EXPECT_GE(colors.sizeHint().width(), 110);
        const QImage closed = colors.grab().toImage();
        int blue = 0;
        for (int y = 0; y < closed.height(); ++y) {
            for (int x = 0; x < closed.width(); ++x)
                blue += closed.pixel(x, y) == qRgb(0, 0, 255) ? 1 : 0;
        }
        EXPECT_GT(blue, 100 * 10);
    }

    TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero)
    {
        struct Row {
            std::int32_t number, numerator, denominator, result;
        };
        constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
        const std::vector<Row> rows {
            { 10, 96, 72, 13 },
            { -13, 72, 96, -10 },
            { 3, 1, 2, 2 },
            { -3, 1, 2, -2 },
            { 3, 1, -2, -2 },
            { 5, 1, 4, 1 },
            { highest, 96, 72, highest },
            { -highest, 96, 72, -highest },
            { std::numeric_limits<std::int32_t>::min(), 1, 1, -highest },
            { 7, 1, 0, 0 },
        };
        for (const Row& row : rows)
            EXPECT_EQ(mulDiv(row.number, row.numerator, row.denominator), row.result)
                << row.number << " * " << row.numerator << " / " << row.denominator;
    }

    TEST(PaletteIndexOf, FirstEqualPaletteColourElseBlack)
    {
        const std::vector<std::pair<Rgb, ColorIndex>> rows {
            { { 0, 0, 0 }, 0 },
            { { 128, 128, 128 }, 7 },
            { { 192, 192, 192 }, 8 },
            { { 255, 0, 0 }, 9 },
            { { 0, 255, 255 }, 14 },
            { { 255, 255, 255 }, 15 },
            { { 1, 2, 3 }, 0 },
            { { 191, 192, 192 }, 0 },
        };
        for (const auto& [color, index] : rows)
            EXPECT_EQ(paletteIndexOf(color), index);
    }

    TEST(LimitedFaceName, CutsAtACharacterBoundary)
    {
        EXPECT_EQ(limitedFaceName("Arial"), "Arial");
        EXPECT_EQ(limitedFaceName(std::string(40, 'a')), std::string(31, 'a'));
        // "é" is two bytes; one that would straddle byte 31 is left out whole.
        const std::string straddling = std::string(30, 'a') + "\xC3\xA9" + "b";
        EXPECT_EQ(limitedFaceName(straddling), std::string(30, 'a'));
    }

    // Records what it was opened on and answers as scripted.
    class FakeFontChooser : public FontChooser {
    public:
        std::optional<FontChoice> answer;
        FontRecord openedOn;
        Rgb openedColor;
        int openedPixelsPerInch = 0;
        int calls = 0;

        std::optional<FontChoice> choose(
            QWidget*, const FontRecord& font, Rgb color, int pixelsPerInch) override
        {
            ++calls;
            openedOn = font;
            openedColor = color;
            openedPixelsPerInch = pixelsPerInch;
            return answer;
        }
    };

    TEST(FontButton, OpensTheChooserOnAPixelHeightAndThePaletteColour)
    {
        struct Row {
            std::int32_t points, pixelsPerInch, pixelHeight;
        };
        const std::vector<Row> rows { { 10, 96, -13 }, { 11, 96, -15 }, { 9, 120, -15 } };
        for (const Row& row : rows) {
            FontRecord font = makeFont("Arial", row.points, 400);
            ColorIndex color = 8;
            FakeFontChooser chooser;
            runFontButton(font, color, nullptr, chooser, row.pixelsPerInch);
            EXPECT_EQ(chooser.openedOn.lfHeight, row.pixelHeight) << row.points;
            EXPECT_EQ(chooser.openedPixelsPerInch, row.pixelsPerInch);
            EXPECT_EQ(chooser.openedColor, (Rgb { 192, 192, 192 }));
        }
    }

    TEST(FontButton, TakesTheScreenResolutionOfTheDialog)
    {
        QWidget dialog;
        FontRecord font = makeFont("Arial", 10, 400);
        ColorIndex color = 0;
        FakeFontChooser chooser;
        runFontButton(font, color, &dialog, chooser);
        EXPECT_EQ(chooser.openedPixelsPerInch, 96); // the offscreen screen's
        EXPECT_EQ(chooser.openedOn.lfHeight, -13);
    }

    TEST(FontButton, CancelLeavesRecordAndColour)
    {
        for (const std::int32_t points : { 10, 11, 12, 36, 0 }) {
            FontRecord font = makeFont("Times New Roman", points, 700);
            font.lfItalic = 1;
            const FontRecord before = font;
            ColorIndex color = 13;
            FakeFontChooser chooser;
            runFontButton(font, color, nullptr, chooser, 96);
            EXPECT_EQ(chooser.calls, 1);
            EXPECT_EQ(font, before) << points;
            EXPECT_EQ(color, 13);
        }
    }

    TEST(FontButton, OkTakesTheChosenFontAndColour)
    {
        FontRecord font = makeFont("Arial", 10, 400);
        font.lfWidth = 3;
        ColorIndex color = 0;

        FontRecord chosen = makeFont("Liberation Serif", -20, 700);
        chosen.lfItalic = 1;
        chosen.lfUnderline = 1;
        chosen.lfStrikeOut = 1;
        chosen.lfCharSet = 77;
        FakeFontChooser chooser;
        chooser.answer = FontChoice { chosen, { 0, 255, 255 } };
        runFontButton(font, color, nullptr, chooser, 96);

        FontRecord expected = makeFont("Liberation Serif", 15, 700);
        expected.lfWidth = 3;
        expected.lfItalic = 1;
        expected.lfUnderline = 1;
        expected.lfStrikeOut = 1;
        EXPECT_EQ(font, expected) << "the size comes back in points; the rest is kept";
        EXPECT_EQ(color, 14);

        chooser.answer = FontChoice { chosen, { 10, 20, 30 } };
        runFontButton(font, color, nullptr, chooser, 96);
        EXPECT_EQ(color, 0) << "a colour outside the palette is black";
    }

    TEST(FontChooser, ShowsWholePointsAndReturnsPixels)
    {
        struct Row {
            std::int32_t pixelHeight, pixelsPerInch, points;
        };
        const std::vector<Row> rows { { -13, 96, 10 }, { -16, 96, 12 }, { -15, 120, 9 } };
        for (const Row& row : rows) {
            FontRecord record = makeFont("Liberation Sans", row.pixelHeight, 700);
            record.lfUnderline = 1;
            const QFont font = fontOfRecord(record, row.pixelsPerInch);
            EXPECT_EQ(font.pointSize(), row.points);
            EXPECT_EQ(font.weight(), QFont::Bold);
            EXPECT_TRUE(font.underline());
            EXPECT_EQ(recordOfFont(font, record, row.pixelsPerInch), record);
        }
    }

    // Runs `act` on the chooser's dialog as soon as it is shown.
    void whenDialogShown(std::function<void(QWidget&)> act)
    {
        QTimer::singleShot(0, [act = std::move(act)] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
        });
    }

    TEST(FontChooser, OkReturnsTheFontAndColourShown)
    {
        FontRecord record = makeFont("Liberation Sans", -13, 700);
        record.lfItalic = 1;
        record.lfStrikeOut = 1;
        whenDialogShown([](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Font"));
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QtFontChooser chooser;
        const std::optional<FontChoice> choice = chooser.choose(nullptr, record, { 255, 0, 0 }, 96);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->font, record);
        EXPECT_EQ(choice->color, (Rgb { 255, 0, 0 }));
    }

    TEST(FontChooser, KeysInTheFontListAnswerTheWholeDialog)
    {
        const FontRecord record = makeFont("Liberation Sans", -13, 400);
        QtFontChooser chooser;
        whenDialogShown([](QWidget& dialog) {
            QTest::keyClick(
                dialog.findChild<QFontDialog*>()->findChild<QListView*>(), Qt::Key_Escape);
        });
        EXPECT_FALSE(chooser.choose(nullptr, record, { 0, 0, 0 }, 96));

        whenDialogShown([](QWidget& dialog) {
            QTest::keyClick(
                dialog.findChild<QFontDialog*>()->findChild<QListView*>(), Qt::Key_Return);
        });
        EXPECT_TRUE(chooser.choose(nullptr, record, { 0, 0, 0 }, 96));
    }

} // namespace
} // namespace ovilan
