#pragma once

#include <memory>
#include <string_view>

namespace ovilan {

class CFunctionGraph;
class CTableGraph;
class COvilanDoc;
struct CPlotLabel;

// What the document's commands ask of the user. The desktop program answers with message boxes
// and the real dialogs; tests answer from a script.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A warning with the exclamation icon and an OK button.
    virtual void showMessage(std::string_view text) = 0;
    // A question with the question icon and Yes and No buttons; true for Yes.
    virtual bool askYesNo(std::string_view text) = 0;
    // The same question titled "Confirmation".
    virtual bool askConfirmation(std::string_view text) = 0;

    // The Graph Properties dialog, for a new graph (`graph` null) or on a copy of `graph`. Returns
    // the graph built from the dialog's fields on OK, nothing on Cancel.
    virtual std::unique_ptr<CFunctionGraph> runGraphDialog(
        COvilanDoc& document, const CFunctionGraph* graph)
        = 0;
    // The Table Graph Properties dialog, editing `graph` in place; true on OK.
    virtual bool runTableGraphDialog(COvilanDoc& document, CTableGraph& graph) = 0;
    // The Label settings dialog, editing `label` in place; true on OK.
    virtual bool runLabelDialog(COvilanDoc& document, CPlotLabel& label) = 0;
    // The Document Properties sheet; it applies through applyDocumentProperties itself.
    virtual void runDocumentProperties(COvilanDoc& document) = 0;
};

} // namespace ovilan
