#pragma once

#include "document/parameters.h"
#include "document/preferences.h"
#include "document/update_hints.h"
#include "graph/graph.h"
#include "render/plot_label.h"
#include "render/plot_settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ovilan {

// An undo or redo step: the kind, the index and the body of one change, in the file's encodings.
using Snapshot = std::vector<std::uint8_t>;

enum SnapshotKind : std::int32_t {
    kGraphRemoved = 0,
    kGraphInserted = 1,
    kGraphChanged = 2,
    kSettingsChanged = 3,
    kLabelRemoved = 4,
    kLabelInserted = 5,
    kLabelChanged = 6,
    // Several changes undone and redone as one step, as a tangent with its normal and its label.
    // Held only in memory, never in a file.
    kGroupedChanges = 7,
    // The parameter table was changed: a value moved by a slider, a parameter added, removed or
    // given another range. Its own opposite, like a change of the settings.
    kParametersChanged = 8,
};

// pushSnapshot flag: the caller marks the document modified and empties the redo stack itself.
inline constexpr std::int32_t kKeepRedoStack = 1;

// What hears that the undo history or the modified mark changed. Neither sends an update hint,
// yet Undo, Redo and the modified mark in the title follow them: a refused zoom, for one, records
// its step and empties the redo list without changing anything a view shows.
class DocumentStateListener {
public:
    virtual ~DocumentStateListener() = default;
    virtual void onDocumentStateChanged() = 0;
};

// The one document of a run: graphs, labels, the settings records (inherited, so graphs can refer
// to them), the selected graph and the undo history. Every change goes through the operations
// below, which announce it to the views.
class COvilanDoc : public PlotSettings {
public:
    explicit COvilanDoc(const AppPreferences& preferences);
    COvilanDoc(const COvilanDoc&) = delete;
    COvilanDoc& operator=(const COvilanDoc&) = delete;

    // Graph list.
    void insertGraph(std::unique_ptr<CGraph> graph, std::int32_t index);
    void replaceGraph(std::unique_ptr<CGraph> graph, std::int32_t index);
    void removeGraph(std::int32_t index);
    void refreshGraphs();
    std::int32_t graphCount() const { return static_cast<std::int32_t>(graphs.size()); }
    CGraph& graph(std::int32_t index) { return *graphs[static_cast<std::size_t>(index)]; }

    // Label list.
    void insertLabel(const CPlotLabel& label, std::int32_t index);
    void removeLabel(std::int32_t index);
    void replaceLabel(const CPlotLabel& label, std::int32_t index);
    std::int32_t labelCount() const { return static_cast<std::int32_t>(labels.size()); }

    // Undo and redo.
    void pushSnapshot(std::int32_t kind, std::int32_t index, std::int32_t flags);
    void undo();
    void redo();
    bool canUndo() const { return !undoStack.empty(); }
    bool canRedo() const { return !redoStack.empty(); }
    // For an edit made in place after a step taken with kKeepRedoStack: on OK the change is
    // confirmed (modified mark set, redo stack emptied), on Cancel the step is dropped unapplied.
    void confirmInPlaceEdit();
    void dropNewestSnapshot();
    // The snapshots pushed between these two make one step of the history.
    void beginUndoGroup();
    void endUndoGroup();

    // Rescales the tick, label and grid steps to the ranges now in force from six ratios of a
    // step to its axis range, when "Automatically change steps" is on. Sends no hint.
    void applyAutoSteps(
        double xLabel, double xTick, double xGrid, double yLabel, double yTick, double yGrid);

    // Before New and Open: every setting to its default, no graphs, no labels, no history.
    void reset();
    // After New (and after a failed load): the views start over when a load failed.
    void newDocument();
    void reportLoadFailure() { loadFailed_ = true; }

    bool isModified() const { return modified_; }
    void setModified(bool modified);

    void addView(DocumentView* view);
    void removeView(DocumentView* view);
    void updateAllViews(std::int32_t hint);
    void addStateListener(DocumentStateListener* listener);
    void removeStateListener(DocumentStateListener* listener);

    const AppPreferences& preferences() const { return *preferences_; }

    std::vector<std::unique_ptr<CGraph>> graphs;
    std::vector<CPlotLabel> labels;
    // The named parameters the formulas of the graphs may use; kept valid by whoever changes it.
    ParameterTable parameterTable;
    // Changed only through the operations above, which tell the state listeners.
    std::vector<Snapshot> undoStack; // newest last
    std::vector<Snapshot> redoStack; // newest last
    std::int32_t currentGraph = -1;

private:
    // Takes the top snapshot of `from`, records its opposite on `to` and applies it.
    void undoFrom(std::vector<Snapshot>& from, std::vector<Snapshot>& to);
    void writeSnapshotBody(
        std::vector<std::uint8_t>& snapshot, std::int32_t kind, std::int32_t index) const;
    bool fitsDocument(std::int32_t kind, std::int32_t index) const;
    bool applySnapshot(const Snapshot& snapshot);
    void undoGroupFrom(const Snapshot& group, std::vector<Snapshot>& to);
    void stateChanged();

    const AppPreferences* preferences_;
    std::vector<DocumentView*> views_;
    std::vector<DocumentStateListener*> stateListeners_;
    bool modified_ = false;
    bool loadFailed_ = false;
    std::optional<std::vector<Snapshot>> group_;
};

} // namespace ovilan
