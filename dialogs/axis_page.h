#pragma once

#include "dialogs/property_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ovilan {

class CColorCombo;
class CLineCombo;

// "Axis X" or "Axis Y": the caption, the plotting range, the ticks, the axis line and the labels
// of one axis. `axis` picks the document's record, &PlotSettings::xAxis or &PlotSettings::yAxis;
// the title and the axis-dependent texts follow the record's axis identifier.
class CAxisPage : public CPropertyPage {
    Q_OBJECT

public:
    CAxisPage(COvilanDoc& document,
        AxisSettings PlotSettings::*axis,
        DialogServices services,
        QWidget* parent = nullptr);

    bool leaveCheck() override;

protected:
    void readRecord() override;
    void showFields() override;
    void writeRecord(PlotSettings& settings) const override;

private:
    QWidget* buildCaptionGroup();
    QWidget* buildRangeGroup();
    QWidget* buildTicksGroup();
    QWidget* buildLineGroup();
    QWidget* buildLabelsGroup();
    void fillPickers();
    void setAxisTexts(bool yAxis);
    void watchControls();
    void orderTabs();

    // The steps of leaving the page, each on the values read so far; the first refusal stops.
    bool readControls(AxisSettings& read);
    bool readConstants(AxisSettings& read);
    bool checkRange(const AxisSettings& read);
    bool checkSteps(const AxisSettings& read);

    AxisSettings PlotSettings::*axis_;
    // The record's values as the page holds them; its font records are stale copies, as the font
    // buttons change the document's own.
    AxisSettings held_;

    QCheckBox* showAxis_ = nullptr;
    QLineEdit* caption_ = nullptr;
    QPushButton* captionFont_ = nullptr;
    QCheckBox* showArrow_ = nullptr;
    QLineEdit* min_ = nullptr;
    QLineEdit* max_ = nullptr;
    QCheckBox* showTicks_ = nullptr;
    QLineEdit* tickStep_ = nullptr;
    QLineEdit* tickLength_ = nullptr;
    CColorCombo* tickColor_ = nullptr;
    QComboBox* direction_ = nullptr;
    CColorCombo* lineColor_ = nullptr;
    CLineCombo* lineStyle_ = nullptr;
    CLineCombo* lineWidth_ = nullptr;
    QCheckBox* showLabels_ = nullptr;
    QLineEdit* labelStep_ = nullptr;
    QLineEdit* labelSuffix_ = nullptr;
    QLineEdit* labelCoefficient_ = nullptr;
    QCheckBox* labelLayout_ = nullptr;
    QPushButton* labelFont_ = nullptr;
};

} // namespace ovilan
