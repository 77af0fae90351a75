#include "dialogs/find_points_dialog.h"

#include "dialogs/field_transfer.h"
#include "dialogs/interval_fields.h"
#include "dialogs/search_progress.h"
#include "document/curve_findings.h"
#include "document/curve_values.h"
#include "document/ovilan_doc.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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

namespace ovilan {

namespace {

    const QString kChooseKinds = QStringLiteral("Please select the points to find.");
    const QString kNothingFound = QStringLiteral("No points were found in this interval.");
    const QString kPickTip
        = QStringLiteral("Drag a rectangle on the plot over the interval, as Select Scale does");
    const QString kNoPickTip = QStringLiteral(
        "Only the variable of a Y(x) or X(y) graph runs along an axis of the plot");

    QString qText(std::string_view text)
    {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

} // namespace

CFindPointsDlg::CFindPointsDlg(
    COvilanDoc& document, std::int32_t graph, DialogServices services, QWidget* parent)
    : QDialog(parent)
    , document_(document)
    , graph_(graph)
    , services_(services)
    , variable_(document.graph(graph).variableName())
    , otherGraphs_(intersectableGraphs(document, graph))
{
    setWindowTitle(QStringLiteral("Find Points"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(qText(document.graph(graph).describe()), this));
    layout->addWidget(buildKindsPart());
    layout->addWidget(buildResultsPart(), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Room for a dozen points before the list scrolls.
    resize(520, 560);
}

CFindPointsDlg::~CFindPointsDlg() = default;

QWidget* CFindPointsDlg::buildKindsPart()
{
    auto* group = new QGroupBox(QStringLiteral("Find"), this);
    auto* grid = new QGridLayout(group);
    const std::unique_ptr<CurveFunction> curve = document_.graph(graph_).curveFunction();
    roots_ = new QCheckBox(QStringLiteral("&Roots"), group);
    minima_ = new QCheckBox(QStringLiteral("M&inima"), group);
    maxima_ = new QCheckBox(QStringLiteral("M&axima"), group);
    // The crossing is where the coordinate across the curve's value is zero.
    crossing_ = new QCheckBox(curve->followsY() ? QStringLiteral("Crossing with the &X axis")
                                                : QStringLiteral("Crossing with the &Y axis"),
        group);
    intersections_ = new QCheckBox(QStringLiteral("I&ntersections with:"), group);
    others_ = new QComboBox(group);
    others_->addItem(QStringLiteral("All graphs"));
    for (const std::int32_t other : otherGraphs_)
        others_->addItem(QString::number(other + 1) + QStringLiteral(": ")
            + qText(document_.graph(other).describe()));
    for (QCheckBox* box : { roots_, minima_, maxima_, crossing_ })
        box->setChecked(true);
    const bool anyOther = !otherGraphs_.empty();
    intersections_->setChecked(anyOther);
    intersections_->setEnabled(anyOther);
    others_->setEnabled(anyOther);
    connect(intersections_, &QCheckBox::toggled, others_, &QWidget::setEnabled);

    const SearchInterval interval = visibleInterval(document_, *curve);
    from_ = new QLineEdit(constantText(interval.from), group);
    to_ = new QLineEdit(constantText(interval.to), group);
    // A drag marks a range of x or of y; a parametric or polar curve's variable is neither.
    followsX_ = curve->followsX();
    followsY_ = curve->followsY();
    pick_ = fieldButton(QStringLiteral("&Drag on plot"), group);
    pick_->setEnabled(followsX_ || followsY_);
    pick_->setToolTip(pick_->isEnabled() ? kPickTip : kNoPickTip);
    connect(pick_, &QPushButton::clicked, this, [this] { done(PickInterval); });
    QPushButton* findButton = fieldButton(QStringLiteral("&Find"), group);
    for (QLineEdit* field : { from_, to_ })
        connect(field, &QLineEdit::returnPressed, this, [this] { find(); });
    connect(findButton, &QPushButton::clicked, this, [this] { find(); });

    grid->addWidget(roots_, 0, 0);
    grid->addWidget(minima_, 0, 1);
    grid->addWidget(maxima_, 0, 2);
    grid->addWidget(crossing_, 1, 0, 1, 3);
    grid->addWidget(intersections_, 2, 0);
    grid->addWidget(others_, 2, 1, 1, 2);
    auto* bounds = new QHBoxLayout;
    bounds->addWidget(new QLabel(qText(variable_) + QStringLiteral(" from:"), group));
    bounds->addWidget(from_);
    bounds->addWidget(new QLabel(QStringLiteral("To:"), group));
    bounds->addWidget(to_);
    bounds->addWidget(pick_);
    bounds->addWidget(findButton);
    grid->addLayout(bounds, 3, 0, 1, 3);
    return group;
}

QWidget* CFindPointsDlg::buildResultsPart()
{
    auto* group = new QGroupBox(QStringLiteral("Points"), this);
    auto* layout = new QVBoxLayout(group);
    table_ = new QTableWidget(group);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(table_, 1);
    note_ = new QLabel(group);
    note_->setWordWrap(true);
    layout->addWidget(note_);
    auto* actions = new QHBoxLayout;
    copy_ = fieldButton(QStringLiteral("&Copy"), group);
    labels_ = fieldButton(QStringLiteral("Add as &labels"), group);
    // Nothing to copy or add before a search has found something.
    copy_->setEnabled(false);
    labels_->setEnabled(false);
    actions->addWidget(copy_);
    actions->addWidget(labels_);
    actions->addStretch();
    layout->addLayout(actions);
    connect(copy_, &QPushButton::clicked, this, [this] { copyPoints(); });
    connect(labels_, &QPushButton::clicked, this, [this] { addLabels(); });
    return group;
}

bool CFindPointsDlg::find()
{
    PointQuery query;
    query.roots = roots_->isChecked();
    query.minima = minima_->isChecked();
    query.maxima = maxima_->isChecked();
    query.crossings = crossing_->isChecked();
    if (intersections_->isChecked()) {
        const int chosen = others_->currentIndex();
        if (chosen <= 0)
            query.others = otherGraphs_;
        else
            query.others = { otherGraphs_[static_cast<std::size_t>(chosen - 1)] };
    }
    if (!query.roots && !query.minima && !query.maxima && !query.crossings
        && query.others.empty()) {
        services_.messages.show(this, kChooseKinds, MessageIcon::Warning);
        roots_->setFocus();
        return false;
    }
    const std::optional<SearchInterval> interval
        = readIntervalFields(*from_, *to_, services_.messages);
    if (!interval)
        return false;
    SearchProgress progress(this, QStringLiteral("Finding points..."));
    found_ = findPoints(document_, graph_, query, *interval, progress.limits(limits_));
    showPoints();
    return true;
}

void CFindPointsDlg::showPoints()
{
    const bool ownColumn = variableHasColumn(variable_);
    QStringList headers { QStringLiteral("Kind") };
    if (ownColumn)
        headers << qText(variable_);
    headers << QStringLiteral("x") << QStringLiteral("y");
    table_->clear();
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(found_.features.size()));
    int row = 0;
    for (const CurveFeature& feature : found_.features) {
        QStringList cells { qText(featureKindText(feature)) };
        if (ownColumn)
            cells << qText(shownValue(feature.t));
        cells << qText(shownValue(feature.x)) << qText(shownValue(feature.y));
        for (int column = 0; column < cells.size(); ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        ++row;
    }
    copy_->setEnabled(!found_.features.empty());
    labels_->setEnabled(!found_.features.empty());
    const std::string_view why = searchNote(found_);
    note_->setText(!why.empty() ? qText(why) : found_.features.empty() ? kNothingFound : QString());
}

bool CFindPointsDlg::setDraggedRanges(SearchInterval x, SearchInterval y)
{
    if (!followsX_ && !followsY_)
        return false;
    const SearchInterval range = followsX_ ? x : y;
    if (!(range.from < range.to))
        return false;
    from_->setText(constantText(range.from));
    to_->setText(constantText(range.to));
    return true;
}

bool CFindPointsDlg::copyPoints()
{
    if (found_.features.empty())
        return false;
    QGuiApplication::clipboard()->setText(qText(featureTableText(variable_, found_.features)));
    return true;
}

bool CFindPointsDlg::addLabels()
{
    if (found_.features.empty())
        return false;
    addCaptionedLabels(document_, featureLabels(variable_, found_.features));
    return true;
}

} // namespace ovilan
