#include "dialogs/field_transfer.h"

#include "expr/dialog_fields.h"
#include "expr/number_format.h"

#include <QLineEdit>

namespace ovilan {

namespace {

    void handBack(QLineEdit& field, RefusedFocus focus)
    {
        field.setFocus(Qt::OtherFocusReason);
        // Selecting all leaves the caret at the end of the text, scrolled into view.
        if (focus == RefusedFocus::SelectText)
            field.selectAll();
    }

} // namespace

void writeIntegerControl(QLineEdit& field, std::int32_t value)
{
    field.setText(QString::number(value));
}

std::optional<std::int32_t> readIntegerControl(
    QLineEdit& field, std::int32_t minimum, std::int32_t maximum, MessageSink& messages)
{
    const IntegerField read = readIntegerField(field.text().toStdString(), minimum, maximum);
    if (read.refusal.empty())
        return read.value;
    messages.show(field.window(),
        QString::fromStdString(read.refusal),
        read.warning ? MessageIcon::Warning : MessageIcon::None);
    handBack(field, RefusedFocus::SelectText);
    return std::nullopt;
}

std::optional<std::string> checkConstantControl(
    QLineEdit& field, const QString& message, MessageSink& messages, RefusedFocus focus)
{
    std::optional<std::string> normalForm = checkConstantField(field.text().toStdString());
    if (!normalForm)
        refuseField(field, message, messages, focus);
    return normalForm;
}

void refuseField(
    QLineEdit& field, const QString& message, MessageSink& messages, RefusedFocus focus)
{
    messages.show(field.window(), message, MessageIcon::Warning);
    handBack(field, focus);
}

QString constantText(double value) { return QString::fromStdString(formatNumber(value)); }

} // namespace ovilan
