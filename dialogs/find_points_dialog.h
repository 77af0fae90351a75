#pragma once

#include "analysis/curve_samples.h"
#include "dialogs/dialog_services.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ovilan {

class COvilanDoc;

// "Find Points": the roots, minima, maxima, crossing with the other axis and intersections with
// other graphs of a function graph in an interval of its variable. The points are listed with ten
// significant digits, can be copied as text and added as labels in one undo step; the dialog
// stays open for the next search. The interval of a function of x or of y can also be dragged on
// the plot: "Drag on plot" ends the dialog's run with PickInterval, and whoever ran it has the
// interval picked, hands it over and runs the same dialog again.
class CFindPointsDlg : public QDialog {
    Q_OBJECT

public:
    // The result of a run that asks for the interval to be dragged on the plot.
    static constexpr int PickInterval = 2;

    CFindPointsDlg(COvilanDoc& document,
        std::int32_t graph,
        DialogServices services,
        QWidget* parent = nullptr);
    ~CFindPointsDlg() override;

    QCheckBox& rootsBox() const { return *roots_; }
    QCheckBox& minimaBox() const { return *minima_; }
    QCheckBox& maximaBox() const { return *maxima_; }
    QCheckBox& crossingBox() const { return *crossing_; }
    QCheckBox& intersectionsBox() const { return *intersections_; }
    // "All graphs" first, then each other graph with a curve.
    QComboBox& otherGraphCombo() const { return *others_; }
    QLineEdit& fromField() const { return *from_; }
    QLineEdit& toField() const { return *to_; }
    QPushButton& pickButton() const { return *pick_; }
    QTableWidget& table() const { return *table_; }
    // Why the list may be incomplete, or that nothing was found.
    QLabel& note() const { return *note_; }
    // The limits every search runs under; tests make them small.
    SearchLimits& limits() { return limits_; }

    // The buttons' work, also for tests.
    bool find();
    bool copyPoints();
    bool addLabels();
    // A rectangle dragged on the plot, as its ranges of x and y: the range along the axis the
    // graph's variable runs on goes into "from:" and "To:". False, and the fields kept, for a
    // curve along neither axis or a rectangle without width along it.
    bool setDraggedRanges(SearchInterval x, SearchInterval y);

private:
    QWidget* buildKindsPart();
    QWidget* buildResultsPart();
    void showPoints();

    COvilanDoc& document_;
    std::int32_t graph_;
    DialogServices services_;
    std::string variable_;
    std::vector<std::int32_t> otherGraphs_;
    SearchLimits limits_;
    FeatureSearch found_;
    bool followsX_ = false;
    bool followsY_ = false;

    QCheckBox* roots_ = nullptr;
    QCheckBox* minima_ = nullptr;
    QCheckBox* maxima_ = nullptr;
    QCheckBox* crossing_ = nullptr;
    QCheckBox* intersections_ = nullptr;
    QComboBox* others_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QPushButton* pick_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* labels_ = nullptr;
};

} // namespace ovilan
