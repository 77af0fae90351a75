#include "shell/animation_frames_dialog.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/dialog_services.h"
#include "expr/dialog_fields.h"
#include "expr/number_format.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

namespace ovilan {

namespace {

    QString numberText(double value) { return QString::fromStdString(formatNumber(value)); }

    // A field's constant formula, or nothing when it is not a finite number.
    std::optional<double> fieldValue(const QLineEdit& field)
    {
        const std::optional<std::string> normal = checkConstantField(field.text().toStdString());
        if (!normal)
            return std::nullopt;
        const double value = constantFieldValue(*normal);
        return std::isfinite(value) ? std::optional(value) : std::nullopt;
    }

    void focusOn(QLineEdit& field)
    {
        field.setFocus();
        field.selectAll();
    }

} // namespace

AnimationFramesDialog::AnimationFramesDialog(
    const ParameterTable& table, const QString& folder, QWidget* parent)
    : QDialog(parent)
    , table_(table)
    , parameter_(new QComboBox)
    , from_(new QLineEdit)
    , to_(new QLineEdit)
    , step_(new QLineEdit)
    , folder_(new QLineEdit(folder))
{
    setWindowTitle(QStringLiteral("Save Animation Frames"));
    for (const FormulaParameter& parameter : table.parameters)
        parameter_->addItem(QString(QChar::fromLatin1(parameter.name)));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Parameter:"), parameter_);
    fields->addRow(QStringLiteral("&From:"), from_);
    fields->addRow(QStringLiteral("&To:"), to_);
    fields->addRow(QStringLiteral("&Step:"), step_);
    // A row of a layout has no buddy of its own: the label names the field it belongs to.
    auto* folderLabel = new QLabel(QStringLiteral("F&older:"));
    folderLabel->setBuddy(folder_);
    fields->addRow(folderLabel, folderRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &AnimationFramesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AnimationFramesDialog::reject);
    connect(browse, &QPushButton::clicked, this, &AnimationFramesDialog::browse);
    connect(parameter_, &QComboBox::currentIndexChanged, this, [this] { fillFromSlider(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    fillFromSlider();
    keepDialogFitted(*this);
}

void AnimationFramesDialog::fillFromSlider()
{
    const int index = parameter_->currentIndex();
    if (index < 0)
        return;
    const FormulaParameter& parameter = table_.parameters[static_cast<std::size_t>(index)];
    from_->setText(numberText(parameter.minimum));
    to_->setText(numberText(parameter.maximum));
    step_->setText(numberText(parameter.step));
}

void AnimationFramesDialog::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Folder for the Frames"), folder_->text());
    if (!chosen.isEmpty())
        folder_->setText(chosen);
}

FrameRange AnimationFramesDialog::range() const
{
    FrameRange range;
    const int index = parameter_->currentIndex();
    if (index >= 0)
        range.name = table_.parameters[static_cast<std::size_t>(index)].name;
    range.from = fieldValue(*from_).value_or(0);
    range.to = fieldValue(*to_).value_or(0);
    range.step = fieldValue(*step_).value_or(0);
    return range;
}

QString AnimationFramesDialog::folder() const { return folder_->text().trimmed(); }

QString AnimationFramesDialog::refusal()
{
    if (parameter_->currentIndex() < 0)
        return QStringLiteral("The document has no parameters to animate.");
    for (QLineEdit* field : { from_, to_, step_ }) {
        if (!fieldValue(*field)) {
            focusOn(*field);
            return QStringLiteral("Please enter a number or a constant formula.");
        }
    }
    const FrameRange typed = range();
    if (const std::string refused = frameRangeRefusal(table_, typed); !refused.empty()) {
        focusOn(typed.from > typed.to ? *to_ : *step_);
        return QString::fromStdString(refused);
    }
    if (folder().isEmpty()) {
        focusOn(*folder_);
        return QStringLiteral("Please choose a folder for the frames.");
    }
    return {};
}

void AnimationFramesDialog::accept()
{
    const QString refused = refusal();
    if (refused.isEmpty()) {
        QDialog::accept();
        return;
    }
    standardDialogServices().messages.show(this, refused, MessageIcon::Warning);
}

} // namespace ovilan
