#include "document/document_commands.h"

#include "document/load_allowance.h"
#include "document/points_in_view.h"
#include "expr/number_format.h"
#include "expr/text_evaluator.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

namespace ovilan {

namespace {

    struct Range {
        double min;
        double max;
    };

    // Scales an axis range about a fixed point, by default its midpoint.
    Range scaled(const AxisSettings& axis, double factor, std::optional<double> fixed)
    {
        const double centre = fixed.value_or((axis.min + axis.max) * 0.5);
        return { centre + (axis.min - centre) * factor, centre + (axis.max - centre) * factor };
    }

    // A bound of the wheel's zoom: the shown digits, and zero for what is left of zero by the
    // arithmetic about a point that is not a binary fraction (870.1 + (435.05 - 870.1) * 2 is
    // -1.1e-13, not 0), which no digit rounding takes away.
    double wheelBound(double value, const Range& range)
    {
        if (std::abs(value) <= (range.max - range.min) * 1e-12)
            return 0;
        return roundedToShownDigits(value);
    }

    // Zoom In keeps the shown digits of its new bounds; the wheel's zoom keeps them both ways.
    enum class ShownDigits { WhenZoomingIn, BothWays };

    // The zoom's checks come before any range is stored, so a refused zoom leaves both axes as
    // they were (Y first, then X, as the messages have always come).
    void zoom(COvilanDoc& document,
        UserInterface& ui,
        double factor,
        std::optional<double> fixedX = std::nullopt,
        std::optional<double> fixedY = std::nullopt,
        ShownDigits shownDigits = ShownDigits::WhenZoomingIn)
    {
        document.pushSnapshot(kSettingsChanged, 0, 0);
        const StepRatios ratios = stepRatios(document);
        const bool zoomingIn = factor < 1;
        std::optional<Range> ranges[2];
        const AxisSettings* axes[2] = { &document.yAxis, &document.xAxis };
        const std::optional<double> fixed[2] = { fixedY, fixedX };
        for (int i = 0; i < 2; ++i) {
            Range range = scaled(*axes[i], factor, fixed[i]);
            if (shownDigits == ShownDigits::BothWays)
                range = { wheelBound(range.min, range), wheelBound(range.max, range) };
            else if (zoomingIn)
                range = { roundedToShownDigits(range.min), roundedToShownDigits(range.max) };
            if (zoomingIn) {
                if (range.max - range.min < 1e-21) {
                    ui.showMessage(kTooSmallInterval);
                    return;
                }
            } else if (range.max - range.min > 1e200) {
                ui.showMessage(kTooLargeInterval);
                return;
            }
            ranges[i] = range;
        }
        document.yAxis.min = ranges[0]->min;
        document.yAxis.max = ranges[0]->max;
        document.xAxis.min = ranges[1]->min;
        document.xAxis.max = ranges[1]->max;
        document.refreshGraphs();
        applyAutoSteps(document, ratios);
        document.updateAllViews(kHintRepaint);
    }

    // The dialogs refuse a graph the document cannot hold; this keeps any other caller from
    // making a document that would not open again.
    bool fitsDocument(
        const COvilanDoc& document, const CGraph& graph, std::int32_t index, UserInterface& ui)
    {
        if (loadsWithGraph(document, graph, index))
            return true;
        ui.showMessage(kDocumentTooLarge);
        return false;
    }

    void shift(AxisSettings& axis, double sign, std::int32_t direction)
    {
        const double distance = 0.1 * (axis.max - axis.min) * direction;
        axis.min += sign * distance;
        axis.max += sign * distance;
    }

