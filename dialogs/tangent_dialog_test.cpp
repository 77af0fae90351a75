#include "dialogs/dialog_test_support.h"
#include "dialogs/tangent_dialog.h"
#include "document/derived_graphs.h"
#include "document/ovilan_doc.h"
#include "graph/function_graph.h"

#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    using testing::child;
    using testing::ScriptedServices;
    using testing::ShownMessage;

    struct TangentDialogTest : ::testing::Test {
        TangentDialogTest()
        {
            auto graph = std::make_unique<CYofXGraph>(document);
            graph->setFormula("sqrt(x)", 0);
            document.insertGraph(std::move(graph), 0);
            document.undoStack.clear();
            dialog = std::make_unique<CTangentDlg>(document, 0, scripted.services());
            testing::showForTest(*dialog);
        }

        void ok(const char* value)
        {
            child<QLineEdit>(*dialog, "value")->setText(QString::fromLatin1(value));
            dialog->accept();
        }

        AppPreferences preferences;
        COvilanDoc document { preferences };
        ScriptedServices scripted;
        std::unique_ptr<CTangentDlg> dialog;
    };

    TEST_F(TangentDialogTest, RefusalsKeepTheDialogOpenAndChangeNothing)
    {
        const auto warning = [](std::string_view text) {
            return ShownMessage { QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                MessageIcon::Warning };
        };
        ok("1/0");
        ok("-1");
        ok("x");
        EXPECT_EQ(scripted.messages.shown,
            (std::vector<ShownMessage> { warning("Please enter a number."),
                warning(kPointUndefined),
                warning(
                    "Please enter a number.\nA number is expected here, not the variable x.") }));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(document.graphCount(), 1);
        EXPECT_EQ(document.labelCount(), 0);
        EXPECT_TRUE(document.undoStack.empty());
    }

    TEST_F(TangentDialogTest, OkAddsTheChosenLinesAtAConstantFieldsValue)
    {
        for (QRadioButton* button : dialog->findChildren<QRadioButton*>())
            if (button->text() == QStringLiteral("Tangent and normal"))
                button->setChecked(true);
        ok("2^2");
        EXPECT_TRUE(scripted.messages.shown.empty());
        EXPECT_FALSE(dialog->isVisible());
        ASSERT_EQ(document.graphCount(), 3);
        EXPECT_EQ(document.graph(1).legendText, "tangent at x=4");
        EXPECT_EQ(static_cast<CFunctionGraph&>(document.graph(1)).formula, "0.25*(x-4)+2");
        EXPECT_EQ(static_cast<CFunctionGraph&>(document.graph(2)).formula, "2-4*(x-4)");
        EXPECT_EQ(document.labelCount(), 1);
        EXPECT_EQ(document.undoStack.size(), 1u);
    }

} // namespace
} // namespace ovilan
