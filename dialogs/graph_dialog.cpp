#include "dialogs/graph_dialog.h"

#include "dialogs/color_combo.h"
#include "dialogs/dialog_fit.h"
#include "dialogs/field_transfer.h"
#include "dialogs/form_parts.h"
#include "dialogs/line_combo.h"
#include "document/load_allowance.h"
#include "document/ovilan_doc.h"
#include "document/parameter_graphs.h"
#include "expr/dialog_fields.h"
#include "expr/formula_check.h"
#include "expr/typed_formula.h"
#include "graph/function_graph.h"
#include "render/plot_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ovilan {

namespace {

    constexpr std::int32_t kYofX = 0;
    constexpr std::int32_t kXofY = 1;
    constexpr std::int32_t kParametric = 2;
    constexpr std::int32_t kPolar = 3;

    const QString kEnterTheNumber = QStringLiteral("Please enter the number");

    QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

    QLabel* markerLabel(const char* name, QWidget* parent)
    {
        auto* label = new QLabel(parent);
        label->setObjectName(QString::fromLatin1(name));
        // Room for "Pi" whether or not it is shown, so the bounds keep their width.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("Pi ")));
        return label;
    }

} // namespace

CGraphDlg::CGraphDlg(const COvilanDoc& document,
    const CFunctionGraph* graph,
    DialogServices services,
    QWidget* parent)
    : QDialog(parent)
    , document_(document)
    , services_(services)
{
    setWindowTitle(QStringLiteral("Graph Properties"));
    // A new graph takes the values of a freshly made Y(x) graph, its random colour among them.
    targetIndex_ = placeOf(document, graph);
    std::unique_ptr<CFunctionGraph> fresh;
    if (!graph) {
        fresh = std::make_unique<CYofXGraph>(document);
        graph = fresh.get();
    }
    fields_.kind = static_cast<std::int32_t>(graph->kind);
    // A formula with parameters is edited as it was typed, not with today's values put in.
    fields_.formula = fromUtf8(graph->typedFormula(0));
    fields_.formula2
        = graph->kind == GraphKind::Parametric ? fromUtf8(graph->typedFormula(1)) : QString();
    fields_.showGraph = graph->showGraph != 0;
    fields_.widthPosition = graph->lineWidth - 1;
    fields_.pattern = graph->penStyle;
    fields_.colorIndex = graph->colorIndex;
    fields_.ownInterval = graph->ownInterval != 0;
    if (fields_.ownInterval) {
        fields_.from = constantText(graph->intervalFrom);
        fields_.to = constantText(graph->intervalTo);
    }
    fields_.ownParameters = graph->ownParameters != 0;
    fields_.steps = fields_.ownParameters ? graph->steps : 1;
    fields_.maxGap = fields_.ownParameters ? graph->maxGap : 10;
    fields_.showInLegend = graph->showInLegend != 0;
    fields_.legendText = fromUtf8(graph->legendText);

    buildControls();
    initialise();
    keepDialogFitted(*this);
    // The kind list comes first in the tab order, but what a user types at once is the formula.
    formula_->setFocus(Qt::OtherFocusReason);
}

CGraphDlg::~CGraphDlg() = default;

std::unique_ptr<CFunctionGraph> CGraphDlg::takeGraph() { return std::move(result_); }

