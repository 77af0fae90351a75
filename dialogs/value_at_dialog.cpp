#include "dialogs/value_at_dialog.h"

#include "dialogs/field_transfer.h"
#include "dialogs/interval_fields.h"
#include "document/ovilan_doc.h"
#include "document/plot_mouse_commands.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    const QString kEnterPositive = QStringLiteral("Please enter a positive number.");
    const QString kNotDefined = QStringLiteral("The graph is not defined at this value.");
    const QString kNoValueDefined
        = QStringLiteral("The graph is not defined at any of these values.");
    constexpr int kDefaultRows = 10;

    QString qText(const std::string& text) { return QString::fromStdString(text); }

} // namespace

std::int32_t valueAtGraph(const COvilanDoc& document)
{
    const std::int32_t index = document.currentGraph;
    if (index < 0 || index >= document.graphCount())
        return -1;
    // A graph of points only has no variable.
    return document.graphs[static_cast<std::size_t>(index)]->variableName().empty() ? -1 : index;
}

CValueAtDlg::CValueAtDlg(COvilanDoc& document,
    std::int32_t graph,
    UserInterface& ui,
    DialogServices services,
    QWidget* parent)
    : QDialog(parent)
    , document_(document)
    , ui_(ui)
    , services_(services)
    , curve_(document.graph(graph).curveFunction())
{
    setWindowTitle(QStringLiteral("Value At"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(document.graph(graph).describe()), this));
    layout->addWidget(buildPointPart());
    layout->addWidget(buildTablePart(), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // The graph's own interval is shown at once; one of a single point waits for a step.
    if (curve_->interval().from != curve_->interval().to)
        fillTable();
    value_->setFocus();
}

CValueAtDlg::~CValueAtDlg() = default;

QWidget* CValueAtDlg::buildPointPart()
{
    auto* group = new QGroupBox(QStringLiteral("Point"), this);
    auto* grid = new QGridLayout(group);
    value_ = new QLineEdit(group);
    point_ = new QLineEdit(group);
    point_->setReadOnly(true);
    QPushButton* show = fieldButton(QStringLiteral("&Value"), group);
    QPushButton* label = fieldButton(QStringLiteral("Add as &label"), group);
    grid->addWidget(new QLabel(qText(curve_->variable()) + QStringLiteral(" ="), group), 0, 0);
    grid->addWidget(value_, 0, 1);
    grid->addWidget(show, 0, 2);
    grid->addWidget(point_, 1, 1);
    grid->addWidget(label, 1, 2);
    connect(value_, &QLineEdit::returnPressed, this, [this] { showPoint(); });
    connect(show, &QPushButton::clicked, this, [this] { showPoint(); });
    connect(label, &QPushButton::clicked, this, [this] { addPointLabel(); });
    return group;
}

QWidget* CValueAtDlg::buildTablePart()
{
    auto* group = new QGroupBox(QStringLiteral("Table of values"), this);
    auto* layout = new QVBoxLayout(group);
    auto* bounds = new QHBoxLayout;
    // A graph may run its interval backwards; the table runs up.
    const CurveInterval& interval = curve_->interval();
    const double low = std::min(interval.from, interval.to);
    const double high = std::max(interval.from, interval.to);
    from_ = new QLineEdit(constantText(low), group);
    to_ = new QLineEdit(constantText(high), group);
    step_ = new QLineEdit(constantText((high - low) / kDefaultRows), group);
    QPushButton* fill = fieldButton(QStringLiteral("&Fill"), group);
    for (const auto& [text, field] : { std::pair { QStringLiteral("From:"), from_ },
             std::pair { QStringLiteral("To:"), to_ },
             std::pair { QStringLiteral("Step:"), step_ } }) {
        bounds->addWidget(new QLabel(text, group));
        bounds->addWidget(field);
        connect(field, &QLineEdit::returnPressed, this, [this] { fillTable(); });
    }
    bounds->addWidget(fill);
    layout->addLayout(bounds);

    table_ = new QTableWidget(group);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(table_, 1);

    auto* actions = new QHBoxLayout;
    QPushButton* copy = fieldButton(QStringLiteral("&Copy"), group);
    QPushButton* graph = fieldButton(QStringLiteral("Add as table &graph"), group);
    actions->addWidget(copy);
    actions->addWidget(graph);
    actions->addStretch();
    layout->addLayout(actions);
    connect(fill, &QPushButton::clicked, this, [this] { fillTable(); });
    connect(copy, &QPushButton::clicked, this, [this] { copyTable(); });
    connect(graph, &QPushButton::clicked, this, [this] { addTableGraph(); });
    return group;
}

QString CValueAtDlg::pointText(const CurvePoint& point) const
{
    return qText(pointReadOut(curve_->variable(), value_at_, point));
}

std::optional<CurvePoint> CValueAtDlg::pointAtValue()
{
    const std::optional<double> value = readNumberField(*value_, services_.messages);
    if (!value)
        return std::nullopt;
    const std::optional<CurvePoint> point = curve_->at(*value);
    if (!point || !std::isfinite(point->x) || !std::isfinite(point->y)) {
        refuseField(*value_, kNotDefined, services_.messages, RefusedFocus::SelectText);
        return std::nullopt;
    }
    value_at_ = *value;
    return point;
}

bool CValueAtDlg::showPoint()
{
    const std::optional<CurvePoint> point = pointAtValue();
    if (!point)
        return false;
    point_->setText(pointText(*point));
    return true;
}

bool CValueAtDlg::addPointLabel()
{
    const std::optional<CurvePoint> point = pointAtValue();
    if (!point)
        return false;
    point_->setText(pointText(*point));
    addCaptionedLabel(document_, point->x, point->y, point_->text().toStdString());
    return true;
}

bool CValueAtDlg::fillTable()
{
    const std::optional<double> from = readNumberField(*from_, services_.messages);
    if (!from)
        return false;
    const std::optional<double> to = readNumberField(*to_, services_.messages);
    if (!to)
        return false;
    const std::optional<double> step = readNumberField(*step_, services_.messages);
    if (!step)
        return false;
    if (*from > *to) {
        refuseField(*to_, kBoundsReversed, services_.messages, RefusedFocus::SelectText);
        return false;
    }
    if (!(*step > 0)) {
        refuseField(*step_, kEnterPositive, services_.messages, RefusedFocus::SelectText);
        return false;
    }
    const std::optional<int> count = valueRowCount(*from, *to, *step);
    if (!count) {
        refuseField(*step_,
            qText(std::string(kTooManyValueRows)),
            services_.messages,
            RefusedFocus::SelectText);
        return false;
    }
    rows_ = valueTable(*curve_, *from, *count, *step);
    const std::string& variable = curve_->variable();
    const bool ownColumn = variableHasColumn(variable);
    QStringList headers;
    if (ownColumn)
        headers << qText(variable);
    headers << QStringLiteral("x") << QStringLiteral("y");
    table_->clear();
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(*count);
    const QString dash = QStringLiteral("-");
    for (int row = 0; row < *count; ++row) {
        const ValueRow& values = rows_[static_cast<std::size_t>(row)];
        QStringList cells;
        if (ownColumn)
            cells << qText(shownValue(values.value));
        if (values.point)
            cells << qText(shownValue(values.point->x)) << qText(shownValue(values.point->y));
        else if (ownColumn)
            cells << dash << dash;
        else if (curve_->followsX())
            cells << qText(shownValue(values.value)) << dash;
        else
            cells << dash << qText(shownValue(values.value));
        for (int column = 0; column < cells.size(); ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    return true;
}

bool CValueAtDlg::copyTable()
{
    if (!fillTable())
        return false;
    QGuiApplication::clipboard()->setText(qText(valueTableText(curve_->variable(), rows_)));
    return true;
}

bool CValueAtDlg::addTableGraph()
{
    if (!fillTable())
        return false;
    const bool anyDefined = std::any_of(
        rows_.begin(), rows_.end(), [](const ValueRow& row) { return row.point.has_value(); });
    if (!anyDefined) {
        refuseField(*from_, kNoValueDefined, services_.messages, RefusedFocus::SelectText);
        return false;
    }
    return addValueTableGraph(document_, ui_, rows_);
}

} // namespace ovilan
