// Writes the program's icon as the PNG files of a hicolor icon theme, one per drawn size:
//   ovilan-render-icons OUTPUT_DIR ICON_NAME
// makes OUTPUT_DIR/<N>x<N>/apps/ICON_NAME.png. Runs without a display; the pictures are the very
// ones the running program shows, because they come from the same drawing.

#include "shell/command_icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    // Drawing needs the application object but no screen: a build machine has none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        err << "usage: ovilan-render-icons OUTPUT_DIR ICON_NAME\n";
        return 2;
    }
    const QString outputDir = arguments.at(1);
    const QString iconName = arguments.at(2);

    const QIcon icon = ovilan::applicationIcon();
    for (const int side : { 16, 32, 48, 64, 128, 256 }) {
        // At a device pixel ratio of 1 the icon hands back the pixmap drawn for this very size;
        // anything else would be a scaled picture, which the theme must not carry.
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage();
        if (image.size() != QSize(side, side)) {
            err << "The icon has no " << side << " pixel picture (got " << image.width() << "x"
                << image.height() << ").\n";
            return 1;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outputDir).arg(side);
        if (!QDir().mkpath(folder)) {
            err << "Cannot create " << folder << ".\n";
            return 1;
        }
        const QString file = folder + QLatin1Char('/') + iconName + QStringLiteral(".png");
        if (!image.save(file, "PNG")) {
            err << "Cannot write " << file << ".\n";
            return 1;
        }
    }
    return 0;
}
