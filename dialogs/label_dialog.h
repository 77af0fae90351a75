#pragma once

#include "dialogs/dialog_services.h"
#include "render/plot_label.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace ovilan {

class CColorCombo;

// "Label settings": edits a plot label, or in points mode the look of a table graph's points.
// The record is written only by a successful OK, except its font, which "Font..." changes at once.
class CLabelDlg : public QDialog {
    Q_OBJECT

public:
    CLabelDlg(
        CPlotLabel& record, bool pointsMode, DialogServices services, QWidget* parent = nullptr);

    void accept() override;

private:
    void buildControls();
    QWidget* buildPointGroup();
    QWidget* buildLabelGroup();
    QWidget* buildAlignment(
        const QString& title, const char* const (&texts)[3], QButtonGroup*& group);
    void initialise();
    void showRecord();
    // Reads every control but the coordinates' texts into the held values; false when the radius
    // is refused.
    bool readBack();

    // The four rules that keep the form consistent: a transparent point keeps its border, and at
    // least one of point and caption is shown. Each click reads the controls back first.
    void applyRules();
    void applyPointTransparency();
    void applyCaptionTransparency();
    void applyLabelBox();
    void applyPointBox();
    void chooseFont();

    CPlotLabel& record_;
    CPlotLabel held_;
    bool pointsMode_;
    DialogServices services_;

    QLineEdit* x_ = nullptr;
    QLineEdit* y_ = nullptr;
    QCheckBox* showPoint_ = nullptr;
    QLineEdit* radius_ = nullptr;
    QCheckBox* pointBorder_ = nullptr;
    QCheckBox* pointTransparent_ = nullptr;
    CColorCombo* pointColor_ = nullptr;
    QCheckBox* showLabel_ = nullptr;
    QLabel* captionTitle_ = nullptr;
    QLineEdit* caption_ = nullptr;
    QCheckBox* labelBorder_ = nullptr;
    QCheckBox* labelTransparent_ = nullptr;
    CColorCombo* background_ = nullptr;
    QButtonGroup* horizontal_ = nullptr;
    QButtonGroup* vertical_ = nullptr;
};

} // namespace ovilan
