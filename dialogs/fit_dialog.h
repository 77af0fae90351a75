#pragma once

#include "analysis/curve_fit.h"
#include "dialogs/dialog_services.h"
#include "document/fitted_graph.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimer;

namespace ovilan {

class COvilanDoc;
class CFitPreview;

// "Fit Curve": fits a model to the points of a table graph and shows the coefficients, R², the
// residual standard deviation and the curve over the points as the choices change. OK adds the
// curve as a Y(x) graph, one undo step; a model that cannot be fitted is refused and the dialog
// stays open.
class CFitDlg : public QDialog {
    Q_OBJECT

public:
    CFitDlg(COvilanDoc& document,
        std::int32_t graphIndex,
        DialogServices services,
        QWidget* parent = nullptr);

    void accept() override;

    // Fits again with the dialog's choices; typing waits for a pause before it does.
    void refit();
    const FitResult& result() const { return result_; }

private:
    FitRequest request() const;
    void showResult();

    COvilanDoc& document_;
    DialogServices services_;
    TablePoints points_;
    FitResult result_;
    QComboBox* model_ = nullptr;
    QSpinBox* degree_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLabel* summary_ = nullptr;
    QLineEdit* fitted_ = nullptr;
    CFitPreview* preview_ = nullptr;
    QTimer* pause_ = nullptr;
};

} // namespace ovilan
