#include "dialogs/edit_grid.h"
#include "dialogs/edit_grid_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>
#include <utility>

namespace ovilan {
namespace {

    using Cell = std::pair<int, int>;
    using testing::Label;
    using testing::settle;
    using testing::X;
    using testing::Y;

    // The grid in a dialog with a default button, so a key that slips past the grid shows.
    struct EditGridTest : ::testing::Test {
        EditGridTest()
        {
            auto* layout = new QHBoxLayout(&dialog);
            grid = new CEditGrid(&dialog);
            other = new QLineEdit(&dialog);
            auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
            ok->setDefault(true);
            QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
            layout->addWidget(grid);
            layout->addWidget(other);
            layout->addWidget(ok);
            dialog.resize(640, 320);
            grid->attach();
            dialog.show();
            dialog.activateWindow();
            // The grid is first in the Tab order, so the focus arrives there as the dialog opens.
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            settle();
        }

        Cell current() const { return { grid->currentRow(), grid->currentColumn() }; }

        void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        {
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
            settle();
        }

        void type(const QString& text)
        {
            QTest::keyClicks(QApplication::focusWidget(), text);
            settle();
        }

        void openAt(int row, int column)
        {
            grid->makeCurrent(row, column);
            settle();
        }

        // The editor is open on the current cell, holding `text` and has the focus.
        void expectEditorOn(const QString& text) const
        {
            ASSERT_TRUE(grid->isEditing());
            EXPECT_EQ(QApplication::focusWidget(), grid->editor());
            EXPECT_EQ(grid->editor()->text(), text);
            EXPECT_EQ(grid->editor()->geometry(), grid->visualRect(grid->currentIndex()));
        }

        QDialog dialog;
        CEditGrid* grid = nullptr;
        QLineEdit* other = nullptr;
    };

    TEST_F(EditGridTest, ShapeAndFirstFocus)
    {
        EXPECT_EQ(grid->rowCount(), 2000);
        EXPECT_EQ(grid->columnCount(), 3);
        EXPECT_EQ(grid->horizontalHeaderItem(Label)->text(), QStringLiteral("Label"));
        EXPECT_EQ(grid->verticalHeaderItem(1999)->text(), QStringLiteral("2000"));
        EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        // The first focus opens the first point's X.
        EXPECT_EQ(current(), Cell(0, X));
        expectEditorOn(QString());
    }

    TEST_F(EditGridTest, EnterWalksXThenYThenTheNextRowsX)
    {
        struct Walk {
            const char* name;
            Cell start;
            Cell afterEnter;
        };
        const Walk walks[] = {
            { "X goes to Y", { 4, X }, { 4, Y } },
            { "Y goes to the next X", { 4, Y }, { 5, X } },
            { "Label goes to the next X", { 4, Label }, { 5, X } },
        };
        for (const Walk& walk : walks) {
            SCOPED_TRACE(walk.name);
            grid->setCellText(walk.afterEnter.first, walk.afterEnter.second, QStringLiteral("9"));
            openAt(walk.start.first, walk.start.second);
            press(Qt::Key_Return);
            EXPECT_EQ(current(), walk.afterEnter);
            expectEditorOn(QStringLiteral("9"));
            EXPECT_EQ(grid->editor()->selectedText(), QStringLiteral("9"));
        }
        EXPECT_TRUE(dialog.isVisible()) << "Enter pressed the dialog's default button";
    }

    TEST_F(EditGridTest, TextTypedReachesTheCellWhenTheEditorMovesOn)
    {
        openAt(4, X);
        type(QStringLiteral("2*pi"));
        press(Qt::Key_Return);
        type(QStringLiteral("-1"));
        press(Qt::Key_Down);
        EXPECT_EQ(grid->cellText(4, X), QStringLiteral("2*pi"));
        EXPECT_EQ(grid->cellText(4, Y), QStringLiteral("-1"));
        EXPECT_EQ(current(), Cell(5, Y));
    }

    TEST_F(EditGridTest, TextWrittenIntoTheCellBeingEditedIsNotOverwrittenByTheEditor)
    {
        openAt(4, X);
        type(QStringLiteral("typed"));
        grid->setCellText(4, X, QStringLiteral("written"));
        EXPECT_EQ(grid->editor()->text(), QStringLiteral("written"));
        grid->commit();
        EXPECT_EQ(grid->cellText(4, X), QStringLiteral("written"));
    }

