#pragma once

#include "dialogs/property_page.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace ovilan {

class CColorCombo;

// "General": the axes style, equal scale, the plotting parameters and the background colour.
class CGeneralPage : public CPropertyPage {
    Q_OBJECT

public:
    CGeneralPage(COvilanDoc& document, DialogServices services, QWidget* parent = nullptr);

    bool leaveCheck() override;

protected:
    void readRecord() override;
    void showFields() override;
    void writeRecord(PlotSettings& settings) const override;

private:
    GeneralSettings held_;

    QButtonGroup* axesStyle_ = nullptr;
    QCheckBox* equalScale_ = nullptr;
    QLineEdit* steps_ = nullptr;
    QLineEdit* maxGap_ = nullptr;
    CColorCombo* background_ = nullptr;
};

} // namespace ovilan
