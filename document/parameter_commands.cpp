#include "document/parameter_commands.h"

#include "document/parameter_graphs.h"

#include <algorithm>

namespace ovilan {

namespace {

    // The table changed after its undo step was taken: the graphs take its values and repaint.
    void tableChanged(COvilanDoc& document)
    {
        if (applyParameterValues(document))
            document.refreshGraphs();
        document.updateAllViews(kHintRepaint);
    }

    void refuse(UserInterface& ui, ParameterError error)
    {
        ui.showMessage(parameterErrorText(error));
    }

} // namespace

void beginParameterMove(COvilanDoc& document) { document.pushSnapshot(kParametersChanged, 0, 0); }

void replaceParameter(COvilanDoc& document, const FormulaParameter& edited, UserInterface& ui)
{
    FormulaParameter* parameter = document.parameterTable.find(edited.name);
    if (parameter == nullptr || *parameter == edited)
        return;
    if (const ParameterError error = checkParameter(edited); error != ParameterError::None) {
        refuse(ui, error);
        return;
    }
    document.pushSnapshot(kParametersChanged, 0, 0);
    *document.parameterTable.find(edited.name) = edited;
    tableChanged(document);
}

void addParameter(COvilanDoc& document, char name, UserInterface& ui)
{
    if (const ParameterError error = checkNewParameterName(document.parameterTable, name);
        error != ParameterError::None) {
        refuse(ui, error);
        return;
    }
    FormulaParameter added;
    added.name = name;
    added.value = 1;
    added.minimum = -10;
    added.maximum = 10;
    added.step = 0.1;
    document.pushSnapshot(kParametersChanged, 0, 0);
    document.parameterTable.parameters.push_back(added);
    tableChanged(document);
}

void removeParameter(COvilanDoc& document, char name, UserInterface& ui)
{
    if (document.parameterTable.find(name) == nullptr)
        return;
    if (const std::optional<std::int32_t> graph = graphUsingParameter(document, name)) {
        ui.showMessage(parameterInUseText(name, *graph));
        return;
    }
    document.pushSnapshot(kParametersChanged, 0, 0);
    std::erase_if(document.parameterTable.parameters,
        [name](const FormulaParameter& parameter) { return parameter.name == name; });
    tableChanged(document);
}

std::string parameterInUseText(char name, std::int32_t graph)
{
    // Graphs are numbered from 1, as in the legend and the graph list.
    return "The parameter " + std::string(1, name) + " is used by graph "
        + std::to_string(graph + 1) + ". Change its formula first.";
}

} // namespace ovilan
