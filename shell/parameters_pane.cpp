#include "shell/parameters_pane.h"

#include "dialogs/field_transfer.h"
#include "dialogs/interval_fields.h"
#include "expr/parameters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    // A slider has at most this many positions; a finer step is still typed in the value field.
    constexpr int kMostSliderPositions = 100000;

    int sliderPositions(const FormulaParameter& p)
    {
        const double count = std::round((p.maximum - p.minimum) / p.step);
        return static_cast<int>(std::clamp(count, 1.0, double(kMostSliderPositions)));
    }

    double valueAtPosition(const FormulaParameter& p, int position)
    {
        const double stepWidth = (p.maximum - p.minimum) / sliderPositions(p);
        return position >= sliderPositions(p) ? p.maximum : p.minimum + position * stepWidth;
    }

    int positionOfValue(const FormulaParameter& p)
    {
        const double stepWidth = (p.maximum - p.minimum) / sliderPositions(p);
        const double position = std::round((p.value - p.minimum) / stepWidth);
        return static_cast<int>(std::clamp(position, 0.0, double(sliderPositions(p))));
    }

} // namespace

struct CParametersPane::Row {
    QWidget* box = nullptr;
    QLineEdit* value = nullptr;
    QLineEdit* minimum = nullptr;
    QLineEdit* maximum = nullptr;
    QLineEdit* step = nullptr;
    QSlider* slider = nullptr;
    QToolButton* play = nullptr;
    QToolButton* remove = nullptr;
    QSpinBox* speed = nullptr;
    QComboBox* mode = nullptr;
    bool playing = false;
    bool rising = true;
};

CParametersPane::CParametersPane(MessageSink& messages, QWidget* parent)
    : QWidget(parent)
    , messages_(messages)
{
    auto* layout = new QVBoxLayout(this);
    rowsLayout_ = new QVBoxLayout;
    layout->addLayout(rowsLayout_);
    empty_ = new QLabel(
        QStringLiteral("No parameters. Add one, then use its letter in a formula, as in k*x."),
        this);
    empty_->setWordWrap(true);
    layout->addWidget(empty_);
    add_ = new QToolButton(this);
    add_->setText(QStringLiteral("&Add Parameter"));
    add_->setPopupMode(QToolButton::InstantPopup);
    add_->setMenu(new QMenu(add_));
    connect(add_->menu(), &QMenu::aboutToShow, this, [this] {
        add_->menu()->clear();
        for (const char name : freeNames()) {
            add_->menu()->addAction(
                QString(QLatin1Char(name)), this, [this, name] { emit addRequested(name); });
        }
    });
    layout->addWidget(add_, 0, Qt::AlignLeft);
    layout->addStretch();
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CParametersPane::advanceAnimation);
    rebuild();
}

CParametersPane::~CParametersPane() = default;

std::vector<char> CParametersPane::freeNames() const
{
    std::vector<char> names;
    for (const char letter : kParameterLetters) {
        const bool used = std::any_of(shown_.begin(),
            shown_.end(),
            [letter](const FormulaParameter& p) { return p.name == letter; });
        if (!used)
            names.push_back(letter);
    }
    return names;
}

void CParametersPane::showParameters(const std::vector<FormulaParameter>& parameters)
{
    const bool sameNames = parameters.size() == shown_.size()
        && std::equal(parameters.begin(),
            parameters.end(),
            shown_.begin(),
            [](const FormulaParameter& a, const FormulaParameter& b) { return a.name == b.name; });
    if (!sameNames) {
        shown_ = parameters;
        rebuild();
        return;
    }
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (parameters[i] == shown_[i])
            continue;
        const bool rangeChanged = parameters[i].minimum != shown_[i].minimum
            || parameters[i].maximum != shown_[i].maximum || parameters[i].step != shown_[i].step;
        shown_[i] = parameters[i];
        Row& row = rows_[i];
        const QSignalBlocker quiet(row.slider);
        if (rangeChanged)
            row.slider->setMaximum(sliderPositions(shown_[i]));
        if (!row.slider->isSliderDown())
            row.slider->setValue(positionOfValue(shown_[i]));
        row.value->setText(constantText(shown_[i].value));
        row.minimum->setText(constantText(shown_[i].minimum));
        row.maximum->setText(constantText(shown_[i].maximum));
        row.step->setText(constantText(shown_[i].step));
        row.speed->setValue(static_cast<int>(std::lround(shown_[i].speed)));
        row.mode->setCurrentIndex(shown_[i].animation == ParameterAnimation::BackAndForth ? 1 : 0);
    }
    updateTimer();
}

