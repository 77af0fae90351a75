#include "dialogs/color_combo.h"
#include "dialogs/dialog_test_support.h"
#include "dialogs/label_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;
    using testing::ScriptedServices;
    using testing::ShownMessage;

    struct LabelDialogTest : ::testing::Test {
        LabelDialogTest()
        {
            record.x = 1.5;
            record.y = -2;
            record.caption = "peak";
            record.pointColor = 4;
        }

        std::unique_ptr<CLabelDlg> open(bool pointsMode = false)
        {
            auto dialog = std::make_unique<CLabelDlg>(record, pointsMode, scripted.services());
            testing::showForTest(*dialog);
            return dialog;
        }

        static QCheckBox* box(CLabelDlg& dialog, const char* name)
        {
            return child<QCheckBox>(dialog, name);
        }
        static QLineEdit* field(CLabelDlg& dialog, const char* name)
        {
            return child<QLineEdit>(dialog, name);
        }
        static QRadioButton* radio(CLabelDlg& dialog, const char* text, int which)
        {
            int seen = 0;
            for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
                if (button->text() == QString::fromLatin1(text) && seen++ == which)
                    return button;
            return nullptr;
        }

        CPlotLabel record;
        ScriptedServices scripted;
    };

    TEST_F(LabelDialogTest, PointAndCaptionCannotBothBeHidden)
    {
        auto dialog = open();
        // Typing straight away writes the caption, not over the point's coordinates.
        EXPECT_EQ(dialog->focusWidget(), field(*dialog, "caption"));
        testing::clickBox(box(*dialog, "showLabel"));
        EXPECT_TRUE(box(*dialog, "showPoint")->isChecked());
        EXPECT_FALSE(box(*dialog, "showPoint")->isEnabled());
        testing::clickBox(box(*dialog, "showLabel"));
        EXPECT_TRUE(box(*dialog, "showPoint")->isEnabled());

        testing::clickBox(box(*dialog, "showPoint"));
        EXPECT_TRUE(box(*dialog, "showLabel")->isChecked());
        EXPECT_FALSE(box(*dialog, "showLabel")->isEnabled());
    }

    // A radius refused while the boxes are clicked must not let the form slip past its rules.
    TEST_F(LabelDialogTest, RulesHoldAfterARefusedRadius)
    {
        record.pointBorder = 0;
        auto dialog = open();
        QLineEdit* radius = field(*dialog, "radius");
        radius->setText(QStringLiteral("abc"));
        testing::clickBox(box(*dialog, "showPoint"));
        testing::clickBox(box(*dialog, "showLabel"));
        testing::clickBox(box(*dialog, "pointTransparent"));
        EXPECT_FALSE(scripted.messages.shown.empty());
        radius->setText(QStringLiteral("4"));
        dialog->accept();
        ASSERT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_TRUE(record.showPoint != 0 || record.showLabel != 0);
        EXPECT_EQ(record.pointTransparent, 1);
        EXPECT_EQ(record.pointBorder, 1);
    }

    TEST_F(LabelDialogTest, TransparencyLocksBorderAndColours)
    {
        record.pointBorder = 0;
        auto dialog = open();
        EXPECT_TRUE(child<CColorCombo>(*dialog, "pointColor")->isEnabled());
        testing::clickBox(box(*dialog, "pointTransparent"));
        EXPECT_TRUE(box(*dialog, "pointBorder")->isChecked());
        EXPECT_FALSE(box(*dialog, "pointBorder")->isEnabled());
        EXPECT_FALSE(child<CColorCombo>(*dialog, "pointColor")->isEnabled());

        testing::clickBox(box(*dialog, "labelTransparent"));
        EXPECT_FALSE(child<CColorCombo>(*dialog, "background")->isEnabled());
        dialog->accept();
        EXPECT_EQ(record.pointTransparent, 1);
        EXPECT_EQ(record.pointBorder, 1);
        EXPECT_EQ(record.labelTransparent, 1);
    }

    TEST_F(LabelDialogTest, OkRefusalsLeaveTheRecordAlone)
    {
        struct Case {
            const char* field;
            const char* text;
            ShownMessage message;
        };
        const Case cases[] = {
            { "radius",
                "21",
                { QStringLiteral("Please enter an integer between 0 and 20."),
                    MessageIcon::Warning } },
            { "radius", "-0", { QStringLiteral("Please enter an integer."), MessageIcon::None } },
            { "x", "", { QStringLiteral("Please enter a number"), MessageIcon::Warning } },
            { "y", "1/0", { QStringLiteral("Please enter a number"), MessageIcon::Warning } },
        };
        const CPlotLabel before = record;
        for (const Case& refused : cases) {
            SCOPED_TRACE(refused.field + std::string(" = ") + refused.text);
            scripted.messages.shown.clear();
            auto dialog = open();
            field(*dialog, "caption")->setText(QStringLiteral("changed"));
            field(*dialog, refused.field)->setText(QString::fromLatin1(refused.text));
            dialog->accept();
            ASSERT_EQ(scripted.messages.shown.size(), 1u);
            EXPECT_EQ(scripted.messages.shown.front(), refused.message);
            EXPECT_EQ(dialog->focusWidget(), field(*dialog, refused.field));
            EXPECT_EQ(dialog->result(), QDialog::Rejected);
            EXPECT_EQ(record, before);
        }
    }

    TEST_F(LabelDialogTest, OkStoresEveryControl)
    {
        auto dialog = open();
        field(*dialog, "x")->setText(QStringLiteral("2pi"));
        field(*dialog, "y")->setText(QStringLiteral("sqrt(4)"));
        field(*dialog, "radius")->setText(QStringLiteral("0"));
        field(*dialog, "caption")->setText(QStringLiteral("top"));
        child<CColorCombo>(*dialog, "background")->select(11);
        child<CColorCombo>(*dialog, "pointColor")->select(9);
        QTest::mouseClick(radio(*dialog, "Left", 0), Qt::LeftButton);
        QTest::mouseClick(radio(*dialog, "Center", 1), Qt::LeftButton);
        testing::clickBox(box(*dialog, "labelBorder"));
        dialog->accept();
        ASSERT_TRUE(scripted.messages.shown.empty());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_DOUBLE_EQ(record.x, 6.283185308);
        EXPECT_EQ(record.y, 2);
        EXPECT_EQ(record.radius, 0);
        EXPECT_EQ(record.caption, "top");
        EXPECT_EQ(record.backgroundColor, 11);
        EXPECT_EQ(record.pointColor, 9);
        EXPECT_EQ(record.horizontalAlign, 0);
        EXPECT_EQ(record.verticalAlign, 1);
        EXPECT_EQ(record.labelBorder, 1);
        EXPECT_EQ(record.pointBorder, 1);
    }

    TEST_F(LabelDialogTest, PointsModeGreysTheCoordinatesAndKeepsThem)
    {
        auto dialog = open(true);
        EXPECT_FALSE(field(*dialog, "x")->isEnabled());
        EXPECT_FALSE(field(*dialog, "y")->isEnabled());
        bool titled = false;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            titled = titled || label->text() == QStringLiteral("Add'l string:");
        EXPECT_TRUE(titled);
        dialog->accept();
        EXPECT_EQ(record.x, 1.5);
        EXPECT_EQ(record.y, -2);
    }

    TEST_F(LabelDialogTest, FontButtonChangesOnlyTheFontOnCancel)
    {
        scripted.fonts.respond = [](const FontRecord& opened, Rgb) {
            FontRecord chosen = opened;
            chosen.lfFaceName = "Courier New";
            chosen.lfItalic = 1;
            return std::optional<FontChoice>({ chosen, { 255, 0, 0 } });
        };
        const CPlotLabel before = record;
        auto dialog = open();
        field(*dialog, "caption")->setText(QStringLiteral("not kept"));
        QTest::mouseClick(child<QPushButton>(*dialog, "font"), Qt::LeftButton);
        ASSERT_TRUE(scripted.fonts.openedOn.has_value());
        EXPECT_LT(scripted.fonts.openedOn->lfHeight, 0);
        dialog->reject();
        EXPECT_EQ(record.font.lfFaceName, "Courier New");
        EXPECT_EQ(record.font.lfItalic, 1);
        EXPECT_EQ(record.font.lfHeight, 8);
        CPlotLabel rest = record;
        rest.font = before.font;
        EXPECT_EQ(rest, before);

        auto accepted = open();
        QTest::mouseClick(child<QPushButton>(*accepted, "font"), Qt::LeftButton);
        accepted->accept();
        EXPECT_EQ(record.textColor, 9);
    }

} // namespace
} // namespace ovilan
