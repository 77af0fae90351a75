#include "document/extension_block.h"

#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"
#include "graph/trace_cost.h"

#include <algorithm>
#include <set>
#include <span>
#include <utility>
#include <vector>

namespace ovilan {

namespace {

    using Tag = std::array<std::uint8_t, 4>;

    constexpr Tag tagOf(const char (&text)[5])
    {
        return { static_cast<std::uint8_t>(text[0]),
            static_cast<std::uint8_t>(text[1]),
            static_cast<std::uint8_t>(text[2]),
            static_cast<std::uint8_t>(text[3]) };
    }

    constexpr Tag kParameterTableTag = tagOf("PARM");
    constexpr Tag kParameterFormulasTag = tagOf("PFRM");
    constexpr Tag kBlockGraphsTag = tagOf("GRPH");
    constexpr Tag kEndTag = tagOf("END ");

    // The smallest entries a count must leave room for: an index and two empty strings; an
    // index, a length and a kind.
    constexpr std::size_t kSmallestFormulaEntry = 4 + 1 + 1;
    constexpr std::size_t kSmallestGraphEntry = 4 + 4 + 4;

    const CFunctionGraph* withParameters(const CGraph& graph)
    {
        const auto* function = dynamic_cast<const CFunctionGraph*>(&graph);
        return function != nullptr && function->usesParameters() ? function : nullptr;
    }

    CFunctionGraph* withParameters(CGraph& graph)
    {
        return const_cast<CFunctionGraph*>(withParameters(std::as_const(graph)));
    }

    std::span<const std::uint8_t> asBytes(const Tag& tag) { return tag; }

    void writeChunk(ArchiveWriter& out, const Tag& tag, std::span<const std::uint8_t> payload)
    {
        out.writeBytes(asBytes(tag));
        out.writeInt32(static_cast<std::int32_t>(payload.size()));
        out.writeBytes(payload);
    }

    // A list chunk's payload: the number of entries, then the entries; nothing when there are none.
    std::vector<std::uint8_t> countedEntries(std::int32_t count, const ArchiveWriter& entries)
    {
        if (count == 0)
            return {};
        ArchiveWriter out;
        out.writeInt32(count);
        out.writeBytes(entries.bytes());
        return out.takeBytes();
    }

    // The formulas typed with parameters of the graphs older versions read, by their place among
    // those graphs; nothing when there are none.
    std::vector<std::uint8_t> parameterFormulasPayload(const COvilanDoc& document)
    {
        ArchiveWriter entries;
        std::int32_t count = 0;
        std::int32_t classicIndex = 0;
        for (const auto& graph : document.graphs) {
            if (!graph->olderVersionsCanRead())
                continue;
            if (const CFunctionGraph* function = withParameters(*graph)) {
                entries.writeInt32(classicIndex);
                function->writeParameterFormulas(entries);
                ++count;
            }
            ++classicIndex;
        }
        return countedEntries(count, entries);
    }

    // The graphs older versions cannot read, each with its place in the whole list.
    std::vector<std::uint8_t> blockGraphsPayload(const COvilanDoc& document)
    {
        ArchiveWriter entries;
        std::int32_t count = 0;
        for (std::int32_t i = 0; i < document.graphCount(); ++i) {
            const CGraph& graph = *document.graphs[static_cast<std::size_t>(i)];
            if (graph.olderVersionsCanRead())
                continue;
            ArchiveWriter entry;
            entry.writeInt32(static_cast<std::int32_t>(graph.kind));
            graph.storeExtended(entry);
            entries.writeInt32(i);
            entries.writeInt32(static_cast<std::int32_t>(entry.bytes().size()));
            entries.writeBytes(entry.bytes());
            ++count;
        }
        return countedEntries(count, entries);
    }

    // Reads a payload with a reader of its own that must use up every byte of it. The formula
    // checks draw on the allowance of the whole file.
    template <typename Read>
    void readWithin(ArchiveReader& outer, std::span<const std::uint8_t> payload, Read read)
    {
        ArchiveReader in(payload);
        in.checkWork() = outer.checkWork();
        read(in);
        require(in.remaining() == 0);
        outer.checkWork() = in.checkWork();
    }

    // What the block holds, read before the graphs kept in it join the list.
    struct BlockContent {
        // Graph, index in the whole list, already moved up past skipped graphs.
        std::vector<std::pair<std::unique_ptr<CGraph>, std::int32_t>> graphs;
    };

    void readParameterFormulas(ArchiveReader& in, COvilanDoc& document)
    {
        const std::int32_t count = in.readInt32();
        require(count >= 0
            && static_cast<std::size_t>(count) <= in.remaining() / kSmallestFormulaEntry);
        std::int32_t previous = -1;
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t index = in.readInt32();
            require(index > previous && index < document.graphCount());
            previous = index;
            auto* function = dynamic_cast<CFunctionGraph*>(&document.graph(index));
            require(function != nullptr);
            function->readParameterFormulas(in);
            require(function->usesParameters());
        }
    }