    TEST_F(EditGridTest, ArrowsLeaveTheCellOnlyFromTheEdgesOfTheText)
    {
        struct Case {
            const char* name;
            int caretKey; // puts the caret somewhere, clearing the selection
            int key;
            Cell expected;
            int caretAfter; // in the same cell, when it stays
        };
        const Case cases[] = {
            { "Right at the end moves right", Qt::Key_End, Qt::Key_Right, { 7, Label }, -1 },
            { "End at the end moves right", Qt::Key_End, Qt::Key_End, { 7, Label }, -1 },
            { "Right inside only moves the caret", Qt::Key_Home, Qt::Key_Right, { 7, Y }, 1 },
            { "Left at 0 moves left", Qt::Key_Home, Qt::Key_Left, { 7, X }, -1 },
            { "Home at 0 moves left", Qt::Key_Home, Qt::Key_Home, { 7, X }, -1 },
            { "Left inside only moves the caret", Qt::Key_End, Qt::Key_Left, { 7, Y }, 1 },
            { "Down from inside moves down", Qt::Key_Home, Qt::Key_Down, { 8, Y }, -1 },
            { "Up from inside moves up", Qt::Key_End, Qt::Key_Up, { 6, Y }, -1 },
        };
        grid->setCellText(7, Y, QStringLiteral("12"));
        for (const Case& test : cases) {
            SCOPED_TRACE(test.name);
            openAt(7, Y);
            press(test.caretKey);
            press(test.key);
            EXPECT_EQ(current(), test.expected);
            if (test.caretAfter >= 0) {
                EXPECT_EQ(grid->editor()->cursorPosition(), test.caretAfter);
            }
            EXPECT_EQ(grid->cellText(7, Y), QStringLiteral("12"));
        }
    }

    TEST_F(EditGridTest, ArrowsWithTheWholeTextSelectedStayInTheCell)
    {
        grid->setCellText(7, Y, QStringLiteral("12"));
        for (const int key : { Qt::Key_Right, Qt::Key_Left }) {
            openAt(7, Y);
            press(key);
            EXPECT_EQ(current(), Cell(7, Y));
        }
    }

    TEST_F(EditGridTest, EscapeDropsTheTypedTextAndKeepsTheDialogOpen)
    {
        grid->setCellText(3, X, QStringLiteral("7"));
        openAt(3, X);
        type(QStringLiteral("99"));
        press(Qt::Key_Escape);
        EXPECT_FALSE(grid->isEditing());
        EXPECT_EQ(QApplication::focusWidget(), grid);
        EXPECT_EQ(grid->cellText(3, X), QStringLiteral("7"));
        EXPECT_TRUE(dialog.isVisible());

        // Scrolling reopens the editor with the cell's own text, not the emptied one.
        grid->verticalScrollBar()->setValue(1);
        grid->verticalScrollBar()->setValue(0);
        settle();
        expectEditorOn(QStringLiteral("7"));
        press(Qt::Key_Down);
        EXPECT_EQ(grid->cellText(3, X), QStringLiteral("7"));

        // F2 and a click on the current cell reopen a dropped edit.
        press(Qt::Key_Escape);
        press(Qt::Key_F2);
        expectEditorOn(QString());
        press(Qt::Key_Escape);
        QTest::mouseClick(grid->viewport(),
            Qt::LeftButton,
            Qt::NoModifier,
            grid->visualRect(grid->currentIndex()).center());
        settle();
        expectEditorOn(QString());
    }

