#include "dialogs/axis_page.h"
#include "dialogs/color_combo.h"
#include "dialogs/dialog_test_support.h"
#include "dialogs/line_combo.h"
#include "document/ovilan_doc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace ovilan {
namespace testing {
    void PrintTo(const ShownMessage& message, std::ostream* out)
    {
        *out << '"' << message.text.toStdString() << '"'
             << (message.icon == MessageIcon::Warning ? " (warning)" : " (no icon)");
    }
} // namespace testing

namespace {

    using testing::child;
    using testing::ScriptedServices;
    using testing::ShownMessage;

    struct AxisPageTest : ::testing::Test {
        AxisPageTest()
            : document(AppPreferences {})
        {
        }

        std::unique_ptr<CAxisPage> open(AxisSettings PlotSettings::*axis = &PlotSettings::xAxis)
        {
            auto page = std::make_unique<CAxisPage>(document, axis, scripted.services());
            testing::showForTest(*page);
            return page;
        }

        static QLineEdit* field(CAxisPage& page, const char* name)
        {
            return child<QLineEdit>(page, name);
        }
        static void type(CAxisPage& page, const char* name, const char* text)
        {
            field(page, name)->setText(QString::fromLatin1(text));
        }
        static QStringList entries(QComboBox* list)
        {
            QStringList texts;
            for (int position = 0; position < list->count(); ++position)
                texts << list->itemText(position);
            return texts;
        }

        COvilanDoc document;
        ScriptedServices scripted;
    };

    TEST_F(AxisPageTest, LeaveCheckReportsTheFirstFaultOnly)
    {
        struct Case {
            const char* what;
            std::vector<std::pair<const char*, const char*>> typed;
            ShownMessage message;
            const char* focused;
            bool selected;
        };
        const ShownMessage enterNumber { QStringLiteral("Please enter a number."),
            MessageIcon::Warning };
        const ShownMessage positive { QStringLiteral("Please enter a positive number."),
            MessageIcon::Warning };
        const Case cases[] = {
            { "length before any constant",
                { { "tickLength", "0" }, { "tickStep", "" } },
                { QStringLiteral("Please enter an integer between 1 and 1000."),
                    MessageIcon::Warning },
                "tickLength",
                true },
            { "empty tick step before a bad minimum",
                { { "tickStep", "" }, { "min", "x" } },
                enterNumber,
                "tickStep",
                true },
            { "label step before a bad minimum",
                { { "labelStep", "abc" }, { "min", "1/0" } },
                { QStringLiteral("Please enter a number.\nUnknown name \"abc\"."),
                    MessageIcon::Warning },
                "labelStep",
                true },
            { "minimum before maximum",
                { { "min", "x" }, { "max", "" } },
                { QStringLiteral(
                      "Please enter a number.\nA number is expected here, not the variable x."),
                    MessageIcon::Warning },
                "min",
                true },
            { "maximum", { { "max", "ln(0)" } }, enterNumber, "max", true },
            { "coefficient before the range rules",
                { { "labelCoefficient", "*" }, { "max", "-20" } },
                { QStringLiteral("Please enter a number.\nA number or variable is missing beside "
                                 "this operator."),
                    MessageIcon::Warning },
                "labelCoefficient",
                true },
            { "equal bounds before a bad step",
                { { "min", "-10" }, { "max", "-10" }, { "tickStep", "-2" } },
                { QStringLiteral("Left bound should be less than right one."),
                    MessageIcon::Warning },
                "min",
                false },
            { "too small",
                { { "min", "0" }, { "max", "10^(-22)" } },
                { QStringLiteral("Too small interval."), MessageIcon::Warning },
                "min",
                false },
            { "too large",
                { { "min", "-10^200" }, { "max", "10^200" } },
                { QStringLiteral("Too large interval"), MessageIcon::Warning },
                "min",
                false },
            { "tick step before label step",
                { { "tickStep", "-2" }, { "labelStep", "0" } },
                positive,
                "tickStep",
                false },
            { "label step", { { "labelStep", "0" } }, positive, "labelStep", false },
        };
        const PlotSettings before = document;
        for (const Case& refused : cases) {
            SCOPED_TRACE(refused.what);
            scripted.messages.shown.clear();
            auto page = open();
            type(*page, "caption", "not kept");
            for (const auto& [name, text] : refused.typed)
                type(*page, name, text);
            EXPECT_FALSE(page->leaveCheck());
            ASSERT_EQ(scripted.messages.shown.size(), 1u);
            EXPECT_EQ(scripted.messages.shown.front(), refused.message);
            QLineEdit* focused = field(*page, refused.focused);
            EXPECT_EQ(page->focusWidget(), focused);
            EXPECT_EQ(focused->selectedText(), refused.selected ? focused->text() : QString());
            // A refusal leaves the held values as they were, so an apply writes the record back.
            PlotSettings applied = before;
            page->apply(applied);
            EXPECT_EQ(applied, before);
        }
    }

