// Writes the large plot of the drawing benchmarks as a document, so that whole processes — the
// command-line tool, other plotters — can be timed on the same work.

#include "bench/large_plot.h"
#include "document/document_file.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: large_plot_document OUT.ovd\n");
        return 2;
    }
    const ovilan::AppPreferences preferences;
    ovilan::COvilanDoc document(preferences);
    ovilan::bench::fillLargePlot(document);
    const auto bytes = ovilan::writeDocument(document);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? 0 : 1;
}