void CGraphDlg::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("kind"));
    kind_->addItems({ QStringLiteral("Y(x)"),
        QStringLiteral("X(y)"),
        QStringLiteral("X(t), Y(t) Parametrical equations"),
        QStringLiteral("R(a) Polar coordinate system") });
    layout->addWidget(kind_);

    QGridLayout* rows = nullptr;
    QGroupBox* formulas = titledGroup(QStringLiteral("Formula"), rows, this);
    formulaLabel_ = new QLabel(formulas);
    formula_ = namedLineEdit("formula", formulas);
    formula2Label_ = new QLabel(formulas);
    formula2_ = namedLineEdit("formula2", formulas);
    limitTextLength(*formula_, kMaxFormulaLength);
    limitTextLength(*formula2_, kMaxFormulaLength);
    formula_->setMinimumWidth(formula_->fontMetrics().averageCharWidth() * 40);
    rows->addWidget(formulaLabel_, 0, 0);
    rows->addWidget(formula_, 0, 1);
    rows->addWidget(formula2Label_, 1, 0);
    rows->addWidget(formula2_, 1, 1);
    layout->addWidget(formulas);

    showGraph_ = namedCheckBox(QStringLiteral("Graph"), "showGraph", this);
    QGroupBox* line = headedGroup(showGraph_, rows, this);
    width_ = new CLineCombo(line);
    width_->setObjectName(QStringLiteral("width"));
    style_ = new CLineCombo(line);
    style_->setObjectName(QStringLiteral("style"));
    color_ = new CColorCombo(line);
    color_->setObjectName(QStringLiteral("color"));
    rows->addWidget(new QLabel(QStringLiteral("Width:"), line), 1, 0);
    rows->addWidget(width_, 1, 1);
    rows->addWidget(new QLabel(QStringLiteral("Style:"), line), 2, 0);
    rows->addWidget(style_, 2, 1);
    rows->addWidget(new QLabel(QStringLiteral("Color:"), line), 3, 0);
    rows->addWidget(color_, 3, 1);

    interval_ = namedCheckBox(QStringLiteral("Interval"), "interval", this);
    QGroupBox* interval = headedGroup(interval_, rows, this);
    from_ = namedLineEdit("from", interval);
    fromMarker_ = markerLabel("fromMarker", interval);
    to_ = namedLineEdit("to", interval);
    toMarker_ = markerLabel("toMarker", interval);
    rows->addWidget(new QLabel(QStringLiteral("From:"), interval), 1, 0);
    rows->addWidget(from_, 1, 1);
    rows->addWidget(fromMarker_, 1, 2);
    rows->addWidget(new QLabel(QStringLiteral("To:"), interval), 2, 0);
    rows->addWidget(to_, 2, 1);
    rows->addWidget(toMarker_, 2, 2);

    parameters_ = namedCheckBox(QStringLiteral("Parameters"), "parameters", this);
    QGroupBox* parameters = headedGroup(parameters_, rows, this);
    steps_ = namedLineEdit("steps", parameters);
    maxGap_ = namedLineEdit("maxGap", parameters);
    rows->addWidget(new QLabel(QStringLiteral("Number of \nsteps:"), parameters), 1, 0);
    rows->addWidget(steps_, 1, 1);
    rows->addWidget(new QLabel(QStringLiteral("Maximum gap:"), parameters), 2, 0);
    rows->addWidget(maxGap_, 2, 1);

    // The style beside the interval and the parameters, which are narrow.
    auto* middle = new QHBoxLayout;
    middle->addWidget(line);
    auto* bounds = new QVBoxLayout;
    bounds->addWidget(interval);
    bounds->addWidget(parameters);
    middle->addLayout(bounds);
    layout->addLayout(middle);

    showInLegend_ = namedCheckBox(QStringLiteral("Display in legend"), "showInLegend", this);
    legendText_ = namedLineEdit("legendText", this);
    limitTextLength(*legendText_, kMaxCaptionLength);
    auto* legend = new QHBoxLayout;
    legend->addWidget(showInLegend_);
    legend->addWidget(legendText_, 1);
    layout->addLayout(legend);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGraphDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGraphDlg::reject);

    connect(kind_, &QComboBox::activated, this, &CGraphDlg::kindChanged);
    connect(parameters_, &QCheckBox::clicked, this, &CGraphDlg::refreshParameters);
    connect(interval_, &QCheckBox::clicked, this, &CGraphDlg::refreshInterval);
    connect(showInLegend_, &QCheckBox::clicked, this, &CGraphDlg::legendClicked);
}

void CGraphDlg::initialise()
{
    width_->fill(kFirstWidthPicture, kWidthPictureCount);
    style_->fill(kFirstStylePicture, kStylePictureCount);
    color_->fill();
    applyKindLabels(fields_.kind);
    if (fields_.kind == kPolar) {
        fields_.fromMarker = QStringLiteral("Pi");
        fields_.toMarker = QStringLiteral("Pi");
    }
    enableIntervalBox();
    legendText_->setEnabled(fields_.showInLegend);
    showFields();
    refreshParameters();
    refreshInterval();
}

