#pragma once

#include "document/animation_frames.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;

namespace ovilan {

// "Save Animation Frames": which parameter moves, from which value to which by which step, and
// the folder the pictures go to. Choosing a parameter fills in its slider's minimum, maximum and
// step.
class AnimationFramesDialog : public QDialog {
    Q_OBJECT

public:
    AnimationFramesDialog(
        const ParameterTable& table, const QString& folder, QWidget* parent = nullptr);

    // The range as typed; meaningful once refusal() is empty.
    FrameRange range() const;
    QString folder() const;

    // Why the fields as they stand are refused, empty when they are not; the refused field has
    // the focus with its text selected.
    QString refusal();

    void accept() override;

    // The fields, for the tests.
    QComboBox* parameterField() const { return parameter_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    QLineEdit* stepField() const { return step_; }
    QLineEdit* folderField() const { return folder_; }

private:
    void fillFromSlider();
    void browse();

    const ParameterTable& table_;
    QComboBox* parameter_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* step_;
    QLineEdit* folder_;
};

} // namespace ovilan
