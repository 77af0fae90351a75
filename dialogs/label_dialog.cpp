#include "dialogs/label_dialog.h"

#include "dialogs/color_combo.h"
#include "dialogs/dialog_fit.h"
#include "dialogs/field_transfer.h"
#include "dialogs/font_button.h"
#include "dialogs/form_parts.h"
#include "expr/dialog_fields.h"
#include "render/plot_label.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ovilan {

namespace {

    constexpr std::int32_t kMaxRadius = 20;
    const QString kEnterNumber = QStringLiteral("Please enter a number");

} // namespace

CLabelDlg::CLabelDlg(CPlotLabel& record, bool pointsMode, DialogServices services, QWidget* parent)
    : QDialog(parent)
    , record_(record)
    , held_(record)
    , pointsMode_(pointsMode)
    , services_(services)
{
    setWindowTitle(QStringLiteral("Label settings"));
    buildControls();
    initialise();
    keepDialogFitted(*this);
}

void CLabelDlg::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    QGridLayout* rows = nullptr;
    QGroupBox* coordinates = titledGroup(QStringLiteral("Coordinates"), rows, this);
    x_ = namedLineEdit("x", coordinates);
    y_ = namedLineEdit("y", coordinates);
    rows->addWidget(new QLabel(QStringLiteral("x ="), coordinates), 0, 0);
    rows->addWidget(x_, 0, 1);
    rows->addWidget(new QLabel(QStringLiteral("y ="), coordinates), 0, 2);
    rows->addWidget(y_, 0, 3);
    layout->addWidget(coordinates);

    auto* styles = new QHBoxLayout;
    styles->addWidget(buildPointGroup());
    styles->addWidget(buildLabelGroup(), 1);
    layout->addLayout(styles);

    static constexpr const char* kHorizontal[3] = { "Left", "Center", "Right" };
    static constexpr const char* kVertical[3] = { "Top", "Center", "Bottom" };
    auto* alignments = new QHBoxLayout;
    alignments->addWidget(
        buildAlignment(QStringLiteral("Horizontal alignment"), kHorizontal, horizontal_));
    alignments->addWidget(
        buildAlignment(QStringLiteral("Vertical alignment"), kVertical, vertical_));
    layout->addLayout(alignments);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLabelDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLabelDlg::reject);
}

QWidget* CLabelDlg::buildPointGroup()
{
    showPoint_ = namedCheckBox(QStringLiteral("Point"), "showPoint", this);
    QGridLayout* rows = nullptr;
    QGroupBox* group = headedGroup(showPoint_, rows, this);
    radius_ = namedLineEdit("radius", group);
    radius_->setMaximumWidth(radius_->fontMetrics().averageCharWidth() * 8);
    pointBorder_ = namedCheckBox(QStringLiteral("Border"), "pointBorder", group);
    pointTransparent_ = namedCheckBox(QStringLiteral("Transparent"), "pointTransparent", group);
    pointColor_ = new CColorCombo(group);
    pointColor_->setObjectName(QStringLiteral("pointColor"));
    rows->addWidget(new QLabel(QStringLiteral("Radius:"), group), 1, 0);
    rows->addWidget(radius_, 1, 1);
    rows->addWidget(pointBorder_, 2, 0, 1, -1);
    rows->addWidget(pointTransparent_, 3, 0, 1, -1);
    rows->addWidget(new QLabel(QStringLiteral("Color:"), group), 4, 0);
    rows->addWidget(pointColor_, 4, 1);
    rows->setRowStretch(5, 1);

    connect(showPoint_, &QCheckBox::clicked, this, [this] {
        // A refused radius is reported, but the rule still follows the click.
        readBack();
        applyPointBox();
    });
    connect(pointTransparent_, &QCheckBox::clicked, this, [this] {
        // A refused radius is reported, but the rule still follows the click.
        readBack();
        applyPointTransparency();
    });
    return group;
}

QWidget* CLabelDlg::buildLabelGroup()
{
    showLabel_ = namedCheckBox(QStringLiteral("Label"), "showLabel", this);
    QGridLayout* rows = nullptr;
    QGroupBox* group = headedGroup(showLabel_, rows, this);
    captionTitle_ = new QLabel(group);
    caption_ = namedLineEdit("caption", group);
    limitTextLength(*caption_, kMaxCaptionLength);
    caption_->setMinimumWidth(caption_->fontMetrics().averageCharWidth() * 28);
    auto* font = new QPushButton(QStringLiteral("Font..."), group);
    font->setObjectName(QStringLiteral("font"));
    font->setAutoDefault(false);
    labelBorder_ = namedCheckBox(QStringLiteral("Border"), "labelBorder", group);
    labelTransparent_ = namedCheckBox(QStringLiteral("Transparent"), "labelTransparent", group);
    background_ = new CColorCombo(group);
    background_->setObjectName(QStringLiteral("background"));
    rows->addWidget(captionTitle_, 1, 0);
    rows->addWidget(caption_, 1, 1, 1, 2);
    rows->addWidget(font, 2, 1, Qt::AlignLeft);
    rows->addWidget(labelBorder_, 3, 0, 1, -1);
    rows->addWidget(labelTransparent_, 4, 0, 1, -1);
    rows->addWidget(new QLabel(QStringLiteral("Background:"), group), 5, 0);
    rows->addWidget(background_, 5, 1);
    rows->setColumnStretch(2, 1);

    connect(showLabel_, &QCheckBox::clicked, this, [this] {
        // A refused radius is reported, but the rule still follows the click.
        readBack();
        applyLabelBox();
    });
    connect(labelTransparent_, &QCheckBox::clicked, this, [this] {
        // A refused radius is reported, but the rule still follows the click.
        readBack();
        applyCaptionTransparency();
    });
    connect(font, &QPushButton::clicked, this, &CLabelDlg::chooseFont);
    return group;
}

