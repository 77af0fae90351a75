#include "dialogs/dialog_test_support.h"
#include "dialogs/integral_dialog.h"
#include "document/document_test_support.h"
#include "graph/function_graph.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::ScriptedServices;
    using testing::ShownMessage;

    struct IntegralTest : ::testing::Test {
        IntegralTest()
            : document(AppPreferences {})
        {
            document.insertGraph(testing::yOfX(document, "sin(x)"), 0);
            document.insertGraph(testing::yOfX(document, "1/x"), 1);
            auto circle = std::make_unique<CParametricGraph>(document);
            circle->setFormula("cos(t)", 0);
            circle->setFormula("sin(t)", 1);
            document.insertGraph(std::move(circle), 2);
            document.refreshGraphs();
        }

        std::unique_ptr<CIntegralDlg> open(std::int32_t graph)
        {
            auto dialog = std::make_unique<CIntegralDlg>(document, graph, scripted.services());
            testing::showForTest(*dialog);
            return dialog;
        }

        COvilanDoc document;
        ScriptedServices scripted;
    };

    TEST_F(IntegralTest, OnlyAFunctionOfXHasAnIntegral)
    {
        document.currentGraph = -1;
        EXPECT_EQ(integralGraph(document), -1);
        document.currentGraph = 1;
        EXPECT_EQ(integralGraph(document), 1);
        document.currentGraph = 2;
        EXPECT_EQ(integralGraph(document), -1);
    }

    TEST_F(IntegralTest, TheValueWithItsErrorIsCopiedAndLabelledInOneUndoStep)
    {
        auto dialog = open(0);
        EXPECT_EQ(dialog->fromField().text(), QStringLiteral("-10"));
        dialog->fromField().setText(QStringLiteral("0"));
        dialog->toField().setText(QStringLiteral("pi"));
        ASSERT_TRUE(dialog->compute());
        const QString shown = dialog->resultField().text();
        EXPECT_TRUE(shown.startsWith(QStringLiteral("\u2248 2 (error below 1e-")))
            << shown.toStdString();
        ASSERT_TRUE(dialog->copyResult());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2"));
        ASSERT_TRUE(dialog->addLabel());
        ASSERT_EQ(document.labelCount(), 1);
        EXPECT_EQ(document.labels[0].caption, "\u222B from 0 to 3.141592654 = 2");
        EXPECT_NEAR(document.labels[0].x, 1.5707963268, 1e-9);
        EXPECT_NEAR(document.labels[0].y, 1, 1e-9);
        EXPECT_EQ(document.undoStack.size(), 1U);
    }

    TEST_F(IntegralTest, AnUntrustedIntegralSaysWhyAndAddsNothing)
    {
        auto dialog = open(1);
        dialog->fromField().setText(QStringLiteral("-1"));
        dialog->toField().setText(QStringLiteral("1"));
        EXPECT_FALSE(dialog->compute());
        EXPECT_EQ(dialog->resultField().text(),
            QStringLiteral("The function is not defined everywhere between the bounds."));
        EXPECT_FALSE(dialog->addLabel());
        EXPECT_FALSE(dialog->copyResult());
        EXPECT_EQ(document.labelCount(), 0);
        EXPECT_FALSE(document.canUndo());
    }

    TEST_F(IntegralTest, RefusalsHandTheFieldBackAndChangeNothing)
    {
        auto dialog = open(0);
        struct Row {
            QLineEdit& field;
            const char* text;
            QString message;
        } const rows[] = {
            { dialog->fromField(), "a", QStringLiteral("Please enter a number.") },
            { dialog->toField(), "", QStringLiteral("Please enter a number.") },
            { dialog->toField(),
                "-11",
                QStringLiteral("Left bound should be less than right one.") },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.text);
            const QString kept = row.field.text();
            row.field.setText(QString::fromUtf8(row.text));
            EXPECT_FALSE(dialog->addLabel());
            testing::expectRefused(scripted.messages, row.field, row.message);
            row.field.setText(kept);
        }
        EXPECT_EQ(document.labelCount(), 0);
        EXPECT_FALSE(document.canUndo());
        EXPECT_TRUE(dialog->isVisible());
    }

} // namespace
} // namespace ovilan
