// Ovilan, the desktop program: one document in one window.

#include "document/ovilan_doc.h"
#include "document/preferences.h"
#include "shell/command_icons.h"
#include "shell/main_frame.h"
#include "shell/qt_settings_store.h"
#include "shell/qt_shell_interface.h"

#include <QApplication>

int main(int argc, char** argv)
{
    using namespace ovilan;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenbrix"));
    QApplication::setApplicationName(QStringLiteral("Ovilan"));
    // Links the window to its installed desktop entry (icon and name in Wayland task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quenbrix.Ovilan"));
    QApplication::setWindowIcon(applicationIcon());

    QtSettingsStore store;
    AppPreferences preferences = readPreferences(store);
    COvilanDoc document(preferences);
    QtShellInterface ui;
    int status = 0;
    {
        CMainFrame frame(document, preferences, store.settings(), ui);
        ui.setParent(&frame);
        const QStringList arguments = QApplication::arguments();
        if (arguments.size() > 1)
            frame.openDocument(arguments.at(1));
        else
            frame.newDocument();
        frame.showMaximized();
        status = QApplication::exec();
        ui.setParent(nullptr);
    }
    writePreferences(store, preferences);
    return status;
}
