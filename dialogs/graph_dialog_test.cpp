#include "dialogs/color_combo.h"
#include "dialogs/dialog_test_support.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/line_combo.h"
#include "document/ovilan_doc.h"
#include "graph/function_graph.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;
    using testing::ScriptedServices;
    using testing::ShownMessage;

    struct GraphDialogTest : ::testing::Test {
        GraphDialogTest()
            : document(AppPreferences {})
        {
            document.xAxis.min = -4;
            document.xAxis.max = 6;
            document.yAxis.min = -3;
            document.yAxis.max = 7;
            document.general.steps = 700;
            document.general.maxGap = 25;
        }

        std::unique_ptr<CGraphDlg> open(const CFunctionGraph* graph = nullptr)
        {
            auto dialog = std::make_unique<CGraphDlg>(document, graph, scripted.services());
            testing::showForTest(*dialog);
            return dialog;
        }

        QLineEdit* field(CGraphDlg& dialog, const char* name)
        {
            return child<QLineEdit>(dialog, name);
        }
        QCheckBox* box(CGraphDlg& dialog, const char* name)
        {
            return child<QCheckBox>(dialog, name);
        }
        QString marker(CGraphDlg& dialog, const char* name)
        {
            return child<QLabel>(dialog, name)->text();
        }

        // Chooses a kind the way a user does: from the focused list with the arrow keys.
        void chooseKind(CGraphDlg& dialog, int kind)
        {
            auto* list = child<QComboBox>(dialog, "kind");
            list->setFocus();
            while (list->currentIndex() < kind)
                QTest::keyClick(list, Qt::Key_Down);
            while (list->currentIndex() > kind)
                QTest::keyClick(list, Qt::Key_Up);
        }

        COvilanDoc document;
        ScriptedServices scripted;
    };

    TEST_F(GraphDialogTest, NewGraphOpensOnTheXRangeWithTheDocumentsParameters)
    {
        auto dialog = open();
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Graph Properties"));
        EXPECT_EQ(child<QComboBox>(*dialog, "kind")->currentIndex(), 0);
        EXPECT_FALSE(box(*dialog, "interval")->isChecked());
        EXPECT_TRUE(box(*dialog, "interval")->isEnabled());
        EXPECT_EQ(field(*dialog, "from")->text(), QStringLiteral("-4"));
        EXPECT_EQ(field(*dialog, "to")->text(), QStringLiteral("6"));
        EXPECT_FALSE(field(*dialog, "from")->isEnabled());
        EXPECT_EQ(field(*dialog, "steps")->text(), QStringLiteral("700"));
        EXPECT_EQ(field(*dialog, "maxGap")->text(), QStringLiteral("25"));
        EXPECT_FALSE(field(*dialog, "steps")->isEnabled());
        EXPECT_FALSE(field(*dialog, "formula2")->isVisible());
        EXPECT_TRUE(box(*dialog, "showGraph")->isChecked());
        EXPECT_TRUE(box(*dialog, "showInLegend")->isChecked());
        EXPECT_TRUE(field(*dialog, "legendText")->isEnabled());
        EXPECT_EQ(child<CLineCombo>(*dialog, "width")->selectedIndex(), 0);
        EXPECT_LT(child<CColorCombo>(*dialog, "color")->selectedIndex(), 15);
        EXPECT_TRUE(scripted.messages.shown.empty());
    }

    TEST_F(GraphDialogTest, KindChangesSetBoundsLabelsAndParameters)
    {
        auto dialog = open();
        box(*dialog, "parameters")->click();
        field(*dialog, "steps")->setText(QStringLiteral("33"));

        chooseKind(*dialog, 2);
        EXPECT_TRUE(box(*dialog, "interval")->isChecked());
        EXPECT_FALSE(box(*dialog, "interval")->isEnabled());
        EXPECT_EQ(field(*dialog, "from")->text(), QStringLiteral("-10"));
        EXPECT_EQ(field(*dialog, "to")->text(), QStringLiteral("10"));
        EXPECT_TRUE(field(*dialog, "from")->isEnabled());
        EXPECT_TRUE(field(*dialog, "formula2")->isVisible());
        EXPECT_FALSE(box(*dialog, "parameters")->isChecked());
        EXPECT_EQ(field(*dialog, "steps")->text(), QStringLiteral("700"));
        EXPECT_EQ(marker(*dialog, "fromMarker"), QString());

        chooseKind(*dialog, 3);
        EXPECT_EQ(field(*dialog, "from")->text(), QStringLiteral("-1"));
        EXPECT_EQ(field(*dialog, "to")->text(), QStringLiteral("1"));
        EXPECT_EQ(marker(*dialog, "fromMarker"), QStringLiteral("Pi"));
        EXPECT_EQ(marker(*dialog, "toMarker"), QStringLiteral("Pi"));
        EXPECT_FALSE(field(*dialog, "formula2")->isVisible());

        chooseKind(*dialog, 1);
        EXPECT_FALSE(box(*dialog, "interval")->isChecked());
        EXPECT_TRUE(box(*dialog, "interval")->isEnabled());
        EXPECT_EQ(field(*dialog, "from")->text(), QStringLiteral("-3"));
        EXPECT_EQ(field(*dialog, "to")->text(), QStringLiteral("7"));
        EXPECT_EQ(marker(*dialog, "toMarker"), QString());

        chooseKind(*dialog, 0);
        EXPECT_EQ(field(*dialog, "from")->text(), QStringLiteral("-4"));
        EXPECT_EQ(field(*dialog, "to")->text(), QStringLiteral("6"));
        EXPECT_TRUE(scripted.messages.shown.empty());
    }

    TEST_F(GraphDialogTest, ChoosingTheSameKindAgainKeepsTheOwnIntervalAndParameters)
    {
        auto dialog = open();
        box(*dialog, "interval")->click();
        field(*dialog, "from")->setText(QStringLiteral("1"));
        field(*dialog, "to")->setText(QStringLiteral("2"));
        box(*dialog, "parameters")->click();
        field(*dialog, "steps")->setText(QStringLiteral("33"));
        auto* list = child<QComboBox>(*dialog, "kind");
        // What the list reports when the user picks its shown entry from the drop-down again.
        emit list->activated(list->currentIndex());
        EXPECT_TRUE(box(*dialog, "interval")->isChecked());
        EXPECT_EQ(field(*dialog, "from")->text(), QStringLiteral("1"));
        EXPECT_EQ(field(*dialog, "to")->text(), QStringLiteral("2"));
        EXPECT_TRUE(box(*dialog, "parameters")->isChecked());
        EXPECT_EQ(field(*dialog, "steps")->text(), QStringLiteral("33"));
    }

    TEST_F(GraphDialogTest, KindChangeWithARefusedFieldKeepsTheKind)
    {
        auto dialog = open();
        box(*dialog, "parameters")->click();
        field(*dialog, "maxGap")->setText(QStringLiteral("0"));
        auto* list = child<QComboBox>(*dialog, "kind");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(child<QComboBox>(*dialog, "kind")->currentIndex(), 0);
        EXPECT_EQ(scripted.messages.shown.size(), 1u);
        EXPECT_EQ(dialog->focusWidget(), field(*dialog, "maxGap"));
    }

    struct Refusal {
        const char* what;
        std::function<void(GraphDialogTest&, CGraphDlg&)> arrange;
        ShownMessage message;
        const char* focused;
        bool selected;
    };

    TEST_F(GraphDialogTest, OkRefusesInOrderWithTheDialogsOwnTexts)
    {
        const auto setText = [](const char* name, const char* text) {
            return [=](GraphDialogTest& test, CGraphDlg& dialog) {
                test.field(dialog, name)->setText(QString::fromLatin1(text));
            };
        };
        const auto warning = [](const char* text) {
            return ShownMessage { QString::fromLatin1(text), MessageIcon::Warning };
        };
        const std::vector<Refusal> refusals = {
            { "steps below range",
                setText("steps", "0"),
                warning("Please enter an integer between 1 and 20000."),
                "steps",
                true },
            { "steps not a number",
                setText("steps", "12.5"),
                { QStringLiteral("Please enter an integer."), MessageIcon::None },
                "steps",
                true },
            { "maximum gap beyond range",
                setText("maxGap", "1000001"),
                warning("Please enter an integer between 1 and 1000000."),
                "maxGap",
                true },
            { "empty from",
                setText("from", ""),
                warning("Please enter the number"),
                "from",
                false },
            { "variable in to",
                setText("to", "x"),
                warning("Please enter the number\nA number is expected here, not the variable x."),
                "to",
                true },
            { "bounds equal",
                [](GraphDialogTest& test, CGraphDlg& dialog) {
                    test.field(dialog, "from")->setText(QStringLiteral("1"));
                    test.field(dialog, "to")->setText(QStringLiteral("1"));
                },
                warning("Left bound should be less than right one"),
                "from",
                false },
            { "empty formula",
                setText("formula", ""),
                warning("Empty expression"),
                "formula",
                false },
            { "bad second formula",
                [](GraphDialogTest& test, CGraphDlg& dialog) {
                    test.chooseKind(dialog, 2);
                    test.field(dialog, "formula2")->setText(QStringLiteral("sin"));
                },
                warning("Argument is not defined"),
                "formula2",
                true },
        };
        for (const Refusal& refusal : refusals) {
            SCOPED_TRACE(refusal.what);
            scripted.messages.shown.clear();
            auto dialog = open();
            // Every field open to typing, so the refused one can take the focus.
            box(*dialog, "parameters")->click();
            box(*dialog, "interval")->click();
            const bool parametric = std::string_view(refusal.what) == "bad second formula";
            field(*dialog, "formula")
                ->setText(parametric ? QStringLiteral("t^2") : QStringLiteral("x^2"));
            refusal.arrange(*this, *dialog);
            // A second wrong field later in the order stays unreported.
            if (std::string_view(refusal.focused) != "formula"
                && std::string_view(refusal.focused) != "formula2")
                field(*dialog, "formula")->setText(QStringLiteral("sin"));
            dialog->accept();
            ASSERT_EQ(scripted.messages.shown.size(), 1u);
            EXPECT_EQ(scripted.messages.shown.front(), refusal.message);
            QLineEdit* focused = field(*dialog, refusal.focused);
            EXPECT_EQ(dialog->focusWidget(), focused);
            EXPECT_EQ(focused->hasSelectedText() && focused->selectedText() == focused->text(),
                refusal.selected && !focused->text().isEmpty());
            EXPECT_EQ(dialog->result(), QDialog::Rejected);
            EXPECT_EQ(dialog->takeGraph(), nullptr);
        }
    }

    // A refused formula says what is wrong where the message is bare, and the field selects the
    // faulty part once the message is closed.
    TEST_F(GraphDialogTest, ARefusedFormulaSelectsItsFault)
    {
        struct Case {
            const char* typed;
            const char* message;
            const char* selected;
        };
        const Case cases[] = {
            { "x^2+foo(x)", "Syntax error\nUnknown name \"foo\".", "foo" },
            { "sin(x)*(x+1", "Check brackets\nThis bracket is never closed.", "(" },
            { "e^x+tan x", "Argument is not defined", "tan" },
            { "2x+log(x)",
                "Syntax error\nPlease write ln for the natural logarithm or lg for the decimal "
                "one.",
                "log" },
            { "x/(2-2)", "Denominator is equal to zero", "(2-2)" },
        };
        for (const Case& row : cases) {
            SCOPED_TRACE(row.typed);
            scripted.messages.shown.clear();
            auto dialog = open();
            QLineEdit* formula = field(*dialog, "formula");
            formula->setText(QString::fromUtf8(row.typed));
            dialog->accept();
            ASSERT_EQ(scripted.messages.shown.size(), 1u);
            EXPECT_EQ(scripted.messages.shown.front().text, QString::fromUtf8(row.message));
            EXPECT_EQ(dialog->focusWidget(), formula);
            EXPECT_EQ(formula->selectedText(), QString::fromUtf8(row.selected));
        }
    }

    TEST_F(GraphDialogTest, FamiliarSpellingsMakeAGraphKeptInTheProgramsOwn)
    {
        auto dialog = open();
        field(*dialog, "formula")->setText(QStringLiteral("tan(x)+1e-3"));
        dialog->accept();
        const auto graph = dialog->takeGraph();
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->formula, "tg(x)+0.001");
    }

    // A formula with a parameter the document lacks is refused at the letter; with the parameter
    // defined, the graph keeps the formula as typed and draws it with the value put in, and the
    // dialog shows the typed formula when the graph is edited again.
    TEST_F(GraphDialogTest, FormulasWithParametersNeedTheParameterAndKeepTheirLetters)
    {
        auto refused = open();
        QLineEdit* formula = field(*refused, "formula");
        formula->setText(QStringLiteral("sin(k*x)"));
        refused->accept();
        ASSERT_EQ(scripted.messages.shown.size(), 1u);
        EXPECT_TRUE(scripted.messages.shown.front().text.startsWith(
            QStringLiteral("Undefined parameter\nThe document has no parameter k.")));
        EXPECT_EQ(formula->selectedText(), QStringLiteral("k"));
        EXPECT_EQ(refused->takeGraph(), nullptr);

        FormulaParameter k;
        k.value = 0.5;
        document.parameterTable.parameters = { k };
        auto accepted = open();
        field(*accepted, "formula")->setText(QStringLiteral("sin(k*x)"));
        accepted->accept();
        const std::unique_ptr<CFunctionGraph> graph = accepted->takeGraph();
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->parameterFormula, "sin(k*x)");
        EXPECT_EQ(graph->formula, "sin(0.5*x)");

        auto edited = open(graph.get());
        EXPECT_EQ(field(*edited, "formula")->text(), QStringLiteral("sin(k*x)"));
    }

    TEST_F(GraphDialogTest, OkBuildsANewGraphFromTheFields)
    {
        auto dialog = open();
        chooseKind(*dialog, 3);
        field(*dialog, "formula")->setText(QStringLiteral("2sin(3a)"));
        box(*dialog, "parameters")->click();
        field(*dialog, "steps")->setText(QStringLiteral(" 400 "));
        field(*dialog, "maxGap")->setText(QStringLiteral("3"));
        child<CLineCombo>(*dialog, "width")->select(4);
        child<CLineCombo>(*dialog, "style")->select(2);
        child<CColorCombo>(*dialog, "color")->select(12);
        field(*dialog, "legendText")->setText(QStringLiteral("rose"));
        dialog->accept();
        ASSERT_TRUE(scripted.messages.shown.empty());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        const std::unique_ptr<CFunctionGraph> graph = dialog->takeGraph();
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->kind, GraphKind::Polar);
        EXPECT_EQ(graph->formula, "2sin(3a)");
        EXPECT_EQ(graph->normalForm, "2*sin(3*a)");
        EXPECT_EQ(graph->ownInterval, 1);
        EXPECT_EQ(graph->intervalFrom, -1);
        EXPECT_EQ(graph->intervalTo, 1);
        EXPECT_EQ(graph->ownParameters, 1);
        EXPECT_EQ(graph->steps, 400);
        EXPECT_EQ(graph->maxGap, 3);
        EXPECT_EQ(graph->lineWidth, 5);
        EXPECT_EQ(graph->penStyle, 2);
        EXPECT_EQ(graph->colorIndex, 12);
        EXPECT_EQ(graph->legendText, "rose");
        EXPECT_TRUE(graph->dirty);
    }

    TEST_F(GraphDialogTest, EditingShowsTheGraphAndNeverChangesIt)
    {
        CParametricGraph graph(document);
        graph.setFormula("cos(t)", 0);
        graph.setFormula("sin(t)", 1);
        graph.ownInterval = 1;
        graph.intervalFrom = 0;
        graph.intervalTo = 6.5;
        graph.colorIndex = 3;
        graph.lineWidth = 2;
        graph.legendText = "circle";
        graph.showInLegend = 0;

        auto dialog = open(&graph);
        EXPECT_EQ(field(*dialog, "formula")->text(), QStringLiteral("cos(t)"));
        EXPECT_EQ(field(*dialog, "formula2")->text(), QStringLiteral("sin(t)"));
        EXPECT_EQ(field(*dialog, "to")->text(), QStringLiteral("6.5"));
        EXPECT_EQ(child<CLineCombo>(*dialog, "width")->selectedIndex(), 1);
        EXPECT_FALSE(field(*dialog, "legendText")->isEnabled());
        child<CColorCombo>(*dialog, "color")->select(9);
        field(*dialog, "formula2")->setText(QStringLiteral("2sin(t)"));
        dialog->accept();
        const std::unique_ptr<CFunctionGraph> edited = dialog->takeGraph();
        ASSERT_NE(edited, nullptr);
        EXPECT_NE(edited.get(), &graph);
        EXPECT_EQ(edited->colorIndex, 9);
        EXPECT_EQ(edited->normalForm2, "2*sin(t)");
        EXPECT_EQ(edited->intervalTo, 6.5);
        EXPECT_EQ(graph.colorIndex, 3);
        EXPECT_EQ(graph.formula2, "sin(t)");

        auto cancelled = open(&graph);
        child<CColorCombo>(*cancelled, "color")->select(1);
        cancelled->reject();
        EXPECT_EQ(cancelled->takeGraph(), nullptr);
        EXPECT_EQ(graph.colorIndex, 3);
    }

} // namespace
} // namespace ovilan
