#pragma once

#include "dialogs/dialog_services.h"
#include "expr/formula_fault.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;
class QWidget;

namespace ovilan {

// How a refused field is handed back to the user: the graph and label dialogs only move the
// focus; the property pages and the point grid also select the whole text.
enum class RefusedFocus { MoveOnly, SelectText };

// Writes an integer field: its decimal text.
void writeIntegerControl(QLineEdit& field, std::int32_t value);
// Reads an integer field within minimum..maximum. A refusal is shown (without an icon for "not an
// integer", as a warning for the range), the field gets the focus with its text selected, and
// nothing is returned, which stops the dialog's read-back there.
std::optional<std::int32_t> readIntegerControl(
    QLineEdit& field, std::int32_t minimum, std::int32_t maximum, MessageSink& messages);

// Checks a constant field and returns its normal form. A refused text shows the dialog's own
// `message` as a warning, with what is wrong on a second line where the message leaves it unsaid,
// and hands the field back to the user with the faulty part selected.
std::optional<std::string> checkConstantControl(
    QLineEdit& field, const QString& message, MessageSink& messages, RefusedFocus focus);

// Shows `message` as a warning owned by the field's dialog and hands the field back: for the
// rules a value must meet once its text has passed.
void refuseField(
    QLineEdit& field, const QString& message, MessageSink& messages, RefusedFocus focus);

// Shows a refused formula's `message` as a warning, with the fault's explanation on a second
// line, and hands the field back with the faulty part of the text selected.
void refuseFormulaField(
    QLineEdit& field, const QString& message, MessageSink& messages, const FormulaFault& fault);

// Selects the fault's part of the field's text; an empty part puts the caret there.
void selectFault(QLineEdit& field, const FormulaFault& fault);

// A value as a constant field shows it.
QString constantText(double value);

} // namespace ovilan
