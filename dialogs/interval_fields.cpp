#include "dialogs/interval_fields.h"

#include "dialogs/field_transfer.h"
#include "expr/dialog_fields.h"

#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace ovilan {

QPushButton* fieldButton(const QString& text, QWidget* parent)
{
    auto* made = new QPushButton(text, parent);
    made->setAutoDefault(false);
    return made;
}

std::optional<double> readNumberField(QLineEdit& field, MessageSink& messages)
{
    const std::optional<std::string> normalForm
        = checkConstantControl(field, kEnterNumber, messages, RefusedFocus::SelectText);
    if (!normalForm)
        return std::nullopt;
    const double value = constantFieldValue(*normalForm);
    // The check already gives every constant a finite value (1e400 is an invalid constant, 0/0
    // is 0); a bound must be finite whatever a field lets through.
    if (!std::isfinite(value)) {
        refuseField(field, kEnterNumber, messages, RefusedFocus::SelectText);
        return std::nullopt;
    }
    return value;
}

std::optional<SearchInterval> readIntervalFields(
    QLineEdit& from, QLineEdit& to, MessageSink& messages)
{
    const std::optional<double> low = readNumberField(from, messages);
    if (!low)
        return std::nullopt;
    const std::optional<double> high = readNumberField(to, messages);
    if (!high)
        return std::nullopt;
    if (!(*low < *high)) {
        refuseField(to, kBoundsReversed, messages, RefusedFocus::SelectText);
        return std::nullopt;
    }
    return SearchInterval { *low, *high };
}

} // namespace ovilan
