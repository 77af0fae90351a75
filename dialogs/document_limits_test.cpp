// What the dialogs let a user make always opens again: no text field takes more than a file may
// hold, and no graph or number of points takes the document beyond what a load may compute.
#include "dialogs/axis_page.h"
#include "dialogs/dialog_test_support.h"
#include "dialogs/edit_grid.h"
#include "dialogs/general_page.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/table_graph_dialog.h"
#include "document/document_file.h"
#include "document/load_allowance.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"
#include "render/plot_label.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;
    using testing::ScriptedServices;
    using testing::ShownMessage;

    const QString kTooLarge = QString::fromUtf8(kDocumentTooLarge.data());

    // A field filled to its bound by typing, then by a paste of more, then with characters that
    // take two bytes in a file.
    void expectBoundHolds(QLineEdit& field, std::size_t bound, const char* name)
    {
        field.setFocus();
        field.setText(QString(static_cast<qsizetype>(bound) - 1, QLatin1Char('a')));
        field.end(false);
        QTest::keyClick(&field, Qt::Key_B);
        EXPECT_EQ(field.text().size(), static_cast<qsizetype>(bound)) << name;
        QTest::keyClick(&field, Qt::Key_C);
        EXPECT_EQ(field.text().size(), static_cast<qsizetype>(bound)) << name << ", 1 more";
        field.clear();
        field.insert(QString(static_cast<qsizetype>(bound) + 100, QLatin1Char('d')));
        EXPECT_EQ(field.text().size(), static_cast<qsizetype>(bound)) << name << ", pasted";
        // "é" takes two bytes in a file: half as many of them fit.
        field.setText(QString(static_cast<qsizetype>(bound / 2), QChar(0xe9)));
        field.end(false);
        field.insert(QString(QChar(0xe9)));
        EXPECT_EQ(field.text().toUtf8().size(), static_cast<qsizetype>(bound)) << name << ", é";
    }

    struct LimitsTest : ::testing::Test {
        LimitsTest()
            : document(AppPreferences {})
        {
        }

        // Graphs that follow the document's points or have their own, as many as asked; their
        // points are not computed, as the allowance is known from their definitions.
        void addGraphs(int count, std::int32_t steps, bool ownParameters)
        {
            for (int i = 0; i < count; ++i) {
                auto graph = std::make_unique<CYofXGraph>(document);
                graph->setFormula("sin(x)", 0);
                graph->ownParameters = ownParameters ? 1 : 0;
                graph->steps = steps;
                document.graphs.push_back(std::move(graph));
            }
        }

        COvilanDoc document;
        ScriptedServices scripted;
    };

    TEST_F(LimitsTest, TextFieldsTakeNoMoreThanAFileHolds)
    {
        CPlotLabel label;
        CLabelDlg labelDialog(label, false, scripted.services());
        testing::showForTest(labelDialog);
        expectBoundHolds(*child<QLineEdit>(labelDialog, "caption"), kMaxCaptionLength, "caption");

        CGraphDlg graphDialog(document, nullptr, scripted.services());
        testing::showForTest(graphDialog);
        expectBoundHolds(
            *child<QLineEdit>(graphDialog, "legendText"), kMaxCaptionLength, "legend text");
        expectBoundHolds(*child<QLineEdit>(graphDialog, "formula"), kMaxFormulaLength, "formula");
        expectBoundHolds(
            *child<QLineEdit>(graphDialog, "formula2"), kMaxFormulaLength, "second formula");

        CTableGraph table(document);
        CTableGraphDlg tableDialog(document, table, scripted.services());
        testing::showForTest(tableDialog);
        expectBoundHolds(
            *child<QLineEdit>(tableDialog, "legendText"), kMaxCaptionLength, "table legend");
        CEditGrid& grid = tableDialog.grid();
        grid.makeCurrent(0, CEditGrid::kLabelColumn);
        expectBoundHolds(*grid.editor(), kMaxCaptionLength, "label cell");
        grid.makeCurrent(1, CEditGrid::kXColumn);
        expectBoundHolds(*grid.editor(), kMaxFormulaLength, "X cell");

        CAxisPage axis(document, &PlotSettings::xAxis, scripted.services());
        testing::showForTest(axis);
        expectBoundHolds(*child<QLineEdit>(axis, "caption"), kMaxCaptionLength, "axis caption");
        expectBoundHolds(
            *child<QLineEdit>(axis, "labelSuffix"), kMaxCaptionLength, "additional string");
    }

    TEST_F(LimitsTest, AGraphBeyondTheAllowanceIsRefusedAndTheDialogStays)
    {
        addGraphs(600, kMaxGraphSteps, true);
        CGraphDlg added(document, nullptr, scripted.services());
        testing::showForTest(added);
        child<QLineEdit>(added, "formula")->setText(QStringLiteral("x"));
        added.accept();
        EXPECT_EQ(scripted.messages.shown,
            (std::vector<ShownMessage> { { kTooLarge, MessageIcon::Warning } }));
        EXPECT_TRUE(added.isVisible());
        EXPECT_EQ(added.takeGraph(), nullptr);
        EXPECT_EQ(document.graphCount(), 600);

        // In the place of a graph of as many steps it fits.
        scripted.messages.shown.clear();
        CGraphDlg edited(
            document, static_cast<const CFunctionGraph*>(&document.graph(3)), scripted.services());
        testing::showForTest(edited);
        child<QLineEdit>(edited, "formula")->setText(QStringLiteral("cos(x)"));
        edited.accept();
        EXPECT_TRUE(scripted.messages.shown.empty());
        EXPECT_NE(edited.takeGraph(), nullptr);
    }

    TEST_F(LimitsTest, AFormulaTooLongToCheckOnLoadingIsRefused)
    {
        // Each "2x" is rewritten as "2*x" and the whole sum checked again: a formula the check
        // accepts alone, but whose check would take more than a whole file may.
        std::string formula = "2x";
        for (int i = 1; i < 550; ++i)
            formula += "+2x";
        std::string normal = formula;
        ASSERT_EQ(checkFormula(normal, "x"), kFormulaOk);
        CGraphDlg dialog(document, nullptr, scripted.services());
        testing::showForTest(dialog);
        child<QLineEdit>(dialog, "formula")->setText(QString::fromStdString(formula));
        dialog.accept();
        EXPECT_EQ(scripted.messages.shown,
            (std::vector<ShownMessage> { { kTooLarge, MessageIcon::Warning } }));
        EXPECT_EQ(dialog.takeGraph(), nullptr);
    }

    TEST_F(LimitsTest, ATableBeyondTheAllowanceIsRefusedAndNothingIsStored)
    {
        addGraphs(600, kMaxGraphSteps, true);
        CTableGraph table(document);
        CTableGraphDlg dialog(document, table, scripted.services());
        testing::showForTest(dialog);
        dialog.grid().setCellText(0, CEditGrid::kXColumn, QStringLiteral("1"));
        dialog.grid().setCellText(0, CEditGrid::kYColumn, QStringLiteral("2"));
        dialog.accept();
        EXPECT_EQ(scripted.messages.shown,
            (std::vector<ShownMessage> { { kTooLarge, MessageIcon::Warning } }));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(table.cellX[0].empty());

        // A row without its Y is no point, so the table costs nothing to trace.
        scripted.messages.shown.clear();
        dialog.grid().setCellText(0, CEditGrid::kYColumn, QString());
        dialog.accept();
        EXPECT_TRUE(scripted.messages.shown.empty());
        EXPECT_EQ(table.cellX[0], "1");
    }

    TEST_F(LimitsTest, MorePointsForTheGraphsThatFollowThemAreRefused)
    {
        addGraphs(601, 100, false);
        EXPECT_TRUE(loadsWithSteps(document, 1000));
        EXPECT_FALSE(loadsWithSteps(document, kMaxGraphSteps));

        CGeneralPage page(document, scripted.services());
        testing::showForTest(page);
        auto* steps = child<QLineEdit>(page, "steps");
        steps->setText(QStringLiteral("20000"));
        EXPECT_FALSE(page.leaveCheck());
        ASSERT_EQ(scripted.messages.shown.size(), 1u);
        EXPECT_EQ(scripted.messages.shown[0].text, QString::fromUtf8(kStepsTooMany.data()));
        steps->setText(QStringLiteral("1000"));
        EXPECT_TRUE(page.leaveCheck());
    }

    // A sum of bracketed 200-term chains, within a chain of the longest formula a field takes.
    std::string longestFormula(const std::string& variable)
    {
        std::string chain = "(" + variable;
        for (int i = 0; i < 200; ++i)
            chain += "+" + variable;
        chain += ")";
        std::string formula = chain;
        while (formula.size() + chain.size() + 1 <= kMaxFormulaLength)
            formula += "+" + chain;
        return formula;
    }

    TEST_F(LimitsTest, TheLargestDocumentTheDialogsMakeLoadsBackByteForByte)
    {
        const std::string caption(kMaxCaptionLength, 'c');
        const std::string formula = longestFormula("t");
        // Graphs of the longest formula and legend at full steps, as many as the allowance holds.
        for (;;) {
            auto graph = std::make_unique<CParametricGraph>(document);
            ASSERT_EQ(graph->setFormula(formula, 0), kFormulaOk);
            ASSERT_EQ(graph->setFormula(formula, 1), kFormulaOk);
            graph->ownParameters = 1;
            graph->steps = kMaxGraphSteps;
            graph->legendText = caption;
            if (!loadsWithGraph(document, *graph, document.graphCount()))
                break;
            document.graphs.push_back(std::move(graph));
        }
        // A table of X cells without Y, which the dialog stores as their normal forms.
        std::string cell = "-10^300/7";
        ASSERT_EQ(checkFormula(cell, " "), kFormulaOk);
        auto table = std::make_unique<CTableGraph>(document);
        for (std::size_t row = 0; row < kTableRows; ++row) {
            table->cellX[row] = cell;
            table->cellLabel[row] = caption;
        }
        table->markerStyle.caption = caption;
        table->legendText = caption;
        ASSERT_TRUE(loadsWithGraph(document, *table, document.graphCount()));
        // As inserting it would; a table's computation sets its steps and gap.
        table->computePoints();
        document.graphs.push_back(std::move(table));
        CPlotLabel label;
        label.caption = caption;
        document.labels.assign(100, label);
        for (AxisSettings* axis : { &document.xAxis, &document.yAxis }) {
            axis->caption = caption;
            axis->labelSuffix = caption;
        }
        ASSERT_GT(document.graphCount(), 1);

        const std::vector<std::uint8_t> saved = writeDocument(document);
        COvilanDoc opened { AppPreferences {} };
        ASSERT_TRUE(loadDocument(opened, saved));
        EXPECT_EQ(writeDocument(opened), saved);
    }

} // namespace
} // namespace ovilan
