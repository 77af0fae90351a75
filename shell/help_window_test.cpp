#include "document/ovilan_doc.h"
#include "graph/function_graph.h"
#include "shell/command_ids.h"
#include "shell/help_window.h"
#include "shell/main_frame.h"
#include "shell/shell_test_support.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

// Pages read as text in the failures.
void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace ovilan {
namespace {

    // Keeps the messages; the help asks nothing else.
    using RecordingShell = testing::ScriptedShell;

    // The help over a plain window, handing outside addresses to a recorder.
    struct Help {
        Help() { owner.resize(640, 480); }

        HelpWindow& window()
        {
            if (!help)
                help = new HelpWindow(
                    QStringLiteral(OVILAN_HELP), settings, ui, &owner, [this](const QUrl& url) {
                        opened.append(url);
                        return desktopAnswers;
                    });
            return *help;
        }

        QSettings settings { QStringLiteral("Quenbrix"), QStringLiteral("Ovilan") };
        RecordingShell ui;
        QWidget owner;
        HelpWindow* help = nullptr;
        QList<QUrl> opened;
        bool desktopAnswers = true;
    };

    QString shownPage(const HelpWindow& help)
    {
        const QUrl source = help.browser()->source();
        const QString page = source.fileName();
        return source.hasFragment() ? page + QLatin1Char('#') + source.fragment() : page;
    }

    bool carriesAnchor(const QTextBlock& block, const QString& anchor)
    {
        // An id on a block element (a heading, a section) is the block's; one on a link, its
        // text's.
        if (block.charFormat().anchorNames().contains(anchor))
            return true;
        for (auto piece = block.begin(); !piece.atEnd(); ++piece)
            if (piece.fragment().charFormat().anchorNames().contains(anchor))
                return true;
        return false;
    }

    // The top of the block that carries the anchor, in document coordinates; -1 when none does.
    int anchorTop(const QTextBrowser& browser, const QString& anchor)
    {
        const QTextDocument* document = browser.document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            if (carriesAnchor(block, anchor))
                return static_cast<int>(document->documentLayout()->blockBoundingRect(block).top());
        return -1;
    }

    // Where a link to `target` shows in the browser's viewport, scrolled into sight.
    QPoint linkPoint(QTextBrowser& browser, const QString& target)
    {
        const QTextDocument* document = browser.document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto piece = block.begin(); !piece.atEnd(); ++piece)
                if (piece.fragment().charFormat().anchorHref() == target) {
                    QTextCursor cursor(browser.document());
                    cursor.setPosition(piece.fragment().position() + 1);
                    browser.setTextCursor(cursor);
                    browser.ensureCursorVisible();
                    return browser.cursorRect(cursor).center();
                }
        return { -1, -1 };
    }

    TEST(HelpWindow, OpensAtThePageScrolledToTheAnchor)
    {
        Help help;
        ASSERT_TRUE(help.window().showPage(QStringLiteral("dialogs.html#dlg-label"), nullptr));
        HelpWindow& window = help.window();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Ovilan Help"));
        EXPECT_EQ(shownPage(window), QStringLiteral("dialogs.html#dlg-label"));
        const int top = anchorTop(*window.browser(), QStringLiteral("dlg-label"));
        ASSERT_GT(top, 0);
        EXPECT_NEAR(window.browser()->verticalScrollBar()->value(), top, 2);

        // The same page again at another anchor, and a command's block on another page.
        window.showPage(QStringLiteral("dialogs.html#dlg-table"), nullptr);
        EXPECT_NEAR(window.browser()->verticalScrollBar()->value(),
            anchorTop(*window.browser(), QStringLiteral("dlg-table")),
            2);
        window.showPage(QStringLiteral("commands.html#cmd-32774"), nullptr);
        EXPECT_GT(anchorTop(*window.browser(), QStringLiteral("cmd-32774")), 0);
        EXPECT_NEAR(window.browser()->verticalScrollBar()->value(),
            anchorTop(*window.browser(), QStringLiteral("cmd-32774")),
            2);
        EXPECT_TRUE(help.ui.messages.empty());
    }

    TEST(HelpWindow, LinksNavigateAndBackAndForwardReturn)
    {
        Help help;
        HelpWindow& window = help.window();
        window.showPage(QStringLiteral("index.html"), nullptr);
        EXPECT_FALSE(window.backAction()->isEnabled());
        const QPoint link = linkPoint(*window.browser(), QStringLiteral("formulas.html#errors"));
        QTest::mouseClick(window.browser()->viewport(), Qt::LeftButton, {}, link);
        EXPECT_EQ(shownPage(window), QStringLiteral("formulas.html#errors"));
        EXPECT_NEAR(window.browser()->verticalScrollBar()->value(),
            anchorTop(*window.browser(), QStringLiteral("errors")),
            2);

        ASSERT_TRUE(window.backAction()->isEnabled());
        window.backAction()->trigger();
        EXPECT_EQ(shownPage(window), QStringLiteral("index.html"));
        ASSERT_TRUE(window.forwardAction()->isEnabled());
        window.forwardAction()->trigger();
        EXPECT_EQ(shownPage(window), QStringLiteral("formulas.html#errors"));
        window.contentsAction()->trigger();
        EXPECT_EQ(shownPage(window), QStringLiteral("index.html"));
        EXPECT_TRUE(help.opened.isEmpty());
        EXPECT_TRUE(help.ui.messages.empty());
    }

    TEST(HelpWindow, WebAddressesAndOpenInBrowserGoToTheDesktop)
    {
        Help help;
        HelpWindow& window = help.window();
        window.showPage(QStringLiteral("dialogs.html#dlg-about"), nullptr);
        emit window.browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/ovilan")));
        window.openInBrowserAction()->trigger();
        ASSERT_EQ(help.opened.size(), 2);
        EXPECT_EQ(help.opened[0], QUrl(QStringLiteral("https://example.org/ovilan")));
        EXPECT_TRUE(help.opened[1].isLocalFile());
        EXPECT_EQ(help.opened[1].fileName(), QStringLiteral("dialogs.html"));
        EXPECT_EQ(help.opened[1].fragment(), QStringLiteral("dlg-about"));
        EXPECT_EQ(shownPage(window), QStringLiteral("dialogs.html#dlg-about"));
        EXPECT_TRUE(help.ui.messages.empty());

        // Without a browser the user is told so.
        help.desktopAnswers = false;
        window.openInBrowserAction()->trigger();
        emit window.browser()->anchorClicked(QUrl(QStringLiteral("mailto:help@example.org")));
        EXPECT_EQ(help.ui.messages,
            (std::vector<std::string> { "Unable to open the help in the browser.",
                "Unable to open hyperlink:\n\nmailto:help@example.org" }));
    }

    TEST(HelpWindow, MissingPageIsNamedInAMessage)
    {
        Help help;
        EXPECT_FALSE(help.window().showPage(QStringLiteral("nowhere.html#top"), nullptr));
        EXPECT_FALSE(help.window().isVisible());
        ASSERT_EQ(help.ui.messages.size(), 1u);
        const QString message = QString::fromStdString(help.ui.messages[0]);
        EXPECT_TRUE(message.startsWith(QStringLiteral("The help page ")));
        EXPECT_TRUE(message.endsWith(QStringLiteral("nowhere.html was not found.")));

        // A link to a page that is not there leaves the shown page as it was.
        help.window().showPage(QStringLiteral("index.html"), nullptr);
        emit help.window().browser()->anchorClicked(QUrl(QStringLiteral("lost.html")));
        EXPECT_EQ(shownPage(help.window()), QStringLiteral("index.html"));
        EXPECT_EQ(help.ui.messages.size(), 2u);
    }

    TEST(HelpWindow, SizeAndPlaceAreRemembered)
    {
        QRect closedAt;
        {
            Help help;
            help.window().showPage(QStringLiteral("index.html"), nullptr);
            help.window().setGeometry(120, 90, 700, 500);
            closedAt = help.window().geometry();
            help.window().close();
        }
        Help help;
        help.window().showPage(QStringLiteral("index.html"), nullptr);
        EXPECT_EQ(help.window().geometry(), closedAt);
    }

    // The real main window: its help commands and F1 in a dialog.
    struct Frame {
        Frame() { frame.resize(800, 600); }

        QSettings settings { QStringLiteral("Quenbrix"), QStringLiteral("Ovilan") };
        AppPreferences preferences;
        COvilanDoc document { preferences };
        RecordingShell ui;
        CMainFrame frame { document, preferences, settings, ui };
    };

    TEST(HelpWindow, MainWindowReusesItsOneHelpWindow)
    {
        Frame main;
        main.frame.show();
        main.frame.action(CommandId::HelpTopics)->trigger();
        HelpWindow* help = HelpWindow::of(&main.frame);
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(shownPage(*help), QStringLiteral("index.html"));
        help->browser()->setSource(QUrl::fromLocalFile(QStringLiteral(OVILAN_HELP "/mouse.html")));
        help->close();
        main.frame.action(CommandId::Help)->trigger();
        EXPECT_EQ(HelpWindow::of(&main.frame), help);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(shownPage(*help), QStringLiteral("index.html"));
        EXPECT_EQ(main.frame.findChildren<HelpWindow*>().size(), 1);
        EXPECT_TRUE(main.ui.messages.empty());
    }

    TEST(HelpWindow, ShiftF1ThenAToolBarButtonOpensThatCommandsHelp)
    {
        Frame main;
        main.frame.show();
        main.frame.action(CommandId::HelpContext)->trigger();
        ASSERT_TRUE(QWhatsThis::inWhatsThisMode());
        QWidget* zoomIn
            = main.frame.standardToolBar()->widgetForAction(main.frame.action(CommandId::ZoomIn));
        ASSERT_NE(zoomIn, nullptr);
        QTest::mouseClick(zoomIn, Qt::LeftButton);
        EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
        HelpWindow* help = HelpWindow::of(&main.frame);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(shownPage(*help),
            QStringLiteral("commands.html#cmd-%1").arg(static_cast<int>(CommandId::ZoomIn)));
        // The click only asked: the plot is not zoomed.
        EXPECT_FALSE(main.frame.action(CommandId::EditUndo)->isEnabled());
    }

    TEST(HelpWindow, F1InADialogOpensItsSectionOverTheDialogUnblocked)
    {
        Frame main;
        main.frame.show();
        QDialog* dialog = nullptr;
        HelpWindow* help = nullptr;
        QString pageAfterClick;
        QTimer::singleShot(0, [&] {
            dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QTest::keyClick(dialog, Qt::Key_F1);
            help = HelpWindow::of(&main.frame);
            if (help && help->isVisible()) {
                // A click through the window system, which drops input to blocked windows.
                const QPoint link
                    = linkPoint(*help->browser(), QStringLiteral("mouse.html#persistent"));
                QTest::mouseClick(help->windowHandle(),
                    Qt::LeftButton,
                    {},
                    help->browser()->viewport()->mapTo(help, link));
                pageAfterClick = shownPage(*help);
                help->close();
            }
            dialog->reject();
        });
        main.frame.action(CommandId::AppEnvironmentSettings)->trigger();
        ASSERT_NE(dialog, nullptr);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(pageAfterClick, QStringLiteral("mouse.html#persistent"));
        // Back with the main window once the dialog is gone, and still the one help window.
        EXPECT_EQ(help->parentWidget(), &main.frame);
        EXPECT_EQ(HelpWindow::of(&main.frame), help);
        help->backAction()->trigger();
        EXPECT_EQ(shownPage(*help), QStringLiteral("dialogs.html#dlg-environment"));
        EXPECT_TRUE(main.ui.messages.empty());
    }

} // namespace
} // namespace ovilan
