#include "document/document_commands.h"
#include "document/document_file.h"
#include "document/document_test_support.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace ovilan {
namespace {

    using testing::RecordingView;
    using testing::ScriptedUi;
    using testing::yOfX;

    TEST(DocumentCommands, ZoomOutAndInScaleRangesAndSteps)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        ScriptedUi ui;
        zoomOut(document, ui);
        EXPECT_EQ(document.xAxis.min, -20);
        EXPECT_EQ(document.yAxis.max, 20);
        EXPECT_EQ(document.xAxis.tickStep, 4);
        EXPECT_EQ(document.grid.horizontal.step, 4);
        zoomIn(document, ui);
        zoomIn(document, ui);
        EXPECT_EQ(document.xAxis.max, 5);
        EXPECT_EQ(document.yAxis.labelStep, 1);

        preferences.autoChangeSteps = 0;
        zoomOut(document, ui);
        EXPECT_EQ(document.xAxis.max, 10);
        EXPECT_EQ(document.yAxis.labelStep, 1);
    }

    TEST(DocumentCommands, ZoomAboutAPointKeepsItsPlaceInBothRanges)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        ScriptedUi ui;
        zoomAbout(document, ui, true, 5, -6);
        EXPECT_EQ(document.xAxis.min, -2.5);
        EXPECT_EQ(document.xAxis.max, 7.5);
        EXPECT_EQ(document.yAxis.min, -8);
        EXPECT_EQ(document.yAxis.max, 2);
        EXPECT_EQ(document.xAxis.tickStep, 1);
        EXPECT_EQ(document.undoStack.size(), 1U);
        zoomAbout(document, ui, false, 5, -6);
        EXPECT_EQ(document.xAxis.min, -10);
        EXPECT_EQ(document.yAxis.max, 10);
        EXPECT_EQ(document.xAxis.tickStep, 2);
        document.undo();
        EXPECT_EQ(document.xAxis.min, -2.5);

        // The commands' limits hold about any point.
        document.xAxis.min = 0;
        document.xAxis.max = 1e-21;
        zoomAbout(document, ui, true, 0, 0);
        EXPECT_EQ(ui.messages, (std::vector<std::string> { "Too small interval." }));
        EXPECT_EQ(document.xAxis.max, 1e-21);
    }

    TEST(DocumentCommands, RefusedZoomChangesNeitherAxis)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        ScriptedUi ui;
        document.xAxis.min = 0;
        document.xAxis.max = 1.5e-21;
        RecordingView view;
        document.addView(&view);
        zoomIn(document, ui);
        EXPECT_EQ(ui.messages, std::vector<std::string> { "Too small interval." });
        EXPECT_EQ(document.xAxis.max, 1.5e-21);
        EXPECT_EQ(document.yAxis.max, 10); // Y is not left zoomed on its own
        EXPECT_TRUE(view.hints.empty());
        EXPECT_EQ(document.undoStack.size(), 1u);

        document.xAxis = defaultXAxis();
        document.xAxis.max = 1e200;
        zoomOut(document, ui);
        EXPECT_EQ(ui.messages.back(), "Too large interval.");
        EXPECT_EQ(document.yAxis.max, 10);
    }

    TEST(DocumentCommands, ScrollFollowsTheScreenDirection)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        PlotMapping mapping;
        scroll(document, mapping, ScrollDirection::Right);
        EXPECT_EQ(document.xAxis.min, -8);
        EXPECT_EQ(document.xAxis.max, 12);
        document.xAxis = defaultXAxis();
        mapping.xDirection = -1;
        scroll(document, mapping, ScrollDirection::Right);
        EXPECT_EQ(document.xAxis.min, -12);
        EXPECT_EQ(document.xAxis.tickStep, 2);
    }

    TEST(DocumentCommands, GraphListOperationsSendTheirHintsInOrder)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        ScriptedUi ui;
        RecordingView view;
        document.addView(&view);
        ui.graphs.push_back(yOfX(document, "x"));
        ui.graphs.push_back(yOfX(document, "x^2"));
        addGraph(document, ui);
        addGraph(document, ui);
        document.graph(0).showGraph = 0;
        document.insertGraph(yOfX(document, "1"), 0);
        EXPECT_EQ(document.currentGraph, 0);
        EXPECT_EQ(document.graph(1).describe(), "Y(x)=x");
        document.currentGraph = 1;
        removeCurrentGraph(document, ui); // the hidden one
        EXPECT_EQ(document.currentGraph, 1);
        EXPECT_EQ(view.hints,
            (std::vector<std::int32_t> { graphInsertedHint(0),
                3,
                graphInsertedHint(1),
                3,
                graphInsertedHint(0),
                3,
                graphRemovedHint(1) }));

        ui.answerYes = false;
        removeCurrentGraph(document, ui);
        EXPECT_EQ(document.graphCount(), 2);
        EXPECT_EQ(ui.questions.back(), "Are you sure that you want to remove this graph?");
    }

    TEST(DocumentCommands, ApplyingPropertiesKeepsTypedStepsAndScalesTheOthers)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        PlotSettings edited = document;
        edited.xAxis.max = 20; // width 20 -> 30
        edited.xAxis.tickStep = 5;
        int reloads = 0;
        applyDocumentProperties(document, edited, [&reloads] { ++reloads; });
        EXPECT_EQ(document.xAxis.tickStep, 5);
        EXPECT_EQ(document.xAxis.labelStep, 3);
        EXPECT_EQ(document.grid.vertical.step, 3);
        EXPECT_EQ(document.yAxis.tickStep, 2);
        EXPECT_EQ(reloads, 1);
        document.undo();
        EXPECT_EQ(static_cast<const PlotSettings&>(document), PlotSettings());
    }

    TEST(DocumentCommands, AutoStepsRoundToTenDigits)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        document.xAxis.min = 0;
        document.xAxis.max = 1;
        document.applyAutoSteps(1.0 / 3, 1.0 / 3, 1.0 / 3, 0.1, 0.1, 0.1);
        EXPECT_EQ(document.xAxis.tickStep, 0.3333333333);
        EXPECT_EQ(document.yAxis.tickStep, 2);
    }

    // A graph as the dialog gives it: following its axis, with the range's ten shown digits.
    std::unique_ptr<CFunctionGraph> followingShownRange(
        const PlotSettings& document, GraphKind kind, double from, double to)
    {
        std::unique_ptr<CGraph> created = createGraph(static_cast<std::int32_t>(kind), document);
        std::unique_ptr<CFunctionGraph> graph(static_cast<CFunctionGraph*>(created.release()));
        graph->setFormula("sin(3*t)", 0);
        graph->setFormula("t", 1);
        graph->intervalFrom = from;
        graph->intervalTo = to;
        return graph;
    }

    // A range with more digits than are shown, left by a scroll: -0.15 moved by a tenth of 4.5.
    TEST(DocumentCommands, AddedOrEditedGraphsHoldTheRangeTheyFollowSoUndoGivesBackTheSameBytes)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        ScriptedUi ui;
        document.yAxis.min = -0.15000000000000002;
        document.yAxis.max = 4.35;
        document.xAxis.max = 1.0 / 3;
        ui.graphs.push_back(followingShownRange(document, GraphKind::YofX, -10, 0.3333333333));
        ui.graphs.push_back(followingShownRange(document, GraphKind::XofY, -0.15, 4.35));
        ui.graphs.push_back(followingShownRange(document, GraphKind::Parametric, -0.15, 4.35));
        addGraph(document, ui);
        addGraph(document, ui);
        addGraph(document, ui);
        document.currentGraph = 1;
        ui.graphs.push_back(followingShownRange(document, GraphKind::XofY, -0.15, 4.35));
        editCurrentGraph(document, ui);

        const auto& ofX = static_cast<const CFunctionGraph&>(document.graph(0));
        const auto& ofY = static_cast<const CFunctionGraph&>(document.graph(1));
        const auto& parametric = static_cast<const CFunctionGraph&>(document.graph(2));
        EXPECT_EQ(ofX.intervalTo, 1.0 / 3);
        EXPECT_EQ(ofY.intervalFrom, -0.15000000000000002);
        EXPECT_EQ(parametric.intervalFrom, -0.15); // its interval is always its own

        const std::vector<std::uint8_t> before = writeDocument(document);
        zoomAbout(document, ui, false, 0.1, 2);
        scroll(document, PlotMapping {}, ScrollDirection::Up);
        zoomIn(document, ui);
        document.undo();
        document.undo();
        document.undo();
        EXPECT_TRUE(writeDocument(document) == before);
        document.refreshGraphs();
        EXPECT_TRUE(writeDocument(document) == before);
    }

} // namespace
} // namespace ovilan

namespace ovilan {
namespace {

    struct MapStore : SettingsStore {
        int readInt(std::string_view section, std::string_view name, int fallback) const override
        {
            const auto found = values.find(std::string(section) + "/" + std::string(name));
            return found == values.end() ? fallback : found->second;
        }
        void writeInt(std::string_view section, std::string_view name, int value) override
        {
            values[std::string(section) + "/" + std::string(name)] = value;
        }
        std::map<std::string, int> values;
    };

    TEST(Preferences, FirstRunDefaultsAndBothWrittenAtExit)
    {
        MapStore store;
        AppPreferences preferences = readPreferences(store);
        EXPECT_EQ(preferences.autoChangeSteps, 1);
        EXPECT_EQ(preferences.persistentCursor, 0);
        preferences.autoChangeSteps = 0;
        writePreferences(store, preferences);
        EXPECT_EQ(store.values,
            (std::map<std::string, int> {
                { "Environment/ACS", 0 }, { "Environment/PersistCur", 0 } }));
        EXPECT_EQ(readPreferences(store).autoChangeSteps, 0);
    }

} // namespace
} // namespace ovilan
