#pragma once

#include "document/ovilan_doc.h"
#include "document/user_interface.h"

#include <cstdint>
#include <string_view>

namespace ovilan {

inline constexpr std::string_view kNoDerivativeGraph
    = "A derivative graph can be added only for a Y(x) or X(y) graph.";
inline constexpr std::string_view kNoTangentGraph
    = "Tangent and normal can be added only for a graph given by formulas.";
inline constexpr std::string_view kPointUndefined = "The graph is not defined at this point.";
inline constexpr std::string_view kSlopeUndefined
    = "The slope of the graph is not defined at this point.";

// The legend text of a derivative graph: the source's legend with a prime ("f" gives "f'"), or
// its formula in brackets with a prime when it has none ("(sin(x))'").
std::string derivativeLegend(const CGraph& source);

// Derivative: after the selected Y(x) or X(y) graph, a graph of the same kind whose formula is
// the derivative of its formula, with its interval settings, as one undo step. Anything else is
// refused with a message and changes nothing.
void addDerivativeGraph(COvilanDoc& document, UserInterface& ui);

enum class TangentLines { Tangent, Normal, Both };

// The tangent, the normal or both at the point of graph `index` where its variable is `value`:
// Y(x) graphs across the plot (an X(y) graph for a vertical line) and a label at the point, as one
// undo step. Returns the message to show when they cannot be drawn; then nothing changes.
std::string_view addTangentLines(
    COvilanDoc& document, std::int32_t index, double value, TangentLines lines);

} // namespace ovilan
