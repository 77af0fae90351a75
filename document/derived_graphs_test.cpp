#include "document/derived_graphs.h"
#include "document/document_test_support.h"
#include "expr/derivative.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ovilan {
namespace {

    using testing::ScriptedUi;
    using testing::yOfX;

    std::unique_ptr<CFunctionGraph> functionGraph(
        const COvilanDoc& document, GraphKind kind, const char* formula, const char* formula2 = "")
    {
        auto made = createGraph(static_cast<std::int32_t>(kind), document);
        auto graph = std::unique_ptr<CFunctionGraph>(static_cast<CFunctionGraph*>(made.release()));
        EXPECT_EQ(graph->setFormula(formula, 0), 0);
        if (*formula2) {
            EXPECT_EQ(graph->setFormula(formula2, 1), 0);
        }
        graph->intervalFrom = -1;
        graph->intervalTo = 1;
        graph->ownInterval = 1;
        return graph;
    }

    const CFunctionGraph& functionAt(COvilanDoc& document, std::int32_t index)
    {
        return static_cast<const CFunctionGraph&>(document.graph(index));
    }

    struct DocumentWith {
        explicit DocumentWith(std::unique_ptr<CGraph> graph)
        {
            document.insertGraph(std::move(graph), 0);
            document.undoStack.clear();
            document.setModified(false);
        }
        AppPreferences preferences;
        COvilanDoc document { preferences };
        ScriptedUi ui;
    };

    TEST(DerivativeGraph, IsAnOrdinaryGraphOfTheSameKindAddedAsOneStep)
    {
        AppPreferences preferences;
        COvilanDoc scratch(preferences);
        auto source = functionGraph(scratch, GraphKind::YofX, "x^3-x");
        source->setLegendText("f");
        source->intervalFrom = -2;
        source->intervalTo = 3;
        DocumentWith with(std::move(source));
        COvilanDoc& document = with.document;

        addDerivativeGraph(document, with.ui);
        ASSERT_EQ(document.graphCount(), 2);
        const CFunctionGraph& derived = functionAt(document, 1);
        EXPECT_EQ(derived.kind, GraphKind::YofX);
        EXPECT_EQ(derived.formula, "3*x^2-1");
        EXPECT_EQ(derived.legendText, "f'");
        EXPECT_EQ(derived.intervalFrom, -2);
        EXPECT_EQ(derived.intervalTo, 3);
        EXPECT_EQ(derived.ownInterval, 1);
        EXPECT_EQ(document.currentGraph, 1);
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(document.undoStack.size(), 1u);

        document.undo();
        EXPECT_EQ(document.graphCount(), 1);
        document.redo();
        ASSERT_EQ(document.graphCount(), 2);
        EXPECT_EQ(functionAt(document, 1).formula, "3*x^2-1");

        // The derivative of the derivative, named by its legend.
        addDerivativeGraph(document, with.ui);
        EXPECT_EQ(functionAt(document, 2).formula, "6*x");
        EXPECT_EQ(functionAt(document, 2).legendText, "f''");
    }

    TEST(DerivativeGraph, OfAnXofYGraphWithoutLegendNamesItsFormula)
    {
        AppPreferences preferences;
        COvilanDoc scratch(preferences);
        DocumentWith with(functionGraph(scratch, GraphKind::XofY, "sin(y)"));
        addDerivativeGraph(with.document, with.ui);
        ASSERT_EQ(with.document.graphCount(), 2);
        EXPECT_EQ(functionAt(with.document, 1).kind, GraphKind::XofY);
        EXPECT_EQ(functionAt(with.document, 1).formula, "cos(y)");
        EXPECT_EQ(functionAt(with.document, 1).legendText, "(sin(y))'");
    }

    TEST(DerivativeGraph, IsRefusedWithAMessageAndNothingChanges)
    {
        AppPreferences preferences;
        COvilanDoc scratch(preferences);
        auto table = std::make_unique<CTableGraph>(scratch);
        std::vector<std::unique_ptr<CGraph>> sources;
        sources.push_back(std::move(table));
        sources.push_back(functionGraph(scratch, GraphKind::Parametric, "cos(t)", "sin(t)"));
        sources.push_back(functionGraph(scratch, GraphKind::Polar, "a"));
        sources.push_back(functionGraph(scratch, GraphKind::YofX, "(-2)^x"));
        const std::string expected[] = { std::string(kNoDerivativeGraph),
            std::string(kNoDerivativeGraph),
            std::string(kNoDerivativeGraph),
            std::string(kNoDerivativeFormula) };
        for (std::size_t i = 0; i < sources.size(); ++i) {
            DocumentWith with(std::move(sources[i]));
            addDerivativeGraph(with.document, with.ui);
            EXPECT_EQ(with.ui.messages, std::vector<std::string> { expected[i] }) << i;
            EXPECT_EQ(with.document.graphCount(), 1);
            EXPECT_TRUE(with.document.undoStack.empty());
            EXPECT_FALSE(with.document.isModified());
        }
    }

    struct TangentCase {
        const char* name;
        GraphKind kind;
        const char* formula;
        const char* formula2;
        double value;
        GraphKind tangentKind;
        const char* tangent;
        GraphKind normalKind;
        const char* normal;
        double x;
        double y;
    };

