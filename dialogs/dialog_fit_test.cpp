#include "dialogs/dialog_fit.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QScreen>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace ovilan {
namespace {

    // A field that would like a chosen size, can do with less and takes more, like a grid.
    struct Field : QWidget {
        Field() { setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding); }
        QSize wanted;
        QSize sizeHint() const override { return wanted; }
        QSize minimumSizeHint() const override { return { 100, 20 }; }
    };

    struct SizedDialog {
        explicit SizedDialog(QSize wanted)
        {
            field = new Field;
            field->wanted = wanted;
            auto* layout = new QVBoxLayout(&dialog);
            layout->addWidget(field);
            dialog.setWindowTitle(QStringLiteral("Wide"));
            keepDialogFitted(dialog);
        }

        void show()
        {
            dialog.show();
            QApplication::processEvents();
        }

        QDialog dialog;
        Field* field = nullptr;
    };

    TEST(DialogFit, TitleBarHoldsTheTitleAndTheButtons)
    {
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Picture properties"));
        const int shortTitle = titleBarWidth(dialog);
        QFont bold = QApplication::font("QMdiSubWindowTitleBar");
        bold.setBold(true);
        // Icon and three buttons at least, each wider than a character.
        const int buttons = 4 * QFontMetrics(bold).averageCharWidth();
        EXPECT_GT(shortTitle, QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + buttons);
        dialog.setWindowTitle(QStringLiteral("Picture properties, a longer title"));
        EXPECT_GT(titleBarWidth(dialog), shortTitle);
    }

    TEST(DialogFit, NeverNarrowerThanItsTitleNorItsContents)
    {
        SizedDialog narrow({ 120, 20 });
        narrow.dialog.setWindowTitle(QStringLiteral("A dialog titled at some length, for a test"));
        narrow.show();
        EXPECT_GE(narrow.dialog.width(), titleBarWidth(narrow.dialog));
        EXPECT_GE(narrow.dialog.minimumWidth(), titleBarWidth(narrow.dialog));

        // A title set while the dialog is open widens it as well.
        narrow.dialog.setWindowTitle(narrow.dialog.windowTitle() + QStringLiteral(", and longer"));
        QApplication::processEvents();
        EXPECT_GE(narrow.dialog.minimumWidth(), titleBarWidth(narrow.dialog));

        // Contents that grow wider than the title still get their room.
        const int grown = titleBarWidth(narrow.dialog) + 200;
        narrow.field->setMinimumWidth(grown);
        QApplication::processEvents();
        EXPECT_GE(narrow.dialog.minimumWidth(), grown);
    }

    TEST(DialogFit, OpensAsWideAsItsContentsWithinTheScreen)
    {
        const QSize screen = QApplication::primaryScreen()->availableGeometry().size();
        // Wider than the two thirds of the screen where Qt alone stops a new window.
        SizedDialog wide({ screen.width() * 5 / 6, 100 });
        wide.show();
        EXPECT_GE(wide.field->width(), wide.field->wanted.width());
        EXPECT_LE(wide.dialog.width(), screen.width());

        SizedDialog tooLarge(screen * 2);
        tooLarge.show();
        EXPECT_LE(tooLarge.dialog.width(), screen.width());
        EXPECT_LE(tooLarge.dialog.height(), screen.height());
    }

} // namespace
} // namespace ovilan
