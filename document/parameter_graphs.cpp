#include "document/parameter_graphs.h"

#include "expr/formula_check.h"
#include "graph/function_graph.h"

namespace ovilan {

namespace {

    CFunctionGraph* typedWithParameters(CGraph& graph)
    {
        auto* function = dynamic_cast<CFunctionGraph*>(&graph);
        return function != nullptr && function->usesParameters() ? function : nullptr;
    }

} // namespace

std::vector<ParameterValue> parameterValues(const ParameterTable& table)
{
    std::vector<ParameterValue> values;
    values.reserve(table.parameters.size());
    for (const FormulaParameter& parameter : table.parameters)
        values.push_back({ parameter.name, parameter.value });
    return values;
}

std::string definedParameters(const ParameterTable& table)
{
    std::string letters;
    for (const FormulaParameter& parameter : table.parameters)
        letters += parameter.name;
    return letters;
}

bool applyParameterValues(COvilanDoc& document)
{
    const std::vector<ParameterValue> values = parameterValues(document.parameterTable);
    bool changed = false;
    for (const auto& graph : document.graphs) {
        if (CFunctionGraph* function = typedWithParameters(*graph)) {
            long long checkWork = kMaxCheckWork;
            changed = function->applyParameterValues(values, checkWork) || changed;
        }
    }
    return changed;
}

void moveParameter(COvilanDoc& document, char name, double value)
{
    FormulaParameter* parameter = document.parameterTable.find(name);
    if (parameter == nullptr || parameter->value == value)
        return;
    parameter->value = value;
    if (applyParameterValues(document))
        document.refreshGraphs();
    document.updateAllViews(kHintRepaint);
}

std::optional<std::int32_t> graphUsingParameter(const COvilanDoc& document, char name)
{
    for (std::int32_t i = 0; i < document.graphCount(); ++i) {
        const auto* function = dynamic_cast<const CFunctionGraph*>(
            document.graphs[static_cast<std::size_t>(i)].get());
        if (function == nullptr)
            continue;
        const std::string used = parametersUsed(function->parameterFormula)
            + parametersUsed(function->parameterFormula2);
        if (used.find(name) != std::string::npos)
            return i;
    }
    return std::nullopt;
}

} // namespace ovilan
