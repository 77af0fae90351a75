#include "dialogs/property_page.h"

#include "dialogs/font_button.h"
#include "document/ovilan_doc.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>

namespace ovilan {

CPropertyPage::CPropertyPage(COvilanDoc& document, DialogServices services, QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , services_(services)
{
}

void CPropertyPage::apply(PlotSettings& settings)
{
    writeRecord(settings);
    modified_ = false;
    emit modifiedChanged();
}

void CPropertyPage::reload()
{
    readRecord();
    if (shown_)
        showFields();
}

void CPropertyPage::markModified()
{
    if (modified_)
        return;
    modified_ = true;
    emit modifiedChanged();
}

void CPropertyPage::watch(QLineEdit* field)
{
    connect(field, &QLineEdit::textChanged, this, &CPropertyPage::markModified);
}

void CPropertyPage::watch(QAbstractButton* button)
{
    connect(button, &QAbstractButton::clicked, this, &CPropertyPage::markModified);
}

void CPropertyPage::watch(QButtonGroup* group)
{
    connect(group, &QButtonGroup::buttonClicked, this, &CPropertyPage::markModified);
}

void CPropertyPage::watch(QComboBox* list)
{
    connect(list, &QComboBox::activated, this, &CPropertyPage::markModified);
}

void CPropertyPage::runFont(FontRecord& font, ColorIndex& colorIndex)
{
    runFontButton(font, colorIndex, this, services_.fonts);
    markModified();
}

// The controls are filled when the page first appears, as a page's window is created only then;
// filling the empty fields marks the page.
void CPropertyPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    showFields();
}

} // namespace ovilan
