#pragma once

#include "dialogs/dialog_services.h"
#include "document/parameters.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace ovilan {

// The Parameters pane: a row for each parameter with its value, a slider, minimum, maximum and
// step, and a play button that moves the value on by itself. The pane changes nothing itself: it
// reports what the user does, and the frame changes the document and shows the new table.
class CParametersPane : public QWidget {
    Q_OBJECT

public:
    CParametersPane(MessageSink& messages, QWidget* parent = nullptr);
    ~CParametersPane() override;

    // Shows the table; rows whose parameter is unchanged keep their state (a running animation,
    // a slider being dragged).
    void showParameters(const std::vector<FormulaParameter>& parameters);
    const std::vector<FormulaParameter>& parameters() const { return shown_; }
    // The letters a new parameter may take, in the order offered.
    std::vector<char> freeNames() const;

    // The row's controls, for tests.
    QLineEdit& valueField(int row) const;
    QLineEdit& minimumField(int row) const;
    QLineEdit& maximumField(int row) const;
    QLineEdit& stepField(int row) const;
    QSlider& slider(int row) const;
    QToolButton& playButton(int row) const;
    QSpinBox& speedBox(int row) const;
    QComboBox& modeCombo(int row) const;
    QToolButton& addButton() const { return *add_; }
    // Moves every playing parameter on by one step, as the animation timer does.
    void advanceAnimation();
    bool playing(int row) const;
    // Stops every playing parameter, as when the table changes under the pane (undo, Open).
    void stopAnimation();

signals:
    // A slider drag or the play button begins: the document's table before it is the undo step.
    void changeStarted(char name);
    // The value moves while a slider is dragged or a parameter plays; no undo step of its own.
    void valueMoved(char name, double value);
    // The drag is let go or the play stopped: a later move is a change of its own.
    void changeFinished(char name);
    // A field's entry was accepted: one undo step with the whole parameter as it now is.
    void parameterEdited(const ovilan::FormulaParameter& parameter);
    void addRequested(char name);
    void removeRequested(char name);

private:
    struct Row;

    void rebuild();
    Row makeRow(const FormulaParameter& parameter);
    void acceptFields(int row);
    void sliderMoved(int row, int position);
    void togglePlay(int row);
    void updateTimer();

    MessageSink& messages_;
    std::vector<FormulaParameter> shown_;
    std::vector<Row> rows_;
    QVBoxLayout* rowsLayout_ = nullptr;
    QLabel* empty_ = nullptr;
    QToolButton* add_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace ovilan
Q_DECLARE_METATYPE(ovilan::FormulaParameter)