    // The graph dialog hands over a graph that follows an axis with the range as its fields show
    // it, to ten digits. The graph takes the range itself, as every refresh after a zoom, a
    // scroll or an undo gives it, so the history finds it unchanged when it steps back.
    void followAxisExactly(CFunctionGraph& graph, const COvilanDoc& document)
    {
        if (graph.ownInterval)
            return;
        const AxisSettings* axis = nullptr;
        if (graph.kind == GraphKind::YofX)
            axis = &document.xAxis;
        else if (graph.kind == GraphKind::XofY)
            axis = &document.yAxis;
        if (!axis)
            return;
        graph.intervalFrom = axis->min;
        graph.intervalTo = axis->max;
    }

} // namespace

double roundedToShownDigits(double value)
{
    return evaluateText(formatNumber(value), " ", 0).value_or(value);
}

void addGraph(COvilanDoc& document, UserInterface& ui)
{
    std::unique_ptr<CFunctionGraph> graph = ui.runGraphDialog(document, nullptr);
    if (!graph)
        return;
    followAxisExactly(*graph, document);
    const std::int32_t count = document.graphCount();
    if (!fitsDocument(document, *graph, count, ui))
        return;
    document.pushSnapshot(kGraphInserted, count, 0);
    document.insertGraph(std::move(graph), count);
}

void addTableGraph(COvilanDoc& document, UserInterface& ui)
{
    addFilledTableGraph(document, ui, std::make_unique<CTableGraph>(document));
}

bool addFilledTableGraph(
    COvilanDoc& document, UserInterface& ui, std::unique_ptr<CTableGraph> graph)
{
    if (!ui.runTableGraphDialog(document, *graph))
        return false;
    const std::int32_t count = document.graphCount();
    if (!fitsDocument(document, *graph, count, ui))
        return false;
    document.pushSnapshot(kGraphInserted, count, 0);
    document.insertGraph(std::move(graph), count);
    return true;
}

void addImportedTableGraph(
    COvilanDoc& document, UserInterface& ui, std::unique_ptr<CTableGraph> graph)
{
    // The ranges of a plot without graphs were not chosen for these data.
    const AxesToMove axes
        = document.graphCount() == 0 ? AxesToMove::Both : AxesToMove::MissingPoints;
    document.beginUndoGroup();
    if (addFilledTableGraph(document, ui, std::move(graph))) {
        // The added graph's points were traced as it joined the list.
        const CGraph& added = document.graph(document.graphCount() - 1);
        if (axesMoveForPoints(document, added, axes)) {
            document.pushSnapshot(kSettingsChanged, 0, 0);
            bringPointsIntoView(document, added, axes);
            document.updateAllViews(kHintRepaint);
        }
    }
    document.endUndoGroup();
}

void removeCurrentGraph(COvilanDoc& document, UserInterface& ui)
{
    const std::int32_t index = document.currentGraph;
    if (index < 0 || index >= document.graphCount())
        return;
    if (!ui.askYesNo(kRemoveGraphQuestion))
        return;
    document.pushSnapshot(kGraphRemoved, index, 0);
    document.removeGraph(index);
}

void editCurrentGraph(COvilanDoc& document, UserInterface& ui)
{
    const std::int32_t index = document.currentGraph;
    if (index < 0 || index >= document.graphCount())
        return;
    CGraph& graph = document.graph(index);
    if (graph.kind != GraphKind::Table) {
        std::unique_ptr<CFunctionGraph> edited
            = ui.runGraphDialog(document, static_cast<const CFunctionGraph*>(&graph));
        if (!edited || !fitsDocument(document, *edited, index, ui))
            return;
        followAxisExactly(*edited, document);
        document.pushSnapshot(kGraphChanged, index, 0);
        document.replaceGraph(std::move(edited), index);
        return;
    }
    // The table dialog edits the graph in place, so its undo step is taken first and dropped
    // again on Cancel; on OK the modified mark and the redo stack are seen to here.
    auto& table = static_cast<CTableGraph&>(graph);
    document.pushSnapshot(kGraphChanged, index, kKeepRedoStack);
    if (!ui.runTableGraphDialog(document, table)) {
        document.dropNewestSnapshot();
        return;
    }
    table.computePoints();
    document.confirmInPlaceEdit();
    document.updateAllViews(graphChangedHint(index));
    document.updateAllViews(kHintRepaint);
}

void documentProperties(COvilanDoc& document, UserInterface& ui)
{
    ui.runDocumentProperties(document);
}

void zoomIn(COvilanDoc& document, UserInterface& ui) { zoom(document, ui, 0.5); }

void zoomOut(COvilanDoc& document, UserInterface& ui) { zoom(document, ui, 2); }

void zoomAbout(COvilanDoc& document, UserInterface& ui, bool zoomingIn, double x, double y)
{
    zoom(document, ui, zoomingIn ? 0.5 : 2, x, y, ShownDigits::BothWays);
}

void scroll(COvilanDoc& document, const PlotMapping& mapping, ScrollDirection direction)
{
    document.pushSnapshot(kSettingsChanged, 0, 0);
    switch (direction) {
    case ScrollDirection::Left:
        shift(document.xAxis, -1, mapping.xDirection);
        break;
    case ScrollDirection::Right:
        shift(document.xAxis, +1, mapping.xDirection);
        break;
    case ScrollDirection::Down:
        shift(document.yAxis, -1, mapping.yDirection);
        break;
    case ScrollDirection::Up:
        shift(document.yAxis, +1, mapping.yDirection);
        break;
    }
    document.refreshGraphs();
    document.updateAllViews(kHintRepaint);
}

StepRatios stepRatios(const PlotSettings& settings)
{
    const double wx = settings.xAxis.max - settings.xAxis.min;
    const double wy = settings.yAxis.max - settings.yAxis.min;
    return { settings.xAxis.labelStep / wx,
        settings.xAxis.tickStep / wx,
        settings.grid.vertical.step / wx,
        settings.yAxis.labelStep / wy,
        settings.yAxis.tickStep / wy,
        settings.grid.horizontal.step / wy };
}

void applyAutoSteps(COvilanDoc& document, const StepRatios& ratios)
{
    document.applyAutoSteps(
        ratios.xLabel, ratios.xTick, ratios.xGrid, ratios.yLabel, ratios.yTick, ratios.yGrid);
}

void applyDocumentProperties(
    COvilanDoc& document, const PlotSettings& edited, const std::function<void()>& reloadPages)
{
    StepRatios ratios = stepRatios(document);
    const PlotSettings before = document;
    document.pushSnapshot(kSettingsChanged, 0, 0);
    static_cast<PlotSettings&>(document) = edited;

    // A step the user changed keeps its value: its ratio is taken to the new range.
    const double wx = document.xAxis.max - document.xAxis.min;
    const double wy = document.yAxis.max - document.yAxis.min;
    const auto keepChanged = [](double& ratio, double oldStep, double newStep, double width) {
        if (newStep != oldStep)
            ratio = newStep / width;
    };
    keepChanged(ratios.xTick, before.xAxis.tickStep, document.xAxis.tickStep, wx);
    keepChanged(ratios.xLabel, before.xAxis.labelStep, document.xAxis.labelStep, wx);
    keepChanged(ratios.xGrid, before.grid.vertical.step, document.grid.vertical.step, wx);
    keepChanged(ratios.yTick, before.yAxis.tickStep, document.yAxis.tickStep, wy);
    keepChanged(ratios.yLabel, before.yAxis.labelStep, document.yAxis.labelStep, wy);
    keepChanged(ratios.yGrid, before.grid.horizontal.step, document.grid.horizontal.step, wy);
    applyAutoSteps(document, ratios);
    document.refreshGraphs();
    if (reloadPages)
        reloadPages();
    document.updateAllViews(kHintRepaint);
}

} // namespace ovilan
