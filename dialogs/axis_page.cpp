#include "dialogs/axis_page.h"

#include "dialogs/color_combo.h"
#include "dialogs/field_transfer.h"
#include "dialogs/form_parts.h"
#include "dialogs/line_combo.h"
#include "document/ovilan_doc.h"
#include "expr/dialog_fields.h"
#include "render/plot_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>
#include <utility>

namespace ovilan {

namespace {

    const QString kEnterNumber = QStringLiteral("Please enter a number.");
    const QString kEnterPositive = QStringLiteral("Please enter a positive number.");
    // The narrowest and the widest plotting range the page lets through.
    constexpr double kMinRangeWidth = 1e-21;
    constexpr double kMaxRangeWidth = 1e200;
    // Room for a number of ten significant digits with its exponent.
    constexpr int kNumberFieldChars = 14;

    QLineEdit* numberField(const char* name, QWidget* parent)
    {
        QLineEdit* field = namedLineEdit(name, parent);
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kNumberFieldChars);
        return field;
    }

    QPushButton* fontButton(const char* name, QWidget* parent)
    {
        auto* button = new QPushButton(QStringLiteral("Font..."), parent);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    }

    template <typename Picker> Picker* namedPicker(const char* name, QWidget* parent)
    {
        auto* picker = new Picker(parent);
        picker->setObjectName(QString::fromLatin1(name));
        return picker;
    }

    // One labelled row of a group: the label in column 0, the field in column 1.
    void addRow(QGridLayout* rows, const QString& label, QWidget* field)
    {
        const int row = rows->rowCount();
        auto* title = new QLabel(label, field->parentWidget());
        title->setBuddy(field);
        rows->addWidget(title, row, 0);
        rows->addWidget(field, row, 1, Qt::AlignLeft);
    }

    // A constant field's value. A text the page itself showed and nobody changed keeps the held
    // value, which may have more digits than the ten the field shows.
    double constantValue(const QLineEdit& field, const std::string& normalForm, double held)
    {
        if (field.text() == constantText(held))
            return held;
        return constantFieldValue(normalForm);
    }

} // namespace

CAxisPage::CAxisPage(COvilanDoc& document,
    AxisSettings PlotSettings::*axis,
    DialogServices services,
    QWidget* parent)
    : CPropertyPage(document, services, parent)
    , axis_(axis)
{
    const bool yAxis = (document_.*axis_).axisId == kYAxisId;
    setWindowTitle(yAxis ? QStringLiteral("Axis Y") : QStringLiteral("Axis X"));

    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(buildCaptionGroup());
    showArrow_ = namedCheckBox(QStringLiteral("Display arrow"), "showArrow", this);
    left->addWidget(showArrow_);
    left->addWidget(buildRangeGroup());
    left->addWidget(buildTicksGroup());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildLineGroup());
    right->addWidget(buildLabelsGroup());
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);

    fillPickers();
    setAxisTexts(yAxis);
    watchControls();
    orderTabs();
    readRecord();
}

QWidget* CAxisPage::buildCaptionGroup()
{
    showAxis_ = namedCheckBox(QStringLiteral("Display"), "showAxis", this);
    QGridLayout* rows = nullptr;
    QGroupBox* group = headedGroup(showAxis_, rows, this);
    // "Display" alone would not say what it shows.
    group->setTitle(QStringLiteral("Caption"));
    caption_ = namedLineEdit("caption", group);
    limitTextLength(*caption_, kMaxCaptionLength);
    captionFont_ = fontButton("captionFont", group);
    rows->addWidget(caption_, 1, 0);
    rows->addWidget(captionFont_, 1, 1);
    rows->setColumnStretch(0, 1);
    connect(captionFont_, &QPushButton::clicked, this, [this] {
        runFont((document_.*axis_).captionFont, held_.captionColor);
    });
    return group;
}

QWidget* CAxisPage::buildRangeGroup()
{
    QGridLayout* rows = nullptr;
    QGroupBox* group = titledGroup(QStringLiteral("Plotting range"), rows, this);
    min_ = numberField("min", group);
    max_ = numberField("max", group);
    addRow(rows, QStringLiteral("Min.:"), min_);
    addRow(rows, QStringLiteral("Max.:"), max_);
    rows->setColumnStretch(1, 1);
    return group;
}