void CGraphDlg::applyKindLabels(std::int32_t kind)
{
    static constexpr const char* kFirstLabels[] = { "Y(x)=", "X(y)=", "X(t)=", "R(a)=" };
    formulaLabel_->setText(QString::fromLatin1(kFirstLabels[kind]));
    formula2Label_->setText(kind == kParametric ? QStringLiteral("Y(t)=") : QString());
    formula2Label_->setVisible(kind == kParametric);
    formula2_->setVisible(kind == kParametric);
    shownKind_ = kind;
}

void CGraphDlg::enableIntervalBox() { interval_->setEnabled(fields_.kind < kParametric); }

bool CGraphDlg::readBack()
{
    fields_.kind = static_cast<std::int32_t>(kind_->currentIndex());
    fields_.formula = formula_->text();
    fields_.formula2 = formula2_->text();
    fields_.showGraph = showGraph_->isChecked();
    fields_.widthPosition = width_->selectedIndex();
    fields_.pattern = style_->selectedIndex();
    fields_.colorIndex = color_->selectedIndex();
    fields_.ownInterval = interval_->isChecked();
    fields_.from = from_->text();
    fields_.fromMarker = fromMarker_->text();
    fields_.to = to_->text();
    fields_.toMarker = toMarker_->text();
    fields_.ownParameters = parameters_->isChecked();
    const auto steps = readIntegerControl(*steps_, 1, kMaxSteps, services_.messages);
    if (!steps)
        return false;
    fields_.steps = *steps;
    const auto maxGap = readIntegerControl(*maxGap_, 1, kMaxGapLimit, services_.messages);
    if (!maxGap)
        return false;
    fields_.maxGap = *maxGap;
    fields_.showInLegend = showInLegend_->isChecked();
    fields_.legendText = legendText_->text();
    return true;
}

void CGraphDlg::showFields()
{
    kind_->setCurrentIndex(fields_.kind);
    formula_->setText(fields_.formula);
    formula2_->setText(fields_.formula2);
    showGraph_->setChecked(fields_.showGraph);
    width_->select(fields_.widthPosition);
    style_->select(fields_.pattern);
    color_->select(fields_.colorIndex);
    interval_->setChecked(fields_.ownInterval);
    from_->setText(fields_.from);
    fromMarker_->setText(fields_.fromMarker);
    to_->setText(fields_.to);
    toMarker_->setText(fields_.toMarker);
    parameters_->setChecked(fields_.ownParameters);
    writeIntegerControl(*steps_, fields_.steps);
    writeIntegerControl(*maxGap_, fields_.maxGap);
    showInLegend_->setChecked(fields_.showInLegend);
    legendText_->setText(fields_.legendText);
}

void CGraphDlg::refreshParameters()
{
    if (!readBack())
        return;
    steps_->setEnabled(fields_.ownParameters);
    maxGap_->setEnabled(fields_.ownParameters);
    if (!fields_.ownParameters) {
        fields_.steps = document_.general.steps;
        fields_.maxGap = document_.general.maxGap;
    }
    showFields();
}

void CGraphDlg::refreshInterval()
{
    if (!readBack())
        return;
    from_->setEnabled(fields_.ownInterval);
    to_->setEnabled(fields_.ownInterval);
    if (!fields_.ownInterval && fields_.kind < kParametric) {
        const AxisSettings& axis = fields_.kind == kYofX ? document_.xAxis : document_.yAxis;
        fields_.from = constantText(axis.min);
        fields_.to = constantText(axis.max);
    }
    showFields();
}

