#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class QAction;
class QSettings;
class QTextBrowser;

namespace ovilan {

class ShellInterface;

// Hands a web address or a file to the desktop (the browser, the mail program); false when
// nothing could take it.
using OutsideOpener = std::function<bool(const QUrl&)>;
bool openWithDesktop(const QUrl& url);

// The program's help: the shipped HTML pages in a window of their own, with Back, Forward,
// Contents and Open in Browser. There is one per main window, kept as its child window so that it
// stays with the program; while a dialog is open it moves over that dialog, which would otherwise
// block it.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const QString& folder,
        QSettings& settings,
        ShellInterface& ui,
        QWidget* mainWindow,
        OutsideOpener openOutside = openWithDesktop);
    ~HelpWindow() override;

    // The main window's help window, wherever it is shown; null before the first request.
    static HelpWindow* of(const QWidget* mainWindow);

    // Shows a page of the help, with an anchor or not ("dialogs.html#dlg-label"), above the given
    // window and raised. A missing page is named in a message and nothing else changes.
    bool showPage(const QString& page, QWidget* above);

    QTextBrowser* browser() const { return browser_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }
    QAction* contentsAction() const { return contents_; }
    QAction* openInBrowserAction() const { return openInBrowser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createActions();
    void createLayout();
    // Names a page that is not there in a message; true when it did.
    bool reportMissing(const QUrl& page);
    bool showUrl(const QUrl& url);
    void followLink(const QUrl& link);
    void openOutside(const QUrl& url, const QString& failure);
    void moveAbove(QWidget* window);
    void saveGeometryToSettings();

    QString folder_;
    QSettings& settings_;
    ShellInterface& ui_;
    QWidget* mainWindow_;
    OutsideOpener openOutside_;
    QTextBrowser* browser_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* contents_ = nullptr;
    QAction* openInBrowser_ = nullptr;
};

} // namespace ovilan
