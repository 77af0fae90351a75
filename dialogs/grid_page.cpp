#include "dialogs/grid_page.h"

#include "dialogs/color_combo.h"
#include "dialogs/field_transfer.h"
#include "dialogs/form_parts.h"
#include "dialogs/line_combo.h"
#include "document/ovilan_doc.h"
#include "expr/dialog_fields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ovilan {

namespace {

    const QString kEnterNumber = QStringLiteral("Please enter a number.");
    const QString kPositiveNumber = QStringLiteral("Please enter a positive number.");

    template <typename Widget> Widget* named(Widget* widget, const QString& name)
    {
        widget->setObjectName(name);
        return widget;
    }

} // namespace

CGridPage::CGridPage(COvilanDoc& document, DialogServices services, QWidget* parent)
    : CPropertyPage(document, services, parent)
{
    setWindowTitle(QStringLiteral("Cartesian grid"));
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(buildGroup(QStringLiteral("Horizontal lines"), "horizontal", horizontal_));
    groups->addWidget(buildGroup(QStringLiteral("Vertical lines"), "vertical", vertical_));
    layout->addLayout(groups);
    layout->addStretch(1);
    readRecord();
}

QWidget* CGridPage::buildGroup(const QString& title, const char* name, LineControls& controls)
{
    const QString prefix = QString::fromLatin1(name);
    controls.shown = named(new QCheckBox(title, this), prefix + QStringLiteral("Shown"));
    QGridLayout* rows = nullptr;
    QGroupBox* group = headedGroup(controls.shown, rows, this);
    controls.step = named(new QLineEdit(group), prefix + QStringLiteral("Step"));
    controls.width = named(new CLineCombo(group), prefix + QStringLiteral("Width"));
    controls.style = named(new CLineCombo(group), prefix + QStringLiteral("Style"));
    controls.color = named(new CColorCombo(group), prefix + QStringLiteral("Color"));
    controls.width->fill(kFirstWidthPicture, kWidthPictureCount);
    controls.style->fill(kFirstStylePicture, kStylePictureCount);
    controls.color->fill();
    rows->addWidget(new QLabel(QStringLiteral("Step:"), group), 1, 0);
    rows->addWidget(controls.step, 1, 1);
    rows->addWidget(new QLabel(QStringLiteral("Width:"), group), 2, 0);
    rows->addWidget(controls.width, 2, 1);
    rows->addWidget(new QLabel(QStringLiteral("Lines\nstyle:"), group), 3, 0);
    rows->addWidget(controls.style, 3, 1);
    rows->addWidget(new QLabel(QStringLiteral("Color:"), group), 4, 0);
    rows->addWidget(controls.color, 4, 1);
    watch(controls.shown);
    watch(controls.step);
    watch(controls.width);
    watch(controls.style);
    watch(controls.color);
    return group;
}

void CGridPage::readBack(const LineControls& controls, GridLineSet& lines)
{
    lines.shown = controls.shown->isChecked() ? 1 : 0;
    lines.width = controls.width->selectedIndex() + 1;
    lines.style = controls.style->selectedIndex();
    lines.color = controls.color->selectedIndex();
}

void CGridPage::show(const LineControls& controls, const GridLineSet& lines)
{
    controls.shown->setChecked(lines.shown != 0);
    controls.step->setText(constantText(lines.step));
    controls.width->select(lines.width - 1);
    controls.style->select(lines.style);
    controls.color->select(lines.color);
}

bool CGridPage::leaveCheck()
{
    GridSettings read = held_;
    readBack(horizontal_, read.horizontal);
    readBack(vertical_, read.vertical);
    MessageSink& messages = services_.messages;
    const auto horizontal
        = checkConstantControl(*horizontal_.step, kEnterNumber, messages, RefusedFocus::SelectText);
    if (!horizontal)
        return false;
    const auto vertical
        = checkConstantControl(*vertical_.step, kEnterNumber, messages, RefusedFocus::SelectText);
    if (!vertical)
        return false;
    read.horizontal.step = constantFieldValue(*horizontal);
    read.vertical.step = constantFieldValue(*vertical);
    for (const auto& [step, field] : { std::pair { read.horizontal.step, horizontal_.step },
             std::pair { read.vertical.step, vertical_.step } }) {
        if (!(step > 0)) {
            refuseField(*field, kPositiveNumber, messages, RefusedFocus::SelectText);
            return false;
        }
    }
    held_ = read;
    showFields();
    return true;
}

void CGridPage::readRecord() { held_ = document_.grid; }

void CGridPage::showFields()
{
    show(horizontal_, held_.horizontal);
    show(vertical_, held_.vertical);
}

void CGridPage::writeRecord(PlotSettings& settings) const { settings.grid = held_; }

} // namespace ovilan