QWidget* CAxisPage::buildTicksGroup()
{
    showTicks_ = namedCheckBox(QStringLiteral("Ticks"), "showTicks", this);
    QGridLayout* rows = nullptr;
    QGroupBox* group = headedGroup(showTicks_, rows, this);
    tickStep_ = numberField("tickStep", group);
    tickLength_ = namedLineEdit("tickLength", group);
    tickLength_->setMaximumWidth(tickLength_->fontMetrics().averageCharWidth() * 8);
    tickColor_ = namedPicker<CColorCombo>("tickColor", group);
    addRow(rows, QStringLiteral("Step:"), tickStep_);
    addRow(rows, QStringLiteral("Length:"), tickLength_);
    addRow(rows, QStringLiteral("Color:"), tickColor_);
    rows->setColumnStretch(1, 1);
    return group;
}

QWidget* CAxisPage::buildLineGroup()
{
    QGridLayout* rows = nullptr;
    QGroupBox* group = titledGroup(QStringLiteral("Axis line"), rows, this);
    direction_ = new QComboBox(group);
    direction_->setObjectName(QStringLiteral("direction"));
    lineColor_ = namedPicker<CColorCombo>("lineColor", group);
    lineStyle_ = namedPicker<CLineCombo>("lineStyle", group);
    lineWidth_ = namedPicker<CLineCombo>("lineWidth", group);
    addRow(rows, QStringLiteral("Direction:"), direction_);
    addRow(rows, QStringLiteral("Color:"), lineColor_);
    addRow(rows, QStringLiteral("Style:"), lineStyle_);
    addRow(rows, QStringLiteral("Width:"), lineWidth_);
    rows->setColumnStretch(1, 1);
    return group;
}

QWidget* CAxisPage::buildLabelsGroup()
{
    showLabels_ = namedCheckBox(QStringLiteral("Labels"), "showLabels", this);
    QGridLayout* rows = nullptr;
    QGroupBox* group = headedGroup(showLabels_, rows, this);
    labelStep_ = numberField("labelStep", group);
    labelSuffix_ = numberField("labelSuffix", group);
    limitTextLength(*labelSuffix_, kMaxCaptionLength);
    labelCoefficient_ = numberField("labelCoefficient", group);
    labelLayout_ = namedCheckBox(QString(), "labelLayout", group);
    labelFont_ = fontButton("labelFont", group);
    addRow(rows, QStringLiteral("Step:"), labelStep_);
    addRow(rows, QStringLiteral("Additional\nstring:"), labelSuffix_);
    addRow(rows, QStringLiteral("Coefficient:"), labelCoefficient_);
    rows->addWidget(labelLayout_, rows->rowCount(), 0, 1, -1);
    rows->addWidget(labelFont_, rows->rowCount(), 0, 1, -1, Qt::AlignLeft);
    rows->setColumnStretch(1, 1);
    connect(labelFont_, &QPushButton::clicked, this, [this] {
        runFont((document_.*axis_).labelFont, held_.labelColor);
    });
    return group;
}

void CAxisPage::fillPickers()
{
    lineWidth_->fill(kFirstWidthPicture, kWidthPictureCount);
    lineStyle_->fill(kFirstStylePicture, kStylePictureCount);
    lineColor_->fill();
    tickColor_->fill();
}

// The first direction entry is the reversed axis (direction −1), the second the usual one.
void CAxisPage::setAxisTexts(bool yAxis)
{
    if (yAxis) {
        labelLayout_->setText(QStringLiteral("To the right"));
        direction_->addItems({ QStringLiteral("Up->Down"), QStringLiteral("Down->Up") });
    } else {
        labelLayout_->setText(QStringLiteral("To the up"));
        direction_->addItems({ QStringLiteral("Right->Left"), QStringLiteral("Left->Right") });
    }
}

void CAxisPage::watchControls()
{
    for (QCheckBox* box : { showAxis_, showArrow_, showTicks_, showLabels_, labelLayout_ })
        watch(box);
    for (QLineEdit* field : { caption_,
             min_,
             max_,
             tickStep_,
             tickLength_,
             labelStep_,
             labelSuffix_,
             labelCoefficient_ })
        watch(field);
    for (QComboBox* list : std::initializer_list<QComboBox*> {
             tickColor_, direction_, lineColor_, lineStyle_, lineWidth_ })
        watch(list);
}

// Down the left column, then down the right one.
void CAxisPage::orderTabs()
{
    QWidget* const order[] = { showAxis_,
        caption_,
        captionFont_,
        showArrow_,
        min_,
        max_,
        showTicks_,
        tickStep_,
        tickLength_,
        tickColor_,
        direction_,
        lineColor_,
        lineStyle_,
        lineWidth_,
        showLabels_,
        labelStep_,
        labelSuffix_,
        labelCoefficient_,
        labelLayout_,
        labelFont_ };
    for (auto next = std::next(std::begin(order)); next != std::end(order); ++next)
        setTabOrder(*std::prev(next), *next);
}

