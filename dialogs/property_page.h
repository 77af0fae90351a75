#pragma once

#include "dialogs/dialog_services.h"
#include "render/plot_settings.h"

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace ovilan {

class COvilanDoc;

// A page of "Document Properties". It keeps its own copy of one settings record, shows it in its
// controls when its window is first shown and at every reload, and writes it only when the sheet
// applies. Every change notification of its controls marks it modified; applying clears the mark.
class CPropertyPage : public QWidget {
    Q_OBJECT

public:
    CPropertyPage(COvilanDoc& document, DialogServices services, QWidget* parent = nullptr);

    // Validates what the controls show; a refusal is shown, its field handed back, and the page
    // must stay. Passing also brings the held values up to date with the controls.
    virtual bool leaveCheck() = 0;
    // Writes the held values into the page's record within `settings`; clears the mark. The font
    // records are left as they are there: the font buttons have already changed the document's.
    void apply(PlotSettings& settings);
    // Reads the record from the document again and, once the page has been shown, shows it.
    void reload();

    bool isModified() const { return modified_; }
    // Whether the page's window has been shown, so its controls hold its values.
    bool isShown() const { return shown_; }

signals:
    void modifiedChanged();

protected:
    // The page's copy of its record, from the document.
    virtual void readRecord() = 0;
    // The held values into the controls.
    virtual void showFields() = 0;
    virtual void writeRecord(PlotSettings& settings) const = 0;

    void markModified();
    // Change notifications that mark the page: text changes (also the page's own), clicks on
    // buttons, a new choice in a list.
    void watch(QLineEdit* field);
    void watch(QAbstractButton* button);
    void watch(QButtonGroup* group);
    void watch(QComboBox* list);
    // The font button on one of the document's font records; marks the page after OK and Cancel
    // alike.
    void runFont(FontRecord& font, ColorIndex& colorIndex);

    void showEvent(QShowEvent* event) override;

    COvilanDoc& document_;
    DialogServices services_;

private:
    bool modified_ = false;
    bool shown_ = false;
};

} // namespace ovilan
