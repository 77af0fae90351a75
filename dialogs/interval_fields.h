#pragma once

#include "analysis/curve_samples.h"
#include "dialogs/dialog_services.h"

#include <QString>

#include <optional>

class QLineEdit;
class QPushButton;
class QWidget;

namespace ovilan {

inline const QString kEnterNumber = QStringLiteral("Please enter a number.");
inline const QString kBoundsReversed = QStringLiteral("Left bound should be less than right one.");

// A button that Enter in a field does not press: each field's Enter does its own part's work.
QPushButton* fieldButton(const QString& text, QWidget* parent);

// A constant field's value (formulas like pi/3 allowed), or nothing after the refusal was shown
// and the field handed back with its text selected.
std::optional<double> readNumberField(QLineEdit& field, MessageSink& messages);

// The interval of two constant fields, lower bound first and wider than nothing; nothing after a
// refusal.
std::optional<SearchInterval> readIntervalFields(
    QLineEdit& from, QLineEdit& to, MessageSink& messages);

} // namespace ovilan
