#include "dialogs/form_parts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace ovilan {

QGroupBox* headedGroup(QCheckBox* heading, QGridLayout*& rows, QWidget* parent)
{
    auto* group = new QGroupBox(parent);
    rows = new QGridLayout(group);
    rows->addWidget(heading, 0, 0, 1, -1);
    return group;
}

QGroupBox* titledGroup(const QString& title, QGridLayout*& rows, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    rows = new QGridLayout(group);
    return group;
}

QLineEdit* namedLineEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QCheckBox* namedCheckBox(const QString& text, const char* name, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

std::int32_t checkedFlag(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

} // namespace ovilan
