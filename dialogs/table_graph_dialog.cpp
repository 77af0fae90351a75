#include "dialogs/table_graph_dialog.h"

#include "dialogs/color_combo.h"
#include "dialogs/dialog_fit.h"
#include "dialogs/edit_grid.h"
#include "dialogs/field_transfer.h"
#include "dialogs/form_parts.h"
#include "dialogs/label_dialog.h"
#include "dialogs/line_combo.h"
#include "document/load_allowance.h"
#include "expr/dialog_fields.h"
#include "expr/exact_number.h"
#include "expr/formula_check.h"
#include "expr/typed_formula.h"
#include "graph/table_graph.h"
#include "render/plot_label.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovilan {

CTableGraphDlg::CTableGraphDlg(
    const COvilanDoc& document, CTableGraph& graph, DialogServices services, QWidget* parent)
    : CTableGraphDlg(graph, services, parent)
{
    document_ = &document;
}

CTableGraphDlg::CTableGraphDlg(CTableGraph& graph, DialogServices services, QWidget* parent)
    : QDialog(parent)
    , graph_(graph)
    , services_(services)
    , markerStyle_(graph.markerStyle)
{
    setWindowTitle(QStringLiteral("Table Graph Properties"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    grid_ = new CEditGrid(this);
    grid_->setObjectName(QStringLiteral("grid"));
    // The coordinates are stored as formulas, the labels are drawn beside their points.
    grid_->setColumnTextLimit(CEditGrid::kXColumn, kMaxFormulaLength);
    grid_->setColumnTextLimit(CEditGrid::kYColumn, kMaxFormulaLength);
    grid_->setColumnTextLimit(CEditGrid::kLabelColumn, kMaxCaptionLength);
    connect(grid_, &CEditGrid::blockRefused, this, [this](const QString& message) {
        services_.messages.show(this, message, MessageIcon::Warning);
    });
    columns->addWidget(grid_, 1);
    columns->addWidget(buildStyle());
    layout->addLayout(columns);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTableGraphDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTableGraphDlg::reject);

    width_->fill(kFirstWidthPicture, kWidthPictureCount);
    style_->fill(kFirstStylePicture, kStylePictureCount);
    color_->fill();
    showGraph_->setChecked(graph.showGraph != 0);
    showLines_->setChecked(graph.showLines != 0);
    width_->select(graph.lineWidth - 1);
    style_->select(graph.penStyle);
    color_->select(graph.colorIndex);
    showPoints_->setChecked(graph.showPoints != 0);
    showInLegend_->setChecked(graph.showInLegend != 0);
    legendText_->setText(QString::fromStdString(graph.legendText));
    grid_->attach();
    fillGrid();
    enableOptions();
    enableLegendText();
    keepDialogFitted(*this);
}

QWidget* CTableGraphDlg::buildStyle()
{
    showGraph_ = namedCheckBox(QStringLiteral("Graph"), "showGraph", this);
    QGridLayout* rows = nullptr;
    QGroupBox* frame = headedGroup(showGraph_, rows, this);

    showLines_ = namedCheckBox(QStringLiteral("Lines"), "showLines", frame);
    QGridLayout* lineRows = nullptr;
    QGroupBox* lines = headedGroup(showLines_, lineRows, frame);
    width_ = new CLineCombo(lines);
    width_->setObjectName(QStringLiteral("width"));
    style_ = new CLineCombo(lines);
    style_->setObjectName(QStringLiteral("style"));
    color_ = new CColorCombo(lines);
    color_->setObjectName(QStringLiteral("color"));
    lineRows->addWidget(new QLabel(QStringLiteral("Width:"), lines), 1, 0);
    lineRows->addWidget(width_, 1, 1);
    lineRows->addWidget(new QLabel(QStringLiteral("Style:"), lines), 2, 0);
    lineRows->addWidget(style_, 2, 1);
    lineRows->addWidget(new QLabel(QStringLiteral("Color:"), lines), 3, 0);
    lineRows->addWidget(color_, 3, 1);
    rows->addWidget(lines, 1, 0, 1, 2);

    showPoints_ = namedCheckBox(QStringLiteral("Points"), "showPoints", frame);
    options_ = new QPushButton(QStringLiteral("Options..."), frame);
    options_->setObjectName(QStringLiteral("options"));
    options_->setAutoDefault(false);
    rows->addWidget(showPoints_, 2, 0);
    rows->addWidget(options_, 2, 1, Qt::AlignRight);

    showInLegend_ = namedCheckBox(QStringLiteral("Display in legend"), "showInLegend", frame);
    legendText_ = namedLineEdit("legendText", frame);
    limitTextLength(*legendText_, kMaxCaptionLength);
    rows->addWidget(showInLegend_, 3, 0, 1, 2);
    rows->addWidget(legendText_, 4, 0, 1, 2);
    rows->setRowStretch(5, 1);

    connect(showPoints_, &QCheckBox::clicked, this, &CTableGraphDlg::enableOptions);
    connect(showInLegend_, &QCheckBox::clicked, this, &CTableGraphDlg::enableLegendText);
    connect(options_, &QPushButton::clicked, this, &CTableGraphDlg::runPointOptions);
    return frame;
}

void CTableGraphDlg::fillGrid()
{
    for (int row = 0; row < kTableRows; ++row) {
        const auto point = static_cast<std::size_t>(row);
        const std::string* texts[]
            = { &graph_.cellX[point], &graph_.cellY[point], &graph_.cellLabel[point] };
        for (int column = CEditGrid::kXColumn; column <= CEditGrid::kLabelColumn; ++column)
            if (!texts[column]->empty())
                grid_->setCellText(row, column, QString::fromStdString(*texts[column]));
    }
    grid_->viewport()->update();
}

void CTableGraphDlg::enableOptions() { options_->setEnabled(showPoints_->isChecked()); }

void CTableGraphDlg::enableLegendText() { legendText_->setEnabled(showInLegend_->isChecked()); }

void CTableGraphDlg::runPointOptions()
{
    // A Cancel keeps the copy as it was, but for a font the font button already changed.
    CLabelDlg options(markerStyle_, true, services_, this);
    options.exec();
}

std::optional<std::vector<std::string>> CTableGraphDlg::checkCells()
{
    std::vector<std::string> normalForms(2 * static_cast<std::size_t>(kTableRows));
    for (int row = 0; row < kTableRows; ++row) {
        for (int column : { CEditGrid::kXColumn, CEditGrid::kYColumn }) {
            const QString text = grid_->cellText(row, column);
            if (text.isEmpty())
                continue;
            std::optional<std::string> normalForm = checkConstantField(text.toStdString());
            if (!normalForm) {
                handBackCell(row, column, constantFieldFault(text.toStdString()));
                return std::nullopt;
            }
            // A plain number keeps every digit (measurements imported or pasted have more than
            // the ten a normal form holds); a formula such as pi/2 is kept as its normal form.
            const std::string typed = text.toStdString();
            normalForms[static_cast<std::size_t>(2 * row + column)]
                = isExactNumberText(typed) ? typed : std::move(*normalForm);
        }
    }
    return normalForms;
}

void CTableGraphDlg::handBackCell(int row, int column, const FormulaFault& fault)
{
    const std::string message
        = refusalText("Please enter a number between -10^306 and 10^306.", fault);
    services_.messages.show(this, QString::fromStdString(message), MessageIcon::Warning);
    if (grid_->currentRow() == row && grid_->currentColumn() == column)
        grid_->beginEdit();
    else
        grid_->makeCurrent(row, column);
    selectFault(*grid_->editor(), fault);
}

void CTableGraphDlg::accept()
{
    // A cell still being typed in counts as typed.
    grid_->commit();
    const std::optional<std::vector<std::string>> normalForms = checkCells();
    if (!normalForms || !fitsDocument(*normalForms))
        return;
    store(graph_, *normalForms);
    QDialog::accept();
}

bool CTableGraphDlg::fitsDocument(const std::vector<std::string>& normalForms)
{
    if (!document_)
        return true;
    CTableGraph candidate(*document_);
    store(candidate, normalForms);
    if (loadsWithGraph(*document_, candidate, placeOf(*document_, &graph_)))
        return true;
    services_.messages.show(this,
        QString::fromUtf8(
            kDocumentTooLarge.data(), static_cast<qsizetype>(kDocumentTooLarge.size())),
        MessageIcon::Warning);
    return false;
}

void CTableGraphDlg::store(CTableGraph& graph, const std::vector<std::string>& normalForms) const
{
    for (int row = 0; row < kTableRows; ++row) {
        const auto point = static_cast<std::size_t>(row);
        graph.cellX[point] = normalForms[2 * point];
        graph.cellY[point] = normalForms[2 * point + 1];
        graph.cellLabel[point] = grid_->cellText(row, CEditGrid::kLabelColumn).toStdString();
    }
    graph.dirty = true;
    graph.showInLegend = checkedFlag(showInLegend_);
    graph.showGraph = checkedFlag(showGraph_);
    graph.showPoints = checkedFlag(showPoints_);
    graph.showLines = checkedFlag(showLines_);
    graph.legendText = legendText_->text().toStdString();
    graph.penStyle = style_->selectedIndex();
    graph.lineWidth = width_->selectedIndex() + 1;
    graph.colorIndex = color_->selectedIndex();
    graph.markerStyle = markerStyle_;
}

} // namespace ovilan
