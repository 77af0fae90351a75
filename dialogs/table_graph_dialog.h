#pragma once

#include "dialogs/dialog_services.h"
#include "expr/formula_fault.h"
#include "render/plot_label.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ovilan {

class CColorCombo;
class CEditGrid;
class CLineCombo;
class COvilanDoc;
class CTableGraph;

// "Table Graph Properties": the points of a table graph typed into a grid, and its style. Writes
// into the graph handed to it, and only when OK finds every cell acceptable.
class CTableGraphDlg : public QDialog {
    Q_OBJECT

public:
    CTableGraphDlg(CTableGraph& graph, DialogServices services, QWidget* parent = nullptr);
    // With the document the graph is (or will be) in, OK also refuses a table that would make
    // the document too large to open again.
    CTableGraphDlg(const COvilanDoc& document,
        CTableGraph& graph,
        DialogServices services,
        QWidget* parent = nullptr);

    CEditGrid& grid() const { return *grid_; }

    void accept() override;

private:
    QWidget* buildStyle();
    void fillGrid();
    void enableOptions();
    void enableLegendText();
    void runPointOptions();
    // The normal forms of every X and Y cell, row by row, X before Y; nothing when a cell is
    // refused, which is then handed back to the user in the grid's editor.
    std::optional<std::vector<std::string>> checkCells();
    // Shows why the cell was refused and opens it with the faulty part selected.
    void handBackCell(int row, int column, const FormulaFault& fault);
    // The graph as OK would leave it.
    void store(CTableGraph& graph, const std::vector<std::string>& normalForms) const;
    bool fitsDocument(const std::vector<std::string>& normalForms);

    const COvilanDoc* document_ = nullptr;
    CTableGraph& graph_;
    DialogServices services_;
    // The look of the points, edited by "Options..." and stored only by OK.
    CPlotLabel markerStyle_;

    CEditGrid* grid_ = nullptr;
    QCheckBox* showGraph_ = nullptr;
    QCheckBox* showLines_ = nullptr;
    CLineCombo* width_ = nullptr;
    CLineCombo* style_ = nullptr;
    CColorCombo* color_ = nullptr;
    QCheckBox* showPoints_ = nullptr;
    QPushButton* options_ = nullptr;
    QCheckBox* showInLegend_ = nullptr;
    QLineEdit* legendText_ = nullptr;
};

} // namespace ovilan
