#pragma once

#include "dialogs/dialog_services.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace ovilan {

class CColorCombo;
class CFunctionGraph;
class CLineCombo;
class COvilanDoc;

// "Graph Properties": creates or edits a formula graph. On OK it builds a brand-new graph of the
// chosen kind from its fields; the edited graph itself is never touched.
class CGraphDlg : public QDialog {
    Q_OBJECT

public:
    // `graph` is the graph to edit, or null for a new one.
    CGraphDlg(const COvilanDoc& document,
        const CFunctionGraph* graph,
        DialogServices services,
        QWidget* parent = nullptr);
    ~CGraphDlg() override;

    // The graph built by a successful OK; the caller owns it from then on.
    std::unique_ptr<CFunctionGraph> takeGraph();

    void accept() override;

private:
    // The values the controls show, read back and shown again as a whole.
    struct Fields {
        std::int32_t kind = 0;
        QString formula;
        QString formula2;
        bool showGraph = true;
        int widthPosition = 0;
        int pattern = 0;
        std::int32_t colorIndex = 0;
        bool ownInterval = false;
        QString from;
        QString to;
        QString fromMarker;
        QString toMarker;
        bool ownParameters = false;
        std::int32_t steps = 1;
        std::int32_t maxGap = 10;
        bool showInLegend = true;
        QString legendText;
    };

    void buildControls();
    void initialise();
    void applyKindLabels(std::int32_t kind);
    void enableIntervalBox();
    bool readBack();
    void showFields();
    void refreshParameters();
    void refreshInterval();
    void kindChanged();
    void legendClicked();
    // OK's checks after the read-back; the new graph when every one passed.
    std::unique_ptr<CFunctionGraph> buildGraph();
    // Gives the graph its formula `which` from the field; a refusal selects the fault.
    bool takeFormula(CFunctionGraph& graph, int which, QLineEdit& field, const QString& typed);
    // Whether the document can still be opened with the new graph in it; says why not.
    bool fitsDocument(const CFunctionGraph& graph);

    const COvilanDoc& document_;
    DialogServices services_;
    Fields fields_;
    // The kind whose rules the form shows, restored when a kind change cannot be read back.
    std::int32_t shownKind_ = 0;
    std::unique_ptr<CFunctionGraph> result_;
    // Where the new graph goes: the edited graph's place, or after the last graph.
    std::int32_t targetIndex_ = 0;

    QComboBox* kind_ = nullptr;
    QLabel* formulaLabel_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QLabel* formula2Label_ = nullptr;
    QLineEdit* formula2_ = nullptr;
    QCheckBox* showGraph_ = nullptr;
    CLineCombo* width_ = nullptr;
    CLineCombo* style_ = nullptr;
    CColorCombo* color_ = nullptr;
    QCheckBox* interval_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLabel* fromMarker_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLabel* toMarker_ = nullptr;
    QCheckBox* parameters_ = nullptr;
    QLineEdit* steps_ = nullptr;
    QLineEdit* maxGap_ = nullptr;
    QCheckBox* showInLegend_ = nullptr;
    QLineEdit* legendText_ = nullptr;
};

} // namespace ovilan
