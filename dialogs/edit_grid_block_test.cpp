#include "dialogs/edit_grid.h"
#include "dialogs/edit_grid_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHBoxLayout>
#include <QTest>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    using Row = std::vector<std::string>;
    using testing::Label;
    using testing::settle;
    using testing::X;
    using testing::Y;

    // The grid shown in a dialog, with the clipboard and every refusal it reports at hand.
    struct GridBlockTest : ::testing::Test {
        GridBlockTest()
        {
            auto* layout = new QHBoxLayout(&dialog);
            grid = new CEditGrid(&dialog);
            layout->addWidget(grid);
            dialog.resize(640, 320);
            grid->setColumnTextLimit(Label, 8);
            grid->attach();
            QObject::connect(grid, &CEditGrid::blockRefused, grid, [this](const QString& message) {
                refusals.append(message);
            });
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            settle();
        }

        void openAt(int row, int column)
        {
            grid->makeCurrent(row, column);
            settle();
        }

        void pressInFocus(QKeySequence::StandardKey key)
        {
            const QKeySequence sequence(key);
            QTest::keySequence(QApplication::focusWidget(), sequence);
            settle();
        }

        Row row(int index) const
        {
            return { grid->cellText(index, X).toStdString(),
                grid->cellText(index, Y).toStdString(),
                grid->cellText(index, Label).toStdString() };
        }

        QDialog dialog;
        CEditGrid* grid = nullptr;
        QStringList refusals;
    };

    TEST_F(GridBlockTest, ASpreadsheetBlockPastedAtRowFiveFillsRowsFiveToSeven)
    {
        grid->setCellText(7, Label, QStringLiteral("kept"));
        grid->setCellText(8, X, QStringLiteral("below"));
        QGuiApplication::clipboard()->setText(
            QStringLiteral("0.5\t1.25\tstart\n1\t-2\tpeak\n1.5\t3e-2\n"));
        openAt(4, X);
        ASSERT_EQ(QApplication::focusWidget(), grid->editor());
        pressInFocus(QKeySequence::Paste);

        EXPECT_TRUE(refusals.isEmpty());
        EXPECT_EQ(row(4), Row({ "0.5", "1.25", "start" }));
        EXPECT_EQ(row(5), Row({ "1", "-2", "peak" }));
        // A short row writes only its own cells.
        EXPECT_EQ(row(6), Row({ "1.5", "3e-2", "" }));
        EXPECT_EQ(row(7), Row({ "", "", "kept" }));
        EXPECT_EQ(grid->cellText(8, X), QStringLiteral("below"));
        // The editor open on the current cell shows what was pasted there, so its commit keeps it.
        EXPECT_EQ(grid->editor()->text(), QStringLiteral("0.5"));
        grid->commit();
        EXPECT_EQ(grid->cellText(4, X), QStringLiteral("0.5"));
        EXPECT_EQ(grid->selectedRanges().size(), 1);
        EXPECT_EQ(grid->selectedRanges().front().rowCount(), 3);
        EXPECT_EQ(grid->selectedRanges().front().columnCount(), 3);
    }

    TEST_F(GridBlockTest, LineEndsAndExtraColumnsOfAPastedBlock)
    {
        struct Case {
            const char* name;
            const char* text;
            int column;
        };
        const Case cases[] = {
            { "CRLF with a trailing line break", "1\t2\r\n3\t4\r\n", X },
            { "LF without one", "1\t2\n3\t4", X },
            { "a fourth column is left out from Y on", "1\t2\tfoo\n3\t4\tbar", Y },
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            for (int index = 0; index < 4; ++index)
                for (int column : { X, Y, Label })
                    grid->setCellText(index, column, QString());
            openAt(1, c.column);
            ASSERT_TRUE(grid->pasteBlock(QString::fromUtf8(c.text)));
            EXPECT_EQ(grid->cellText(1, c.column), QStringLiteral("1"));
            EXPECT_EQ(grid->cellText(2, c.column + 1), QStringLiteral("4"));
            // The trailing line break starts no empty row over the next one.
            EXPECT_EQ(grid->cellText(3, c.column), QString());
        }
        EXPECT_EQ(row(0), Row({ "", "", "" }));
    }

    TEST_F(GridBlockTest, ABlockThatDoesNotFitIsRefusedWholeSayingHowManyRowsFit)
    {
        openAt(1995, X);
        grid->setCellText(1995, X, QStringLiteral("typed"));
        EXPECT_FALSE(grid->pasteBlock(QStringLiteral("1\n2\n3\n4\n5\n6\n")));
        ASSERT_EQ(refusals.size(), 1);
        EXPECT_EQ(refusals.front(),
            QStringLiteral("The clipboard holds 6 rows, but only 5 fit from row 1996 on. Nothing "
                           "was pasted."));
        EXPECT_EQ(grid->cellText(1995, X), QStringLiteral("typed"));
        EXPECT_EQ(grid->cellText(1999, X), QString());

        refusals.clear();
        openAt(10, Y);
        EXPECT_FALSE(grid->pasteBlock(QStringLiteral("1\tshort\n2\tmuch too long")));
        ASSERT_EQ(refusals.size(), 1);
        EXPECT_EQ(refusals.front(),
            QStringLiteral(
                "The text for row 12, column Label is longer than a cell there holds. Nothing was "
                "pasted."));
        EXPECT_EQ(grid->cellText(10, Y), QString());
        // Five rows fit exactly from row 1996.
        openAt(1995, X);
        EXPECT_TRUE(grid->pasteBlock(QStringLiteral("1\n2\n3\n4\n5\n")));
        EXPECT_EQ(grid->cellText(1999, X), QStringLiteral("5"));
    }

    TEST_F(GridBlockTest, CopyGivesTheSelectedRectangleOrTheCurrentCell)
    {
        grid->pasteBlock(QStringLiteral("1\t2\ta\n3\t\tb\n5\t6\tc"));
        openAt(1, Y);
        pressInFocus(QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
        openAt(0, Y);
        pressInFocus(QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2"));

        // Shift+Down stretches the selection down the column, and a drag would widen it to the
        // labels. (Sent to the grid, which the editor hands the key to while Shift is still held.)
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        settle();
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        settle();
        ASSERT_EQ(grid->selectedRanges().size(), 1);
        EXPECT_EQ(grid->selectedRanges().front().rowCount(), 3);
        grid->setRangeSelected(QTableWidgetSelectionRange(0, Label, 2, Label), true);
        pressInFocus(QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2\ta\n\tb\n6\tc\n"));
        // What was copied pastes back as the same block.
        openAt(20, X);
        ASSERT_TRUE(grid->pasteBlock(QGuiApplication::clipboard()->text()));
        EXPECT_EQ(row(21), Row({ "", "b", "" }));
        EXPECT_EQ(row(22), Row({ "6", "c", "" }));
        EXPECT_EQ(grid->cellText(23, X), QString());
    }

    // From a cell as it was opened Shift+Right widens the block across the columns, as a
    // spreadsheet does; inside a text being edited it selects characters.
    TEST_F(GridBlockTest, ShiftLeftAndRightWidenTheBlockUntilTheTextIsEdited)
    {
        grid->pasteBlock(QStringLiteral("1\t2\ta\n3\t4\tb\n"));
        openAt(0, X);
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        settle();
        QTest::keyClick(grid->editor(), Qt::Key_Right, Qt::ShiftModifier);
        settle();
        pressInFocus(QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\n3\t4\n"));
        QTest::keyClick(grid->editor(), Qt::Key_Left, Qt::ShiftModifier);
        settle();
        pressInFocus(QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1\n3\n"));

        openAt(1, Label);
        QTest::keyClicks(grid->editor(), QStringLiteral("bc"));
        QTest::keyClick(grid->editor(), Qt::Key_Left, Qt::ShiftModifier);
        settle();
        EXPECT_EQ(grid->editor()->selectedText(), QStringLiteral("c"));
        EXPECT_EQ(grid->currentColumn(), Label);
    }

    TEST_F(GridBlockTest, WhileACellIsEditedPasteAndCopyActOnItsText)
    {
        grid->setCellText(3, Y, QStringLiteral("kept"));
        QGuiApplication::clipboard()->setText(QStringLiteral("4\t5\n6\t7\n"));
        openAt(2, X);
        QTest::keyClicks(grid->editor(), QStringLiteral("1+"));
        settle();
        pressInFocus(QKeySequence::Paste);
        ASSERT_TRUE(grid->isEditing());
        // The line edit takes the block into the cell's own text.
        EXPECT_TRUE(grid->editor()->text().startsWith(QStringLiteral("1+4")));
        EXPECT_EQ(grid->cellText(2, Y), QString());
        EXPECT_EQ(grid->cellText(3, Y), QStringLiteral("kept"));

        grid->editor()->setText(QStringLiteral("2*pi"));
        grid->editor()->setSelection(2, 2);
        pressInFocus(QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("pi"));
        EXPECT_TRUE(refusals.isEmpty());
    }

    TEST_F(GridBlockTest, AfterEscapeTheGridItselfPastesAndCopiesBlocks)
    {
        openAt(6, X);
        QTest::keyClick(grid->editor(), Qt::Key_Escape);
        settle();
        ASSERT_FALSE(grid->isEditing());
        ASSERT_EQ(QApplication::focusWidget(), grid);
        QGuiApplication::clipboard()->setText(QStringLiteral("8\t9\r\n"));
        pressInFocus(QKeySequence::Paste);
        EXPECT_EQ(row(6), Row({ "8", "9", "" }));
        grid->setRangeSelected(QTableWidgetSelectionRange(6, X, 6, Y), true);
        pressInFocus(QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("8\t9\n"));
    }

} // namespace
} // namespace ovilan
