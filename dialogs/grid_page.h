#pragma once

#include "dialogs/property_page.h"

class QCheckBox;
class QLineEdit;

namespace ovilan {

class CColorCombo;
class CLineCombo;

// "Cartesian grid": the horizontal and the vertical lines, side by side.
class CGridPage : public CPropertyPage {
    Q_OBJECT

public:
    CGridPage(COvilanDoc& document, DialogServices services, QWidget* parent = nullptr);

    bool leaveCheck() override;

protected:
    void readRecord() override;
    void showFields() override;
    void writeRecord(PlotSettings& settings) const override;

private:
    // The controls of one set of lines.
    struct LineControls {
        QCheckBox* shown = nullptr;
        QLineEdit* step = nullptr;
        CLineCombo* width = nullptr;
        CLineCombo* style = nullptr;
        CColorCombo* color = nullptr;
    };

    QWidget* buildGroup(const QString& title, const char* name, LineControls& controls);
    static void readBack(const LineControls& controls, GridLineSet& lines);
    static void show(const LineControls& controls, const GridLineSet& lines);

    GridSettings held_;
    LineControls horizontal_;
    LineControls vertical_;
};

} // namespace ovilan
