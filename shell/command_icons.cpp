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

    // The standard freedesktop icon names that desktop themes provide; document-edit is a
    // widespread addition to them, as in Breeze. The plot's own commands (graph list, the mouse
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

    // The application icon is drawn in a square of 64 units whatever its size. Its straight
    // lines are a whole number of pixels wide, at least one, and sit on whole pixels, so the
    // axes stay sharp and dark at 16 pixels instead of fading into grey pairs of pixels.
    class IconGrid {
    public:
        explicit IconGrid(int side)
            : pixelsPerUnit(side / 64.0)
        {
        }

        qreal lineWidth(qreal units) const
        {
            return std::max(1.0, std::round(units * pixelsPerUnit)) / pixelsPerUnit;
        }

        // The position nearest to `units` where a line of `width` units covers whole pixels.
        qreal crisp(qreal units, qreal width) const
        {
            const qreal halfWidthPixels = width * pixelsPerUnit / 2;
            return (std::round(units * pixelsPerUnit - halfWidthPixels) + halfWidthPixels)
                / pixelsPerUnit;
        }

        const qreal pixelsPerUnit;
    };

    void drawIconTile(QPainter& painter, const IconGrid& grid)
    {
        const qreal border = grid.lineWidth(2);
        const qreal edge = grid.crisp(border / 2, border);
        const QRectF tile(QPointF(edge, edge), QPointF(64 - edge, 64 - edge));
        QLinearGradient sky(tile.topLeft(), tile.bottomLeft());
        sky.setColorAt(0, QColor(255, 255, 255));
        sky.setColorAt(1, QColor(208, 226, 250));
        painter.setPen(QPen(QColor(40, 80, 150), border));
        painter.setBrush(sky);
        painter.drawRoundedRect(tile, 10, 10);
    }

    void drawIconGridLines(QPainter& painter, const IconGrid& grid, QPointF origin)
    {
        const qreal width = grid.lineWidth(1);
        painter.setPen(QPen(QColor(170, 195, 230), width, Qt::SolidLine, Qt::FlatCap));
        for (qreal at = origin.x() + 11; at < 60; at += 11) {
            const qreal x = grid.crisp(at, width);
            painter.drawLine(QPointF(x, 8), QPointF(x, 56));
        }
        for (qreal at = origin.y() - 11; at > 4; at -= 11) {
            const qreal y = grid.crisp(at, width);
            painter.drawLine(QPointF(8, y), QPointF(56, y));
        }
    }

    void drawArrowHead(QPainter& painter, QPointF tip, QPointF back, qreal halfWidth)
    {
        const QPointF along = tip - back;
        const QPointF across(-along.y(), along.x());
        const QPointF side = across * (halfWidth / std::hypot(across.x(), across.y()));
        const QPointF head[] = { tip, back + side, back - side };
        painter.drawPolygon(head, 3);
    }

    void drawIconAxes(QPainter& painter, const IconGrid& grid, QPointF origin)
    {
        const QColor axisInk(40, 40, 50);
        painter.setPen(QPen(axisInk, grid.lineWidth(3), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(6, origin.y()), QPointF(52, origin.y()));
        painter.drawLine(QPointF(origin.x(), 58), QPointF(origin.x(), 12));
        painter.setPen(Qt::NoPen);
        painter.setBrush(axisInk);
        drawArrowHead(painter, QPointF(60, origin.y()), QPointF(50, origin.y()), 5);
        drawArrowHead(painter, QPointF(origin.x(), 4), QPointF(origin.x(), 14), 5);
    }

    void drawIconCurve(QPainter& painter, const IconGrid& grid)
    {
        QPainterPath curve(QPointF(6, 50));
        curve.cubicTo(QPointF(18, 50), QPointF(20, 14), QPointF(32, 14));
        curve.cubicTo(QPointF(44, 14), QPointF(44, 36), QPointF(58, 24));
        const qreal width = std::max(5.0, 1.5 / grid.pixelsPerUnit);
        painter.setPen(
            QPen(QColor(215, 40, 40), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curve);
    }

    QPixmap applicationPixmap(int side)
    {
        const IconGrid grid(side);
        QImage image = transparentImage(side);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(grid.pixelsPerUnit, grid.pixelsPerUnit);
        const qreal axisWidth = grid.lineWidth(3);
        const QPointF origin(grid.crisp(17, axisWidth), grid.crisp(44, axisWidth));
        drawIconTile(painter, grid);
        // At 16 pixels grid lines would only muddy the curve.
        if (side >= 32)
            drawIconGridLines(painter, grid, origin);
        drawIconAxes(painter, grid, origin);
        drawIconCurve(painter, grid);
        painter.end();
        return QPixmap::fromImage(image);
    }

    // Cursors are drawn without smoothing: one pixel black lines over a white rim of one pixel on
    // each side, so they stand out on a dark plot background as on a white one.
    constexpr int cursorSide = 32;
    constexpr QPoint crossHairCentre(9, 9);

    // Each cursor is drawn twice with the same shapes: first the wide white rim, then the ink.
    enum class CursorPass { Rim, Ink };

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
    void drawLabelTag(QPainter& painter, CursorPass pass)
    {
        const QRect box(14, 15, 15, 10);
        if (pass == CursorPass::Rim) {
            painter.setBrush(Qt::white);
            painter.drawRect(box);
            painter.setBrush(Qt::NoBrush);
            return;
        }
        painter.drawRect(box);
        painter.drawLine(QPoint(17, 18), QPoint(26, 18));
        painter.drawLine(QPoint(17, 21), QPoint(23, 21));
    }

    void drawSelectionBox(QPainter& painter, CursorPass pass)
    {
        QPen pen = painter.pen();
        if (pass == CursorPass::Ink) {
            pen.setStyle(Qt::CustomDashLine);
            pen.setDashPattern({ 2, 2 });
        }
        painter.setPen(pen);
        painter.drawRect(QRect(14, 14, 15, 13));
    }

    QCursor crossHairCursor(void (*drawDecoration)(QPainter&, CursorPass))
    {
        QImage image = transparentImage(cursorSide);
        QPainter painter(&image);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        drawCrossHair(painter);
        drawDecoration(painter, CursorPass::Rim);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        drawCrossHair(painter);
        drawDecoration(painter, CursorPass::Ink);
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