QWidget* CLabelDlg::buildAlignment(
    const QString& title, const char* const (&texts)[3], QButtonGroup*& group)
{
    auto* frame = new QGroupBox(title, this);
    auto* row = new QHBoxLayout(frame);
    group = new QButtonGroup(frame);
    for (int position = 0; position < 3; ++position) {
        auto* radio = new QRadioButton(QString::fromLatin1(texts[position]), frame);
        group->addButton(radio, position);
        row->addWidget(radio);
    }
    return frame;
}

void CLabelDlg::initialise()
{
    pointColor_->fill();
    background_->fill();
    showRecord();
    // The held values were just shown, so the rules need no read-back here; that also keeps a
    // radius a file brought in out of range from being refused before the window is even up.
    applyRules();
    x_->setEnabled(!pointsMode_);
    y_->setEnabled(!pointsMode_);
    captionTitle_->setText(
        pointsMode_ ? QStringLiteral("Add'l string:") : QStringLiteral("Caption:"));
    showRecord();
    // A label placed with the mouse already has its point; what the user types first is the
    // caption.
    if (!pointsMode_)
        caption_->setFocus(Qt::OtherFocusReason);
}

void CLabelDlg::showRecord()
{
    x_->setText(constantText(held_.x));
    y_->setText(constantText(held_.y));
    showPoint_->setChecked(held_.showPoint != 0);
    writeIntegerControl(*radius_, held_.radius);
    pointBorder_->setChecked(held_.pointBorder != 0);
    pointTransparent_->setChecked(held_.pointTransparent != 0);
    pointColor_->select(held_.pointColor);
    showLabel_->setChecked(held_.showLabel != 0);
    caption_->setText(QString::fromStdString(held_.caption));
    labelBorder_->setChecked(held_.labelBorder != 0);
    labelTransparent_->setChecked(held_.labelTransparent != 0);
    background_->select(held_.backgroundColor);
    if (QAbstractButton* button = horizontal_->button(held_.horizontalAlign))
        button->setChecked(true);
    if (QAbstractButton* button = vertical_->button(held_.verticalAlign))
        button->setChecked(true);
}

bool CLabelDlg::readBack()
{
    held_.backgroundColor = background_->selectedIndex();
    held_.caption = caption_->text().toStdString();
    held_.showLabel = checkedFlag(showLabel_);
    held_.showPoint = checkedFlag(showPoint_);
    held_.horizontalAlign
        = horizontal_->checkedId() < 0 ? held_.horizontalAlign : horizontal_->checkedId();
    held_.pointColor = pointColor_->selectedIndex();
    held_.verticalAlign = vertical_->checkedId() < 0 ? held_.verticalAlign : vertical_->checkedId();
    held_.pointTransparent = checkedFlag(pointTransparent_);
    const auto radius = readIntegerControl(*radius_, 0, kMaxRadius, services_.messages);
    if (!radius)
        return false;
    held_.radius = *radius;
    held_.labelBorder = checkedFlag(labelBorder_);
    held_.pointBorder = checkedFlag(pointBorder_);
    held_.labelTransparent = checkedFlag(labelTransparent_);
    return true;
}

void CLabelDlg::applyRules()
{
    applyPointTransparency();
    applyCaptionTransparency();
    applyLabelBox();
    applyPointBox();
}

void CLabelDlg::applyPointTransparency()
{
    const bool transparent = pointTransparent_->isChecked();
    pointBorder_->setEnabled(!transparent);
    pointColor_->setEnabled(!transparent);
    // A transparent point always keeps its border, or nothing of it would show.
    if (transparent) {
        held_.pointBorder = 1;
        pointBorder_->setChecked(true);
    }
}

void CLabelDlg::applyCaptionTransparency()
{
    background_->setEnabled(!labelTransparent_->isChecked());
}

// Unchecking one of point and caption forces the other on and locks it, so a label always
// shows something.
void CLabelDlg::applyLabelBox()
{
    const bool label = showLabel_->isChecked();
    showPoint_->setEnabled(label);
    if (!label) {
        held_.showPoint = 1;
        showPoint_->setChecked(true);
    }
}

void CLabelDlg::applyPointBox()
{
    const bool point = showPoint_->isChecked();
    showLabel_->setEnabled(point);
    if (!point) {
        held_.showLabel = 1;
        showLabel_->setChecked(true);
    }
}

void CLabelDlg::chooseFont()
{
    runFontButton(record_.font, held_.textColor, this, services_.fonts);
}

void CLabelDlg::accept()
{
    if (!readBack())
        return;
    // Whatever happened on the form before, no label is stored that nothing of shows.
    applyRules();
    MessageSink& messages = services_.messages;
    const auto x = checkConstantControl(*x_, kEnterNumber, messages, RefusedFocus::MoveOnly);
    if (!x)
        return;
    const auto y = checkConstantControl(*y_, kEnterNumber, messages, RefusedFocus::MoveOnly);
    if (!y)
        return;
    held_.x = constantFieldValue(*x);
    held_.y = constantFieldValue(*y);
    // The font is the record's own, changed in place by "Font..."; everything else comes from
    // the form.
    held_.font = record_.font;
    record_ = held_;
    QDialog::accept();
}

} // namespace ovilan
