#include "document/ovilan_doc.h"
#include "document/parameter_graphs.h"
#include "render/record_io.h"

namespace ovilan {

namespace {

    constexpr std::int32_t oppositeKind(std::int32_t kind)
    {
        switch (kind) {
        case kGraphRemoved:
            return kGraphInserted;
        case kGraphInserted:
            return kGraphRemoved;
        case kLabelRemoved:
            return kLabelInserted;
        case kLabelInserted:
            return kLabelRemoved;
        default:
            return kind;
        }
    }

    std::unique_ptr<CGraph> readGraph(ArchiveReader& in, const PlotSettings& document)
    {
        auto graph = createGraph(in.readInt32(), document);
        require(graph != nullptr);
        graph->loadExtended(in);
        return graph;
    }

    struct SnapshotHeader {
        std::int32_t kind = -1;
        std::int32_t index = -1;
    };

    SnapshotHeader headerOf(const Snapshot& snapshot)
    {
        if (snapshot.size() < 8)
            return {};
        ArchiveReader in(snapshot);
        const std::int32_t kind = in.readInt32();
        return { kind, in.readInt32() };
    }

    // A group's snapshot: its kind, the number of members, then each member's length and bytes.
    Snapshot groupSnapshot(const std::vector<Snapshot>& members)
    {
        ArchiveWriter out;
        out.writeInt32(kGroupedChanges);
        out.writeInt32(static_cast<std::int32_t>(members.size()));
        for (const Snapshot& member : members) {
            out.writeInt32(static_cast<std::int32_t>(member.size()));
            for (const std::uint8_t byte : member)
                out.writeByte(byte);
        }
        return out.takeBytes();
    }

    std::vector<Snapshot> groupMembers(const Snapshot& group)
    {
        ArchiveReader in(group);
        in.readInt32();
        const std::int32_t count = in.readInt32();
        require(count >= 0);
        std::vector<Snapshot> members;
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t length = in.readInt32();
            require(length >= 0 && static_cast<std::size_t>(length) <= in.remaining());
            Snapshot& member = members.emplace_back();
            for (std::int32_t b = 0; b < length; ++b)
                member.push_back(in.readByte());
        }
        return members;
    }

} // namespace

void COvilanDoc::writeSnapshotBody(
    std::vector<std::uint8_t>& snapshot, std::int32_t kind, std::int32_t index) const
{
    ArchiveWriter out;
    out.writeInt32(kind);
    out.writeInt32(index);
    const auto at = static_cast<std::size_t>(index);
    switch (kind) {
    case kGraphRemoved:
    case kGraphChanged:
        out.writeInt32(static_cast<std::int32_t>(graphs.at(at)->kind));
        graphs.at(at)->storeExtended(out);
        break;
    case kSettingsChanged:
        writeSettings(out, *this);
        break;
    case kParametersChanged:
        writeParameterTable(out, parameterTable);
        break;
    case kLabelRemoved:
    case kLabelChanged:
        writeLabel(out, labels.at(at));
        break;
    default:
        break;
    }
    snapshot = out.takeBytes();
}

void COvilanDoc::pushSnapshot(std::int32_t kind, std::int32_t index, std::int32_t flags)
{
    const bool keepRedo = (flags & kKeepRedoStack) != 0;
    if (!keepRedo)
        modified_ = true;
    Snapshot snapshot;
    writeSnapshotBody(snapshot, kind, index);
    if (!keepRedo)
        redoStack.clear();
    if (group_)
        group_->push_back(std::move(snapshot));
    else
        undoStack.push_back(std::move(snapshot));
    stateChanged();
}

void COvilanDoc::beginUndoGroup() { group_.emplace(); }

void COvilanDoc::endUndoGroup()
{
    if (!group_)
        return;
    std::vector<Snapshot> members = std::move(*group_);
    group_.reset();
    if (members.empty())
        return;
    undoStack.push_back(members.size() == 1 ? std::move(members.front()) : groupSnapshot(members));
    stateChanged();
}

void COvilanDoc::confirmInPlaceEdit()
{
    modified_ = true;
    redoStack.clear();
    stateChanged();
}

void COvilanDoc::dropNewestSnapshot()
{
    if (undoStack.empty())
        return;
    undoStack.pop_back();
    stateChanged();
}

void COvilanDoc::undo() { undoFrom(undoStack, redoStack); }

