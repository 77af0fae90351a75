#include "dialogs/tangent_dialog.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/field_transfer.h"
#include "dialogs/form_parts.h"
#include "dialogs/interval_fields.h"
#include "document/derived_graphs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ovilan {

CTangentDlg::CTangentDlg(
    COvilanDoc& document, std::int32_t graphIndex, DialogServices services, QWidget* parent)
    : QDialog(parent)
    , document_(document)
    , graphIndex_(graphIndex)
    , services_(services)
{
    setWindowTitle(QStringLiteral("Tangent and Normal"));
    const CGraph& graph = document.graph(graphIndex);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(graph.describe()), this));

    QGridLayout* rows = nullptr;
    QGroupBox* point = titledGroup(QStringLiteral("Point"), rows, this);
    value_ = namedLineEdit("value", point);
    value_->setText(QStringLiteral("0"));
    // A polar graph's angle is typed in radians, as pi/3, unlike its interval in units of pi.
    rows->addWidget(
        new QLabel(QString::fromStdString(graph.variableName()) + QStringLiteral(" ="), point),
        0,
        0);
    rows->addWidget(value_, 0, 1);
    layout->addWidget(point);

    QGroupBox* lines = titledGroup(QStringLiteral("Add"), rows, this);
    tangent_ = new QRadioButton(QStringLiteral("Tangent"), lines);
    normal_ = new QRadioButton(QStringLiteral("Normal"), lines);
    both_ = new QRadioButton(QStringLiteral("Tangent and normal"), lines);
    tangent_->setChecked(true);
    rows->addWidget(tangent_, 0, 0);
    rows->addWidget(normal_, 1, 0);
    rows->addWidget(both_, 2, 0);
    layout->addWidget(lines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTangentDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTangentDlg::reject);
    keepDialogFitted(*this);
}

void CTangentDlg::accept()
{
    const std::optional<double> value = readNumberField(*value_, services_.messages);
    if (!value)
        return;
    const TangentLines lines = normal_->isChecked() ? TangentLines::Normal
        : both_->isChecked()                        ? TangentLines::Both
                                                    : TangentLines::Tangent;
    const std::string_view refusal = addTangentLines(document_, graphIndex_, *value, lines);
    if (!refusal.empty()) {
        refuseField(*value_,
            QString::fromUtf8(refusal.data(), static_cast<qsizetype>(refusal.size())),
            services_.messages,
            RefusedFocus::SelectText);
        return;
    }
    QDialog::accept();
}

} // namespace ovilan
