#pragma once

#include "document/ovilan_doc.h"
#include "document/user_interface.h"
#include "graph/function_graph.h"
#include "graph/table_graph.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ovilan::testing {

// Remembers every hint a document sends.
struct RecordingView : DocumentView {
    void onUpdate(std::int32_t hint) override { hints.push_back(hint); }
    std::vector<std::int32_t> hints;
};

// Answers the commands' questions from a script and remembers the messages.
struct ScriptedUi : UserInterface {
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    bool askYesNo(std::string_view text) override
    {
        questions.emplace_back(text);
        return answerYes;
    }
    std::unique_ptr<CFunctionGraph> runGraphDialog(COvilanDoc&, const CFunctionGraph*) override
    {
        if (graphs.empty())
            return nullptr;
        auto graph = std::move(graphs.front());
        graphs.pop_front();
        return graph;
    }
    bool runTableGraphDialog(COvilanDoc&, CTableGraph& graph) override
    {
        if (!editTable)
            return false;
        editTable(graph);
        return true;
    }
    bool askConfirmation(std::string_view text) override
    {
        confirmations.emplace_back(text);
        return answerYes;
    }
    bool runLabelDialog(COvilanDoc&, CPlotLabel& label) override
    {
        if (!editLabel)
            return false;
        editLabel(label);
        return true;
    }
    void runDocumentProperties(COvilanDoc&) override { }

    bool answerYes = true;
    std::deque<std::unique_ptr<CFunctionGraph>> graphs;
    std::function<void(CTableGraph&)> editTable;
    std::function<void(CPlotLabel&)> editLabel;
    std::vector<std::string> confirmations;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
};

inline std::unique_ptr<CFunctionGraph> yOfX(const PlotSettings& document, const char* formula)
{
    auto graph = std::make_unique<CYofXGraph>(document);
    graph->setFormula(formula, 0);
    return graph;
}

} // namespace ovilan::testing
