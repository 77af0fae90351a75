#include "dialogs/fit_dialog.h"
#include "dialogs/tangent_dialog.h"
#include "document/derived_graphs.h"
#include "graph/table_graph.h"
#include "shell/main_frame.h"
#include "shell/shell_test_support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::Window;

    const CFunctionGraph& functionAt(Window& window, std::int32_t index)
    {
        return static_cast<const CFunctionGraph&>(window.document.graph(index));
    }

    TEST(DerivedGraphs, StandInTheGraphsMenuAndNeedASelectedGraph)
    {
        Window window;
        QStringList texts;
        for (QAction* item : window.frame.menuBar()->actions()[2]->menu()->actions())
            texts.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        EXPECT_TRUE(texts.contains(QStringLiteral("Deri&vative")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Tangent and &Normal...")));
        EXPECT_FALSE(window.frame.action(CommandId::DerivativeGraph)->isEnabled());
        EXPECT_FALSE(window.frame.action(CommandId::TangentNormal)->isEnabled());
        window.addGraph("x^2");
        EXPECT_TRUE(window.frame.action(CommandId::DerivativeGraph)->isEnabled());
        EXPECT_TRUE(window.frame.action(CommandId::TangentNormal)->isEnabled());
    }

    TEST(DerivedGraphs, DerivativeFromTheWindowIsOneUndoStep)
    {
        Window window;
        window.addGraph("x*sin(x)");
        window.document.undoStack.clear();
        window.frame.action(CommandId::DerivativeGraph)->trigger();
        ASSERT_EQ(window.document.graphCount(), 2);
        EXPECT_EQ(functionAt(window, 1).formula, "sin(x)+x*cos(x)");
        EXPECT_EQ(functionAt(window, 1).legendText, "(x*sin(x))'");
        EXPECT_TRUE(window.ui.messages.empty());
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.document.graphCount(), 1);
    }

    TEST(DerivedGraphs, TangentDialogFromTheWindowAddsItsLinesAsOneUndoStep)
    {
        Window window;
        window.addGraph("x^3");
        window.document.undoStack.clear();
        window.frame.action(CommandId::TangentNormal)->trigger();
        auto* dialog = window.frame.findChild<CTangentDlg*>();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("value"))->setText(QStringLiteral("1"));
        dialog->accept();
        ASSERT_EQ(window.document.graphCount(), 2);
        EXPECT_EQ(functionAt(window, 1).formula, "3*(x-1)+1");
        EXPECT_EQ(window.document.labelCount(), 1);
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.document.graphCount(), 1);
        EXPECT_EQ(window.document.labelCount(), 0);
        EXPECT_FALSE(window.frame.action(CommandId::EditUndo)->isEnabled());
    }

    TEST(DerivedGraphs, ATableGraphIsRefusedWithAMessage)
    {
        Window window;
        window.document.insertGraph(std::make_unique<CTableGraph>(window.document), 0);
        window.frame.action(CommandId::DerivativeGraph)->trigger();
        window.frame.action(CommandId::TangentNormal)->trigger();
        EXPECT_EQ(window.ui.messages,
            (std::vector<std::string> {
                std::string(kNoDerivativeGraph), std::string(kNoTangentGraph) }));
        EXPECT_EQ(window.frame.findChild<CTangentDlg*>(), nullptr);
        EXPECT_EQ(window.document.graphCount(), 1);
    }

    TEST(DerivedGraphs, FitCurveOpensOnlyForATableAndAddsItsCurveAsOneUndoStep)
    {
        Window window;
        window.addGraph("x^2");
        EXPECT_FALSE(window.frame.action(CommandId::FitCurve)->isEnabled());
        window.frame.action(CommandId::FitCurve)->trigger();
        EXPECT_EQ(window.frame.findChild<CFitDlg*>(), nullptr);

        auto table = std::make_unique<CTableGraph>(window.document);
        for (std::size_t row = 0; row < 4; ++row) {
            table->cellX[row] = std::to_string(row);
            table->cellY[row] = std::to_string(2 * row + 1);
        }
        table->computeTablePoints();
        window.document.insertGraph(std::move(table), 1);
        window.document.undoStack.clear();
        ASSERT_EQ(window.document.currentGraph, 1);
        EXPECT_TRUE(window.frame.action(CommandId::FitCurve)->isEnabled());
        window.frame.action(CommandId::FitCurve)->trigger();
        auto* dialog = window.frame.findChild<CFitDlg*>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialogHelpAnchor(dialog), QStringLiteral("dlg-fit"));
        dialog->accept();
        ASSERT_EQ(window.document.graphCount(), 3);
        EXPECT_EQ(window.document.graph(2).legendText, "linear fit, R² = 1");
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.document.graphCount(), 2);
    }

    TEST(DerivedGraphs, TangentDialogHasItsHelpSectionForF1)
    {
        Window window;
        window.addGraph("x");
        CTangentDlg dialog(window.document, 0, standardDialogServices());
        EXPECT_EQ(dialogHelpAnchor(&dialog), QStringLiteral("dlg-tangent"));
        QFile file(QStringLiteral(OVILAN_HELP "/dialogs.html"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(
            QString::fromUtf8(file.readAll()).contains(QStringLiteral("id=\"dlg-tangent\"")));
    }

} // namespace
} // namespace ovilan