void CParametersPane::rebuild()
{
    for (Row& row : rows_)
        delete row.box;
    rows_.clear();
    for (const FormulaParameter& parameter : shown_) {
        rows_.push_back(makeRow(parameter));
        rowsLayout_->addWidget(rows_.back().box);
    }
    empty_->setVisible(shown_.empty());
    add_->setEnabled(!freeNames().empty());
    updateTimer();
}

CParametersPane::Row CParametersPane::makeRow(const FormulaParameter& parameter)
{
    const int index = static_cast<int>(rows_.size());
    Row row;
    row.box = new QWidget(this);
    auto* grid = new QGridLayout(row.box);
    grid->setContentsMargins(0, 4, 0, 4);
    auto field = [&row](double value) {
        auto* made = new QLineEdit(constantText(value), row.box);
        made->setMinimumWidth(48);
        return made;
    };
    row.value = field(parameter.value);
    row.minimum = field(parameter.minimum);
    row.maximum = field(parameter.maximum);
    row.step = field(parameter.step);
    row.slider = new QSlider(Qt::Horizontal, row.box);
    row.slider->setRange(0, sliderPositions(parameter));
    row.slider->setValue(positionOfValue(parameter));
    row.play = new QToolButton(row.box);
    row.play->setText(QStringLiteral("Play"));
    row.play->setToolTip(QStringLiteral("Play: move the value on by itself"));
    row.play->setCheckable(true);
    row.remove = new QToolButton(row.box);
    row.remove->setText(QStringLiteral("Remove"));
    row.remove->setToolTip(QStringLiteral("Remove this parameter"));
    row.speed = new QSpinBox(row.box);
    row.speed->setRange(1, static_cast<int>(kMaxAnimationSpeed));
    row.speed->setValue(static_cast<int>(std::lround(parameter.speed)));
    row.speed->setSuffix(QStringLiteral(" steps/s"));
    row.mode = new QComboBox(row.box);
    row.mode->addItems({ QStringLiteral("Loop"), QStringLiteral("Back and forth") });
    row.mode->setCurrentIndex(parameter.animation == ParameterAnimation::BackAndForth ? 1 : 0);

    const QString name(QLatin1Char(parameter.name));
    grid->addWidget(new QLabel(name + QStringLiteral(" ="), row.box), 0, 0);
    grid->addWidget(row.value, 0, 1);
    grid->addWidget(row.slider, 0, 2, 1, 3);
    grid->addWidget(row.play, 0, 5);
    grid->addWidget(row.remove, 0, 6);
    grid->addWidget(new QLabel(QStringLiteral("Min.:"), row.box), 1, 0);
    grid->addWidget(row.minimum, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Max.:"), row.box), 1, 2);
    grid->addWidget(row.maximum, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Step:"), row.box), 1, 4);
    grid->addWidget(row.step, 1, 5, 1, 2);
    grid->addWidget(row.speed, 2, 1, 1, 2);
    grid->addWidget(row.mode, 2, 3, 1, 4);
    grid->setColumnStretch(2, 1);

    for (QLineEdit* edit : { row.value, row.minimum, row.maximum, row.step })
        connect(edit, &QLineEdit::returnPressed, this, [this, index] { acceptFields(index); });
    connect(row.slider, &QSlider::sliderPressed, this, [this, index] {
        emit changeStarted(shown_[static_cast<std::size_t>(index)].name);
    });
    connect(row.slider, &QSlider::sliderReleased, this, [this, index] {
        emit changeFinished(shown_[static_cast<std::size_t>(index)].name);
    });
    connect(row.slider, &QSlider::valueChanged, this, [this, index](int position) {
        sliderMoved(index, position);
    });
    connect(row.play, &QToolButton::clicked, this, [this, index] { togglePlay(index); });
    connect(row.remove, &QToolButton::clicked, this, [this, index] {
        emit removeRequested(shown_[static_cast<std::size_t>(index)].name);
    });
    auto settingsChanged = [this, index] {
        FormulaParameter changed = shown_[static_cast<std::size_t>(index)];
        changed.speed = rows_[static_cast<std::size_t>(index)].speed->value();
        changed.animation = rows_[static_cast<std::size_t>(index)].mode->currentIndex() == 1
            ? ParameterAnimation::BackAndForth
            : ParameterAnimation::Loop;
        if (changed != shown_[static_cast<std::size_t>(index)])
            emit parameterEdited(changed);
        updateTimer();
    };
    connect(row.speed, &QSpinBox::editingFinished, this, settingsChanged);
    connect(row.mode, &QComboBox::activated, this, settingsChanged);
    return row;
}

void CParametersPane::acceptFields(int index)
{
    Row& row = rows_[static_cast<std::size_t>(index)];
    FormulaParameter changed = shown_[static_cast<std::size_t>(index)];
    const std::pair<QLineEdit*, double*> fields[] = { { row.value, &changed.value },
        { row.minimum, &changed.minimum },
        { row.maximum, &changed.maximum },
        { row.step, &changed.step } };
    for (const auto& [field, target] : fields) {
        const std::optional<double> number = readNumberField(*field, messages_);
        if (!number)
            return;
        *target = *number;
    }
    const ParameterError error = checkParameter(changed);
    if (error != ParameterError::None) {
        // The field to correct: the maximum above a minimum, the step, else the value.
        QLineEdit* field = error == ParameterError::MinimumAboveMaximum ? row.maximum
            : error == ParameterError::StepNotPositive                  ? row.step
                                                                        : row.value;
        const std::string_view text = parameterErrorText(error);
        refuseField(*field,
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
            messages_,
            RefusedFocus::SelectText);
        return;
    }
    if (changed != shown_[static_cast<std::size_t>(index)])
        emit parameterEdited(changed);
}

void CParametersPane::sliderMoved(int index, int position)
{
    FormulaParameter& parameter = shown_[static_cast<std::size_t>(index)];
    const double value = valueAtPosition(parameter, position);
    if (value == parameter.value)
        return;
    parameter.value = value;
    rows_[static_cast<std::size_t>(index)].value->setText(constantText(value));
    emit valueMoved(parameter.name, value);
}

void CParametersPane::togglePlay(int index)
{
    Row& row = rows_[static_cast<std::size_t>(index)];
    row.playing = !row.playing;
    row.play->setChecked(row.playing);
    row.play->setText(row.playing ? QStringLiteral("Stop") : QStringLiteral("Play"));
    if (row.playing)
        emit changeStarted(shown_[static_cast<std::size_t>(index)].name);
    else
        emit changeFinished(shown_[static_cast<std::size_t>(index)].name);
    updateTimer();
}

void CParametersPane::stopAnimation()
{
    for (Row& row : rows_) {
        row.playing = false;
        row.play->setChecked(false);
        row.play->setText(QStringLiteral("Play"));
    }
    updateTimer();
}

bool CParametersPane::playing(int row) const
{
    return rows_[static_cast<std::size_t>(row)].playing;
}

void CParametersPane::updateTimer()
{
    double fastest = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].playing)
            fastest = std::max(fastest, shown_[i].speed);
    }
    if (fastest == 0) {
        timer_->stop();
        return;
    }
    timer_->start(static_cast<int>(std::max(1.0, 1000 / fastest)));
}

void CParametersPane::advanceAnimation()
{
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        Row& row = rows_[i];
        if (!row.playing)
            continue;
        const FormulaParameter& parameter = shown_[i];
        const int last = sliderPositions(parameter);
        int position = row.slider->value() + (row.rising ? 1 : -1);
        if (position > last || position < 0) {
            if (parameter.animation == ParameterAnimation::BackAndForth) {
                row.rising = !row.rising;
                position = row.rising ? 1 : last - 1;
            } else {
                position = 0;
            }
        }
        row.slider->setValue(std::clamp(position, 0, last));
    }
}

QLineEdit& CParametersPane::valueField(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].value;
}
QLineEdit& CParametersPane::minimumField(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].minimum;
}
QLineEdit& CParametersPane::maximumField(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].maximum;
}
QLineEdit& CParametersPane::stepField(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].step;
}
QSlider& CParametersPane::slider(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].slider;
}
QToolButton& CParametersPane::playButton(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].play;
}
QSpinBox& CParametersPane::speedBox(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].speed;
}
QComboBox& CParametersPane::modeCombo(int row) const
{
    return *rows_[static_cast<std::size_t>(row)].mode;
}

} // namespace ovilan
