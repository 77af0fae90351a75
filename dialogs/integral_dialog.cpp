#include "dialogs/integral_dialog.h"

#include "dialogs/field_transfer.h"
#include "dialogs/interval_fields.h"
#include "dialogs/search_progress.h"
#include "document/curve_findings.h"
#include "document/curve_values.h"
#include "document/ovilan_doc.h"
#include "document/plot_mouse_commands.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace ovilan {

namespace {

    const QString kNoCurvePoint
        = QStringLiteral("The graph is not defined at the middle of the interval.");

} // namespace

std::int32_t integralGraph(const COvilanDoc& document)
{
    const std::int32_t index = document.currentGraph;
    if (index < 0 || index >= document.graphCount())
        return -1;
    const std::unique_ptr<CurveFunction> curve
        = document.graphs[static_cast<std::size_t>(index)]->curveFunction();
    return curve && curve->followsX() ? index : -1;
}

CIntegralDlg::CIntegralDlg(
    COvilanDoc& document, std::int32_t graph, DialogServices services, QWidget* parent)
    : QDialog(parent)
    , document_(document)
    , services_(services)
    , curve_(document.graph(graph).curveFunction())
{
    setWindowTitle(QStringLiteral("Integral"));
    const SearchInterval visible = visibleInterval(document, *curve_);
    from_ = new QLineEdit(constantText(visible.from), this);
    to_ = new QLineEdit(constantText(visible.to), this);
    result_ = new QLineEdit(this);
    result_->setReadOnly(true);
    // Wide enough for the longest reason a result cannot be trusted.
    result_->setMinimumWidth(result_->fontMetrics().horizontalAdvance(
        QString::fromUtf8(integralMessage(IntegralStatus::NotConverging)) + QStringLiteral("MM")));
    QPushButton* computeButton = fieldButton(QStringLiteral("C&ompute"), this);
    QPushButton* copy = fieldButton(QStringLiteral("&Copy"), this);
    QPushButton* label = fieldButton(QStringLiteral("Add as &label"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(document.graph(graph).describe()), this));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("From:"), this), 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("To:"), this), 0, 2);
    grid->addWidget(to_, 0, 3);
    grid->addWidget(computeButton, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Integral:"), this), 1, 0);
    grid->addWidget(result_, 1, 1, 1, 3);
    auto* actions = new QHBoxLayout;
    actions->addWidget(copy);
    actions->addWidget(label);
    actions->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    layout->addLayout(grid);
    layout->addLayout(actions);
    layout->addWidget(buttons);

    for (QLineEdit* field : { from_, to_ })
        connect(field, &QLineEdit::returnPressed, this, [this] { compute(); });
    connect(computeButton, &QPushButton::clicked, this, [this] { compute(); });
    connect(copy, &QPushButton::clicked, this, [this] { copyResult(); });
    connect(label, &QPushButton::clicked, this, [this] { addLabel(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    from_->setFocus();
}

CIntegralDlg::~CIntegralDlg() = default;

bool CIntegralDlg::compute()
{
    integral_.reset();
    const std::optional<SearchInterval> bounds
        = readIntervalFields(*from_, *to_, services_.messages);
    if (!bounds)
        return false;
    SearchProgress progress(this, QStringLiteral("Computing the integral..."));
    const Integral integral = integrate(*curve_, bounds->from, bounds->to, progress.limits({}));
    result_->setText(QString::fromStdString(integralText(integral)));
    if (integral.status != IntegralStatus::Ok)
        return false;
    integral_ = integral;
    from_value_ = bounds->from;
    to_value_ = bounds->to;
    return true;
}

bool CIntegralDlg::copyResult()
{
    if (!compute())
        return false;
    QGuiApplication::clipboard()->setText(QString::fromStdString(shownValue(integral_->value)));
    return true;
}

bool CIntegralDlg::addLabel()
{
    if (!compute())
        return false;
    // On the curve at the middle of the interval, where the area it names lies.
    const double middle = (from_value_ + to_value_) / 2;
    const std::optional<CurvePoint> point = curve_->at(middle);
    if (!point || !std::isfinite(point->y)) {
        refuseField(*from_, kNoCurvePoint, services_.messages, RefusedFocus::SelectText);
        return false;
    }
    addCaptionedLabel(
        document_, point->x, point->y, integralCaption(from_value_, to_value_, *integral_));
    return true;
}

} // namespace ovilan
