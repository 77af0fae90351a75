#include "dialogs/dialog_test_support.h"
#include "dialogs/fit_dialog.h"
#include "document/ovilan_doc.h"
#include "expr/text_evaluator.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;
    using testing::ScriptedServices;

    // A table of y = 3 - 2x + x^2 at x = -2..3, one y below zero.
    struct FitDialogTest : ::testing::Test {
        FitDialogTest()
        {
            auto table = std::make_unique<CTableGraph>(document);
            for (int row = 0; row < 6; ++row) {
                const int x = row - 2;
                table->cellX[static_cast<std::size_t>(row)] = std::to_string(x);
                table->cellY[static_cast<std::size_t>(row)] = std::to_string(3 - 2 * x + x * x - 3);
            }
            table->computeTablePoints();
            document.insertGraph(std::move(table), 0);
            document.undoStack.clear();
            dialog = std::make_unique<CFitDlg>(document, 0, scripted.services());
            testing::showForTest(*dialog);
        }

        void choose(int model) { child<QComboBox>(*dialog, "model")->setCurrentIndex(model); }
        QString summary() { return child<QLabel>(*dialog, "summary")->text(); }

        AppPreferences preferences;
        COvilanDoc document { preferences };
        ScriptedServices scripted;
        std::unique_ptr<CFitDlg> dialog;
    };

    TEST_F(FitDialogTest, ResultsFollowTheChoicesAndRefusalsKeepTheDialogOpen)
    {
        EXPECT_TRUE(dialog->result().ok());
        EXPECT_TRUE(summary().startsWith(QStringLiteral("a = ")));
        EXPECT_FALSE(child<QSpinBox>(*dialog, "degree")->isEnabled());

        choose(2); // exponential: the table has y <= 0
        EXPECT_EQ(summary(), QStringLiteral("An exponential fit needs every y above 0."));
        dialog->accept();
        ASSERT_EQ(scripted.messages.shown.size(), 1u);
        EXPECT_EQ(scripted.messages.shown[0].text, summary());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(document.graphCount(), 1);
        EXPECT_TRUE(document.undoStack.empty());

        choose(5); // an own formula, typed with start values
        child<QLineEdit>(*dialog, "formula")->setText(QStringLiteral("k*x^2+m*x+v"));
        child<QLineEdit>(*dialog, "start")->setText(QStringLiteral("k=2, q=1"));
        dialog->refit();
        EXPECT_EQ(summary(),
            QStringLiteral("A start value should read as a letter, '=' and a number: \"q=1\"."));
        child<QLineEdit>(*dialog, "start")->setText(QStringLiteral("k=2"));
        dialog->refit();
        ASSERT_TRUE(dialog->result().ok()) << dialog->result().refusal;
        EXPECT_NEAR(dialog->result().coefficients[1].value, -2, 1e-9);
    }

    TEST_F(FitDialogTest, OkAddsThePolynomialAsOneUndoStep)
    {
        choose(1);
        child<QSpinBox>(*dialog, "degree")->setValue(2);
        dialog->accept();
        EXPECT_TRUE(scripted.messages.shown.empty());
        EXPECT_FALSE(dialog->isVisible());
        ASSERT_EQ(document.graphCount(), 2);
        const auto& curve = static_cast<const CFunctionGraph&>(document.graph(1));
        EXPECT_NEAR(evaluateText(curve.normalForm, "x", 10).value_or(0), 80, 1e-9);
        EXPECT_EQ(curve.legendText, "polynomial of degree 2 fit, R² = 1");
        EXPECT_EQ(document.undoStack.size(), 1u);
    }

} // namespace
} // namespace ovilan
