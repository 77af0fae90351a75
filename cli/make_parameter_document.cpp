// Writes a document for the command line's tests: make-parameter-document OUT.ovd K, the wave
// sin(k*x) drawn with the parameter k at the value K.

#include "document/document_file.h"
#include "document/parameter_graphs.h"
#include "expr/formula_check.h"
#include "graph/function_graph.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

int main(int argc, char** argv)
{
    using namespace ovilan;
    if (argc != 3)
        return 2;
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    FormulaParameter k;
    k.value = std::atof(argv[2]);
    k.minimum = 0;
    k.maximum = 5;
    document.parameterTable.parameters = { k };
    auto wave = std::make_unique<CYofXGraph>(document);
    long long work = kMaxCheckWork;
    if (wave->setParameterFormula("sin(k*x)", 0, parameterValues(document.parameterTable), work)
        != kFormulaOk)
        return 1;
    wave->intervalFrom = document.xAxis.min;
    wave->intervalTo = document.xAxis.max;
    wave->lineWidth = 2;
    // A new graph's colour is drawn at random; the tests compare pictures of two such documents.
    wave->colorIndex = 9;
    document.graphs.push_back(std::move(wave));
    const auto bytes = writeDocument(document);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
