#include "document/document_file.h"
#include "document/fitted_graph.h"
#include "document/ovilan_doc.h"
#include "document/preferences.h"
#include "expr/text_evaluator.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    TEST(FittedGraph, TheFitOfATableIsOneUndoableYofXGraph)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        auto table = std::make_unique<CTableGraph>(document);
        // Row 1 is left half empty: it is no point of the table.
        const char* cells[][2]
            = { { "0", "1" }, { "5", "" }, { "1", "3.5" }, { "2", "6" }, { "3", "8.5" } };
        for (std::size_t row = 0; row < 5; ++row) {
            table->cellX[row] = cells[row][0];
            table->cellY[row] = cells[row][1];
        }
        table->computeTablePoints();
        document.insertGraph(std::move(table), 0);
        document.undoStack.clear();

        const TablePoints points = tablePoints(static_cast<const CTableGraph&>(document.graph(0)));
        EXPECT_EQ(points.x, (std::vector<double> { 0, 1, 2, 3 }));
        EXPECT_EQ(points.y, (std::vector<double> { 1, 3.5, 6, 8.5 }));
        const FitResult fit = fitCurve(points.x, points.y, { FitModel::Linear, 1, {}, {} });
        ASSERT_TRUE(fit.ok()) << fit.refusal;

        EXPECT_TRUE(addFittedGraph(document, fit).empty());
        ASSERT_EQ(document.graphCount(), 2);
        const auto& curve = static_cast<const CFunctionGraph&>(document.graph(1));
        EXPECT_EQ(curve.kind, GraphKind::YofX);
        EXPECT_EQ(curve.formula, fit.formula);
        EXPECT_EQ(curve.legendText, "linear fit, R² = 1");
        EXPECT_DOUBLE_EQ(*evaluateText(curve.normalForm, "x", 10), 26);
        EXPECT_EQ(curve.intervalFrom, document.xAxis.min);
        EXPECT_EQ(document.undoStack.size(), 1u);
        document.undo();
        EXPECT_EQ(document.graphCount(), 1);

        EXPECT_EQ(addFittedGraph(document, FitResult { "refused", {}, 0, 0, 0, {}, {}, {} }),
            kNoFitGraph);
        EXPECT_EQ(document.graphCount(), 1);
    }

    // The legend names the user's formula; a long one must not make a legend the document file
    // cannot hold, or the document saved with the fit would no longer open.
    TEST(FittedGraph, ALongFormulaStillGivesADocumentThatOpens)
    {
        std::string formula = "k*x";
        for (int i = 1; formula.size() < 600; ++i)
            formula += "+10^(-12)*sin(" + std::to_string(i) + "*x)";
        const std::vector<double> x { 0, 1, 2, 3 };
        const std::vector<double> y { 0, 2, 4, 6.5 };
        const FitResult fit = fitCurve(x, y, { FitModel::Formula, 2, formula, {} });
        ASSERT_TRUE(fit.ok()) << fit.refusal;
        EXPECT_TRUE(fit.legendText.ends_with(
            ", R² = " + fit.legendText.substr(fit.legendText.rfind(' ') + 1)));

        AppPreferences preferences;
        COvilanDoc document(preferences);
        ASSERT_TRUE(addFittedGraph(document, fit).empty());
        COvilanDoc reopened(preferences);
        EXPECT_TRUE(loadDocument(reopened, writeDocument(document)));
        ASSERT_EQ(reopened.graphCount(), 1);
        EXPECT_EQ(reopened.graph(0).legendText, fit.legendText);
        EXPECT_TRUE(fit.legendText.starts_with("fit of k*x+10^(-12)*sin(1*x)"));
        EXPECT_NE(fit.legendText.find(", R² = 0.99"), std::string::npos);
    }

} // namespace
} // namespace ovilan
