#include "shell/csv_dialogs.h"

#include "dialogs/dialog_fit.h"
#include "graph/table_graph.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ovilan {

namespace {

    QString separatorName(CsvSeparator separator)
    {
        switch (separator) {
        case CsvSeparator::Semicolon:
            return QStringLiteral("Semicolon");
        case CsvSeparator::Tab:
            return QStringLiteral("Tab");
        case CsvSeparator::Comma:
            break;
        }
        return QStringLiteral("Comma");
    }

    QStringList columnTitles(const CsvTable& table, int columns)
    {
        QStringList titles { QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Label") };
        for (int column = 0; column < columns; ++column)
            if (static_cast<std::size_t>(column) < table.header.size()
                && !table.header[static_cast<std::size_t>(column)].empty())
                titles[column]
                    = QString::fromStdString(table.header[static_cast<std::size_t>(column)]);
        return titles.mid(0, columns);
    }

    QTableWidget* buildPreview(const CsvTable& table, QWidget* parent)
    {
        const int columns = table.columns >= 3 ? 3 : 2;
        const int rows = static_cast<int>(
            std::min(table.rows.size(), static_cast<std::size_t>(CCsvPreviewDlg::kShownRows)));
        auto* preview = new QTableWidget(rows, columns, parent);
        preview->setObjectName(QStringLiteral("preview"));
        preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
        preview->setHorizontalHeaderLabels(columnTitles(table, columns));
        QStringList lines;
        for (int row = 0; row < rows; ++row) {
            const CsvRow& data = table.rows[static_cast<std::size_t>(row)];
            lines.append(QString::number(data.line));
            const std::string* cells[] = { &data.x, &data.y, &data.label };
            for (int column = 0; column < columns; ++column)
                preview->setItem(
                    row, column, new QTableWidgetItem(QString::fromStdString(*cells[column])));
        }
        // The file's own line numbers, so a row can be found in the file.
        preview->setVerticalHeaderLabels(lines);
        // Every column in view, so the labels are seen before the import.
        int width = preview->verticalHeader()->sizeHint().width() + 2 * preview->frameWidth()
            + preview->verticalScrollBar()->sizeHint().width();
        for (int column = 0; column < columns; ++column)
            width += preview->columnWidth(column);
        preview->setMinimumWidth(width);
        preview->horizontalHeader()->setStretchLastSection(true);
        return preview;
    }

} // namespace

CCsvPreviewDlg::CCsvPreviewDlg(const QString& fileName, const CsvTable& table, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import CSV - %1").arg(fileName));
    auto* layout = new QVBoxLayout(this);
    auto* facts = new QFormLayout;
    auto* separator = new QLabel(separatorName(table.separator), this);
    separator->setObjectName(QStringLiteral("separator"));
    auto* decimalMark
        = new QLabel(table.decimalComma ? QStringLiteral("Comma") : QStringLiteral("Point"), this);
    decimalMark->setObjectName(QStringLiteral("decimalMark"));
    auto* rowCount = new QLabel(QString::number(table.rows.size()), this);
    rowCount->setObjectName(QStringLiteral("rowCount"));
    facts->addRow(QStringLiteral("Separator:"), separator);
    facts->addRow(QStringLiteral("Decimal mark:"), decimalMark);
    facts->addRow(QStringLiteral("Rows:"), rowCount);
    layout->addLayout(facts);
    preview_ = buildPreview(table, this);
    layout->addWidget(preview_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (table.rows.size() > static_cast<std::size_t>(kTableRows)) {
        auto* tooLong = new QLabel(QString::fromStdString(csvRowsBeyondTableText(table.rows.size()))
                + QStringLiteral(" OK imports its first %1 rows.").arg(kTableRows),
            this);
        tooLong->setObjectName(QStringLiteral("tooLong"));
        tooLong->setWordWrap(true);
        layout->addWidget(tooLong);
        buttons->button(QDialogButtonBox::Ok)
            ->setText(QStringLiteral("&Import the First %1").arg(kTableRows));
    }
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    keepDialogFitted(*this);
}

CCsvExportDlg::CCsvExportDlg(bool graphSelected, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export CSV"));
    auto* layout = new QVBoxLayout(this);
    selectedGraph_ = new QRadioButton(QStringLiteral("Points of the &selected graph"), this);
    selectedGraph_->setObjectName(QStringLiteral("selectedGraph"));
    allGraphs_ = new QRadioButton(QStringLiteral("Traced points of &all graphs"), this);
    allGraphs_->setObjectName(QStringLiteral("allGraphs"));
    selectedGraph_->setEnabled(graphSelected);
    (graphSelected ? selectedGraph_ : allGraphs_)->setChecked(true);
    layout->addWidget(selectedGraph_);
    layout->addWidget(allGraphs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    keepDialogFitted(*this);
}

CsvExportScope CCsvExportDlg::scope() const
{
    return selectedGraph_->isChecked() ? CsvExportScope::SelectedGraph : CsvExportScope::AllGraphs;
}

} // namespace ovilan
