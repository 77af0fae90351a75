#include "document/curve_values.h"
#include "document/document_test_support.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::ScriptedUi;

    TEST(CurveValues, RowCountsReachTheEndAndStopAtTheLimit)
    {
        struct Row {
            const char* shows;
            double from;
            double to;
            double step;
            std::optional<int> rows;
        } const table[] = {
            { "0..1 by 0.1 ends at 1 despite rounding", 0, 1, 0.1, 11 },
            { "one row when from is to", 2, 2, 1, 1 },
            { "a step past the end gives the start only", 0, 1, 5, 1 },
            { "2000 rows are allowed", 0, 1999, 1, 2000 },
            { "2001 rows are not", 0, 2000, 1, std::nullopt },
            { "a huge interval is refused, not overflowed", -1e300, 1e300, 1e-300, std::nullopt },
        };
        for (const Row& row : table)
            EXPECT_EQ(valueRowCount(row.from, row.to, row.step), row.rows) << row.shows;
    }

    TEST(CurveValues, TableTextHasTheVariableColumnWhereItIsNotACoordinate)
    {
        std::unique_ptr<CurveFunction> sqrtCurve = yOfXCurve("sqrt(x)", { -1, 1, 2 });
        const std::vector<ValueRow> rows = valueTable(*sqrtCurve, -1, 3, 2);
        ASSERT_EQ(rows.size(), 3U);
        EXPECT_FALSE(rows[0].point);
        EXPECT_EQ(valueTableText("x", rows), "x\ty\n-1\t-\n1\t1\n3\t1.732050808\n");

        std::unique_ptr<CurveFunction> circle = parametricCurve("cos(t)", "sin(t)", { 0, 1, 1 });
        const std::vector<ValueRow> turn = valueTable(*circle, 0, 2, 0.5);
        EXPECT_EQ(valueTableText("t", turn), "t\tx\ty\n0\t1\t0\n0.5\t0.8775825619\t0.4794255386\n");
        EXPECT_EQ(
            valueTableText("y", std::vector<ValueRow> { { 3, std::nullopt } }), "x\ty\n-\t3\n");
    }

    TEST(CurveValues, TheTableGraphHoldsTheDefinedPointsAsOneUndoStep)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        std::unique_ptr<CurveFunction> curve = yOfXCurve("1/x", { -1, 1, 2 });
        const std::vector<ValueRow> rows = valueTable(*curve, -1, 3, 1);
        ScriptedUi ui;
        ASSERT_TRUE(addValueTableGraph(document, ui, rows));
        ASSERT_EQ(document.graphCount(), 1);
        const CGraph& table = document.graph(0);
        EXPECT_EQ(table.kind, GraphKind::Table);
        ASSERT_EQ(table.steps, 1);
        EXPECT_EQ(table.xs[0], -1);
        EXPECT_EQ(table.ys[0], -1);
        EXPECT_EQ(table.xs[1], 1);
        EXPECT_EQ(table.ys[1], 1);
        EXPECT_EQ(document.undoStack.size(), 1U);
        document.undo();
        EXPECT_EQ(document.graphCount(), 0);
        EXPECT_TRUE(ui.messages.empty());
    }

} // namespace
} // namespace ovilan