    TEST_F(EditGridTest, AfterEscapeTypingStartsANewEditAndEscapeNeverClosesTheDialog)
    {
        grid->setCellText(3, X, QStringLiteral("7"));
        openAt(3, X);
        type(QStringLiteral("99"));
        press(Qt::Key_Escape);
        press(Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible()) << "a second Escape closed the dialog";
        EXPECT_EQ(QApplication::focusWidget(), grid);

        // The typing replaces the cell's text, as on a cell reached with the arrows.
        type(QStringLiteral("42"));
        expectEditorOn(QStringLiteral("42"));
        press(Qt::Key_Down);
        EXPECT_EQ(grid->cellText(3, X), QStringLiteral("42"));
        EXPECT_EQ(current(), Cell(4, X));

        // Shortcuts are not typing.
        press(Qt::Key_Escape);
        press(Qt::Key_A, Qt::ControlModifier);
        EXPECT_FALSE(grid->isEditing());
        EXPECT_TRUE(dialog.isVisible());
    }

    TEST_F(EditGridTest, FocusLeavingTheGridCommitsAndComingBackReopens)
    {
        openAt(2, Label);
        type(QStringLiteral("peak"));
        other->setFocus(Qt::MouseFocusReason);
        settle();
        EXPECT_EQ(grid->cellText(2, Label), QStringLiteral("peak"));
        EXPECT_FALSE(grid->isEditing());

        grid->setFocus(Qt::TabFocusReason);
        settle();
        EXPECT_EQ(current(), Cell(2, Label));
        expectEditorOn(QStringLiteral("peak"));
    }

    TEST_F(EditGridTest, TabStaysInTheGridAndCtrlTabLeavesIt)
    {
        openAt(2, X);
        press(Qt::Key_Tab);
        EXPECT_EQ(current(), Cell(2, Y));
        expectEditorOn(QString());
        press(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), other);
        EXPECT_FALSE(grid->isEditing());
    }

    TEST_F(EditGridTest, EditorNeedsTheRowAfterTheCurrentOneInView)
    {
        openAt(1999, Y);
        expectEditorOn(QString());

        // Scroll until row 100 is the last row shown: no row after it, so no editor.
        openAt(100, X);
        type(QStringLiteral("5"));
        QScrollBar& scroll = *grid->verticalScrollBar();
        scroll.setValue(0);
        const int rowsShown = grid->rowAt(grid->viewport()->height() - 1);
        scroll.setValue(100 - rowsShown);
        settle();
        ASSERT_EQ(grid->rowAt(grid->viewport()->height() - 1), 100);
        EXPECT_FALSE(grid->isEditing());
        EXPECT_EQ(grid->cellText(100, X), QStringLiteral("5"));

        // One row further and the editor is back.
        scroll.setValue(scroll.value() + 1);
        settle();
        expectEditorOn(QStringLiteral("5"));

        // A wider column takes the open editor along.
        grid->setColumnWidth(X, grid->columnWidth(X) + 40);
        settle();
        expectEditorOn(QStringLiteral("5"));
    }

    TEST_F(EditGridTest, TheHeadersNeverGetTheEditor)
    {
        openAt(4, Y);
        QHeaderView& rows = *grid->verticalHeader();
        QHeaderView& columns = *grid->horizontalHeader();
        QTest::mouseClick(rows.viewport(),
            Qt::LeftButton,
            Qt::NoModifier,
            { 5, rows.sectionViewportPosition(9) + 3 });
        QTest::mouseClick(columns.viewport(),
            Qt::LeftButton,
            Qt::NoModifier,
            { columns.sectionViewportPosition(Label) + 5, 5 });
        settle();
        EXPECT_EQ(current(), Cell(4, Y));
        EXPECT_FALSE(grid->isCornerButtonEnabled());
    }

    TEST_F(EditGridTest, OpeningACellSelectsItsWholeText)
    {
        grid->setCellText(2, Y, QStringLiteral("1/0"));
        for (const bool alreadyCurrent : { false, true }) {
            SCOPED_TRACE(alreadyCurrent ? "already current" : "moved to");
            openAt(alreadyCurrent ? 2 : 9, alreadyCurrent ? Y : Label);
            grid->editor()->setCursorPosition(1);
            grid->commit();
            grid->makeCurrent(2, Y);
            settle();
            expectEditorOn(QStringLiteral("1/0"));
            EXPECT_EQ(grid->editor()->selectedText(), QStringLiteral("1/0"));
        }
        grid->editor()->deselect();
        grid->beginEdit();
        EXPECT_EQ(grid->editor()->selectedText(), QStringLiteral("1/0"));
    }

} // namespace
} // namespace ovilan
