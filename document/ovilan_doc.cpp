#include "document/ovilan_doc.h"

#include <algorithm>

namespace ovilan {

COvilanDoc::COvilanDoc(const AppPreferences& preferences)
    : preferences_(&preferences)
{
}

void COvilanDoc::insertGraph(std::unique_ptr<CGraph> graph, std::int32_t index)
{
    graph->computePoints();
    graphs.insert(graphs.begin() + index, std::move(graph));
    currentGraph = index;
    updateAllViews(graphInsertedHint(index));
    updateAllViews(kHintRepaint);
}

void COvilanDoc::replaceGraph(std::unique_ptr<CGraph> graph, std::int32_t index)
{
    auto& slot = graphs[static_cast<std::size_t>(index)];
    slot = std::move(graph);
    slot->computePoints();
    updateAllViews(graphChangedHint(index));
    updateAllViews(kHintRepaint);
}

void COvilanDoc::removeGraph(std::int32_t index)
{
    const auto position = graphs.begin() + index;
    const bool wasShown = (*position)->showGraph != 0;
    graphs.erase(position);
    currentGraph = graphCount() - 1;
    if (wasShown)
        updateAllViews(kHintRepaint);
    updateAllViews(graphRemovedHint(index));
}

void COvilanDoc::refreshGraphs()
{
    for (const auto& graph : graphs)
        graph->refresh();
}

void COvilanDoc::insertLabel(const CPlotLabel& label, std::int32_t index)
{
    labels.insert(labels.begin() + index, label);
    updateAllViews(labelAreaHint(index));
}

void COvilanDoc::removeLabel(std::int32_t index)
{
    // The old area is repainted while the label is still there to be measured.
    updateAllViews(labelAreaHint(index));
    labels.erase(labels.begin() + index);
}

void COvilanDoc::replaceLabel(const CPlotLabel& label, std::int32_t index)
{
    updateAllViews(labelAreaHint(index));
    labels[static_cast<std::size_t>(index)] = label;
    updateAllViews(labelAreaHint(index));
}

void COvilanDoc::reset()
{
    static_cast<PlotSettings&>(*this) = PlotSettings();
    graphs.clear();
    labels.clear();
    parameterTable = ParameterTable();
    currentGraph = -1;
    redoStack.clear();
    undoStack.clear();
    stateChanged();
}

void COvilanDoc::newDocument()
{
    setModified(false);
    if (loadFailed_) {
        updateAllViews(kHintEverything);
        loadFailed_ = false;
    }
}

void COvilanDoc::setModified(bool modified)
{
    modified_ = modified;
    stateChanged();
}

void COvilanDoc::addView(DocumentView* view) { views_.push_back(view); }

void COvilanDoc::removeView(DocumentView* view) { std::erase(views_, view); }

void COvilanDoc::updateAllViews(std::int32_t hint)
{
    for (DocumentView* view : views_)
        view->onUpdate(hint);
}

void COvilanDoc::addStateListener(DocumentStateListener* listener)
{
    stateListeners_.push_back(listener);
}

void COvilanDoc::removeStateListener(DocumentStateListener* listener)
{
    std::erase(stateListeners_, listener);
}

void COvilanDoc::stateChanged()
{
    for (DocumentStateListener* listener : stateListeners_)
        listener->onDocumentStateChanged();
}

} // namespace ovilan
