#include "dialogs/dialog_test_support.h"
#include "shell/parameters_pane.h"
#include "shell/shell_test_support.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>

namespace ovilan {
namespace {

    using testing::RecordingSink;

    using testing::parameter;

    TEST(ParametersPane, SliderMovesTheValueByStepsAndReportsEachPosition)
    {
        RecordingSink messages;
        CParametersPane pane(messages);
        pane.showParameters({ parameter('k', 1, 0, 2, 0.5) });
        QSignalSpy moved(&pane, &CParametersPane::valueMoved);
        QSlider& slider = pane.slider(0);
        EXPECT_EQ(slider.maximum(), 4);
        EXPECT_EQ(slider.value(), 2);
        slider.setValue(3);
        ASSERT_EQ(moved.size(), 1);
        EXPECT_EQ(moved[0][1].toDouble(), 1.5);
        EXPECT_EQ(pane.valueField(0).text(), QStringLiteral("1.5"));
        slider.setValue(4);
        EXPECT_EQ(moved[1][1].toDouble(), 2);
    }

    TEST(ParametersPane, FieldsAreCheckedBeforeAnythingIsReported)
    {
        RecordingSink messages;
        CParametersPane pane(messages);
        pane.showParameters({ parameter('k', 1, 0, 2, 0.5) });
        QSignalSpy edited(&pane, &CParametersPane::parameterEdited);
        struct Case {
            QLineEdit* field;
            const char* text;
            const char* message;
            QLineEdit* selected = nullptr; // the field handed back, when not the one typed in
            const char* selectedText = nullptr;
        };
        const std::vector<Case> cases {
            { &pane.minimumField(0),
                "3",
                "The minimum must not be greater than the maximum.",
                &pane.maximumField(0),
                "2" },
            { &pane.stepField(0), "0", "The step must be greater than 0." },
            { &pane.stepField(0), "-1", "The step must be greater than 0." },
            { &pane.valueField(0), "7", "The value must lie between the minimum and the maximum." },
            { &pane.valueField(0), "k", "Please enter a number." },
        };
        for (const Case& c : cases) {
            pane.showParameters({ parameter('k', 1, 0, 2, 0.5) });
            pane.valueField(0).setText(QStringLiteral("1"));
            pane.minimumField(0).setText(QStringLiteral("0"));
            pane.stepField(0).setText(QStringLiteral("0.5"));
            c.field->setText(QString::fromUtf8(c.text));
            messages.shown.clear();
            QTest::keyClick(c.field, Qt::Key_Return);
            ASSERT_EQ(messages.shown.size(), 1u) << c.text;
            EXPECT_EQ(messages.shown[0].text.section(QLatin1Char('\n'), 0, 0),
                QString::fromUtf8(c.message));
            QLineEdit* selected = c.selected ? c.selected : c.field;
            EXPECT_EQ(selected->selectedText(),
                QString::fromUtf8(c.selectedText ? c.selectedText : c.text));
        }
        EXPECT_EQ(edited.size(), 0);
        pane.valueField(0).setText(QStringLiteral("pi/2"));
        QTest::keyClick(&pane.valueField(0), Qt::Key_Return);
        ASSERT_EQ(edited.size(), 1);
        EXPECT_NEAR(edited[0][0].value<FormulaParameter>().value, 1.5707963, 1e-6);
    }

    TEST(ParametersPane, PlayingLoopsOrTurnsAtTheEnds)
    {
        RecordingSink messages;
        CParametersPane pane(messages);
        FormulaParameter turning = parameter('m', 1, 0, 2, 1);
        turning.animation = ParameterAnimation::BackAndForth;
        pane.showParameters({ parameter('k', 1, 0, 2, 1), turning });
        EXPECT_EQ(pane.modeCombo(1).currentIndex(), 1);
        QSignalSpy started(&pane, &CParametersPane::changeStarted);
        pane.playButton(0).click();
        pane.playButton(1).click();
        EXPECT_EQ(started.size(), 2);
        std::vector<int> looped;
        std::vector<int> turned;
        for (int tick = 0; tick < 5; ++tick) {
            pane.advanceAnimation();
            looped.push_back(pane.slider(0).value());
            turned.push_back(pane.slider(1).value());
        }
        EXPECT_EQ(looped, (std::vector<int> { 2, 0, 1, 2, 0 }));
        EXPECT_EQ(turned, (std::vector<int> { 2, 1, 0, 1, 2 }));
        pane.playButton(0).click();
        EXPECT_FALSE(pane.playing(0));
        pane.advanceAnimation();
        EXPECT_EQ(pane.slider(0).value(), 0);
    }

    TEST(ParametersPane, OffersOnlyLettersNotInUse)
    {
        RecordingSink messages;
        CParametersPane pane(messages);
        EXPECT_EQ(pane.freeNames().size(), 6u);
        pane.showParameters({ parameter('k', 1, 0, 2, 1), parameter('z', 1, 0, 2, 1) });
        EXPECT_EQ(pane.freeNames(), (std::vector<char> { 'j', 'm', 'v', 'w' }));
    }

} // namespace
} // namespace ovilan
