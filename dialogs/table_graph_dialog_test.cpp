#include "dialogs/dialog_test_support.h"
#include "dialogs/edit_grid.h"
#include "dialogs/label_dialog.h"
#include "dialogs/table_graph_dialog.h"
#include "document/ovilan_doc.h"
#include "graph/table_graph.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;
    using testing::ScriptedServices;
    using testing::ShownMessage;

    const ShownMessage kRefusedCell {
        QStringLiteral("Please enter a number between -10^306 and 10^306."), MessageIcon::Warning
    };

    struct TableDialogTest : ::testing::Test {
        TableDialogTest()
            : document(AppPreferences {})
            , graph(document)
        {
        }

        std::unique_ptr<CTableGraphDlg> open()
        {
            auto dialog = std::make_unique<CTableGraphDlg>(graph, scripted.services());
            testing::showForTest(*dialog);
            return dialog;
        }

        COvilanDoc document;
        CTableGraph graph;
        ScriptedServices scripted;
    };

    TEST_F(TableDialogTest, OpensOnTheGraphsCellsAndStyle)
    {
        graph.cellX[0] = "1";
        graph.cellY[0] = "2";
        graph.cellLabel[1999] = "last";
        graph.lineWidth = 3;
        auto dialog = open();
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Table Graph Properties"));
        EXPECT_EQ(dialog->grid().cellText(0, 0), QStringLiteral("1"));
        EXPECT_EQ(dialog->grid().cellText(0, 1), QStringLiteral("2"));
        EXPECT_EQ(dialog->grid().cellText(1999, 2), QStringLiteral("last"));
        EXPECT_TRUE(dialog->grid().cellText(1, 0).isEmpty());

        auto* options = child<QPushButton>(*dialog, "options");
        EXPECT_FALSE(options->isEnabled());
        testing::clickBox(child<QCheckBox>(*dialog, "showPoints"));
        EXPECT_TRUE(options->isEnabled());
        auto* legendText = child<QLineEdit>(*dialog, "legendText");
        EXPECT_TRUE(legendText->isEnabled());
        testing::clickBox(child<QCheckBox>(*dialog, "showInLegend"));
        EXPECT_FALSE(legendText->isEnabled());
    }

    // The grid asks for more than two thirds of a small (or scaled) screen, where Qt alone stops.
    TEST_F(TableDialogTest, OpensWithAllThreeColumnsInView)
    {
        auto dialog = open();
        const CEditGrid& grid = dialog->grid();
        EXPECT_LE(grid.horizontalHeader()->length(), grid.viewport()->width());
    }

    TEST_F(TableDialogTest, RefusedCellIsOpenedInTheEditorAndNothingIsStored)
    {
        for (const bool alreadyCurrent : { false, true }) {
            SCOPED_TRACE(alreadyCurrent ? "refused cell current" : "refused cell elsewhere");
            scripted.messages.shown.clear();
            auto dialog = open();
            CEditGrid& grid = dialog->grid();
            grid.setCellText(0, 0, QStringLiteral("1"));
            grid.setCellText(0, 1, QStringLiteral("2"));
            grid.setCellText(2, 0, QStringLiteral("3"));
            grid.setCellText(2, 1, QStringLiteral("1/0"));
            grid.setCellText(5, 0, QStringLiteral("x"));
            if (alreadyCurrent)
                grid.setCurrentCell(2, 1);
            else
                grid.setCurrentCell(7, 2);
            dialog->accept();
            ASSERT_EQ(scripted.messages.shown.size(), 1u);
            EXPECT_EQ(scripted.messages.shown.front(), kRefusedCell);
            EXPECT_EQ(grid.currentRow(), 2);
            EXPECT_EQ(grid.currentColumn(), 1);
            ASSERT_TRUE(grid.isEditing());
            EXPECT_EQ(grid.editor()->text(), QStringLiteral("1/0"));
            EXPECT_EQ(grid.editor()->selectedText(), QStringLiteral("0")); // the divisor
            EXPECT_EQ(dialog->result(), QDialog::Rejected);
            EXPECT_TRUE(graph.cellX[0].empty());
        }
    }

    TEST_F(TableDialogTest, OkStoresNormalFormsLabelsAsTypedAndTheStyle)
    {
        auto dialog = open();
        CEditGrid& grid = dialog->grid();
        grid.setCellText(0, 0, QStringLiteral("2*pi"));
        grid.setCellText(0, 1, QStringLiteral("sqrt(4)"));
        grid.setCellText(0, 2, QStringLiteral("  top (x) "));
        grid.setCellText(1, 0, QStringLiteral("5"));
        // Measurements keep all their digits; the same number with a sign or exponent is a
        // formula and keeps its ten-digit normal form.
        grid.setCellText(2, 0, QStringLiteral("0.123456789012345"));
        grid.setCellText(2, 1, QStringLiteral("+0.123456789012345"));
        testing::clickBox(child<QCheckBox>(*dialog, "showLines"));
        testing::clickBox(child<QCheckBox>(*dialog, "showPoints"));
        dialog->accept();
        ASSERT_TRUE(scripted.messages.shown.empty());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(graph.cellX[0], "6.283185308");
        EXPECT_EQ(graph.cellY[0], "2");
        EXPECT_EQ(graph.cellLabel[0], "  top (x) ");
        EXPECT_EQ(graph.cellX[1], "5");
        EXPECT_TRUE(graph.cellY[1].empty());
        EXPECT_EQ(graph.cellX[2], "0.123456789012345");
        EXPECT_EQ(graph.cellY[2], "0.123456789");
        EXPECT_EQ(graph.showLines, 0);
        EXPECT_EQ(graph.showPoints, 1);
        EXPECT_TRUE(graph.dirty);
    }

    TEST_F(TableDialogTest, OkTakesTheTextStillBeingTyped)
    {
        auto dialog = open();
        CEditGrid& grid = dialog->grid();
        grid.setCurrentCell(3, 1);
        grid.beginEdit();
        ASSERT_TRUE(grid.isEditing());
        QTest::keyClicks(grid.editor(), QStringLiteral("1/0"));
        QTest::mouseClick(
            child<QDialogButtonBox>(*dialog, "")->button(QDialogButtonBox::Ok), Qt::LeftButton);
        ASSERT_EQ(scripted.messages.shown.size(), 1u);
        EXPECT_EQ(grid.cellText(3, 1), QStringLiteral("1/0"));

        grid.editor()->setText(QStringLiteral("7"));
        dialog->accept();
        EXPECT_EQ(graph.cellY[3], "7");
    }

    TEST_F(TableDialogTest, CancelLeavesTheGraph)
    {
        graph.cellX[4] = "1";
        auto dialog = open();
        dialog->grid().setCellText(4, 0, QStringLiteral("9"));
        testing::clickBox(child<QCheckBox>(*dialog, "showGraph"));
        dialog->reject();
        EXPECT_EQ(graph.cellX[4], "1");
        EXPECT_EQ(graph.showGraph, 1);
    }

    TEST_F(TableDialogTest, APastedBlockIsCheckedByOkAndUndoneByCancel)
    {
        graph.cellX[1] = "1";
        {
            auto dialog = open();
            dialog->grid().makeCurrent(1, 0);
            ASSERT_TRUE(dialog->grid().pasteBlock(QStringLiteral("2\t4\r\n3\t9\r\n")));
            dialog->reject();
            EXPECT_EQ(graph.cellX[1], "1");
            EXPECT_EQ(graph.cellY[2], "");
        }
        auto dialog = open();
        CEditGrid& grid = dialog->grid();
        grid.makeCurrent(1995, 0);
        EXPECT_FALSE(grid.pasteBlock(QStringLiteral("1\n2\n3\n4\n5\n6")));
        ASSERT_EQ(scripted.messages.shown.size(), 1u);
        EXPECT_EQ(scripted.messages.shown.front().icon, MessageIcon::Warning);
        EXPECT_TRUE(scripted.messages.shown.front().text.contains(QStringLiteral("only 5 fit")));

        // A decimal comma is pasted as it stands; OK then hands the cell back.
        scripted.messages.shown.clear();
        grid.makeCurrent(0, 0);
        ASSERT_TRUE(grid.pasteBlock(QStringLiteral("0.5\t1\n1.5\t3,14\n")));
        dialog->accept();
        ASSERT_EQ(scripted.messages.shown.size(), 1u);
        EXPECT_TRUE(scripted.messages.shown.front().text.startsWith(kRefusedCell.text));
        EXPECT_EQ(grid.currentRow(), 1);
        EXPECT_EQ(grid.currentColumn(), 1);
        EXPECT_EQ(graph.cellX[0], "");
    }

    TEST_F(TableDialogTest, OptionsEditsAPrivateCopyInPointsMode)
    {
        auto dialog = open();
        testing::clickBox(child<QCheckBox>(*dialog, "showPoints"));
        bool pointsMode = false;
        // The label dialog runs modally; the script finds it and answers it.
        QTimer::singleShot(0, [&] {
            auto* options = qobject_cast<CLabelDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(options, nullptr);
            for (QLabel* label : options->findChildren<QLabel*>())
                pointsMode = pointsMode || label->text() == QStringLiteral("Add'l string:");
            child<QLineEdit>(*options, "radius")->setText(QStringLiteral("7"));
            options->accept();
        });
        QTest::mouseClick(child<QPushButton>(*dialog, "options"), Qt::LeftButton);
        EXPECT_TRUE(pointsMode);
        EXPECT_EQ(graph.markerStyle.radius, 4);
        dialog->accept();
        EXPECT_EQ(graph.markerStyle.radius, 7);
    }

} // namespace
} // namespace ovilan
