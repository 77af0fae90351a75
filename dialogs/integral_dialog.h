#pragma once

#include "analysis/integral.h"
#include "dialogs/dialog_services.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>

class QLineEdit;

namespace ovilan {

class COvilanDoc;

// The graph Integral works on: the selected graph when it is a function of x; -1 otherwise.
std::int32_t integralGraph(const COvilanDoc& document);

// "Integral": the integral of a Y(x) graph's function between two bounds with its error
// estimate, or why it cannot be trusted. The value can be copied and added as a label on the
// curve at the middle of the interval, as one undo step; the dialog stays open for other bounds.
class CIntegralDlg : public QDialog {
    Q_OBJECT

public:
    CIntegralDlg(COvilanDoc& document,
        std::int32_t graph,
        DialogServices services,
        QWidget* parent = nullptr);
    ~CIntegralDlg() override;

    QLineEdit& fromField() const { return *from_; }
    QLineEdit& toField() const { return *to_; }
    QLineEdit& resultField() const { return *result_; }

    // The buttons' work, also for tests.
    bool compute();
    bool copyResult();
    bool addLabel();

private:
    COvilanDoc& document_;
    DialogServices services_;
    std::unique_ptr<CurveFunction> curve_;
    // The last trusted integral and its bounds.
    std::optional<Integral> integral_;
    double from_value_ = 0;
    double to_value_ = 0;

    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLineEdit* result_ = nullptr;
};

} // namespace ovilan
