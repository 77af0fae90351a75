// Any bytes as a document file and as an undo snapshot: either they load, or the load fails with
// the one error and leaves a fresh empty document. What loads can be drawn. Nothing crashes,
// nothing reads out of bounds, no setting makes the drawing hang.

#include "document/document_file.h"
#include "document/draw_plot.h"
#include "render/memory_canvas.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ovilan;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    const std::span<const std::uint8_t> bytes(data, size);
    if (loadDocument(document, bytes)) {
        // What loads, saves and loads again to the same bytes.
        const auto written = writeDocument(document);
        COvilanDoc again(preferences);
        if (!loadDocument(again, written) || writeDocument(again) != written)
            std::abort();
        MemoryCanvas canvas(120, 90);
        renderPicture(canvas, document, 120, 90);
    } else if (document.graphCount() != 0 || document.labelCount() != 0
        || static_cast<const PlotSettings&>(document) != PlotSettings()) {
        std::abort();
    }

    // The same bytes as a snapshot on the undo stack of a document with a graph and a label.
    document.reset();
    auto graph = createGraph(0, document);
    static_cast<void>(graph);
    document.labels.emplace_back();
    document.undoStack.emplace_back(bytes.begin(), bytes.end());
    document.undo();
    document.redo();
    return 0;
}
