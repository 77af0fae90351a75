#include "dialogs/field_transfer.h"

#include "expr/dialog_fields.h"
#include "expr/number_format.h"
#include "expr/typed_formula.h"

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
    (void)focus; // a refused formula always shows where it goes wrong
    const std::string text = field.text().toStdString();
    std::optional<std::string> normalForm = checkConstantField(text);
    if (!normalForm)
        refuseFormulaField(field, message, messages, constantFieldFault(text));
    return normalForm;
}

void refuseField(
    QLineEdit& field, const QString& message, MessageSink& messages, RefusedFocus focus)
{
    messages.show(field.window(), message, MessageIcon::Warning);
    handBack(field, focus);
}

void refuseFormulaField(
    QLineEdit& field, const QString& message, MessageSink& messages, const FormulaFault& fault)
{
    const std::string text = refusalText(message.toStdString(), fault);
    messages.show(field.window(), QString::fromStdString(text), MessageIcon::Warning);
    field.setFocus(Qt::OtherFocusReason);
    selectFault(field, fault);
}

void selectFault(QLineEdit& field, const FormulaFault& fault)
{
    // The fault counts bytes of the UTF-8 text; the field counts UTF-16 units.
    const QByteArray bytes = field.text().toUtf8();
    const auto unitsBefore = [&bytes](std::size_t byteCount) {
        return static_cast<int>(
            QString::fromUtf8(bytes.left(static_cast<qsizetype>(byteCount))).size());
    };
    const int begin = unitsBefore(fault.begin);
    const int end = unitsBefore(fault.begin + fault.length);
    if (end > begin)
        field.setSelection(begin, end - begin);
    else
        field.setCursorPosition(begin);
}

QString constantText(double value) { return QString::fromStdString(formatNumber(value)); }

} // namespace ovilan
