#include "dialogs/dialog_test_support.h"
#include "dialogs/find_points_dialog.h"
#include "document/document_test_support.h"
#include "graph/function_graph.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::ScriptedServices;
    using testing::ShownMessage;

    struct FindPointsTest : ::testing::Test {
        FindPointsTest()
            : document(AppPreferences {})
        {
            document.insertGraph(testing::yOfX(document, "x^3-x"), 0);
            document.insertGraph(testing::yOfX(document, "x"), 1);
            document.insertGraph(std::make_unique<CTableGraph>(document), 2);
            document.refreshGraphs();
        }

        std::unique_ptr<CFindPointsDlg> open(std::int32_t graph)
        {
            auto dialog = std::make_unique<CFindPointsDlg>(document, graph, scripted.services());
            testing::showForTest(*dialog);
            return dialog;
        }

        // The table's rows as "kind x y" lines.
        static QStringList rows(const QTableWidget& table)
        {
            QStringList lines;
            for (int row = 0; row < table.rowCount(); ++row) {
                QStringList cells;
                for (int column = 0; column < table.columnCount(); ++column)
                    cells << table.item(row, column)->text();
                lines << cells.join(QLatin1Char(' '));
            }
            return lines;
        }

        COvilanDoc document;
        ScriptedServices scripted;
    };

    TEST_F(FindPointsTest, TheRootsExtremaAndInterceptOfACubicInTheVisibleRange)
    {
        auto dialog = open(0);
        EXPECT_EQ(dialog->fromField().text(), QStringLiteral("-10"));
        EXPECT_EQ(dialog->toField().text(), QStringLiteral("10"));
        EXPECT_EQ(dialog->otherGraphCombo().count(), 2); // all, and x; not the table
        dialog->intersectionsBox().setChecked(false);
        ASSERT_TRUE(dialog->find());
        EXPECT_EQ(rows(dialog->table()),
            (QStringList { QStringLiteral("root -1 0"),
                QStringLiteral("maximum -0.5773502692 0.3849001795"),
                QStringLiteral("root 0 0"),
                QStringLiteral("crossing 0 0"),
                QStringLiteral("minimum 0.5773502692 -0.3849001795"),
                QStringLiteral("root 1 0") }));
        EXPECT_TRUE(dialog->note().text().isEmpty());
        EXPECT_TRUE(scripted.messages.shown.empty());
    }

    TEST_F(FindPointsTest, IntersectionsInATypedIntervalCopyAndBecomeLabelsInOneUndoStep)
    {
        auto dialog = open(0);
        for (QCheckBox* box : { &dialog->rootsBox(),
                 &dialog->minimaBox(),
                 &dialog->maximaBox(),
                 &dialog->crossingBox() })
            box->setChecked(false);
        dialog->otherGraphCombo().setCurrentIndex(1);
        dialog->fromField().setText(QStringLiteral("-pi/2"));
        dialog->toField().setText(QStringLiteral("1"));
        ASSERT_TRUE(dialog->find());
        // x^3 - x = x at -sqrt(2), 0 and sqrt(2); the last lies beyond the interval.
        EXPECT_EQ(rows(dialog->table()),
            (QStringList { QStringLiteral("intersection with 2 -1.414213562 -1.414213562"),
                QStringLiteral("intersection with 2 0 0") }));

        ASSERT_TRUE(dialog->copyPoints());
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("kind\tx\ty\nintersection with 2\t-1.414213562\t-1.414213562\n"
                           "intersection with 2\t0\t0\n"));

        document.insertLabel(CPlotLabel {}, 0);
        ASSERT_TRUE(dialog->addLabels());
        ASSERT_EQ(document.labelCount(), 3);
        EXPECT_EQ(document.labels[1].caption, "intersection with 2 x=-1.414213562; y=-1.414213562");
        EXPECT_EQ(document.labels[2].caption, "intersection with 2 x=0; y=0");
        EXPECT_NEAR(document.labels[1].y, -std::sqrt(2.0), 1e-12);
        EXPECT_EQ(document.undoStack.size(), 1U);
        document.undo();
        EXPECT_EQ(document.labelCount(), 1);
        document.redo();
        ASSERT_EQ(document.labelCount(), 3);
        EXPECT_EQ(document.labels[2].caption, "intersection with 2 x=0; y=0");
    }

    TEST_F(FindPointsTest, RefusalsHandTheFieldBackAndChangeNothing)
    {
        auto dialog = open(0);
        struct Row {
            const char* shows;
            QLineEdit& field;
            const char* text;
            QString message;
        } const rows[] = {
            { "an empty bound", dialog->fromField(), "", QStringLiteral("Please enter a number.") },
            { "a bound with a variable",
                dialog->toField(),
                "x",
                QStringLiteral("Please enter a number.") },
            { "a bound beyond any number",
                dialog->toField(),
                "1e400",
                QStringLiteral("Please enter a number.") },
            { "reversed bounds",
                dialog->toField(),
                "-20",
                QStringLiteral("Left bound should be less than right one.") },
            { "an empty interval",
                dialog->toField(),
                "-10",
                QStringLiteral("Left bound should be less than right one.") },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.shows);
            const QString kept = row.field.text();
            row.field.setText(QString::fromUtf8(row.text));
            EXPECT_FALSE(dialog->find());
            testing::expectRefused(scripted.messages, row.field, row.message);
            row.field.setText(kept);
        }
        for (QCheckBox* box : { &dialog->rootsBox(),
                 &dialog->minimaBox(),
                 &dialog->maximaBox(),
                 &dialog->crossingBox(),
                 &dialog->intersectionsBox() })
            box->setChecked(false);
        EXPECT_FALSE(dialog->find());
        EXPECT_EQ(scripted.messages.shown.back().text,
            QStringLiteral("Please select the points to find."));
        EXPECT_FALSE(dialog->copyPoints());
        EXPECT_FALSE(dialog->addLabels());
        EXPECT_EQ(dialog->table().rowCount(), 0);
        EXPECT_FALSE(document.canUndo());
        EXPECT_TRUE(dialog->isVisible());
    }

    TEST_F(FindPointsTest, ASearchStoppedAtItsLimitsSaysSo)
    {
        document.insertGraph(testing::yOfX(document, "sin(10*x)"), 3);
        document.refreshGraphs();
        auto dialog = open(3);
        dialog->limits().maxResults = 5;
        ASSERT_TRUE(dialog->find());
        EXPECT_EQ(dialog->table().rowCount(), 5);
        EXPECT_EQ(dialog->note().text(),
            QStringLiteral("More points were found than can be listed; narrow the interval."));

        dialog->limits() = SearchLimits {};
        dialog->limits().maxEvaluations = 100;
        ASSERT_TRUE(dialog->find());
        EXPECT_EQ(dialog->note().text(),
            QStringLiteral(
                "The search took too much work and stopped early; narrow the interval."));

        // A cancel keeps what was found before it.
        dialog->limits() = SearchLimits {};
        dialog->limits().progress = [](double done) { return done < 0.5; };
        ASSERT_TRUE(dialog->find());
        EXPECT_GT(dialog->table().rowCount(), 0);
        EXPECT_EQ(dialog->note().text(),
            QStringLiteral("The search was cancelled; the points found so far are listed."));

        // Nothing in the interval is said as well.
        dialog->limits() = SearchLimits {};
        dialog->fromField().setText(QStringLiteral("0.01"));
        dialog->toField().setText(QStringLiteral("0.02"));
        dialog->intersectionsBox().setChecked(false);
        ASSERT_TRUE(dialog->find());
        EXPECT_EQ(dialog->table().rowCount(), 0);
        EXPECT_EQ(dialog->note().text(), QStringLiteral("No points were found in this interval."));
    }

    // A drag marks a range of x or of y, so only a graph whose variable is one of them can take
    // it; the others say why the button is off.
    TEST_F(FindPointsTest, OnlyAFunctionOfXOrOfYTakesAnIntervalDraggedOnThePlot)
    {
        auto xOfY = std::make_unique<CXofYGraph>(document);
        xOfY->setFormula("y^2", 0);
        document.insertGraph(std::move(xOfY), 3);
        auto circle = std::make_unique<CParametricGraph>(document);
        circle->setFormula("cos(t)", 0);
        circle->setFormula("sin(t)", 1);
        document.insertGraph(std::move(circle), 4);
        auto spiral = std::make_unique<CPolarGraph>(document);
        spiral->setFormula("a", 0);
        document.insertGraph(std::move(spiral), 5);
        document.refreshGraphs();
        const SearchInterval x { -2.5, 4 };
        const SearchInterval y { 1, 7.25 };
        struct Row {
            const char* kind;
            std::int32_t graph;
            const char* from; // the bounds taken from the drag; nothing where it is refused
            const char* to;
        } const rows[] = {
            { "Y(x)", 0, "-2.5", "4" },
            { "X(y)", 3, "1", "7.25" },
            { "parametric", 4, nullptr, nullptr },
            { "polar", 5, nullptr, nullptr },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.kind);
            auto dialog = open(row.graph);
            const bool takes = row.from != nullptr;
            EXPECT_EQ(dialog->pickButton().isEnabled(), takes);
            EXPECT_EQ(dialog->pickButton().toolTip().startsWith(QStringLiteral("Only")), !takes);
            const QString kept = dialog->fromField().text();
            EXPECT_EQ(dialog->setDraggedRanges(x, y), takes);
            EXPECT_EQ(dialog->fromField().text(), takes ? QString::fromUtf8(row.from) : kept);
            if (takes) {
                EXPECT_EQ(dialog->toField().text(), QString::fromUtf8(row.to));
            }
        }
        // A rectangle without width along the graph's axis leaves the bounds as they were.
        auto dialog = open(0);
        EXPECT_FALSE(dialog->setDraggedRanges({ 2, 2 }, y));
        EXPECT_EQ(dialog->fromField().text(), QStringLiteral("-10"));
    }

} // namespace
} // namespace ovilan
