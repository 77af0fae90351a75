#include "shell/command_icons.h"

#include "shell/drawn_icons.h"

#include <QImage>
#include <QLatin1String>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace ovilan {

namespace {

    struct ThemeName {
        CommandId id;
        QLatin1String name;
    };

    // Names from the freedesktop icon naming specification (document-edit is the one common
    // extension, found in Breeze and Adwaita). The plot's own commands (graph list, the mouse
    // modes, add table graph) have no standard name and always show our drawing, so that a theme
    // never gives two of them the same image.
    constexpr ThemeName themeNames[] = {
        { CommandId::FileNew, QLatin1String("document-new") },
        { CommandId::FileOpen, QLatin1String("document-open") },
        { CommandId::FileSave, QLatin1String("document-save") },
        { CommandId::EditCopy, QLatin1String("edit-copy") },
        { CommandId::EditUndo, QLatin1String("edit-undo") },
        { CommandId::EditRedo, QLatin1String("edit-redo") },
        { CommandId::ZoomIn, QLatin1String("zoom-in") },
        { CommandId::ZoomOut, QLatin1String("zoom-out") },
        { CommandId::ScrollLeft, QLatin1String("go-previous") },
        { CommandId::ScrollRight, QLatin1String("go-next") },
        { CommandId::ScrollUp, QLatin1String("go-up") },
        { CommandId::ScrollDown, QLatin1String("go-down") },
        { CommandId::DocumentProperties, QLatin1String("document-properties") },
        { CommandId::AddGraph, QLatin1String("list-add") },
        { CommandId::RemoveGraph, QLatin1String("list-remove") },
        { CommandId::EditGraph, QLatin1String("document-edit") },
    };

    QImage transparentImage(int side)
    {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }

