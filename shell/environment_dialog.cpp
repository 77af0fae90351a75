#include "shell/environment_dialog.h"

#include "dialogs/dialog_fit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace ovilan {

EnvironmentDialog::EnvironmentDialog(const AppPreferences& preferences, QWidget* parent)
    : QDialog(parent)
    , autoChangeSteps_(new QCheckBox(QStringLiteral("Automatically change steps")))
    , persistentCursor_(new QCheckBox(QStringLiteral("Persistent cursor")))
{
    setWindowTitle(QStringLiteral("Environment settings"));
    autoChangeSteps_->setObjectName(QStringLiteral("1030"));
    persistentCursor_->setObjectName(QStringLiteral("1031"));
    autoChangeSteps_->setChecked(preferences.autoChangeSteps != 0);
    persistentCursor_->setChecked(preferences.persistentCursor != 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(autoChangeSteps_);
    layout->addWidget(persistentCursor_);
    layout->addWidget(buttons);
    keepDialogFitted(*this);
}

AppPreferences EnvironmentDialog::preferences() const
{
    return { autoChangeSteps_->isChecked() ? 1 : 0, persistentCursor_->isChecked() ? 1 : 0 };
}

} // namespace ovilan
