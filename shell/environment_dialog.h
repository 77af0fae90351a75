#pragma once

#include "document/preferences.h"

#include <QDialog>

class QCheckBox;

namespace ovilan {

// "Environment settings": the two preferences that outlive a run.
class EnvironmentDialog : public QDialog {
    Q_OBJECT

public:
    EnvironmentDialog(const AppPreferences& preferences, QWidget* parent = nullptr);
    // The preferences as the check boxes stand.
    AppPreferences preferences() const;

private:
    QCheckBox* autoChangeSteps_;
    QCheckBox* persistentCursor_;
};

} // namespace ovilan
