#pragma once

#include "document/ovilan_doc.h"
#include "graph/graph.h"
#include "render/archive.h"

#include <cstdint>
#include <string_view>

namespace ovilan {

// Loading a document computes every graph's points and checks every stored formula, so a
// document's graphs together may ask for no more points, evaluation work and formula-check work
// than a load can give in about a second and a quarter of a gigabyte: 600 graphs of 20000 steps
// with everyday formulas such as "sin(x)", "1/x" and "(x^3-2*x)/(x^2+1)*cos(3*x)", or 40 of them
// with 50 sines in each formula. The reader refuses a file asking for more, and the commands
// refuse a graph or a setting that would make the document ask for more, so every document the
// program saves opens again.
inline constexpr std::int64_t kLoadPoints = 600LL * kMaxGraphPoints;
inline constexpr std::int64_t kLoadWork = 300'000'000;

inline constexpr std::string_view kDocumentTooLarge
    = "The document cannot hold this graph: its graphs would need too many points or too "
      "long formulas. Please enter fewer steps, simpler formulas or fewer points, or remove "
      "another graph.";
inline constexpr std::string_view kStepsTooMany
    = "The document's graphs would need too many points. Please enter fewer points, or give "
      "some graphs their own number of steps.";

// What loading a graph asks for: the points it will hold, their evaluation work (the units of
// evaluationCost) and the work of checking its stored formulas (the formula check's units).
struct LoadCost {
    std::int64_t points = 0;
    std::int64_t work = 0;
    std::int64_t checkWork = 0;
};

// The cost of the graph as it stands; with `followedSteps`, that of a graph that follows the
// document's number of points traced at that many steps instead.
LoadCost loadCost(const CGraph& graph);
LoadCost loadCost(const CGraph& graph, std::int32_t followedSteps);

// What a load has left to give; take() is false once a graph asks for more than is left.
class LoadAllowance {
public:
    bool take(const LoadCost& cost);

private:
    std::int64_t points_ = kLoadPoints;
    std::int64_t work_ = kLoadWork;
    // The same allowance the file reader gives the checks of all formulas of one file.
    std::int64_t checkWork_ = kReadCheckWork;
};

// The index of the document's graph `graph`; the graph count, where a new graph goes, for any
// other graph or none.
std::int32_t placeOf(const COvilanDoc& document, const CGraph* graph);

// Whether the document still loads with `graph` put in the place of the graph at `index`, or
// appended when `index` is the graph count.
bool loadsWithGraph(const COvilanDoc& document, const CGraph& graph, std::int32_t index);
// Whether the document still loads when the graphs that follow its number of points take `steps`.
bool loadsWithSteps(const COvilanDoc& document, std::int32_t steps);

} // namespace ovilan
