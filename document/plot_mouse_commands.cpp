#include "document/plot_mouse_commands.h"

#include "document/document_commands.h"

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    bool isLabel(const COvilanDoc& document, std::int32_t index)
    {
        return index >= 0 && index < document.labelCount();
    }

} // namespace

bool addLabelAt(COvilanDoc& document, UserInterface& ui, double x, double y)
{
    CPlotLabel label;
    label.x = x;
    label.y = y;
    if (!ui.runLabelDialog(document, label))
        return false;
    const std::int32_t index = document.labelCount();
    document.pushSnapshot(kLabelInserted, index, 0);
    document.insertLabel(label, index);
    return true;
}

void addCaptionedLabel(COvilanDoc& document, double x, double y, const std::string& caption)
{
    CPlotLabel label;
    label.x = x;
    label.y = y;
    label.caption = caption.substr(0, kMaxCaptionLength);
    const std::int32_t index = document.labelCount();
    document.pushSnapshot(kLabelInserted, index, 0);
    document.insertLabel(label, index);
}

void addCaptionedLabels(COvilanDoc& document, std::span<const CaptionedPoint> points)
{
    if (points.empty())
        return;
    // All the labels are undone and redone as one step.
    document.beginUndoGroup();
    for (const CaptionedPoint& point : points) {
        CPlotLabel label;
        label.x = point.x;
        label.y = point.y;
        label.caption = point.caption.substr(0, kMaxCaptionLength);
        const std::int32_t index = document.labelCount();
        document.pushSnapshot(kLabelInserted, index, 0);
        document.insertLabel(label, index);
    }
    document.endUndoGroup();
}

bool editLabel(COvilanDoc& document, UserInterface& ui, std::int32_t index)
{
    if (!isLabel(document, index))
        return false;
    CPlotLabel copy = document.labels[static_cast<std::size_t>(index)];
    if (!ui.runLabelDialog(document, copy))
        return false;
    document.pushSnapshot(kLabelChanged, index, 0);
    document.replaceLabel(copy, index);
    return true;
}

bool removeLabelAsked(COvilanDoc& document, UserInterface& ui, std::int32_t index)
{
    if (!isLabel(document, index) || !ui.askConfirmation(kRemoveLabelQuestion))
        return false;
    document.pushSnapshot(kLabelRemoved, index, 0);
    document.removeLabel(index);
    return true;
}

void moveLabel(COvilanDoc& document, std::int32_t index, double x, double y)
{
    if (!isLabel(document, index))
        return;
    CPlotLabel moved = document.labels[static_cast<std::size_t>(index)];
    moved.x = x;
    moved.y = y;
    document.pushSnapshot(kLabelChanged, index, 0);
    document.replaceLabel(moved, index);
}

bool zoomToSelection(
    COvilanDoc& document, UserInterface& ui, double x1, double y1, double x2, double y2)
{
    x1 = roundedToShownDigits(x1);
    y1 = roundedToShownDigits(y1);
    x2 = roundedToShownDigits(x2);
    y2 = roundedToShownDigits(y2);
    if (!(std::abs(x1 - x2) >= 1e-21) || !(std::abs(y1 - y2) >= 1e-21)) {
        ui.showMessage(kSelectionTooSmall);
        return false;
    }
    document.pushSnapshot(kSettingsChanged, 0, 0);
    const StepRatios ratios = stepRatios(document);
    document.xAxis.min = std::min(x1, x2);
    document.xAxis.max = std::max(x1, x2);
    document.yAxis.min = std::min(y1, y2);
    document.yAxis.max = std::max(y1, y2);
    document.refreshGraphs();
    applyAutoSteps(document, ratios);
    document.updateAllViews(kHintRepaint);
    return true;
}

} // namespace ovilan