void COvilanDoc::redo() { undoFrom(redoStack, undoStack); }

void COvilanDoc::undoFrom(std::vector<Snapshot>& from, std::vector<Snapshot>& to)
{
    if (from.empty())
        return;
    Snapshot taken = std::move(from.back());
    from.pop_back();
    const auto [kind, index] = headerOf(taken);
    if (kind == kGroupedChanges) {
        undoGroupFrom(taken, to);
        return;
    }
    if (!fitsDocument(kind, index)) {
        from.push_back(std::move(taken));
        return;
    }
    Snapshot opposite;
    writeSnapshotBody(opposite, oppositeKind(kind), index);
    // The stacks and the modified mark are in their new state before the snapshot's hints go
    // out, so a view that enables Undo and Redo on a hint sees them as they will stay.
    to.push_back(std::move(opposite));
    const bool wasModified = modified_;
    modified_ = true;
    if (!applySnapshot(taken)) {
        // Never for a snapshot this program wrote; keep it rather than lose the step.
        to.pop_back();
        modified_ = wasModified;
        from.push_back(std::move(taken));
    }
    stateChanged();
}

// The members go back newest first, each recording its opposite; the opposites, in the order
// they were made, are the group that brings the changes back.
void COvilanDoc::undoGroupFrom(const Snapshot& group, std::vector<Snapshot>& to)
{
    std::vector<Snapshot> members;
    try {
        members = groupMembers(group);
    } catch (const BadFormat&) {
        return;
    }
    // The other stack has its step before the members' hints go out, as for a single change.
    to.push_back(groupSnapshot({}));
    modified_ = true;
    std::vector<Snapshot> opposites;
    for (auto member = members.rbegin(); member != members.rend(); ++member) {
        const auto [kind, index] = headerOf(*member);
        // Never for a group this program made; what was undone so far can still be redone.
        if (!fitsDocument(kind, index))
            break;
        Snapshot opposite;
        writeSnapshotBody(opposite, oppositeKind(kind), index);
        if (!applySnapshot(*member))
            break;
        opposites.push_back(std::move(opposite));
    }
    to.back() = groupSnapshot(opposites);
    stateChanged();
}

// The object a snapshot's kind and index concern is where it must be.
bool COvilanDoc::fitsDocument(std::int32_t kind, std::int32_t index) const
{
    switch (kind) {
    case kGraphRemoved:
        return index >= 0 && index <= graphCount();
    case kGraphInserted:
    case kGraphChanged:
        return index >= 0 && index < graphCount();
    case kSettingsChanged:
    case kParametersChanged:
        return true;
    case kLabelRemoved:
        return index >= 0 && index <= labelCount();
    case kLabelInserted:
    case kLabelChanged:
        return index >= 0 && index < labelCount();
    default:
        return false;
    }
}

// Everything is read before anything changes, so a snapshot that cannot be read changes nothing.
bool COvilanDoc::applySnapshot(const Snapshot& snapshot)
{
    try {
        ArchiveReader in(snapshot);
        const std::int32_t kind = in.readInt32();
        const std::int32_t index = in.readInt32();
        switch (kind) {
        case kGraphRemoved:
            insertGraph(readGraph(in, *this), index);
            return true;
        case kGraphInserted:
            removeGraph(index);
            return true;
        case kGraphChanged:
            replaceGraph(readGraph(in, *this), index);
            return true;
        case kSettingsChanged: {
            PlotSettings settings;
            readSettings(in, settings);
            static_cast<PlotSettings&>(*this) = settings;
            refreshGraphs();
            updateAllViews(kHintRepaint);
            return true;
        }
        case kParametersChanged: {
            ParameterTable table;
            readParameterTable(in, table);
            parameterTable = std::move(table);
            // The graphs follow the values they were drawn with before the change.
            if (applyParameterValues(*this))
                refreshGraphs();
            updateAllViews(kHintRepaint);
            return true;
        }
        case kLabelRemoved: {
            CPlotLabel label;
            readLabel(in, label);
            insertLabel(label, index);
            return true;
        }
        case kLabelInserted:
            removeLabel(index);
            return true;
        case kLabelChanged: {
            CPlotLabel label;
            readLabel(in, label);
            replaceLabel(label, index);
            return true;
        }
        default:
            return false;
        }
    } catch (const BadFormat&) {
        return false;
    }
}

} // namespace ovilan