    TEST_F(AxisPageTest, RangesOfTheLimitingWidthsPass)
    {
        struct Range {
            const char* min;
            const char* max;
            double width;
        };
        const Range ranges[] = { { "0", "10^(-21)", 1e-21 }, { "0", "10^200", 1e200 } };
        for (const auto& [min, max, width] : ranges) {
            SCOPED_TRACE(std::string(min) + " .. " + max);
            scripted.messages.shown.clear();
            auto page = open();
            type(*page, "min", min);
            type(*page, "max", max);
            EXPECT_TRUE(page->leaveCheck());
            EXPECT_TRUE(scripted.messages.shown.empty());
            page->apply(document);
            EXPECT_EQ(document.xAxis.max - document.xAxis.min, width);
        }
    }

    TEST_F(AxisPageTest, PassingShowsNormalFormsAndKeepsUntouchedDigits)
    {
        document.xAxis.min = -0.1234567890123;
        auto page = open();
        EXPECT_EQ(field(*page, "min")->text(), QStringLiteral("-0.123456789"));
        type(*page, "max", "2pi");
        type(*page, "tickStep", " 1/4 ");
        type(*page, "labelCoefficient", "0.00001");
        ASSERT_TRUE(page->leaveCheck());
        EXPECT_EQ(field(*page, "max")->text(), QStringLiteral("6.283185308"));
        EXPECT_EQ(field(*page, "tickStep")->text(), QStringLiteral("0.25"));
        EXPECT_EQ(field(*page, "labelCoefficient")->text(), QStringLiteral("1*10^(-5)"));

        page->apply(document);
        EXPECT_EQ(document.xAxis.min, -0.1234567890123);
        EXPECT_DOUBLE_EQ(document.xAxis.max, 6.283185308);
        EXPECT_EQ(document.xAxis.tickStep, 0.25);

        // A field retyped with its shown text is the user's value, not the held one.
        type(*page, "min", "-0.1234567891");
        ASSERT_TRUE(page->leaveCheck());
        page->apply(document);
        EXPECT_EQ(document.xAxis.min, -0.1234567891);
    }

    TEST_F(AxisPageTest, TextsFollowTheAxis)
    {
        auto x = open(&PlotSettings::xAxis);
        EXPECT_EQ(x->windowTitle(), QStringLiteral("Axis X"));
        EXPECT_EQ(entries(child<QComboBox>(*x, "direction")),
            QStringList({ QStringLiteral("Right->Left"), QStringLiteral("Left->Right") }));
        EXPECT_EQ(child<QCheckBox>(*x, "labelLayout")->text(), QStringLiteral("To the up"));

        auto y = open(&PlotSettings::yAxis);
        EXPECT_EQ(y->windowTitle(), QStringLiteral("Axis Y"));
        auto* direction = child<QComboBox>(*y, "direction");
        EXPECT_EQ(entries(direction),
            QStringList({ QStringLiteral("Up->Down"), QStringLiteral("Down->Up") }));
        EXPECT_EQ(child<QCheckBox>(*y, "labelLayout")->text(), QStringLiteral("To the right"));
        EXPECT_EQ(field(*y, "caption")->text(), QStringLiteral("y"));

        EXPECT_EQ(direction->currentIndex(), 1);
        direction->setFocus();
        QTest::keyClick(direction, Qt::Key_Up);
        EXPECT_EQ(direction->currentText(), QStringLiteral("Up->Down"));
        ASSERT_TRUE(y->leaveCheck());
        y->apply(document);
        EXPECT_EQ(document.yAxis.direction, -1);
        EXPECT_EQ(document.xAxis.direction, 1);
    }