    const TangentCase kTangents[] = {
        { "a parabola",
            GraphKind::YofX,
            "x^2",
            "",
            1,
            GraphKind::YofX,
            "2*(x-1)+1",
            GraphKind::YofX,
            "1-0.5*(x-1)",
            1,
            1 },
        { "a flat top",
            GraphKind::YofX,
            "1-x^2",
            "",
            0,
            GraphKind::YofX,
            "1",
            GraphKind::XofY,
            "0",
            0,
            1 },
        { "an X(y) graph upright",
            GraphKind::XofY,
            "y^2",
            "",
            0,
            GraphKind::XofY,
            "0",
            GraphKind::YofX,
            "0",
            0,
            0 },
        { "a circle by its parameter",
            GraphKind::Parametric,
            "2cos(t)",
            "2sin(t)",
            0,
            GraphKind::XofY,
            "2",
            GraphKind::YofX,
            "0",
            2,
            0 },
        { "a polar circle",
            GraphKind::Polar,
            "3",
            "",
            1.5707963267948966,
            GraphKind::YofX,
            "3",
            GraphKind::XofY,
            "0",
            0,
            3 },
        { "a polar spiral",
            GraphKind::Polar,
            "a",
            "",
            1.5707963267948966,
            GraphKind::YofX,
            "1.570796327-0.6366197724*x",
            GraphKind::YofX,
            "1.570796327*x+1.570796327",
            0,
            1.5707963267948966 },
    };

    TEST(TangentLines, FollowTheCurveOfEveryKindAndComeBackAsOneStep)
    {
        for (const TangentCase& row : kTangents) {
            SCOPED_TRACE(row.name);
            AppPreferences preferences;
            COvilanDoc scratch(preferences);
            DocumentWith with(functionGraph(scratch, row.kind, row.formula, row.formula2));
            COvilanDoc& document = with.document;
            EXPECT_EQ(addTangentLines(document, 0, row.value, TangentLines::Both), "");
            ASSERT_EQ(document.graphCount(), 3);
            EXPECT_EQ(functionAt(document, 1).kind, row.tangentKind);
            EXPECT_EQ(functionAt(document, 1).formula, row.tangent);
            EXPECT_EQ(functionAt(document, 2).kind, row.normalKind);
            EXPECT_EQ(functionAt(document, 2).formula, row.normal);
            // Each line is drawn across the plot, whichever axis it follows.
            for (std::int32_t i = 1; i < 3; ++i) {
                const CGraph& line = document.graph(i);
                const bool upright = line.kind == GraphKind::XofY;
                const std::vector<double>& along = upright ? line.ys : line.xs;
                const AxisSettings& axis = upright ? document.yAxis : document.xAxis;
                ASSERT_FALSE(along.empty());
                EXPECT_EQ(along.front(), axis.min);
                EXPECT_NEAR(along[static_cast<std::size_t>(line.steps)], axis.max, 1e-9);
            }
            ASSERT_EQ(document.labelCount(), 1);
            EXPECT_NEAR(document.labels[0].x, row.x, 1e-12);
            EXPECT_NEAR(document.labels[0].y, row.y, 1e-12);

            ASSERT_EQ(document.undoStack.size(), 1u);
            document.undo();
            EXPECT_EQ(document.graphCount(), 1);
            EXPECT_EQ(document.labelCount(), 0);
            document.redo();
            ASSERT_EQ(document.graphCount(), 3);
            EXPECT_EQ(functionAt(document, 1).formula, row.tangent);
            EXPECT_EQ(functionAt(document, 2).formula, row.normal);
            EXPECT_EQ(document.labelCount(), 1);
            document.undo();
            EXPECT_EQ(document.graphCount(), 1);
        }
    }

    TEST(TangentLines, NameTheirPointAndCanComeAlone)
    {
        AppPreferences preferences;
        COvilanDoc scratch(preferences);
        DocumentWith with(functionGraph(scratch, GraphKind::YofX, "sin(x)"));
        EXPECT_EQ(addTangentLines(with.document, 0, 1.0471975511965976, TangentLines::Tangent), "");
        ASSERT_EQ(with.document.graphCount(), 2);
        EXPECT_EQ(with.document.graph(1).legendText, "tangent at x=1.047");
        EXPECT_EQ(functionAt(with.document, 1).formula, "0.5*(x-1.047197551)+0.8660254038");
        EXPECT_EQ(addTangentLines(with.document, 0, 0, TangentLines::Normal), "");
        EXPECT_EQ(with.document.graph(2).legendText, "normal at x=0");
        EXPECT_EQ(functionAt(with.document, 2).formula, "-x");
        EXPECT_EQ(with.document.undoStack.size(), 2u);
    }

    TEST(TangentLines, AreRefusedWhereThePointOrTheSlopeIsUndefined)
    {
        AppPreferences preferences;
        COvilanDoc scratch(preferences);
        DocumentWith with(functionGraph(scratch, GraphKind::YofX, "arcsin(x)"));
        EXPECT_EQ(addTangentLines(with.document, 0, 2, TangentLines::Both), kPointUndefined);
        EXPECT_EQ(addTangentLines(with.document, 0, 1, TangentLines::Both), kSlopeUndefined);
        EXPECT_EQ(with.document.graphCount(), 1);
        EXPECT_EQ(with.document.labelCount(), 0);
        EXPECT_TRUE(with.document.undoStack.empty());

        DocumentWith table(std::make_unique<CTableGraph>(scratch));
        EXPECT_EQ(addTangentLines(table.document, 0, 0, TangentLines::Both), kNoTangentGraph);
        EXPECT_EQ(addTangentLines(table.document, 5, 0, TangentLines::Both), kNoTangentGraph);
    }

} // namespace
} // namespace ovilan
