#pragma once

#include "document/ovilan_doc.h"
#include "document/user_interface.h"

#include <string>

namespace ovilan {

// What the Parameters pane asks of the document. Each change is one undo step and marks the
// document modified; a slider drag or an animation takes its step once, before its first move
// (beginParameterMove), and then moves the value through moveParameter without steps of its own.
void beginParameterMove(COvilanDoc& document);

// The pane's fields were accepted: the parameter of that name takes the edited value, range,
// step and animation, and the graphs using it are traced again. A parameter the table refuses
// is shown and changes nothing.
void replaceParameter(COvilanDoc& document, const FormulaParameter& edited, UserInterface& ui);

// A new parameter of that letter, at 1 on -10..10 in steps of 0.1.
void addParameter(COvilanDoc& document, char name, UserInterface& ui);

// Removes the parameter unless a graph's formula uses it; then the user is told which graph.
void removeParameter(COvilanDoc& document, char name, UserInterface& ui);

// "The parameter k is used by graph 2. Change its formula first."
std::string parameterInUseText(char name, std::int32_t graph);

} // namespace ovilan
