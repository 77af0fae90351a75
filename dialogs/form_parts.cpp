#include "dialogs/form_parts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QValidator>

namespace ovilan {

namespace {

    // Counts the bytes the field's text takes in a file against the field's maximum length, so a
    // field whose bound changes (the grid's editor, from column to column) keeps one validator.
    class FileLengthValidator : public QValidator {
    public:
        explicit FileLengthValidator(QLineEdit& field)
            : QValidator(&field)
            , field_(field)
        {
        }

        State validate(QString& input, int&) const override
        {
            return input.toUtf8().size() <= field_.maxLength() ? Acceptable : Invalid;
        }

    private:
        const QLineEdit& field_;
    };

} // namespace

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

void limitTextLength(QLineEdit& field, std::size_t maxBytes)
{
    // The character count cuts a long paste short; the validator counts the bytes.
    field.setMaxLength(static_cast<int>(maxBytes));
    if (!dynamic_cast<const FileLengthValidator*>(field.validator()))
        field.setValidator(new FileLengthValidator(field));
}

std::int32_t checkedFlag(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

} // namespace ovilan
