#pragma once

#include "document/ovilan_doc.h"

#include <optional>
#include <string>
#include <vector>

namespace ovilan {

// The table's parameters as the formulas take them: a letter and its current value each.
std::vector<ParameterValue> parameterValues(const ParameterTable& table);
// The letters the table defines, in its order.
std::string definedParameters(const ParameterTable& table);

// Puts the table's values into every graph typed with parameters (see
// CFunctionGraph::applyParameterValues). A graph whose classic formula changed is traced again
// at the next refresh. Returns whether any did.
bool applyParameterValues(COvilanDoc& document);

// What a slider does while it moves: the parameter takes `value`, every graph that uses it is
// traced again and the views repaint. The caller takes the undo step, one per drag.
void moveParameter(COvilanDoc& document, char name, double value);

// The first graph whose formulas use the parameter; a parameter in use is not removed.
std::optional<std::int32_t> graphUsingParameter(const COvilanDoc& document, char name);

} // namespace ovilan
