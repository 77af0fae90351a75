#include "document/document_test_support.h"
#include "document/plot_mouse_commands.h"

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::RecordingView;
    using testing::ScriptedUi;

    CPlotLabel labelAt(double x, double y, const char* caption)
    {
        CPlotLabel label;
        label.x = x;
        label.y = y;
        label.caption = caption;
        return label;
    }

    TEST(PlotMouseCommands, AddingALabelTakesTheDialogsRecordAndOneUndoStep)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        document.insertLabel(labelAt(1, 1, "first"), 0);
        ScriptedUi ui;
        EXPECT_FALSE(addLabelAt(document, ui, 2, 3));
        EXPECT_EQ(document.labelCount(), 1);
        EXPECT_FALSE(document.canUndo());
        EXPECT_FALSE(document.isModified());

        ui.editLabel = [](CPlotLabel& label) {
            EXPECT_EQ(label.x, 2);
            EXPECT_EQ(label.y, 3);
            label.caption = "peak";
        };
        RecordingView view;
        document.addView(&view);
        EXPECT_TRUE(addLabelAt(document, ui, 2, 3));
        ASSERT_EQ(document.labelCount(), 2);
        EXPECT_EQ(document.labels[1].caption, "peak");
        EXPECT_EQ(document.undoStack.size(), 1U);
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(view.hints, (std::vector<std::int32_t> { labelAreaHint(1) }));
        document.undo();
        EXPECT_EQ(document.labelCount(), 1);
        document.removeView(&view);
    }

    TEST(PlotMouseCommands, EditRemoveAndMoveEachRecordOneStepThatUndoes)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        document.insertLabel(labelAt(1, 1, "a"), 0);
        document.insertLabel(labelAt(2, 2, "b"), 1);
        ScriptedUi ui;

        // A cancelled dialog leaves the label alone, even what the dialog changed on its copy.
        EXPECT_FALSE(editLabel(document, ui, 1));
        EXPECT_FALSE(editLabel(document, ui, 2));
        ui.editLabel = [](CPlotLabel& label) { label.caption = "edited"; };
        EXPECT_TRUE(editLabel(document, ui, 1));
        EXPECT_EQ(document.labels[1].caption, "edited");
        EXPECT_EQ(document.labels[0].caption, "a");

        moveLabel(document, 0, -4, 5.5);
        EXPECT_EQ(document.labels[0].x, -4);
        EXPECT_EQ(document.labels[0].y, 5.5);
        EXPECT_EQ(document.labels[0].caption, "a");

        ui.answerYes = false;
        EXPECT_FALSE(removeLabelAsked(document, ui, 0));
        EXPECT_EQ(ui.confirmations,
            (std::vector<std::string> { "Are you sure that you want to remove this label?" }));
        ui.answerYes = true;
        EXPECT_TRUE(removeLabelAsked(document, ui, 0));
        ASSERT_EQ(document.labelCount(), 1);
        EXPECT_EQ(document.labels[0].caption, "edited");
        EXPECT_EQ(document.undoStack.size(), 3U);

        document.undo();
        document.undo();
        EXPECT_EQ(document.labels[0].x, 1);
        EXPECT_EQ(document.labels[0].caption, "a");
        document.undo();
        EXPECT_EQ(document.labels[1].caption, "b");
        EXPECT_FALSE(document.canUndo());
    }

    TEST(PlotMouseCommands, SelectionSetsTheRangesFromEitherCornerWithTheShownDigits)
    {
        AppPreferences preferences;
        COvilanDoc first(preferences);
        COvilanDoc second(preferences);
        ScriptedUi ui;
        RecordingView view;
        first.addView(&view);
        EXPECT_TRUE(zoomToSelection(first, ui, -2, 4, 0.1 + 0.2, -1));
        EXPECT_TRUE(zoomToSelection(second, ui, 0.1 + 0.2, -1, -2, 4));
        for (const COvilanDoc* document : { &first, &second }) {
            EXPECT_EQ(document->xAxis.min, -2);
            EXPECT_EQ(document->xAxis.max, 0.3);
            EXPECT_EQ(document->yAxis.min, -1);
            EXPECT_EQ(document->yAxis.max, 4);
            EXPECT_EQ(document->undoStack.size(), 1U);
        }
        EXPECT_EQ(view.hints, (std::vector<std::int32_t> { kHintRepaint }));
        EXPECT_TRUE(ui.messages.empty());
        first.undo();
        EXPECT_EQ(first.xAxis.min, -10);
        EXPECT_EQ(first.yAxis.max, 10);
        first.removeView(&view);
    }

    TEST(PlotMouseCommands, ThinSelectionIsRefusedAndStepsFollowOnlyWhenAsked)
    {
        AppPreferences preferences;
        COvilanDoc document(preferences);
        ScriptedUi ui;
        EXPECT_FALSE(zoomToSelection(document, ui, 1, 1, 1, 5));
        EXPECT_FALSE(zoomToSelection(document, ui, 1, 2, 3, 2 + 1e-22));
        EXPECT_EQ(ui.messages, (std::vector<std::string>(2, "Too small interval")));
        EXPECT_EQ(document.xAxis.min, -10);
        EXPECT_FALSE(document.canUndo());
        EXPECT_FALSE(document.isModified());

        // The ranges shrink by 4 and 10; each step keeps its ratio to its range.
        EXPECT_TRUE(zoomToSelection(document, ui, 0, 0, 5, 2));
        EXPECT_EQ(document.xAxis.tickStep, 0.5);
        EXPECT_EQ(document.yAxis.labelStep, 0.2);
        EXPECT_EQ(document.grid.vertical.step, 0.5);

        preferences.autoChangeSteps = 0;
        EXPECT_TRUE(zoomToSelection(document, ui, 0, 0, 50, 20));
        EXPECT_EQ(document.xAxis.tickStep, 0.5);
        EXPECT_EQ(document.grid.horizontal.step, 0.2);
    }

} // namespace
} // namespace ovilan
