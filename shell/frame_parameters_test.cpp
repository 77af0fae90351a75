#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"
#include "shell/parameters_pane.h"
#include "shell/shell_test_support.h"

#include <QAction>
#include <QDockWidget>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::temporaryFile;
    using testing::Window;

    // A window whose document has k = 1 on -10..10 in steps of 0.1, the plain graph x^2 first and
    // then sin(k*x), graph 2.
    struct ParameterWindow : Window {
        ParameterWindow()
        {
            FormulaParameter k;
            k.name = 'k';
            document.parameterTable.parameters.push_back(k);
            addGraph("x^2");
            auto graph = std::make_unique<CYofXGraph>(document);
            long long work = kMaxCheckWork;
            graph->setParameterFormula(
                "sin(k*x)", 0, parameterValues(document.parameterTable), work);
            document.insertGraph(std::move(graph), document.graphCount());
            document.refreshGraphs();
            document.updateAllViews(kHintRepaint);
            document.setModified(false);
        }

        CParametersPane& pane() { return *frame.parametersPane(); }
        const CFunctionGraph& sine() const
        {
            return dynamic_cast<const CFunctionGraph&>(*document.graphs[1]);
        }
        double k() const { return document.parameterTable.find('k')->value; }
    };

    TEST(ParametersInTheWindow, ADragIsOneUndoStepThatPutsSliderAndCurveBack)
    {
        ParameterWindow window;
        ASSERT_EQ(window.pane().parameters().size(), 1u);
        const std::string before = window.sine().formula;
        const std::vector<double> beforeYs = window.sine().ys;
        ASSERT_FALSE(beforeYs.empty());
        const std::vector<double> parabola = window.document.graphs[0]->ys;
        QSlider& slider = window.pane().slider(0);
        EXPECT_EQ(slider.value(), 110);

        slider.setSliderDown(true);
        for (const int position : { 111, 115, 118, 120 })
            slider.setValue(position);
        slider.setSliderDown(false);
        EXPECT_EQ(window.document.undoStack.size(), 1u);
        EXPECT_TRUE(window.document.isModified());
        EXPECT_EQ(window.k(), 2);
        EXPECT_EQ(window.sine().formula, "sin(2*x)");
        EXPECT_EQ(window.sine().typedFormula(0), "sin(k*x)");
        EXPECT_EQ(window.document.graphs[0]->ys, parabola);
        // Traced again with the new value.
        EXPECT_EQ(window.sine().ys.size(), beforeYs.size());
        EXPECT_NE(window.sine().ys, beforeYs);

        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.k(), 1);
        EXPECT_EQ(window.sine().formula, before);
        EXPECT_EQ(window.sine().ys, beforeYs);
        EXPECT_EQ(slider.value(), 110);
        EXPECT_EQ(window.pane().parameters()[0].value, 1);
        window.frame.action(CommandId::EditRedo)->trigger();
        EXPECT_EQ(window.k(), 2);
        EXPECT_EQ(slider.value(), 120);

        // A move with no drag begun (the keyboard) is a step of its own, as is a drag after Undo.
        slider.setValue(121);
        EXPECT_EQ(window.document.undoStack.size(), 2u);
        slider.setValue(122);
        EXPECT_EQ(window.document.undoStack.size(), 2u);
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.k(), 2);
        slider.setSliderDown(true);
        slider.setValue(100);
        slider.setValue(105);
        EXPECT_EQ(window.document.undoStack.size(), 2u);
        EXPECT_FALSE(window.document.canRedo());
        EXPECT_EQ(window.sine().formula, "sin(0.5*x)");
    }

    TEST(ParametersInTheWindow, APlayIsOneUndoStepAndUndoStopsIt)
    {
        ParameterWindow window;
        QToolButton& play = window.pane().playButton(0);
        // Play stopped before it moved anything leaves no step; nor does a click on the handle.
        play.click();
        play.click();
        window.pane().slider(0).setSliderDown(true);
        window.pane().slider(0).setSliderDown(false);
        EXPECT_TRUE(window.document.undoStack.empty());
        EXPECT_FALSE(window.document.isModified());
        play.click();
        ASSERT_TRUE(window.pane().playing(0));
        for (int i = 0; i < 10; ++i)
            window.pane().advanceAnimation();
        EXPECT_EQ(window.document.undoStack.size(), 1u);
        EXPECT_EQ(window.k(), 2);
        EXPECT_EQ(window.sine().formula, "sin(2*x)");

        // Saving in the middle: the moves after it mark the document again, in a step of their own.
        window.document.setModified(false);
        window.pane().advanceAnimation();
        EXPECT_TRUE(window.document.isModified());
        EXPECT_EQ(window.document.undoStack.size(), 2u);

        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_FALSE(window.pane().playing(0));
        EXPECT_EQ(window.k(), 2);
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.k(), 1);
        EXPECT_EQ(window.pane().slider(0).value(), 110);
    }

    TEST(ParametersInTheWindow, FieldsAddAndRemoveAreEachOneUndoStep)
    {
        ParameterWindow window;
        FormulaParameter edited = window.pane().parameters()[0];
        edited.value = 3;
        edited.maximum = 5;
        emit window.pane().parameterEdited(edited);
        EXPECT_EQ(window.document.parameterTable.parameters[0], edited);
        EXPECT_EQ(window.sine().formula, "sin(3*x)");
        EXPECT_EQ(window.pane().slider(0).maximum(), 150);
        EXPECT_TRUE(window.document.isModified());

        emit window.pane().addRequested('m');
        ASSERT_EQ(window.document.parameterTable.parameters.size(), 2u);
        const FormulaParameter& m = window.document.parameterTable.parameters[1];
        EXPECT_EQ(m.name, 'm');
        EXPECT_EQ(m.value, 1);
        EXPECT_EQ(m.minimum, -10);
        EXPECT_EQ(m.maximum, 10);
        EXPECT_EQ(m.step, 0.1);
        EXPECT_EQ(window.pane().parameters().size(), 2u);
        // A letter taken already is refused with the table's own words.
        emit window.pane().addRequested('m');
        EXPECT_EQ(window.document.parameterTable.parameters.size(), 2u);
        EXPECT_EQ(window.ui.messages.back(), "There is already a parameter of this name.");

        emit window.pane().removeRequested('m');
        EXPECT_EQ(window.document.parameterTable.parameters.size(), 1u);
        EXPECT_EQ(window.pane().parameters().size(), 1u);
        EXPECT_EQ(window.document.undoStack.size(), 3u);

        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.pane().parameters().size(), 2u);
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.pane().parameters().size(), 1u);
        window.frame.action(CommandId::EditUndo)->trigger();
        EXPECT_EQ(window.k(), 1);
        EXPECT_EQ(window.pane().slider(0).maximum(), 200);
        EXPECT_EQ(window.sine().formula, "sin(1*x)");
    }

    TEST(ParametersInTheWindow, AParameterInUseIsNotRemoved)
    {
        ParameterWindow window;
        const ParameterTable table = window.document.parameterTable;
        emit window.pane().removeRequested('k');
        ASSERT_EQ(window.ui.messages.size(), 1u);
        EXPECT_EQ(
            window.ui.messages[0], "The parameter k is used by graph 2. Change its formula first.");
        EXPECT_EQ(window.document.parameterTable, table);
        EXPECT_EQ(window.pane().parameters().size(), 1u);
        EXPECT_TRUE(window.document.undoStack.empty());
        EXPECT_FALSE(window.document.isModified());
    }

    TEST(ParametersInTheWindow, NewAndOpenShowTheDocumentsTable)
    {
        const QTemporaryDir folder;
        const QString path = temporaryFile(folder, "k.ovd");
        {
            ParameterWindow window;
            ASSERT_TRUE(window.frame.saveDocumentAs(path));
        }
        Window window;
        window.frame.parametersDock()->hide();
        EXPECT_TRUE(window.frame.parametersPane()->parameters().empty());
        ASSERT_TRUE(window.frame.openDocument(path));
        ASSERT_EQ(window.frame.parametersPane()->parameters().size(), 1u);
        EXPECT_EQ(window.frame.parametersPane()->parameters()[0].name, 'k');
        // A document with parameters shows its pane.
        EXPECT_FALSE(window.frame.parametersDock()->isHidden());
        EXPECT_TRUE(window.frame.action(CommandId::ParametersPane)->isChecked());
        window.frame.newDocument();
        EXPECT_TRUE(window.frame.parametersPane()->parameters().empty());
    }

    TEST(ParametersInTheWindow, TheViewCommandShowsAndHidesThePaneAndItsPlaceIsKept)
    {
        QSettings(QStringLiteral("Quenbrix"), QStringLiteral("Ovilan"))
            .remove(QStringLiteral("Bars/State"));
        {
            Window window;
            QDockWidget* dock = window.frame.parametersDock();
            QAction* command = window.frame.action(CommandId::ParametersPane);
            EXPECT_EQ(dock->windowTitle(), QStringLiteral("Parameters"));
            EXPECT_TRUE(dock->isHidden());
            EXPECT_FALSE(command->isChecked());
            EXPECT_EQ(command->statusTip(), QStringLiteral("Show or hide the parameters pane"));
            command->trigger();
            EXPECT_FALSE(dock->isHidden());
            EXPECT_TRUE(command->isChecked());
            command->trigger();
            EXPECT_TRUE(dock->isHidden());
            EXPECT_FALSE(command->isChecked());
            command->trigger();
            window.frame.addDockWidget(Qt::LeftDockWidgetArea, dock);
            // Closing the window remembers its bars and panes for the next run.
            window.frame.show();
            window.frame.close();
        }
        Window window;
        EXPECT_FALSE(window.frame.parametersDock()->isHidden());
        EXPECT_EQ(
            window.frame.dockWidgetArea(window.frame.parametersDock()), Qt::LeftDockWidgetArea);
        // Its own close button hides it as the command does.
        window.frame.show();
        window.frame.parametersDock()->close();
        EXPECT_FALSE(window.frame.action(CommandId::ParametersPane)->isChecked());
        // The window goes with its pane shown.
        window.frame.action(CommandId::ParametersPane)->trigger();
        EXPECT_TRUE(window.frame.parametersDock()->isVisible());
        QSettings(QStringLiteral("Quenbrix"), QStringLiteral("Ovilan"))
            .remove(QStringLiteral("Bars/State"));
    }

} // namespace
} // namespace ovilan
