#include "document/document_file.h"
#include "document/document_size_limit.h"
#include "shell/main_frame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovilan {

namespace {

    constexpr int kRecentFiles = 4;

} // namespace

void CMainFrame::refreshTitle()
{
    const QString name = path_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path_).fileName();
    setWindowTitle(name + QStringLiteral("[*] - Ovilan"));
    setWindowModified(document_.isModified());
}

void CMainFrame::newDocument()
{
    path_.clear();
    document_.reset();
    document_.newDocument();
    // The views of a new document start over from it, as after an open: the plot, the graph
    // list and the mapping the status bar reads with.
    document_.updateAllViews(kHintEverything);
}

bool CMainFrame::openDocument(const QString& path)
{
    // Only a regular file no larger than a document can be is read, and read with that bound: a
    // FIFO would freeze the window (even its opening waits for a writer, hence O_NONBLOCK) and a
    // device such as /dev/zero never ends.
    const int handle
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status { };
    const bool acceptable = handle >= 0 && ::fstat(handle, &status) == 0 && S_ISREG(status.st_mode)
        && static_cast<std::uintmax_t>(status.st_size) <= kMaxDocumentFileBytes;
    if (!acceptable && handle >= 0)
        ::close(handle);
    QFile file;
    if (!acceptable || !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ui_.showMessage(QStringLiteral("Failed to open document."));
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxDocumentFileBytes) + 1);
    if (file.error() != QFileDevice::NoError
        || static_cast<std::size_t>(bytes.size()) > kMaxDocumentFileBytes) {
        ui_.showMessage(QStringLiteral("Failed to open document."));
        return false;
    }
    const bool loaded = loadDocument(document_,
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())));
    if (!loaded) {
        // The load left a fresh empty document; the window starts over with it.
        ui_.showMessage(QStringLiteral("Unexpected file format."));
        path_.clear();
        document_.newDocument();
        refreshTitle();
        return false;
    }
    path_ = path;
    rememberRecent(path);
    document_.updateAllViews(kHintEverything);
    refreshTitle();
    refreshCommandStates();
    return true;
}

void CMainFrame::open()
{
    if (!askToSaveChanges())
        return;
    if (const auto path = ui_.openFileName(openFolder()))
        openDocument(*path);
}

QString CMainFrame::openFolder() const
{
    // The open document's folder, else the last file's; a newcomer starts with the examples.
    if (!path_.isEmpty())
        return QFileInfo(path_).absolutePath();
    if (!recentFiles_.isEmpty())
        return QFileInfo(recentFiles_.front()).absolutePath();
    return programDataFolder(QStringLiteral("examples"));
}

bool CMainFrame::saveDocumentAs(const QString& path)
{
    // The target is replaced only once the whole document has been written. A small document
    // sits in Qt's write buffer until the file is closed, and commit() does not notice when
    // that last write fails (a full disk): the explicit flush does.
    QSaveFile file(path);
    const std::vector<std::uint8_t> bytes = writeDocument(document_);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write(
               reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()))
            == static_cast<qint64>(bytes.size())
        && file.flush() && file.commit();
    if (!written) {
        ui_.showMessage(QStringLiteral("Failed to save document."));
        return false;
    }
    path_ = path;
    document_.setModified(false);
    rememberRecent(path);
    refreshTitle();
    return true;
}

bool CMainFrame::save() { return path_.isEmpty() ? saveAs() : saveDocumentAs(path_); }

bool CMainFrame::saveAs()
{
    const QString suggestion = path_.isEmpty() ? QStringLiteral("Untitled.ovd") : path_;
    const auto path = ui_.saveFileName(suggestion);
    return path && saveDocumentAs(*path);
}

// True when the user may go on: nothing to save, saved, or changes discarded.
bool CMainFrame::askToSaveChanges()
{
    if (!document_.isModified())
        return true;
    const QString name = path_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path_).fileName();
    switch (ui_.askSaveChanges(name)) {
    case SaveChangesAnswer::Save:
        return save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        return false;
    }
    return false;
}

void CMainFrame::rememberRecent(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recentFiles_.removeAll(absolute);
    recentFiles_.prepend(absolute);
    while (recentFiles_.size() > kRecentFiles)
        recentFiles_.removeLast();
    writeRecentFiles();
}

void CMainFrame::writeRecentFiles()
{
    for (int i = 0; i < kRecentFiles; ++i)
        settings_.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1),
            i < recentFiles_.size() ? recentFiles_[i] : QString());
}

// Where "Recent File" stands: the recent files numbered 1 to 4, or the item disabled when there
// are none.
void CMainFrame::fillRecentMenu(QMenu* menu)
{
    QAction* placeholder = action(CommandId::FileRecent);
    for (QAction* item : menu->actions())
        if (item->property("recentFile").isValid()) {
            menu->removeAction(item);
            item->deleteLater();
        }
    placeholder->setVisible(recentFiles_.isEmpty());
    placeholder->setEnabled(false);
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString file = recentFiles_[i];
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(file), menu);
        item->setProperty("recentFile", file);
        item->setStatusTip(QStringLiteral("Open this document"));
        connect(item, &QAction::triggered, this, [this, file] {
            if (askToSaveChanges())
                openDocument(file);
        });
        menu->insertAction(placeholder, item);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    if (askToSaveChanges())
        openDocument(urls.front().toLocalFile());
}

} // namespace ovilan
