#pragma once

#include "document/csv_table.h"
#include "shell/shell_interface.h"

#include <QDialog>

class QRadioButton;
class QTableWidget;

namespace ovilan {

// "Import CSV": the first rows of a file read as a table, in a read-only grid under its header,
// with the separator, the decimal mark and the number of rows found. A file with more rows than
// a table graph holds says so, and OK then imports the first 2000.
class CCsvPreviewDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kShownRows = 20;

    CCsvPreviewDlg(const QString& fileName, const CsvTable& table, QWidget* parent = nullptr);

    QTableWidget& preview() const { return *preview_; }

private:
    QTableWidget* preview_ = nullptr;
};

// "Export CSV": the points of the selected graph, or the traced points of every graph.
class CCsvExportDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCsvExportDlg(bool graphSelected, QWidget* parent = nullptr);

    CsvExportScope scope() const;

private:
    QRadioButton* selectedGraph_ = nullptr;
    QRadioButton* allGraphs_ = nullptr;
};

} // namespace ovilan