    void readBlockGraphs(ArchiveReader& in, const COvilanDoc& document, BlockContent& content)
    {
        const std::int32_t count = in.readInt32();
        require(
            count >= 0 && static_cast<std::size_t>(count) <= in.remaining() / kSmallestGraphEntry);
        std::int32_t previous = -1;
        std::int32_t skipped = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t index = in.readInt32();
            require(index > previous);
            previous = index;
            const std::int32_t length = in.readInt32();
            require(length >= 0);
            const auto entry = in.readBytes(static_cast<std::size_t>(length));
            readWithin(in, entry, [&](ArchiveReader& record) {
                auto graph = createGraph(record.readInt32(), document);
                if (graph == nullptr) {
                    // A kind of a later version: that version's graph is not shown here.
                    record.readBytes(record.remaining());
                    ++skipped;
                    return;
                }
                graph->loadExtended(record);
                content.graphs.emplace_back(std::move(graph), index - skipped);
            });
        }
    }

    // A formula typed with parameters must pass the check for any values, as it did when typed;
    // the classic formulas are then made again from the table's values. A letter the table lacks
    // leaves its graph empty rather than refusing the file, which still holds everything else.
    void checkParameterFormulas(CFunctionGraph& graph, const ParameterTable& table, long long& work)
    {
        for (int which = 0; which < 2; ++which) {
            const std::string& typed
                = which == 0 ? graph.parameterFormula : graph.parameterFormula2;
            require(typed.empty()
                || checkParameterFormula(typed, graph.variableName(), work).code == kFormulaOk);
        }
        // A classic formula that differs from the values' (a file not written by this program)
        // is traced again; its points were counted already.
        if (graph.applyParameterValues(parameterValues(table), work))
            graph.computePoints();
    }

    void checkAllParameterFormulas(ArchiveReader& in, COvilanDoc& document, BlockContent& content)
    {
        for (const auto& graph : document.graphs) {
            if (auto* function = withParameters(*graph))
                checkParameterFormulas(*function, document.parameterTable, in.checkWork());
        }
        for (const auto& entry : content.graphs) {
            if (auto* function = withParameters(*entry.first))
                checkParameterFormulas(*function, document.parameterTable, in.checkWork());
        }
    }

    // The graphs kept in the block take their places in the list, in ascending order, so each
    // comes back where it was.
    void insertBlockGraphs(BlockContent& content, COvilanDoc& document, LoadAllowance& allowance)
    {
        for (auto& [graph, index] : content.graphs) {
            require(index <= document.graphCount());
            const TraceCost trace = traceCost(*graph);
            require(allowance.take({ trace.points, trace.work, 0 }));
            graph->computePoints();
            document.graphs.insert(document.graphs.begin() + index, std::move(graph));
        }
        document.currentGraph = document.graphCount() - 1;
    }

    // Reads one chunk; false after "END ".
    bool readChunk(
        ArchiveReader& in, COvilanDoc& document, BlockContent& content, std::set<Tag>& seen)
    {
        const auto tagBytes = in.readBytes(4);
        Tag tag;
        std::ranges::copy(tagBytes, tag.begin());
        const std::int32_t length = in.readInt32();
        require(length >= 0);
        const auto payload = in.readBytes(static_cast<std::size_t>(length));
        if (tag == kEndTag) {
            require(length == 0 && in.remaining() == 0);
            return false;
        }
        const bool known
            = tag == kParameterTableTag || tag == kParameterFormulasTag || tag == kBlockGraphsTag;
        if (!known)
            return true;
        require(seen.insert(tag).second);
        readWithin(in, payload, [&](ArchiveReader& chunk) {
            if (tag == kParameterTableTag)
                readParameterTable(chunk, document.parameterTable);
            else if (tag == kParameterFormulasTag)
                readParameterFormulas(chunk, document);
            else
                readBlockGraphs(chunk, document, content);
        });
        return true;
    }

    bool signatureFollows(ArchiveReader& in)
    {
        if (in.remaining() < kExtensionSignature.size())
            return false;
        return std::ranges::equal(in.readBytes(kExtensionSignature.size()), kExtensionSignature);
    }

} // namespace

bool needsExtensionBlock(const COvilanDoc& document)
{
    return !document.parameterTable.empty()
        || std::ranges::any_of(document.graphs, [](const auto& graph) {
               return withParameters(*graph) != nullptr || !graph->olderVersionsCanRead();
           });
}

void writeExtensionBlock(ArchiveWriter& out, const COvilanDoc& document)
{
    if (!needsExtensionBlock(document))
        return;
    out.writeBytes(kExtensionSignature);
    out.writeInt32(kExtensionVersion);
    if (!document.parameterTable.empty()) {
        ArchiveWriter table;
        writeParameterTable(table, document.parameterTable);
        writeChunk(out, kParameterTableTag, table.bytes());
    }
    if (const auto formulas = parameterFormulasPayload(document); !formulas.empty())
        writeChunk(out, kParameterFormulasTag, formulas);
    if (const auto graphs = blockGraphsPayload(document); !graphs.empty())
        writeChunk(out, kBlockGraphsTag, graphs);
    writeChunk(out, kEndTag, {});
}

void readExtensionBlock(ArchiveReader& in, COvilanDoc& document, LoadAllowance& allowance)
{
    if (!signatureFollows(in))
        return;
    require(in.readInt32() == kExtensionVersion);
    BlockContent content;
    std::set<Tag> seen;
    while (readChunk(in, document, content, seen)) { }
    checkAllParameterFormulas(in, document, content);
    insertBlockGraphs(content, document, allowance);
}

} // namespace ovilan
