#include "document/document_file.h"

#include "graph/trace_cost.h"
#include "render/record_io.h"

namespace ovilan {

namespace {

    constexpr std::int32_t kVersion = 1;
    // The smallest records a file can hold: a function graph with its kind, and a label. A count
    // that more bytes than remain could not hold is a damaged file, not an allocation.
    constexpr std::size_t kSmallestGraphEntry = 59;
    constexpr std::size_t kSmallestLabel = 98;

    // Loading computes every graph's points, so a file's graphs together may ask for no more
    // points and evaluation work than a load can give in about a second and a quarter of a
    // gigabyte: 600 graphs of 20000 steps with everyday formulas such as "sin(x)", "1/x" and
    // "(x^3-2*x)/(x^2+1)*cos(3*x)", or 40 of them with 50 sines in each formula. A file asking
    // for more is refused before any point is computed.
    constexpr std::int64_t kLoadPoints = 600LL * kMaxGraphPoints;
    constexpr std::int64_t kLoadWork = 300'000'000;

    class TraceAllowance {
    public:
        // Takes what a graph's computation costs; false when that is more than is left.
        bool take(const TraceCost& cost)
        {
            points_ -= cost.points;
            work_ -= cost.work;
            return points_ >= 0 && work_ >= 0;
        }

    private:
        std::int64_t points_ = kLoadPoints;
        std::int64_t work_ = kLoadWork;
    };

} // namespace

std::vector<std::uint8_t> writeDocument(const COvilanDoc& document)
{
    ArchiveWriter out;
    out.writeString(kDocumentSignature);
    out.writeInt32(kVersion);
    out.writeInt32(document.graphCount());
    for (const auto& graph : document.graphs) {
        out.writeInt32(static_cast<std::int32_t>(graph->kind));
        graph->store(out);
    }
    out.writeInt32(document.labelCount());
    for (const CPlotLabel& label : document.labels) {
        const CPlotLabel copy = label;
        writeLabel(out, copy);
    }
    writeSettings(out, document);
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
    TraceAllowance allowance;
    for (std::int32_t i = 0; i < graphCount; ++i) {
        auto graph = createGraph(in.readInt32(), document);
        require(graph != nullptr);
        graph->load(in);
        require(allowance.take(traceCost(*graph)));
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
