#include "document/document_file.h"

#include "document/extension_block.h"
#include "document/load_allowance.h"
#include "graph/trace_cost.h"
#include "render/record_io.h"

#include <algorithm>

namespace ovilan {

namespace {

    constexpr std::int32_t kVersion = 1;
    // The smallest records a file can hold: a function graph with its kind, and a label. A count
    // that more bytes than remain could not hold is a damaged file, not an allocation.
    constexpr std::size_t kSmallestGraphEntry = 59;
    constexpr std::size_t kSmallestLabel = 98;

} // namespace

std::vector<std::uint8_t> writeDocument(const COvilanDoc& document)
{
    ArchiveWriter out;
    out.writeString(kDocumentSignature);
    out.writeInt32(kVersion);
    // A graph older versions cannot read is kept only in the extension block.
    const auto classicCount = std::ranges::count_if(
        document.graphs, [](const auto& graph) { return graph->olderVersionsCanRead(); });
    out.writeInt32(static_cast<std::int32_t>(classicCount));
    for (const auto& graph : document.graphs) {
        if (!graph->olderVersionsCanRead())
            continue;
        out.writeInt32(static_cast<std::int32_t>(graph->kind));
        graph->store(out);
    }
    out.writeInt32(document.labelCount());
    for (const CPlotLabel& label : document.labels) {
        const CPlotLabel copy = label;
        writeLabel(out, copy);
    }
    writeSettings(out, document);
    writeExtensionBlock(out, document);
    return out.takeBytes();
}

void readDocument(COvilanDoc& document, std::span<const std::uint8_t> bytes)
{
    ArchiveReader in(bytes);
    require(in.readString() == kDocumentSignature);
    in.readInt32(); // the version is not used
    const std::int32_t graphCount = in.readInt32();
    require(graphCount >= 0
        && static_cast<std::size_t>(graphCount) <= in.remaining() / kSmallestGraphEntry);
    // The formula checks take their work from the reader's own allowance as the graphs are read.
    LoadAllowance allowance;
    for (std::int32_t i = 0; i < graphCount; ++i) {
        auto graph = createGraph(in.readInt32(), document);
        require(graph != nullptr);
        graph->load(in);
        const TraceCost trace = traceCost(*graph);
        require(allowance.take({ trace.points, trace.work, 0 }));
        graph->computePoints();
        document.graphs.push_back(std::move(graph));
    }
    document.currentGraph = graphCount - 1;
    const std::int32_t labelCount = in.readInt32();
    require(
        labelCount >= 0 && static_cast<std::size_t>(labelCount) <= in.remaining() / kSmallestLabel);
    for (std::int32_t i = 0; i < labelCount; ++i) {
        CPlotLabel label;
        readLabel(in, label);
        document.labels.push_back(label);
    }
    // Read into a copy, so a damaged settings record leaves no half-read settings behind.
    PlotSettings settings;
    readSettings(in, settings);
    static_cast<PlotSettings&>(document) = settings;
    readExtensionBlock(in, document, allowance);
}

bool loadDocument(COvilanDoc& document, std::span<const std::uint8_t> bytes)
{
    document.reset();
    try {
        readDocument(document, bytes);
    } catch (const BadFormat&) {
        document.reportLoadFailure();
        document.reset();
        document.newDocument();
        return false;
    }
    document.setModified(false);
    return true;
}

} // namespace ovilan