void CGraphDlg::kindChanged()
{
    // Choosing the shown kind again changes nothing: an own interval and own parameters stay.
    if (kind_->currentIndex() == shownKind_)
        return;
    if (!readBack()) {
        // The form still follows the old kind's rules, so the list shows that kind again.
        kind_->setCurrentIndex(shownKind_);
        fields_.kind = shownKind_;
        return;
    }
    fields_.ownParameters = false;
    fields_.fromMarker.clear();
    fields_.toMarker.clear();
    if (fields_.kind == kParametric || fields_.kind == kPolar) {
        const bool parametric = fields_.kind == kParametric;
        fields_.ownInterval = true;
        fields_.from = parametric ? QStringLiteral("-10") : QStringLiteral("-1");
        fields_.to = parametric ? QStringLiteral("10") : QStringLiteral("1");
        if (!parametric) {
            fields_.fromMarker = QStringLiteral("Pi");
            fields_.toMarker = QStringLiteral("Pi");
        }
    } else {
        fields_.ownInterval = false;
    }
    applyKindLabels(fields_.kind);
    enableIntervalBox();
    showFields();
    refreshParameters();
    refreshInterval();
}

void CGraphDlg::legendClicked()
{
    if (!readBack())
        return;
    legendText_->setEnabled(fields_.showInLegend);
}

void CGraphDlg::accept()
{
    if (!readBack())
        return;
    result_ = buildGraph();
    if (!result_)
        return;
    if (!fitsDocument(*result_)) {
        result_.reset();
        return;
    }
    QDialog::accept();
}

bool CGraphDlg::fitsDocument(const CFunctionGraph& graph)
{
    if (loadsWithGraph(document_, graph, targetIndex_))
        return true;
    // Fewer steps is the usual way out, so the focus goes there when the graph has its own.
    QLineEdit& field = fields_.ownParameters ? *steps_ : *formula_;
    refuseField(field,
        fromUtf8(std::string(kDocumentTooLarge)),
        services_.messages,
        RefusedFocus::MoveOnly);
    return false;
}

bool CGraphDlg::takeFormula(
    CFunctionGraph& graph, int which, QLineEdit& field, const QString& typed)
{
    const std::string text = typed.toStdString();
    long long checkWork = kMaxCheckWork;
    const ParameterTable& table = document_.parameterTable;
    const int code = graph.setParameterFormula(text, which, parameterValues(table), checkWork);
    if (code == kFormulaOk)
        return true;
    const FormulaFault fault
        = locateParameterFault(text, graph.variableName(), code, definedParameters(table));
    refuseFormulaField(
        field, fromUtf8(std::string(formulaErrorText(code))), services_.messages, fault);
    return false;
}

std::unique_ptr<CFunctionGraph> CGraphDlg::buildGraph()
{
    MessageSink& messages = services_.messages;
    const auto from
        = checkConstantControl(*from_, kEnterTheNumber, messages, RefusedFocus::MoveOnly);
    if (!from)
        return nullptr;
    const auto to = checkConstantControl(*to_, kEnterTheNumber, messages, RefusedFocus::MoveOnly);
    if (!to)
        return nullptr;
    const double fromValue = constantFieldValue(*from);
    const double toValue = constantFieldValue(*to);
    if (!(fromValue < toValue)) {
        refuseField(*from_,
            QStringLiteral("Left bound should be less than right one"),
            messages,
            RefusedFocus::MoveOnly);
        return nullptr;
    }

    std::unique_ptr<CGraph> created = createGraph(fields_.kind, document_);
    std::unique_ptr<CFunctionGraph> graph(static_cast<CFunctionGraph*>(created.release()));
    if (!takeFormula(*graph, 0, *formula_, fields_.formula))
        return nullptr;
    if (fields_.kind == kParametric && !takeFormula(*graph, 1, *formula2_, fields_.formula2))
        return nullptr;

    graph->ownInterval = fields_.ownInterval ? 1 : 0;
    graph->intervalFrom = fromValue;
    graph->intervalTo = toValue;
    graph->ownParameters = fields_.ownParameters ? 1 : 0;
    graph->maxGap = fields_.maxGap;
    graph->steps = fields_.steps;
    graph->colorIndex = fields_.colorIndex;
    graph->lineWidth = fields_.widthPosition + 1;
    graph->penStyle = fields_.pattern;
    graph->showGraph = fields_.showGraph ? 1 : 0;
    graph->showInLegend = fields_.showInLegend ? 1 : 0;
    graph->legendText = fields_.legendText.toStdString();
    graph->dirty = true;
    return graph;
}

} // namespace ovilan
