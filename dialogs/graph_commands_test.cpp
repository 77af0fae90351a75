// The Graphs commands driven through the real dialogs: add, edit, undo and redo of formula and
// table graphs, with the table dialog's Cancel dropping its undo step again.
#include "dialogs/color_combo.h"
#include "dialogs/dialog_test_support.h"
#include "dialogs/edit_grid.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/table_graph_dialog.h"
#include "document/document_commands.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;

    // Runs each dialog without a modal loop: shows it, lets the script fill it, presses OK
    // unless the script cancelled.
    struct DialogDrivenUi : UserInterface {
        void showMessage(std::string_view) override { }
        bool askYesNo(std::string_view) override { return true; }
        std::unique_ptr<CFunctionGraph> runGraphDialog(
            COvilanDoc& document, const CFunctionGraph* graph) override
        {
            CGraphDlg dialog(document, graph, scripted.services());
            testing::showForTest(dialog);
            fillGraph(dialog);
            if (!cancel)
                dialog.accept();
            return dialog.takeGraph();
        }
        bool runTableGraphDialog(COvilanDoc& document, CTableGraph& graph) override
        {
            CTableGraphDlg dialog(document, graph, scripted.services());
            testing::showForTest(dialog);
            fillTable(dialog);
            if (!cancel)
                dialog.accept();
            return dialog.result() == QDialog::Accepted;
        }
        bool askConfirmation(std::string_view) override { return true; }
        bool runLabelDialog(COvilanDoc&, CPlotLabel&) override { return false; }
        void runDocumentProperties(COvilanDoc&) override { }

        testing::ScriptedServices scripted;
        std::function<void(CGraphDlg&)> fillGraph = [](CGraphDlg&) {};
        std::function<void(CTableGraphDlg&)> fillTable = [](CTableGraphDlg&) {};
        bool cancel = false;
    };

    void chooseKind(CGraphDlg& dialog, int kind)
    {
        auto* list = child<QComboBox>(dialog, "kind");
        list->setFocus();
        while (list->currentIndex() < kind)
            QTest::keyClick(list, Qt::Key_Down);
    }

    void type(CGraphDlg& dialog, const char* field, const char* text)
    {
        child<QLineEdit>(dialog, field)->setText(QString::fromLatin1(text));
    }

    struct GraphCommandsTest : ::testing::Test {
        GraphCommandsTest()
            : document(AppPreferences {})
        {
        }
        COvilanDoc document;
        DialogDrivenUi ui;
    };

    TEST_F(GraphCommandsTest, FormulaGraphsOfEveryKindAddEditUndoAndRedo)
    {
        struct Kind {
            int position;
            const char* first;
            const char* second;
            const char* normalForm;
        };
        const Kind kinds[] = {
            { 0, "x^2", "", "x^2" },
            { 1, "sin(y)", "", "sin(y)" },
            { 2, "cos(t)", "2sin(t)", "cos(t)" },
            { 3, "1+cos(a)", "", "1+cos(a)" },
        };
        for (const Kind& kind : kinds) {
            ui.fillGraph = [&](CGraphDlg& dialog) {
                chooseKind(dialog, kind.position);
                type(dialog, "formula", kind.first);
                type(dialog, "formula2", kind.second);
            };
            addGraph(document, ui);
        }
        ASSERT_EQ(document.graphCount(), 4);
        for (int index = 0; index < 4; ++index) {
            const auto& graph = static_cast<const CFunctionGraph&>(document.graph(index));
            EXPECT_EQ(static_cast<int>(graph.kind), index);
            EXPECT_EQ(graph.normalForm, kinds[index].normalForm);
        }
        EXPECT_EQ(static_cast<const CFunctionGraph&>(document.graph(2)).normalForm2, "2*sin(t)");

        // New graphs take random colours, so each edit picks the colour after the graph's own.
        const ColorIndex lastBefore = document.graph(3).colorIndex;
        for (int index = 0; index < 4; ++index) {
            document.currentGraph = index;
            const ColorIndex chosen = (document.graph(index).colorIndex + 1) % 16;
            ui.fillGraph = [chosen](CGraphDlg& dialog) {
                child<CColorCombo>(dialog, "color")->select(chosen);
            };
            editCurrentGraph(document, ui);
            EXPECT_EQ(document.graph(index).colorIndex, chosen);
        }
        const ColorIndex lastAfter = document.graph(3).colorIndex;
        document.undo();
        EXPECT_EQ(document.graph(3).colorIndex, lastBefore);
        EXPECT_EQ(document.graph(3).kind, GraphKind::Polar);
        document.redo();
        EXPECT_EQ(document.graph(3).colorIndex, lastAfter);

        const std::size_t steps = document.undoStack.size();
        ui.cancel = true;
        editCurrentGraph(document, ui);
        addGraph(document, ui);
        EXPECT_EQ(document.undoStack.size(), steps);
        EXPECT_EQ(document.graphCount(), 4);
    }

    TEST_F(GraphCommandsTest, TableGraphAddEditCancelUndoAndRedo)
    {
        ui.fillTable = [](CTableGraphDlg& dialog) {
            dialog.grid().setCellText(0, 0, QStringLiteral("0"));
            dialog.grid().setCellText(0, 1, QStringLiteral("1"));
            dialog.grid().setCellText(1, 0, QStringLiteral("pi"));
            dialog.grid().setCellText(1, 1, QStringLiteral("2"));
        };
        addTableGraph(document, ui);
        ASSERT_EQ(document.graphCount(), 1);
        auto& table = static_cast<CTableGraph&>(document.graph(0));
        EXPECT_EQ(table.steps, 1);
        EXPECT_EQ(table.cellX[1], "3.141592654");

        ui.fillTable = [](CTableGraphDlg& dialog) {
            dialog.grid().setCellText(2, 0, QStringLiteral("4"));
            dialog.grid().setCellText(2, 1, QStringLiteral("4"));
        };
        const std::int32_t color = document.graph(0).colorIndex;
        editCurrentGraph(document, ui);
        EXPECT_EQ(static_cast<CTableGraph&>(document.graph(0)).steps, 2);
        document.undo();
        EXPECT_EQ(static_cast<CTableGraph&>(document.graph(0)).steps, 1);
        EXPECT_EQ(document.graph(0).colorIndex, color);
        document.redo();
        EXPECT_EQ(static_cast<CTableGraph&>(document.graph(0)).steps, 2);
        EXPECT_EQ(document.graph(0).colorIndex, color);
        const std::size_t steps = document.undoStack.size();

        ui.cancel = true;
        ui.fillTable = [](CTableGraphDlg& dialog) {
            dialog.grid().setCellText(0, 0, QStringLiteral("100"));
        };
        editCurrentGraph(document, ui);
        EXPECT_EQ(document.undoStack.size(), steps);
        EXPECT_EQ(static_cast<CTableGraph&>(document.graph(0)).cellX[0], "0");
        EXPECT_TRUE(document.canRedo() == false);

        document.undo();
        EXPECT_EQ(static_cast<CTableGraph&>(document.graph(0)).steps, 1);
        document.undo();
        EXPECT_EQ(document.graphCount(), 0);
        document.redo();
        document.redo();
        EXPECT_EQ(static_cast<CTableGraph&>(document.graph(0)).cellX[2], "4");
    }

} // namespace
} // namespace ovilan