    TEST_F(AxisPageTest, ApplyWritesEveryFieldButTheFonts)
    {
        document.xAxis.captionColor = 4;
        auto page = open();
        testing::clickBox(child<QCheckBox>(*page, "showAxis"));
        testing::clickBox(child<QCheckBox>(*page, "showArrow"));
        testing::clickBox(child<QCheckBox>(*page, "showTicks"));
        testing::clickBox(child<QCheckBox>(*page, "showLabels"));
        testing::clickBox(child<QCheckBox>(*page, "labelLayout"));
        type(*page, "caption", "time");
        type(*page, "min", "-1");
        type(*page, "max", "3");
        type(*page, "tickStep", "0.5");
        type(*page, "tickLength", " 1000 ");
        type(*page, "labelStep", "1");
        type(*page, "labelSuffix", " s");
        type(*page, "labelCoefficient", "-2");
        child<CColorCombo>(*page, "tickColor")->select(8);
        child<CColorCombo>(*page, "lineColor")->select(12);
        child<CLineCombo>(*page, "lineStyle")->select(3);
        child<CLineCombo>(*page, "lineWidth")->select(4);
        child<QComboBox>(*page, "direction")->setCurrentIndex(0);

        // The caption font is chosen in red: the document's record changes at once, the colour
        // goes with the apply.
        scripted.fonts.respond = [](const FontRecord& opened, Rgb) {
            FontRecord chosen = opened;
            chosen.lfFaceName = "Courier New";
            return std::optional<FontChoice>({ chosen, { 255, 0, 0 } });
        };
        QTest::mouseClick(child<QPushButton>(*page, "captionFont"), Qt::LeftButton);
        EXPECT_EQ(scripted.fonts.openedWith, colorOf(4));
        EXPECT_EQ(document.xAxis.captionFont.lfFaceName, "Courier New");

        ASSERT_TRUE(page->leaveCheck());
        PlotSettings target;
        target.xAxis.captionFont = makeFont("Symbol", 30, 900);
        target.xAxis.labelFont = makeFont("Wingdings", 31, 900);
        const PlotSettings untouched = target;
        page->apply(target);

        AxisSettings expected = untouched.xAxis;
        expected.showAxis = 0;
        expected.caption = "time";
        expected.showArrow = 0;
        expected.min = -1;
        expected.max = 3;
        expected.showTicks = 0;
        expected.tickStep = 0.5;
        expected.tickLength = 1000;
        expected.showLabels = 0;
        expected.labelStep = 1;
        expected.labelSuffix = " s";
        expected.labelLayout = 1;
        expected.lineColor = 12;
        expected.tickColor = 8;
        expected.direction = -1;
        expected.lineWidth = 5;
        expected.lineStyle = 3;
        expected.captionColor = 9;
        expected.labelColor = 0;
        expected.labelCoefficient = -2;
        EXPECT_EQ(target.xAxis, expected);
        EXPECT_EQ(target.yAxis, untouched.yAxis);
    }

    TEST_F(AxisPageTest, ModifiedMarkFollowsEveryChange)
    {
        CAxisPage page(document, &PlotSettings::xAxis, scripted.services());
        EXPECT_FALSE(page.isModified());
        testing::showForTest(page);
        EXPECT_TRUE(page.isModified()) << "filling the empty fields marks the page";

        const auto changed = [&](const char* what, const std::function<void()>& change) {
            SCOPED_TRACE(what);
            ASSERT_TRUE(page.leaveCheck());
            page.apply(document);
            EXPECT_FALSE(page.isModified());
            change();
            EXPECT_TRUE(page.isModified());
        };
        changed(
            "typing", [&] { QTest::keyClicks(field(page, "labelSuffix"), QStringLiteral("m")); });
        changed("check box", [&] { testing::clickBox(child<QCheckBox>(page, "showArrow")); });
        changed("list choice", [&] {
            auto* style = child<CLineCombo>(page, "lineStyle");
            style->setFocus();
            QTest::keyClick(style, Qt::Key_Down);
        });
        const FontRecord labelFont = document.xAxis.labelFont;
        changed("font button cancelled",
            [&] { QTest::mouseClick(child<QPushButton>(page, "labelFont"), Qt::LeftButton); });
        EXPECT_EQ(document.xAxis.labelFont, labelFont);

        ASSERT_TRUE(page.leaveCheck());
        page.apply(document);
        page.reload();
        EXPECT_FALSE(page.isModified()) << "a reload that changes no text";
        document.xAxis.max = 20;
        page.reload();
        EXPECT_TRUE(page.isModified()) << "a reload that changes a text";
        EXPECT_EQ(field(page, "max")->text(), QStringLiteral("20"));
    }

    TEST_F(AxisPageTest, PageNeverShownWritesTheRecordBack)
    {
        document.xAxis.tickStep = 0.1234567890123;
        CAxisPage page(document, &PlotSettings::xAxis, scripted.services());
        document.xAxis.max = 50;
        page.reload();
        EXPECT_FALSE(page.isModified());
        const PlotSettings before = document;
        PlotSettings applied = before;
        page.apply(applied);
        EXPECT_EQ(applied, before);
    }

} // namespace
} // namespace ovilan
