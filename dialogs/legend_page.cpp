#include "dialogs/legend_page.h"

#include "dialogs/form_parts.h"
#include "document/ovilan_doc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ovilan {

CLegendPage::CLegendPage(COvilanDoc& document, DialogServices services, QWidget* parent)
    : CPropertyPage(document, services, parent)
{
    setWindowTitle(QStringLiteral("Legend"));
    auto* layout = new QVBoxLayout(this);
    shown_ = namedCheckBox(QStringLiteral("Legend"), "shown", this);
    QGridLayout* rows = nullptr;
    QGroupBox* frame = headedGroup(shown_, rows, this);
    showSamples_ = namedCheckBox(QStringLiteral("Show samples"), "showSamples", frame);
    textColorAsGraphs_
        = namedCheckBox(QStringLiteral("Text color as graphs"), "textColorAsGraphs", frame);
    auto* font = new QPushButton(QStringLiteral("Font..."), frame);
    font->setObjectName(QStringLiteral("font"));
    font->setAutoDefault(false);
    rows->addWidget(showSamples_, 1, 0);
    rows->addWidget(textColorAsGraphs_, 2, 0);
    rows->addWidget(font, 2, 1, Qt::AlignRight);
    horizontal_ = positions(QStringLiteral("Horizontal position"),
        { QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right") },
        frame);
    rows->addWidget(horizontal_->buttons().front()->parentWidget(), 3, 0, 1, 2);
    vertical_ = positions(QStringLiteral("Vertical position"),
        { QStringLiteral("Top"), QStringLiteral("Bottom") },
        frame);
    rows->addWidget(vertical_->buttons().front()->parentWidget(), 4, 0, 1, 2);
    layout->addWidget(frame);
    layout->addStretch(1);

    watch(shown_);
    watch(showSamples_);
    watch(textColorAsGraphs_);
    watch(horizontal_);
    watch(vertical_);
    connect(font, &QPushButton::clicked, this, [this] {
        runFont(document_.legend.font, held_.textColor);
    });
    readRecord();
}

QButtonGroup* CLegendPage::positions(const QString& title, const QStringList& texts, QWidget* frame)
{
    auto* group = new QGroupBox(title, frame);
    auto* row = new QHBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    for (int position = 0; position < texts.size(); ++position) {
        auto* radio = new QRadioButton(texts[position], group);
        buttons->addButton(radio, position);
        row->addWidget(radio);
    }
    return buttons;
}

void CLegendPage::readBack()
{
    held_.shown = shown_->isChecked() ? 1 : 0;
    held_.showSamples = showSamples_->isChecked() ? 1 : 0;
    held_.textColorAsGraphs = textColorAsGraphs_->isChecked() ? 1 : 0;
    if (horizontal_->checkedId() >= 0)
        held_.horizontalPosition = horizontal_->checkedId();
    if (vertical_->checkedId() >= 0)
        held_.verticalPosition = vertical_->checkedId();
}

bool CLegendPage::leaveCheck()
{
    readBack();
    return true;
}

void CLegendPage::readRecord() { held_ = document_.legend; }

void CLegendPage::showFields()
{
    shown_->setChecked(held_.shown != 0);
    showSamples_->setChecked(held_.showSamples != 0);
    textColorAsGraphs_->setChecked(held_.textColorAsGraphs != 0);
    if (QAbstractButton* button = horizontal_->button(held_.horizontalPosition))
        button->setChecked(true);
    if (QAbstractButton* button = vertical_->button(held_.verticalPosition))
        button->setChecked(true);
}

// The font record is the document's own, changed at once by "Font..."; its colour is the page's.
void CLegendPage::writeRecord(PlotSettings& settings) const
{
    const FontRecord font = settings.legend.font;
    settings.legend = held_;
    settings.legend.font = font;
}

} // namespace ovilan
