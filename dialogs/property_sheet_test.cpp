#include "dialogs/dialog_test_support.h"
#include "dialogs/doc_property_sheet.h"
#include "dialogs/property_page.h"
#include "document/ovilan_doc.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;
    using testing::ScriptedServices;
    using testing::ShownMessage;

    constexpr int kGeneral = 0;
    constexpr int kAxisX = 1;
    constexpr int kGrid = 3;
    constexpr int kLegend = 4;

    struct PropertySheetTest : ::testing::Test {
        PropertySheetTest()
            : document(AppPreferences {})
        {
        }

        std::unique_ptr<CDocPropertySheet> open()
        {
            auto sheet
                = std::make_unique<CDocPropertySheet>(document, scripted.services(), lastPage);
            testing::showForTest(*sheet);
            return sheet;
        }

        // A page's field, after the page has been shown as a user shows it.
        QLineEdit* field(CDocPropertySheet& sheet, int position, const char* name)
        {
            sheet.tabs().setCurrentIndex(position);
            return child<QLineEdit>(sheet.page(position), name);
        }

        COvilanDoc document;
        ScriptedServices scripted;
        int lastPage = 0;
    };

    TEST_F(PropertySheetTest, OpensOnThePageLastClosedOn)
    {
        {
            auto sheet = open();
            EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Document Properties"));
            EXPECT_EQ(sheet->tabs().currentIndex(), kGeneral);
            const QStringList titles = { QStringLiteral("General"),
                QStringLiteral("Axis X"),
                QStringLiteral("Axis Y"),
                QStringLiteral("Cartesian grid"),
                QStringLiteral("Legend") };
            for (int position = 0; position < 5; ++position)
                EXPECT_EQ(sheet->tabs().tabText(position), titles[position]);
            sheet->tabs().setCurrentIndex(kLegend);
            sheet->reject();
        }
        EXPECT_EQ(lastPage, kLegend);
        auto again = open();
        EXPECT_EQ(again->tabs().currentIndex(), kLegend);
    }

    TEST_F(PropertySheetTest, OkAtOnceAppliesAsOneUndoStep)
    {
        auto sheet = open();
        // The first page filled its fields and so marked itself.
        EXPECT_TRUE(sheet->applyButton().isEnabled());
        sheet->accept();
        EXPECT_FALSE(sheet->isVisible());
        EXPECT_EQ(document.undoStack.size(), 1u);
    }

    TEST_F(PropertySheetTest, ChangedStepKeepsItsValueUnchangedStepFollowsTheRange)
    {
        auto sheet = open();
        field(*sheet, kAxisX, "max")->setText(QStringLiteral("20"));
        ASSERT_TRUE(sheet->applyPages());
        EXPECT_EQ(document.xAxis.max, 20);
        // Ratio 2 / 20 = 0.1 kept over the new width 30.
        EXPECT_DOUBLE_EQ(document.xAxis.tickStep, 3);
        EXPECT_DOUBLE_EQ(document.grid.vertical.step, 3);
        EXPECT_EQ(field(*sheet, kAxisX, "tickStep")->text(), QStringLiteral("3"));

        field(*sheet, kAxisX, "max")->setText(QStringLiteral("50"));
        field(*sheet, kAxisX, "tickStep")->setText(QStringLiteral("5"));
        ASSERT_TRUE(sheet->applyPages());
        EXPECT_DOUBLE_EQ(document.xAxis.tickStep, 5);
        EXPECT_DOUBLE_EQ(document.xAxis.labelStep, 6);
        EXPECT_EQ(document.undoStack.size(), 2u);
    }

    TEST_F(PropertySheetTest, ApplyButtonFollowsTheMarksAndEveryApplyIsItsOwnStep)
    {
        auto sheet = open();
        ASSERT_TRUE(sheet->applyPages());
        EXPECT_FALSE(sheet->applyButton().isEnabled());
        testing::clickBox(child<QCheckBox>(sheet->page(kGeneral), "equalScale"));
        EXPECT_TRUE(sheet->applyButton().isEnabled());
        QTest::mouseClick(&sheet->applyButton(), Qt::LeftButton);
        EXPECT_FALSE(sheet->applyButton().isEnabled());
        EXPECT_EQ(document.general.equalScale, 1);
        EXPECT_EQ(document.undoStack.size(), 2u);

        // OK with nothing marked closes without another step.
        sheet->accept();
        EXPECT_EQ(document.undoStack.size(), 2u);
    }

    TEST_F(PropertySheetTest, RefusedPageKeepsItsTab)
    {
        struct Case {
            int page;
            const char* field;
            const char* text;
            ShownMessage message;
            // What stays selected: the whole text, or the faulty part of a formula.
            const char* selected;
        };
        const Case cases[] = {
            { kGeneral,
                "steps",
                "0",
                { QStringLiteral("Please enter an integer between 1 and 20000."),
                    MessageIcon::Warning },
                "0" },
            { kGrid,
                "verticalStep",
                "0",
                { QStringLiteral("Please enter a positive number."), MessageIcon::Warning },
                "0" },
            { kGrid,
                "horizontalStep",
                "pi k",
                { QStringLiteral("Please enter a number.\nPlease write * between two factors or "
                                 "leave out the blank."),
                    MessageIcon::Warning },
                " " },
        };
        for (const Case& refused : cases) {
            SCOPED_TRACE(refused.field);
            scripted.messages.shown.clear();
            lastPage = 0;
            auto sheet = open();
            QLineEdit* edit = field(*sheet, refused.page, refused.field);
            edit->setText(QString::fromLatin1(refused.text));
            sheet->tabs().setCurrentIndex(kLegend);
            EXPECT_EQ(sheet->tabs().currentIndex(), refused.page);
            ASSERT_EQ(scripted.messages.shown.size(), 1u);
            EXPECT_EQ(scripted.messages.shown.front(), refused.message);
            EXPECT_EQ(sheet->focusWidget(), edit);
            EXPECT_EQ(edit->selectedText(), QString::fromLatin1(refused.selected));
            sheet->accept();
            EXPECT_TRUE(sheet->isVisible());
            EXPECT_TRUE(document.undoStack.empty());
        }
    }

    TEST_F(PropertySheetTest, UndoAfterApplyRestoresEveryRecord)
    {
        const PlotSettings before = document;
        auto sheet = open();
        field(*sheet, kGeneral, "maxGap")->setText(QStringLiteral("7"));
        field(*sheet, kAxisX, "min")->setText(QStringLiteral("-2pi"));
        field(*sheet, kGrid, "horizontalStep")->setText(QStringLiteral("0.5"));
        sheet->tabs().setCurrentIndex(kLegend);
        testing::clickBox(child<QCheckBox>(sheet->page(kLegend), "shown"));
        sheet->accept();
        EXPECT_EQ(document.general.maxGap, 7);
        EXPECT_DOUBLE_EQ(document.xAxis.min, -6.283185308);
        EXPECT_EQ(document.grid.horizontal.step, 0.5);
        EXPECT_EQ(document.legend.shown, 1);
        document.undo();
        EXPECT_EQ(static_cast<const PlotSettings&>(document), before);
    }

    TEST_F(PropertySheetTest, CancelAppliesNothingButKeepsAChosenFont)
    {
        scripted.fonts.respond = [](const FontRecord& opened, Rgb) {
            FontRecord chosen = opened;
            chosen.lfFaceName = "Courier New";
            return std::optional<FontChoice>({ chosen, { 0, 0, 128 } });
        };
        lastPage = kLegend;
        auto sheet = open();
        testing::clickBox(child<QCheckBox>(sheet->page(kLegend), "shown"));
        QTest::mouseClick(child<QPushButton>(sheet->page(kLegend), "font"), Qt::LeftButton);
        sheet->reject();
        EXPECT_EQ(document.legend.font.lfFaceName, "Courier New");
        EXPECT_EQ(document.legend.textColor, 0);
        EXPECT_EQ(document.legend.shown, 0);
        EXPECT_TRUE(document.undoStack.empty());
    }

} // namespace
} // namespace ovilan
