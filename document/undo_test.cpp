#include "document/document_commands.h"
#include "document/document_test_support.h"
#include "document/ovilan_doc.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::RecordingView;
    using testing::ScriptedUi;
    using testing::yOfX;

    struct UndoTest : ::testing::Test {
        AppPreferences preferences;
        COvilanDoc document { preferences };
        ScriptedUi ui;

        void add(const char* formula)
        {
            ui.graphs.push_back(yOfX(document, formula));
            addGraph(document, ui);
        }
        std::string describeAll()
        {
            std::string all;
            for (const auto& graph : document.graphs)
                all += graph->describe() + ";";
            return all;
        }
    };

    TEST_F(UndoTest, AddUndoRedoPutsTheGraphBackSelected)
    {
        add("x");
        add("x^2");
        document.undo();
        EXPECT_EQ(describeAll(), "Y(x)=x;");
        EXPECT_EQ(document.currentGraph, 0);
        document.redo();
        EXPECT_EQ(describeAll(), "Y(x)=x;Y(x)=x^2;");
        EXPECT_EQ(document.currentGraph, 1);
        EXPECT_FALSE(document.canRedo());
        EXPECT_EQ(document.undoStack.size(), 2u);
    }

    // A window enables Undo and Redo when a hint arrives, so the stacks must already be in their
    // new state then.
    TEST_F(UndoTest, HintsSeeTheStacksAsTheyWillStay)
    {
        struct StackWatcher : DocumentView {
            explicit StackWatcher(const COvilanDoc& watched)
                : document(watched)
            {
            }
            void onUpdate(std::int32_t) override
            {
                canUndo = document.canUndo();
                canRedo = document.canRedo();
                modified = document.isModified();
            }
            const COvilanDoc& document;
            bool canUndo = false;
            bool canRedo = false;
            bool modified = false;
        } watcher(document);
        add("x");
        document.setModified(false);
        document.addView(&watcher);
        document.undo();
        EXPECT_FALSE(watcher.canUndo);
        EXPECT_TRUE(watcher.canRedo);
        EXPECT_TRUE(watcher.modified);
        document.redo();
        EXPECT_TRUE(watcher.canUndo);
        EXPECT_FALSE(watcher.canRedo);
    }

    // Undo, Redo and the title's modified mark follow the stacks and the flag on every change,
    // also on those that send no hint: a refused zoom, a cancelled table edit, a save.
    TEST_F(UndoTest, EveryChangeOfTheHistoryOrTheModifiedMarkIsAnnounced)
    {
        struct StateWatcher : DocumentStateListener {
            explicit StateWatcher(const COvilanDoc& watched)
                : document(watched)
            {
            }
            void onDocumentStateChanged() override
            {
                ++calls;
                seen = { document.canUndo(), document.canRedo(), document.isModified() };
            }
            const COvilanDoc& document;
            int calls = 0;
            std::array<bool, 3> seen {};
        } watcher(document);
        document.addStateListener(&watcher);
        const std::pair<const char*, std::function<void()>> changes[] = {
            { "add", [&] { add("x"); } },
            { "saved", [&] { document.setModified(false); } },
            { "undo", [&] { document.undo(); } },
            { "refused zoom",
                [&] {
                    document.xAxis.min = 0;
                    document.xAxis.max = 1.5e-21;
                    zoomIn(document, ui);
                } },
            { "undo again", [&] { document.undo(); } },
            { "redo", [&] { document.redo(); } },
            { "table edit cancelled",
                [&] {
                    document.setModified(false);
                    editCurrentGraph(document, ui);
                } },
            { "table edit confirmed",
                [&] {
                    ui.editTable = [](CTableGraph&) {};
                    editCurrentGraph(document, ui);
                } },
            { "reset", [&] { document.reset(); } },
        };
        document.insertGraph(std::make_unique<CTableGraph>(document), 0);
        for (const auto& [name, change] : changes) {
            watcher.calls = 0;
            change();
            EXPECT_GT(watcher.calls, 0) << name;
            const std::array<bool, 3> now
                = { document.canUndo(), document.canRedo(), document.isModified() };
            EXPECT_EQ(watcher.seen, now) << name;
        }
        document.removeStateListener(&watcher);
    }

    TEST_F(UndoTest, RemovedGraphReturnsWithItsAttributes)
    {
        add("x");
        add("x^2");
        add("x^3");
        document.graph(1).lineWidth = 4;
        document.graph(1).legendText = "square";
        document.currentGraph = 1;
        removeCurrentGraph(document, ui);
        EXPECT_EQ(describeAll(), "Y(x)=x;Y(x)=x^3;");
        document.undo();
        EXPECT_EQ(describeAll(), "Y(x)=x;Y(x)=x^2 {square};Y(x)=x^3;");
        EXPECT_EQ(document.graph(1).lineWidth, 4);
        EXPECT_EQ(document.currentGraph, 1);
    }

    TEST_F(UndoTest, ZoomTwiceUndoTwiceRedoTwice)
    {
        zoomIn(document, ui);
        zoomIn(document, ui);
        EXPECT_EQ(document.xAxis.max, 2.5);
        EXPECT_EQ(document.xAxis.tickStep, 0.5);
        document.undo();
        document.undo();
        EXPECT_EQ(static_cast<const PlotSettings&>(document), PlotSettings());
        document.redo();
        document.redo();
        EXPECT_EQ(document.yAxis.min, -2.5);
        EXPECT_EQ(document.yAxis.labelStep, 0.5);
    }

    TEST_F(UndoTest, NewChangeAfterUndoEmptiesRedo)
    {
        zoomOut(document, ui);
        document.undo();
        ASSERT_TRUE(document.canRedo());
        scroll(document, PlotMapping(), ScrollDirection::Left);
        EXPECT_FALSE(document.canRedo());
    }

    TEST_F(UndoTest, UndoOnEmptyStackChangesNothing)
    {
        document.undo();
        document.redo();
        EXPECT_FALSE(document.isModified());
    }

    TEST_F(UndoTest, LabelsUndoWithTheirHints)
    {
        RecordingView view;
        document.addView(&view);
        CPlotLabel label;
        label.caption = "a";
        document.pushSnapshot(kLabelInserted, 0, 0);
        document.insertLabel(label, 0);
        CPlotLabel moved = label;
        moved.x = 3;
        document.pushSnapshot(kLabelChanged, 0, 0);
        document.replaceLabel(moved, 0);
        document.pushSnapshot(kLabelRemoved, 0, 0);
        document.removeLabel(0);
        view.hints.clear();

        document.undo(); // the removal
        ASSERT_EQ(document.labelCount(), 1);
        EXPECT_EQ(document.labels[0].x, 3);
        document.undo(); // the move
        EXPECT_EQ(document.labels[0].x, 0);
        document.undo(); // the insertion
        EXPECT_EQ(document.labelCount(), 0);
        const std::int32_t area = labelAreaHint(0);
        EXPECT_EQ(view.hints, (std::vector<std::int32_t> { area, area, area, area }));
        document.redo();
        document.redo();
        document.redo();
        EXPECT_EQ(document.labelCount(), 0);
        EXPECT_EQ(document.undoStack.size(), 3u);
    }

    TEST_F(UndoTest, CancelledTableDialogLeavesHistoryAlone)
    {
        ui.editTable = [](CTableGraph& table) {
            table.cellX[0] = "1";
            table.cellY[0] = "2";
        };
        addTableGraph(document, ui);
        document.setModified(false);
        ui.editTable = nullptr;
        editCurrentGraph(document, ui);
        EXPECT_EQ(document.undoStack.size(), 1u);
        EXPECT_FALSE(document.isModified());

        // A one-point table (steps 0) still undoes.
        ui.editTable = [](CTableGraph& table) { table.cellY[0] = "5"; };
        editCurrentGraph(document, ui);
        EXPECT_EQ(document.graph(0).ys[0], 5);
        document.undo();
        EXPECT_EQ(document.graph(0).ys[0], 2);
        EXPECT_EQ(document.graph(0).describe(), "Table 1 elements");
    }

    // One step per slider drag: the table before the drag comes back whole, and redo moves the
    // slider again.
    TEST_F(UndoTest, ParameterTableChangesUndoAndRedoAsOneStep)
    {
        FormulaParameter k;
        k.value = 2;
        document.parameterTable.parameters = { k };
        RecordingView view;
        document.addView(&view);
        document.pushSnapshot(kParametersChanged, 0, 0);
        document.parameterTable.parameters[0].value = 3.5;
        FormulaParameter m;
        m.name = 'm';
        document.parameterTable.parameters.push_back(m);
        const ParameterTable moved = document.parameterTable;

        document.undo();
        EXPECT_EQ(document.parameterTable, ParameterTable { { k } });
        EXPECT_EQ(view.hints, std::vector<std::int32_t> { kHintRepaint });
        EXPECT_TRUE(document.isModified());
        document.redo();
        EXPECT_EQ(document.parameterTable, moved);
        EXPECT_FALSE(document.canRedo());
        document.removeView(&view);
    }

    // A graph whose formula with its parameter's value the check refuses has no classic formula;
    // its steps carry the formula as typed.
    TEST_F(UndoTest, GraphsKeepTheirFormulasTypedWithParameters)
    {
        add("sin(2*x)");
        auto& wave = dynamic_cast<CFunctionGraph&>(document.graph(0));
        wave.parameterFormula = "sin(k*x)";
        auto pole = std::make_unique<CYofXGraph>(document);
        pole->parameterFormula = "x/k";
        document.pushSnapshot(kGraphInserted, 1, 0);
        document.insertGraph(std::move(pole), 1);

        document.pushSnapshot(kGraphChanged, 0, 0);
        wave.parameterFormula.clear();
        document.undo();
        EXPECT_EQ(dynamic_cast<CFunctionGraph&>(document.graph(0)).parameterFormula, "sin(k*x)");

        document.currentGraph = 1;
        removeCurrentGraph(document, ui);
        ASSERT_EQ(document.graphCount(), 1);
        document.undo();
        ASSERT_EQ(document.graphCount(), 2);
        const auto& back = dynamic_cast<CFunctionGraph&>(document.graph(1));
        EXPECT_EQ(back.parameterFormula, "x/k");
        EXPECT_TRUE(back.formula.empty());
        document.undo(); // the insertion
        EXPECT_EQ(document.graphCount(), 1);
        document.redo();
        EXPECT_EQ(dynamic_cast<CFunctionGraph&>(document.graph(1)).parameterFormula, "x/k");
    }

} // namespace
} // namespace ovilan