    QPixmap drawnCommandPixmap(CommandId id, int side)
    {
        QImage image = transparentImage(side);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(side) / commandPictureUnits, qreal(side) / commandPictureUnits);
        if (!paintCommandPicture(painter, id))
            return {};
        painter.end();
        return QPixmap::fromImage(image);
    }

    // Pen widths of the application icon are given in 1/64 of its side, but never drop below a
    // pixel, so the small sizes stay legible instead of fading to grey.
    qreal atLeastPixels(qreal units, qreal pixels, qreal pixelsPerUnit)
    {
        return std::max(units, pixels / pixelsPerUnit);
    }

    void drawArrowHead(QPainter& painter, QPointF tip, QPointF back, qreal halfWidth)
    {
        const QPointF along = tip - back;
        const QPointF across(-along.y(), along.x());
        const qreal length = std::hypot(across.x(), across.y());
        const QPointF side = across * (halfWidth / length);
        const QPointF head[] = { tip, back + side, back - side };
        painter.drawPolygon(head, 3);
    }

    QPixmap applicationPixmap(int side)
    {
        const qreal pixelsPerUnit = side / 64.0;
        QImage image = transparentImage(side);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(pixelsPerUnit, pixelsPerUnit);

        const QRectF tile(1, 1, 62, 62);
        QLinearGradient sky(tile.topLeft(), tile.bottomLeft());
        sky.setColorAt(0, QColor(255, 255, 255));
        sky.setColorAt(1, QColor(208, 226, 250));
        painter.setPen(QPen(QColor(40, 80, 150), atLeastPixels(2, 1, pixelsPerUnit)));
        painter.setBrush(sky);
        painter.drawRoundedRect(tile, 10, 10);

        if (side >= 32) {
            painter.setPen(QPen(QColor(170, 195, 230), atLeastPixels(1, 1, pixelsPerUnit)));
            for (qreal at = 16 + 11; at < 60; at += 11)
                painter.drawLine(QPointF(at, 8), QPointF(at, 56));
            for (qreal at = 44 - 11; at > 4; at -= 11)
                painter.drawLine(QPointF(8, at), QPointF(56, at));
        }

        const QColor axisInk(40, 40, 50);
        const qreal axisWidth = atLeastPixels(3, 1, pixelsPerUnit);
        painter.setPen(QPen(axisInk, axisWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(6, 44), QPointF(52, 44));
        painter.drawLine(QPointF(16, 58), QPointF(16, 12));
        painter.setPen(Qt::NoPen);
        painter.setBrush(axisInk);
        drawArrowHead(painter, QPointF(60, 44), QPointF(50, 44), 5);
        drawArrowHead(painter, QPointF(16, 4), QPointF(16, 14), 5);

        QPainterPath curve(QPointF(6, 50));
        curve.cubicTo(QPointF(18, 50), QPointF(20, 14), QPointF(32, 14));
        curve.cubicTo(QPointF(44, 14), QPointF(44, 36), QPointF(58, 24));
        painter.setPen(QPen(QColor(215, 40, 40),
            atLeastPixels(5, 1.5, pixelsPerUnit),
            Qt::SolidLine,
            Qt::RoundCap,
            Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curve);
        painter.end();
        return QPixmap::fromImage(image);
    }

    // Cursors are drawn without smoothing: one pixel black lines over a white rim of one pixel on
    // each side, so they stand out on a dark plot background as on a white one.
    constexpr int cursorSide = 32;
    constexpr QPoint crossHairCentre(9, 9);

    void drawCrossHair(QPainter& painter)
    {
        const QPoint c = crossHairCentre;
        painter.drawLine(c + QPoint(-8, 0), c + QPoint(-3, 0));
        painter.drawLine(c + QPoint(3, 0), c + QPoint(8, 0));
        painter.drawLine(c + QPoint(0, -8), c + QPoint(0, -3));
        painter.drawLine(c + QPoint(0, 3), c + QPoint(0, 8));
        painter.drawPoint(c);
    }

    // The caption box of a plot label, with two lines of text, placed below right of the point.
    // The box is filled white, so its text shows on any background.
    void drawLabelTag(QPainter& painter, bool rim)
    {
        const QRect box(14, 15, 15, 10);
        if (rim) {
            painter.setBrush(Qt::white);
            painter.drawRect(box);
            painter.setBrush(Qt::NoBrush);
            return;
        }
        painter.drawRect(box);
        painter.drawLine(QPoint(17, 18), QPoint(26, 18));
        painter.drawLine(QPoint(17, 21), QPoint(23, 21));
    }

    void drawSelectionBox(QPainter& painter, bool rim)
    {
        QPen pen = painter.pen();
        if (!rim) {
            pen.setStyle(Qt::CustomDashLine);
            pen.setDashPattern({ 2, 2 });
        }
        painter.setPen(pen);
        painter.drawRect(QRect(14, 14, 15, 13));
    }

    QCursor crossHairCursor(void (*drawDecoration)(QPainter&, bool rim))
    {
        QImage image = transparentImage(cursorSide);
        QPainter painter(&image);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        drawCrossHair(painter);
        drawDecoration(painter, true);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        drawCrossHair(painter);
        drawDecoration(painter, false);
        painter.end();
        return QCursor(QPixmap::fromImage(image), crossHairCentre.x(), crossHairCentre.y());
    }

} // namespace

QIcon drawnCommandIcon(CommandId id)
{
    const QPixmap small = drawnCommandPixmap(id, 16);
    if (small.isNull())
        return {};
    QIcon icon(small);
    icon.addPixmap(drawnCommandPixmap(id, 32));
    return icon;
}

QIcon commandIcon(CommandId id)
{
    const QIcon drawn = drawnCommandIcon(id);
    if (drawn.isNull())
        return {};
    const auto* const entry = std::find_if(std::begin(themeNames),
        std::end(themeNames),
        [id](const ThemeName& theme) { return theme.id == id; });
    if (entry == std::end(themeNames))
        return drawn;
    return QIcon::fromTheme(QString(entry->name), drawn);
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int side : { 16, 32, 48, 64, 128, 256 })
        icon.addPixmap(applicationPixmap(side));
    return icon;
}

QCursor addLabelCursor() { return crossHairCursor(drawLabelTag); }

QCursor selectCursor() { return crossHairCursor(drawSelectionBox); }

} // namespace ovilan
