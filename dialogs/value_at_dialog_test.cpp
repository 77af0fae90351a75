#include "dialogs/dialog_test_support.h"
#include "dialogs/value_at_dialog.h"
#include "document/document_test_support.h"
#include "graph/function_graph.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::ScriptedServices;
    using testing::ScriptedUi;
    using testing::ShownMessage;

    struct ValueAtTest : ::testing::Test {
        ValueAtTest()
            : document(AppPreferences {})
        {
            document.insertGraph(testing::yOfX(document, "1/x"), 0);
            auto circle = std::make_unique<CParametricGraph>(document);
            circle->setFormula("cos(t)", 0);
            circle->setFormula("sin(t)", 1);
            document.insertGraph(std::move(circle), 1);
            document.insertGraph(std::make_unique<CTableGraph>(document), 2);
            document.refreshGraphs();
        }

        std::unique_ptr<CValueAtDlg> open(std::int32_t graph)
        {
            auto dialog = std::make_unique<CValueAtDlg>(document, graph, ui, scripted.services());
            testing::showForTest(*dialog);
            return dialog;
        }

        void expectRefused(QLineEdit& field, const QString& message)
        {
            testing::expectRefused(scripted.messages, field, message);
        }

        COvilanDoc document;
        ScriptedUi ui;
        ScriptedServices scripted;
    };

    TEST_F(ValueAtTest, OnlyAGraphWithAVariableHasValues)
    {
        document.currentGraph = -1;
        EXPECT_EQ(valueAtGraph(document), -1);
        document.currentGraph = 1;
        EXPECT_EQ(valueAtGraph(document), 1);
        document.currentGraph = 2;
        EXPECT_EQ(valueAtGraph(document), -1);
    }

    TEST_F(ValueAtTest, ThePointAtAFormulaValueAndItsLabelInOneUndoStep)
    {
        auto dialog = open(1);
        // A formula's pi is 3.141592654, as everywhere in the program's formulas.
        dialog->valueField().setText(QStringLiteral("pi/3"));
        ASSERT_TRUE(dialog->showPoint());
        EXPECT_EQ(dialog->pointField().text(),
            QStringLiteral("t=1.047197551; x=0.5000000002; y=0.8660254037"));
        ASSERT_TRUE(dialog->addPointLabel());
        ASSERT_EQ(document.labelCount(), 1);
        EXPECT_NEAR(document.labels[0].x, 0.5, 1e-9);
        EXPECT_EQ(document.labels[0].caption, "t=1.047197551; x=0.5000000002; y=0.8660254037");
        EXPECT_EQ(document.undoStack.size(), 1U);
        EXPECT_TRUE(scripted.messages.shown.empty());
    }

    TEST_F(ValueAtTest, RefusalsHandTheFieldBackAndChangeNothing)
    {
        auto dialog = open(0);
        struct Row {
            const char* shows;
            QLineEdit& field;
            const char* text;
            QString message;
            bool table;
        } const rows[] = {
            { "an empty value",
                dialog->valueField(),
                "",
                QStringLiteral("Please enter a number."),
                false },
            { "a value with a variable",
                dialog->valueField(),
                "x+1",
                QStringLiteral("Please enter a number."),
                false },
            { "the pole of 1/x",
                dialog->valueField(),
                "0",
                QStringLiteral("The graph is not defined at this value."),
                false },
            { "a step of 0",
                dialog->stepField(),
                "0",
                QStringLiteral("Please enter a positive number."),
                true },
            { "a negative step",
                dialog->stepField(),
                "-1",
                QStringLiteral("Please enter a positive number."),
                true },
            { "reversed bounds",
                dialog->toField(),
                "-20",
                QStringLiteral("Left bound should be less than right one."),
                true },
            { "too many rows",
                dialog->stepField(),
                "0.001",
                QStringLiteral(
                    "The table would have more than 2000 rows. Please enter a larger step."),
                true },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.shows);
            const QString kept = row.field.text();
            row.field.setText(QString::fromUtf8(row.text));
            EXPECT_FALSE(row.table ? dialog->addTableGraph() : dialog->addPointLabel());
            expectRefused(row.field, row.message);
            row.field.setText(kept);
        }
        EXPECT_EQ(document.graphCount(), 3);
        EXPECT_EQ(document.labelCount(), 0);
        EXPECT_FALSE(document.canUndo());
        EXPECT_TRUE(dialog->isVisible());
    }

    TEST_F(ValueAtTest, TheTableShowsDashesCopiesAsTextAndBecomesATableGraph)
    {
        auto dialog = open(0);
        dialog->fromField().setText(QStringLiteral("-1"));
        dialog->toField().setText(QStringLiteral("1"));
        dialog->stepField().setText(QStringLiteral("0.5"));
        ASSERT_TRUE(dialog->copyTable());
        QTableWidget& table = dialog->table();
        ASSERT_EQ(table.rowCount(), 5);
        ASSERT_EQ(table.columnCount(), 2);
        EXPECT_EQ(table.item(2, 0)->text(), QStringLiteral("0"));
        EXPECT_EQ(table.item(2, 1)->text(), QStringLiteral("-"));
        EXPECT_EQ(table.item(3, 1)->text(), QStringLiteral("2"));
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("x\ty\n-1\t-1\n-0.5\t-2\n0\t-\n0.5\t2\n1\t1\n"));

        ASSERT_TRUE(dialog->addTableGraph());
        ASSERT_EQ(document.graphCount(), 4);
        const CGraph& added = document.graph(3);
        EXPECT_EQ(added.kind, GraphKind::Table);
        EXPECT_EQ(added.steps, 3); // four points: the pole is left out
        EXPECT_EQ(added.xs[2], 0.5);
        EXPECT_EQ(added.ys[2], 2);
        EXPECT_EQ(document.undoStack.size(), 1U);
        document.undo();
        EXPECT_EQ(document.graphCount(), 3);
    }

    TEST_F(ValueAtTest, EqualBoundsMakeATableOfOneValue)
    {
        // Unlike a search interval, a table may hold a single value.
        auto dialog = open(0);
        dialog->fromField().setText(QStringLiteral("2"));
        dialog->toField().setText(QStringLiteral("2"));
        ASSERT_TRUE(dialog->fillTable());
        ASSERT_EQ(dialog->table().rowCount(), 1);
        EXPECT_EQ(dialog->table().item(0, 1)->text(), QStringLiteral("0.5"));
        EXPECT_TRUE(scripted.messages.shown.empty());
    }

} // namespace
} // namespace ovilan
