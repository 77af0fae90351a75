#include "dialogs/doc_property_sheet.h"

#include "dialogs/axis_page.h"
#include "dialogs/dialog_fit.h"
#include "dialogs/general_page.h"
#include "dialogs/grid_page.h"
#include "dialogs/legend_page.h"
#include "document/document_commands.h"
#include "document/ovilan_doc.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ovilan {

CDocPropertySheet::CDocPropertySheet(
    COvilanDoc& document, DialogServices services, int& lastPage, QWidget* parent)
    : QDialog(parent)
    , document_(document)
    , lastPage_(lastPage)
{
    setWindowTitle(QStringLiteral("Document Properties"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    pages_ = { new CGeneralPage(document, services, tabs_),
        new CAxisPage(document, &PlotSettings::xAxis, services, tabs_),
        new CAxisPage(document, &PlotSettings::yAxis, services, tabs_),
        new CGridPage(document, services, tabs_),
        new CLegendPage(document, services, tabs_) };
    for (CPropertyPage* page : pages_) {
        tabs_->addTab(page, page->windowTitle());
        connect(
            page, &CPropertyPage::modifiedChanged, this, &CDocPropertySheet::refreshApplyButton);
    }
    layout->addWidget(tabs_);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDocPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDocPropertySheet::reject);
    connect(apply_, &QPushButton::clicked, this, &CDocPropertySheet::applyPages);

    activePage_ = lastPage_ >= 0 && lastPage_ < static_cast<int>(pages_.size()) ? lastPage_ : 0;
    tabs_->setCurrentIndex(activePage_);
    connect(tabs_, &QTabWidget::currentChanged, this, &CDocPropertySheet::pageChosen);
    refreshApplyButton();
    keepDialogFitted(*this);
}

// The tab has already changed when it is announced; the sheet turns back to the page being left
// for its check, so a refusal is shown on that page with its field, and goes on only if it passed.
void CDocPropertySheet::pageChosen(int position)
{
    if (turningBack_ || position == activePage_)
        return;
    turningBack_ = true;
    tabs_->setCurrentIndex(activePage_);
    if (page(activePage_).leaveCheck()) {
        tabs_->setCurrentIndex(position);
        activePage_ = position;
    }
    turningBack_ = false;
}

void CDocPropertySheet::refreshApplyButton()
{
    bool modified = false;
    for (const CPropertyPage* page : pages_)
        modified = modified || page->isModified();
    apply_->setEnabled(modified);
}

bool CDocPropertySheet::applyPages()
{
    if (!page(activePage_).leaveCheck())
        return false;
    PlotSettings edited = document_;
    for (CPropertyPage* page : pages_)
        page->apply(edited);
    applyDocumentProperties(document_, edited, [this] {
        for (CPropertyPage* page : pages_)
            page->reload();
    });
    return true;
}

void CDocPropertySheet::accept()
{
    if (apply_->isEnabled() && !applyPages())
        return;
    // Everything has been applied; the result says nothing more to the caller.
    done(QDialog::Rejected);
}

void CDocPropertySheet::done(int result)
{
    lastPage_ = activePage_;
    QDialog::done(result);
}

} // namespace ovilan
