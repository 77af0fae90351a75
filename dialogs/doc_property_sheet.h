#pragma once

#include "dialogs/dialog_services.h"

#include <QDialog>

#include <array>

class QPushButton;
class QTabWidget;

namespace ovilan {

class COvilanDoc;
class CPropertyPage;

// "Document Properties": the General, Axis X, Axis Y, Cartesian grid and Legend pages with OK,
// Cancel and Apply. Every Apply writes all pages as one undo step; a page whose values do not
// pass keeps the focus, so neither another page nor OK can be reached.
class CDocPropertySheet : public QDialog {
    Q_OBJECT

public:
    // `lastPage` is the page the sheet was last closed on during this run; it opens there and
    // is updated when the sheet closes.
    CDocPropertySheet(
        COvilanDoc& document, DialogServices services, int& lastPage, QWidget* parent = nullptr);

    CPropertyPage& page(int position) const { return *pages_[static_cast<std::size_t>(position)]; }
    QTabWidget& tabs() const { return *tabs_; }
    QPushButton& applyButton() const { return *apply_; }

    // The leave check of the active page, then every page written as one undo step, the steps
    // rescaled, the graphs refreshed, the pages reloaded and the views updated. False when the
    // active page refused its values; nothing is applied then.
    bool applyPages();

    void accept() override;
    void done(int result) override;

private:
    void pageChosen(int position);
    void refreshApplyButton();

    COvilanDoc& document_;
    int& lastPage_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* apply_ = nullptr;
    std::array<CPropertyPage*, 5> pages_ {};
    // The page shown before a tab was chosen, kept when its leave check fails.
    int activePage_ = 0;
    bool turningBack_ = false;
};

} // namespace ovilan
