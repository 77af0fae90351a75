#include "shell/help_window.h"

#include "shell/shell_interface.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHideEvent>
#include <QSettings>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace ovilan {

namespace {

    const QString kObjectName = QStringLiteral("HelpWindow");
    const QString kGeometryKey = QStringLiteral("Settings/HelpWindow");
    const QString kContentsPage = QStringLiteral("index.html");

    // "dialogs.html#dlg-label" in the help folder, as a file address with its anchor.
    QUrl pageUrl(const QString& folder, const QString& page)
    {
        QUrl url = QUrl::fromLocalFile(QDir(folder).filePath(page.section(QLatin1Char('#'), 0, 0)));
        const QString anchor = page.section(QLatin1Char('#'), 1);
        if (!anchor.isEmpty())
            url.setFragment(anchor);
        return url;
    }

    // Qt's rich text counts a proportional line height from the font's line spacing, which holds
    // the leading already: the pages' 1.55 for browsers would set the lines far apart here. Put
    // first, as the sheet's later rules for single elements (pre) still win.
    const QString kRichTextLineHeight = QStringLiteral("body * { line-height: 130%; }\n");

    // The pages' body text size, in pixels.
    constexpr int kPageFontPixels = 16;

    class HelpBrowser : public QTextBrowser {
    public:
        explicit HelpBrowser(QWidget* parent)
            : QTextBrowser(parent)
        {
            // Qt sizes headings from the document's default font, not from the sheet.
            QFont font = document()->defaultFont();
            font.setPixelSize(kPageFontPixels);
            document()->setDefaultFont(font);
        }

        QVariant loadResource(int type, const QUrl& name) override
        {
            QVariant resource = QTextBrowser::loadResource(type, name);
            if (type != QTextDocument::StyleSheetResource || !resource.isValid())
                return resource;
            return kRichTextLineHeight + QString::fromUtf8(resource.toByteArray());
        }
    };

} // namespace

bool openWithDesktop(const QUrl& url) { return QDesktopServices::openUrl(url); }

HelpWindow::HelpWindow(const QString& folder,
    QSettings& settings,
    ShellInterface& ui,
    QWidget* mainWindow,
    OutsideOpener openOutside)
    : QWidget(mainWindow, Qt::Window)
    , folder_(folder)
    , settings_(settings)
    , ui_(ui)
    , mainWindow_(mainWindow)
    , openOutside_(std::move(openOutside))
{
    setObjectName(kObjectName);
    setWindowTitle(QStringLiteral("Ovilan Help"));
    if (mainWindow_)
        setWindowIcon(mainWindow_->windowIcon());
    createActions();
    createLayout();
    if (restoreGeometry(settings_.value(kGeometryKey).toByteArray()))
        return;
    // The first time, in the middle of the main window.
    resize(800, 640);
    if (mainWindow_)
        move(mainWindow_->geometry().center() - rect().center());
}

HelpWindow::~HelpWindow()
{
    // Still open when the program ends: the next run opens it where it was.
    if (isVisible())
        saveGeometryToSettings();
}

HelpWindow* HelpWindow::of(const QWidget* mainWindow)
{
    // Over a dialog it is that dialog's child, and the program's dialogs are the window's.
    return mainWindow ? mainWindow->findChild<HelpWindow*>(kObjectName) : nullptr;
}

void HelpWindow::createActions()
{
    back_ = new QAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"), this);
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    forward_ = new QAction(
        style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"), this);
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setEnabled(false);
    contents_ = new QAction(
        style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Contents"), this);
    contents_->setShortcut(Qt::ALT | Qt::Key_Home);
    openInBrowser_ = new QAction(QStringLiteral("Open in &Browser"), this);
    auto* close = new QAction(QStringLiteral("Close"), this);
    close->setShortcuts({ QKeySequence::Close, QKeySequence(Qt::Key_Escape) });
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void HelpWindow::createLayout()
{
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addAction(back_);
    bar->addAction(forward_);
    bar->addAction(contents_);
    bar->addSeparator();
    bar->addAction(openInBrowser_);

    browser_ = new HelpBrowser(this);
    // Every link comes here first: pages of the help stay in the window, the web goes outside.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(
        contents_, &QAction::triggered, this, [this] { showUrl(pageUrl(folder_, kContentsPage)); });
    connect(openInBrowser_, &QAction::triggered, this, [this] {
        openOutside(browser_->source(), QStringLiteral("Unable to open the help in the browser."));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
}

bool HelpWindow::showPage(const QString& page, QWidget* above)
{
    const QUrl url = pageUrl(folder_, page);
    if (reportMissing(url))
        return false;
    moveAbove(above ? above : mainWindow_);
    showUrl(url);
    show();
    raise();
    activateWindow();
    return true;
}

bool HelpWindow::reportMissing(const QUrl& page)
{
    const QString file = page.toLocalFile();
    if (QFileInfo(file).isFile())
        return false;
    ui_.showMessage(
        QStringLiteral("The help page %1 was not found.").arg(QDir::toNativeSeparators(file)));
    return true;
}

bool HelpWindow::showUrl(const QUrl& url)
{
    if (reportMissing(url))
        return false;
    browser_->setSource(url);
    // The same page again still goes to the anchor, though the browser sees nothing new.
    if (url.hasFragment())
        browser_->scrollToAnchor(url.fragment());
    return true;
}

void HelpWindow::followLink(const QUrl& link)
{
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile())
        showUrl(target);
    else
        openOutside(target, QStringLiteral("Unable to open hyperlink:\n\n") + target.toString());
}

void HelpWindow::openOutside(const QUrl& url, const QString& failure)
{
    if (!openOutside_(url)) {
        QApplication::beep();
        ui_.showMessage(failure);
    }
}

// A modal dialog blocks every window but its own children, so the help becomes the child of the
// dialog it explains, and goes back to the main window when that dialog closes.
void HelpWindow::moveAbove(QWidget* window)
{
    if (!window || parentWidget() == window)
        return;
    if (parentWidget() && parentWidget() != mainWindow_)
        parentWidget()->removeEventFilter(this);
    const bool wasShown = isVisible();
    const QByteArray geometry = saveGeometry();
    setParent(window, Qt::Window);
    restoreGeometry(geometry);
    if (window != mainWindow_)
        window->installEventFilter(this);
    if (wasShown)
        show();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched == parentWidget() && watched != mainWindow_)
        moveAbove(mainWindow_);
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        saveGeometryToSettings();
    QWidget::hideEvent(event);
}

void HelpWindow::saveGeometryToSettings() { settings_.setValue(kGeometryKey, saveGeometry()); }

} // namespace ovilan
