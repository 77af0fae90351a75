#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace ovilan {

// A frame whose first row is the check box that heads it; the rows below go into `rows`, label
// in column 0 and field in column 1. The check box only heads the group: which controls it
// enables is up to the dialog.
QGroupBox* headedGroup(QCheckBox* heading, QGridLayout*& rows, QWidget* parent);

// A framed group with a plain title.
QGroupBox* titledGroup(const QString& title, QGridLayout*& rows, QWidget* parent);

// A line edit with the name tests and the help find it by.
QLineEdit* namedLineEdit(const char* name, QWidget* parent);
QCheckBox* namedCheckBox(const QString& text, const char* name, QWidget* parent);

// Keeps a text field within the `maxBytes` bytes its text may take in a document file (UTF-8,
// so "é" takes two): typing or pasting beyond them is refused, as the file would be.
void limitTextLength(QLineEdit& field, std::size_t maxBytes);

// A check box as the records store it: 1 checked, 0 not.
std::int32_t checkedFlag(const QCheckBox* box);

} // namespace ovilan