bool CAxisPage::leaveCheck()
{
    AxisSettings read = held_;
    if (!readControls(read) || !readConstants(read) || !checkRange(read) || !checkSteps(read))
        return false;
    held_ = read;
    showFields();
    return true;
}

bool CAxisPage::readControls(AxisSettings& read)
{
    read.showAxis = checkedFlag(showAxis_);
    read.caption = caption_->text().toStdString();
    read.showArrow = checkedFlag(showArrow_);
    read.showTicks = checkedFlag(showTicks_);
    const auto length = readIntegerControl(*tickLength_, 1, kMaxTickLength, services_.messages);
    if (!length)
        return false;
    read.tickLength = *length;
    read.tickColor = tickColor_->selectedIndex();
    read.direction = 2 * direction_->currentIndex() - 1;
    read.lineColor = lineColor_->selectedIndex();
    read.lineStyle = lineStyle_->selectedIndex();
    read.lineWidth = lineWidth_->selectedIndex() + 1;
    read.showLabels = checkedFlag(showLabels_);
    read.labelSuffix = labelSuffix_->text().toStdString();
    read.labelLayout = checkedFlag(labelLayout_);
    return true;
}

bool CAxisPage::readConstants(AxisSettings& read)
{
    struct Constant {
        QLineEdit* field;
        double* value;
    };
    const Constant constants[] = { { tickStep_, &read.tickStep },
        { labelStep_, &read.labelStep },
        { min_, &read.min },
        { max_, &read.max },
        { labelCoefficient_, &read.labelCoefficient } };
    for (const Constant& constant : constants) {
        const auto normalForm = checkConstantControl(
            *constant.field, kEnterNumber, services_.messages, RefusedFocus::SelectText);
        if (!normalForm)
            return false;
        *constant.value = constantValue(*constant.field, *normalForm, *constant.value);
    }
    return true;
}

bool CAxisPage::checkRange(const AxisSettings& read)
{
    const auto refuse = [this](const QString& message) {
        refuseField(*min_, message, services_.messages, RefusedFocus::MoveOnly);
        return false;
    };
    if (!(read.min < read.max))
        return refuse(QStringLiteral("Left bound should be less than right one."));
    const double width = read.max - read.min;
    if (width < kMinRangeWidth)
        return refuse(QStringLiteral("Too small interval."));
    if (width > kMaxRangeWidth)
        return refuse(QStringLiteral("Too large interval"));
    return true;
}

bool CAxisPage::checkSteps(const AxisSettings& read)
{
    const std::pair<QLineEdit*, double> steps[]
        = { { tickStep_, read.tickStep }, { labelStep_, read.labelStep } };
    for (const auto& [field, step] : steps) {
        if (!(step > 0)) {
            refuseField(*field, kEnterPositive, services_.messages, RefusedFocus::MoveOnly);
            return false;
        }
    }
    return true;
}

void CAxisPage::readRecord() { held_ = document_.*axis_; }

void CAxisPage::showFields()
{
    showAxis_->setChecked(held_.showAxis != 0);
    caption_->setText(QString::fromStdString(held_.caption));
    showArrow_->setChecked(held_.showArrow != 0);
    min_->setText(constantText(held_.min));
    max_->setText(constantText(held_.max));
    showTicks_->setChecked(held_.showTicks != 0);
    tickStep_->setText(constantText(held_.tickStep));
    writeIntegerControl(*tickLength_, held_.tickLength);
    tickColor_->select(held_.tickColor);
    // As the pickers do, a direction no entry stands for leaves the choice as it is.
    const int directionPosition = (held_.direction + 1) / 2;
    if (directionPosition >= 0 && directionPosition < direction_->count())
        direction_->setCurrentIndex(directionPosition);
    lineColor_->select(held_.lineColor);
    lineStyle_->select(held_.lineStyle);
    lineWidth_->select(held_.lineWidth - 1);
    showLabels_->setChecked(held_.showLabels != 0);
    labelStep_->setText(constantText(held_.labelStep));
    labelSuffix_->setText(QString::fromStdString(held_.labelSuffix));
    labelCoefficient_->setText(constantText(held_.labelCoefficient));
    labelLayout_->setChecked(held_.labelLayout != 0);
}

void CAxisPage::writeRecord(PlotSettings& settings) const
{
    AxisSettings& record = settings.*axis_;
    AxisSettings written = held_;
    written.captionFont = record.captionFont;
    written.labelFont = record.labelFont;
    record = written;
}

} // namespace ovilan
