#include "dialogs/general_page.h"

#include "dialogs/color_combo.h"
#include "dialogs/field_transfer.h"
#include "dialogs/form_parts.h"
#include "document/load_allowance.h"
#include "document/ovilan_doc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ovilan {

CGeneralPage::CGeneralPage(COvilanDoc& document, DialogServices services, QWidget* parent)
    : CPropertyPage(document, services, parent)
{
    setWindowTitle(QStringLiteral("General"));
    auto* layout = new QVBoxLayout(this);

    auto* style = new QGroupBox(QStringLiteral("Axes style"), this);
    auto* styleRows = new QVBoxLayout(style);
    axesStyle_ = new QButtonGroup(style);
    const QString styles[] = { QStringLiteral("Crossing axes"), QStringLiteral("Rectangular") };
    for (int position = 0; position < 2; ++position) {
        auto* radio = new QRadioButton(styles[position], style);
        axesStyle_->addButton(radio, position);
        styleRows->addWidget(radio);
    }
    layout->addWidget(style);

    equalScale_ = namedCheckBox(QStringLiteral("Equal scale of axes"), "equalScale", this);
    layout->addWidget(equalScale_);

    QGridLayout* rows = nullptr;
    QGroupBox* plotting = titledGroup(QStringLiteral("Plotting"), rows, this);
    steps_ = namedLineEdit("steps", plotting);
    maxGap_ = namedLineEdit("maxGap", plotting);
    rows->addWidget(new QLabel(QStringLiteral("Number of Points:"), plotting), 0, 0);
    rows->addWidget(steps_, 0, 1);
    rows->addWidget(new QLabel(QStringLiteral("Maximum Gap:"), plotting), 1, 0);
    rows->addWidget(maxGap_, 1, 1);
    layout->addWidget(plotting);

    auto* backgroundRow = new QHBoxLayout;
    background_ = new CColorCombo(this);
    background_->setObjectName(QStringLiteral("background"));
    background_->fill();
    backgroundRow->addWidget(new QLabel(QStringLiteral("Background\ncolor:"), this));
    backgroundRow->addWidget(background_);
    backgroundRow->addStretch(1);
    layout->addLayout(backgroundRow);
    layout->addStretch(1);

    watch(axesStyle_);
    watch(equalScale_);
    watch(steps_);
    watch(maxGap_);
    watch(background_);
    readRecord();
}

bool CGeneralPage::leaveCheck()
{
    GeneralSettings read = held_;
    read.rectangularAxes = axesStyle_->checkedId() == 1 ? 1 : 0;
    read.equalScale = equalScale_->isChecked() ? 1 : 0;
    const auto steps = readIntegerControl(*steps_, 1, kMaxSteps, services_.messages);
    if (!steps)
        return false;
    read.steps = *steps;
    read.backgroundColor = background_->selectedIndex();
    const auto maxGap = readIntegerControl(*maxGap_, 1, kMaxGapLimit, services_.messages);
    if (!maxGap)
        return false;
    read.maxGap = *maxGap;
    // More points for every graph that follows them could make a document too large to open.
    if (read.steps != document_.general.steps && !loadsWithSteps(document_, read.steps)) {
        refuseField(*steps_,
            QString::fromUtf8(kStepsTooMany.data(), static_cast<qsizetype>(kStepsTooMany.size())),
            services_.messages,
            RefusedFocus::SelectText);
        return false;
    }
    held_ = read;
    return true;
}

void CGeneralPage::readRecord() { held_ = document_.general; }

void CGeneralPage::showFields()
{
    if (QAbstractButton* button = axesStyle_->button(held_.rectangularAxes ? 1 : 0))
        button->setChecked(true);
    equalScale_->setChecked(held_.equalScale != 0);
    writeIntegerControl(*steps_, held_.steps);
    writeIntegerControl(*maxGap_, held_.maxGap);
    background_->select(held_.backgroundColor);
}

void CGeneralPage::writeRecord(PlotSettings& settings) const { settings.general = held_; }

} // namespace ovilan
