#include "dialogs/fit_dialog.h"

#include "analysis/fit_formula.h"
#include "dialogs/dialog_fit.h"
#include "dialogs/fit_preview.h"
#include "dialogs/form_parts.h"
#include "document/ovilan_doc.h"
#include "expr/number_format.h"
#include "graph/table_graph.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace ovilan {

namespace {

    struct ModelChoice {
        const char* text;
        FitModel model;
    };

    constexpr ModelChoice kModels[] = {
        { "Linear: a+b*x", FitModel::Linear },
        { "Polynomial: a0+a1*x+...", FitModel::Polynomial },
        { "Exponential: a*exp(b*x)", FitModel::Exponential },
        { "Logarithmic: a+b*ln(x)", FitModel::Logarithmic },
        { "Power: a*x^b", FitModel::Power },
        { "Own formula with parameters", FitModel::Formula },
    };

    QLabel* buddyLabel(const char* text, QWidget* field, QWidget* parent)
    {
        auto* label = new QLabel(QString::fromUtf8(text), parent);
        label->setBuddy(field);
        return label;
    }

    QString number(double value) { return QString::fromStdString(formatNumber(value)); }

    FitResult refusedFit(std::string text)
    {
        FitResult refused;
        refused.refusal = std::move(text);
        return refused;
    }

    QString resultText(const FitResult& fit)
    {
        if (!fit.ok())
            return QString::fromStdString(fit.refusal);
        QString text;
        for (const FitCoefficient& coefficient : fit.coefficients)
            text += QString::fromStdString(coefficient.name) + QStringLiteral(" = ")
                + number(coefficient.value) + QLatin1Char('\n');
        text += QStringLiteral("R² = ") + number(fit.rSquared) + QLatin1Char('\n');
        text += QStringLiteral("Residual standard deviation = ") + number(fit.residualSd);
        return text;
    }

} // namespace

CFitDlg::CFitDlg(
    COvilanDoc& document, std::int32_t graphIndex, DialogServices services, QWidget* parent)
    : QDialog(parent)
    , document_(document)
    , services_(services)
{
    setWindowTitle(QStringLiteral("Fit Curve"));
    const CGraph& graph = document.graph(graphIndex);
    if (graph.kind == GraphKind::Table)
        points_ = tablePoints(static_cast<const CTableGraph&>(graph));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(graph.describe()), this));

    QGridLayout* rows = nullptr;
    QGroupBox* modelGroup = titledGroup(QStringLiteral("&Model"), rows, this);
    model_ = new QComboBox(modelGroup);
    model_->setObjectName(QStringLiteral("model"));
    for (const ModelChoice& choice : kModels)
        model_->addItem(QString::fromUtf8(choice.text));
    degree_ = new QSpinBox(modelGroup);
    degree_->setObjectName(QStringLiteral("degree"));
    degree_->setRange(kMinFitDegree, kMaxFitDegree);
    formula_ = namedLineEdit("formula", modelGroup);
    formula_->setPlaceholderText(QStringLiteral("k*(1-exp(-m*x))"));
    start_ = namedLineEdit("start", modelGroup);
    start_->setPlaceholderText(QStringLiteral("k=1, m=1"));
    rows->addWidget(model_, 0, 0, 1, 2);
    // The group's mnemonic takes the focus to the model, its first field.
    rows->addWidget(buddyLabel("&Degree:", degree_, modelGroup), 1, 0);
    rows->addWidget(degree_, 1, 1);
    rows->addWidget(buddyLabel("&y =", formula_, modelGroup), 2, 0);
    rows->addWidget(formula_, 2, 1);
    rows->addWidget(buddyLabel("&Start values:", start_, modelGroup), 3, 0);
    rows->addWidget(start_, 3, 1);
    layout->addWidget(modelGroup);

    QGroupBox* resultGroup = titledGroup(QStringLiteral("Result"), rows, this);
    summary_ = new QLabel(resultGroup);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setWordWrap(true);
    // A long formula scrolls in its field rather than widening the dialog.
    fitted_ = namedLineEdit("fitted", resultGroup);
    fitted_->setReadOnly(true);
    preview_ = new CFitPreview(resultGroup);
    preview_->setPoints(points_.x, points_.y);
    rows->addWidget(summary_, 0, 0, 1, 2);
    rows->addWidget(buddyLabel("&Fitted y =", fitted_, resultGroup), 1, 0);
    rows->addWidget(fitted_, 1, 1);
    rows->addWidget(preview_, 2, 0, 1, 2);
    // Room the result no longer needs (a shorter list of coefficients) goes to the picture, so
    // the fields above keep their places.
    rows->setRowStretch(2, 1);
    layout->addWidget(resultGroup, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFitDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFitDlg::reject);

    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    pause_->setInterval(300);
    connect(pause_, &QTimer::timeout, this, &CFitDlg::refit);
    connect(model_, &QComboBox::currentIndexChanged, this, &CFitDlg::refit);
    connect(degree_, &QSpinBox::valueChanged, this, &CFitDlg::refit);
    connect(formula_, &QLineEdit::textEdited, pause_, qOverload<>(&QTimer::start));
    connect(start_, &QLineEdit::textEdited, pause_, qOverload<>(&QTimer::start));
    refit();
    keepDialogFitted(*this);
}

FitRequest CFitDlg::request() const
{
    FitRequest request;
    request.model = kModels[std::max(0, model_->currentIndex())].model;
    request.degree = degree_->value();
    request.formula = formula_->text().trimmed().toStdString();
    return request;
}

void CFitDlg::refit()
{
    pause_->stop();
    FitRequest wanted = request();
    degree_->setEnabled(wanted.model == FitModel::Polynomial);
    formula_->setEnabled(wanted.model == FitModel::Formula);
    start_->setEnabled(wanted.model == FitModel::Formula);
    std::string badStart;
    const auto start = readFitStart(start_->text().toStdString(), badStart);
    if (wanted.model == FitModel::Formula && wanted.formula.empty()) {
        result_ = refusedFit("Type a formula in x with parameters j, k, m, v, w, z.");
    } else if (wanted.model == FitModel::Formula && !start) {
        result_ = refusedFit(
            "A start value should read as a letter, '=' and a number: \"" + badStart + "\".");
    } else {
        if (start)
            wanted.start = *start;
        result_ = fitCurve(points_.x, points_.y, wanted);
    }
    showResult();
}

void CFitDlg::showResult()
{
    summary_->setText(resultText(result_));
    fitted_->setText(QString::fromStdString(result_.normalForm));
    fitted_->setCursorPosition(0);
    preview_->setCurve(
        result_.ok() ? std::optional(prepare(result_.normalForm, "x")) : std::nullopt);
}

void CFitDlg::accept()
{
    refit();
    if (!result_.ok()) {
        services_.messages.show(
            this, QString::fromStdString(result_.refusal), MessageIcon::Warning);
        return;
    }
    const std::string_view refusal = addFittedGraph(document_, result_);
    if (!refusal.empty()) {
        services_.messages.show(this,
            QString::fromUtf8(refusal.data(), static_cast<qsizetype>(refusal.size())),
            MessageIcon::Warning);
        return;
    }
    QDialog::accept();
}

} // namespace ovilan
