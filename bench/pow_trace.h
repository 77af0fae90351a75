#pragma once

#include "document/ovilan_doc.h"
#include "document/preferences.h"
#include "graph/function_graph.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ovilan::bench {

// A chain of 64 powers with a fractional exponent: every sample calls the C library's pow 64
// times, so the figure is the cost of pow and of the code around each call.
inline std::string powChainFormula()
{
    std::string formula = "x";
    for (int i = 0; i < 64; ++i)
        formula = "(" + formula + ")^1.01";
    return formula;
}

// Traces the chain at 20001 points of 0.5..2 fifteen times, each after `beforeEachTrace` (which is
// not timed); returns the fastest in milliseconds, the figure least disturbed by other work on the
// machine.
inline double fastestPowTraceMs(const std::function<void()>& beforeEachTrace = [] {})
{
    const AppPreferences preferences;
    COvilanDoc document(preferences);
    document.general.steps = 20000;
    CYofXGraph graph(document);
    if (graph.setFormula(powChainFormula(), 0) != 0)
        throw std::runtime_error("the power chain is refused");
    graph.intervalFrom = 0.5;
    graph.intervalTo = 2;
    graph.ownInterval = 1;
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        beforeEachTrace();
        const auto start = std::chrono::steady_clock::now();
        graph.computePoints();
        const std::chrono::duration<double, std::milli> spent
            = std::chrono::steady_clock::now() - start;
        times.push_back(spent.count());
    }
    return *std::min_element(times.begin(), times.end());
}

} // namespace ovilan::bench
