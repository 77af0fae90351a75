#pragma once

#include "dialogs/property_page.h"

class QButtonGroup;
class QCheckBox;

namespace ovilan {

// "Legend": whether and where the legend shows, its samples and its text.
class CLegendPage : public CPropertyPage {
    Q_OBJECT

public:
    CLegendPage(COvilanDoc& document, DialogServices services, QWidget* parent = nullptr);

    bool leaveCheck() override;

protected:
    void readRecord() override;
    void showFields() override;
    void writeRecord(PlotSettings& settings) const override;

private:
    QButtonGroup* positions(const QString& title, const QStringList& texts, QWidget* frame);
    void readBack();

    LegendSettings held_;

    QCheckBox* shown_ = nullptr;
    QCheckBox* showSamples_ = nullptr;
    QCheckBox* textColorAsGraphs_ = nullptr;
    QButtonGroup* horizontal_ = nullptr;
    QButtonGroup* vertical_ = nullptr;
};

} // namespace ovilan
