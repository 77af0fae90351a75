#pragma once

#include "dialogs/dialog_services.h"

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QRadioButton;

namespace ovilan {

class COvilanDoc;

// "Tangent and Normal": asks the value of a function graph's variable at a point and which lines
// to draw there. OK adds them with a label at the point, as one undo step; a point where the graph
// or its slope is undefined is refused and the dialog stays open.
class CTangentDlg : public QDialog {
    Q_OBJECT

public:
    CTangentDlg(COvilanDoc& document,
        std::int32_t graphIndex,
        DialogServices services,
        QWidget* parent = nullptr);

    void accept() override;

private:
    COvilanDoc& document_;
    std::int32_t graphIndex_;
    DialogServices services_;
    QLineEdit* value_ = nullptr;
    QRadioButton* tangent_ = nullptr;
    QRadioButton* normal_ = nullptr;
    QRadioButton* both_ = nullptr;
};

} // namespace ovilan
