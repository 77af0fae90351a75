#pragma once

#include "dialogs/dialog_services.h"
#include "document/curve_values.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ovilan {

class COvilanDoc;
class UserInterface;

// The graph Value At works on: the selected graph when it has a curve function (any kind but a
// table); -1 otherwise.
std::int32_t valueAtGraph(const COvilanDoc& document);

// "Value At": a function graph's point at a value of its variable, and a table of its values from,
// to, step. The point can be added as a label and the table copied as text or added as a table
// graph, each as one undo step; the dialog stays open for the next value.
class CValueAtDlg : public QDialog {
    Q_OBJECT

public:
    CValueAtDlg(COvilanDoc& document,
        std::int32_t graph,
        UserInterface& ui,
        DialogServices services,
        QWidget* parent = nullptr);
    ~CValueAtDlg() override;

    QLineEdit& valueField() const { return *value_; }
    QLineEdit& pointField() const { return *point_; }
    QLineEdit& fromField() const { return *from_; }
    QLineEdit& toField() const { return *to_; }
    QLineEdit& stepField() const { return *step_; }
    QTableWidget& table() const { return *table_; }

    // The buttons' work, also for tests.
    bool showPoint();
    bool addPointLabel();
    bool fillTable();
    bool copyTable();
    bool addTableGraph();

private:
    QWidget* buildPointPart();
    QWidget* buildTablePart();
    // The point at the value field's value; nothing after a refusal.
    std::optional<CurvePoint> pointAtValue();
    QString pointText(const CurvePoint& point) const;

    COvilanDoc& document_;
    UserInterface& ui_;
    DialogServices services_;
    std::unique_ptr<CurveFunction> curve_;
    std::vector<ValueRow> rows_;
    double value_at_ = 0; // the value the point field shows the point at

    QLineEdit* value_ = nullptr;
    QLineEdit* point_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLineEdit* step_ = nullptr;
    QTableWidget* table_ = nullptr;
};

} // namespace ovilan
