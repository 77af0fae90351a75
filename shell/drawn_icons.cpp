#include "shell/drawn_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace ovilan {

namespace {

    // Lines of one unit sit on half units, so that they cover whole pixels at 16 and 32 pixels.
    constexpr QColor ink(55, 55, 60);
    constexpr QColor paper(255, 255, 255);
    constexpr QColor foldShade(210, 214, 222);
    constexpr QColor textLine(140, 150, 170);
    constexpr QColor folderBack(205, 150, 35);
    constexpr QColor folderFront(250, 204, 92);
    constexpr QColor folderEdge(140, 95, 15);
    constexpr QColor blue(50, 110, 205);
    constexpr QColor blueDark(25, 60, 135);
    constexpr QColor blueLight(205, 222, 248);
    constexpr QColor curveBlue(25, 105, 225);
    constexpr QColor green(35, 150, 55);
    constexpr QColor greenDark(20, 95, 30);
    constexpr QColor red(215, 40, 40);
    constexpr QColor redDark(140, 20, 20);
    constexpr QColor metal(190, 195, 205);

    QPen outline(const QColor& colour = ink, qreal width = 1.0)
    {
        return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    }

    QPen stroke(const QColor& colour, qreal width)
    {
        return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }

    // Mirrors everything painted afterwards about the vertical centre line, so Redo is Undo's twin.
    void mirrorHorizontally(QPainter& painter)
    {
        painter.translate(commandPictureUnits, 0);
        painter.scale(-1, 1);
    }

    void rotateAboutCentre(QPainter& painter, qreal degrees)
    {
        const qreal centre = commandPictureUnits / 2.0;
        painter.translate(centre, centre);
        painter.rotate(degrees);
        painter.translate(-centre, -centre);
    }

    // Short grey strokes that stand for lines of text on a sheet.
    void drawTextLines(QPainter& painter, qreal left, qreal right, qreal top, int count)
    {
        painter.setPen(outline(textLine));
        for (int line = 0; line < count; ++line) {
            const qreal y = top + 2 * line;
            painter.drawLine(QPointF(left, y), QPointF(right, y));
        }
    }

    // A sheet of paper with its top right corner folded over by `fold` units.
    void drawSheet(QPainter& painter, const QRectF& sheet, qreal fold)
    {
        const QPointF foldTop(sheet.right() - fold, sheet.top());
        const QPointF foldSide(sheet.right(), sheet.top() + fold);
        const QPointF body[]
            = { sheet.topLeft(), foldTop, foldSide, sheet.bottomRight(), sheet.bottomLeft() };
        painter.setPen(outline());
        painter.setBrush(paper);
        painter.drawPolygon(body, 5);
        const QPointF flap[] = { foldTop, QPointF(foldTop.x(), foldSide.y()), foldSide };
        painter.setBrush(foldShade);
        painter.drawPolygon(flap, 3);
    }

    // A shape filled with one colour and edged with a darker one, as the arrows are drawn.
    void fillEdged(
        QPainter& painter, const QPainterPath& shape, const QColor& fill, const QColor& edge)
    {
        painter.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        painter.setBrush(fill);
        painter.drawPath(shape);
    }

    // The plot every graph picture is built on: two axes and a wave in the plot's curve blue.
    void drawPlotMotif(QPainter& painter)
    {
        painter.setPen(outline(ink));
        painter.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 13.5));
        painter.drawLine(QPointF(2.5, 13.5), QPointF(14.5, 13.5));
        QPainterPath wave(QPointF(3, 10));
        wave.cubicTo(QPointF(6, 0.5), QPointF(8, 0.5), QPointF(9, 6.5));
        wave.cubicTo(QPointF(10, 12.5), QPointF(12.5, 12), QPointF(14.5, 7));
        painter.setPen(stroke(curveBlue, 1.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
    }

    // Badges sit in the bottom right corner, haloed in white so they stand out over a curve.
    constexpr QPointF badgeCentre(12, 11.5);

    void drawBadgeStrokes(QPainter& painter, const QPainterPath& strokes, const QColor& colour)
    {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(paper, 4.2, Qt::SolidLine, Qt::SquareCap));
        painter.drawPath(strokes);
        painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::FlatCap));
        painter.drawPath(strokes);
    }

    void drawPlusBadge(QPainter& painter)
    {
        QPainterPath plus;
        plus.moveTo(badgeCentre + QPointF(-3, 0));
        plus.lineTo(badgeCentre + QPointF(3, 0));
        plus.moveTo(badgeCentre + QPointF(0, -3));
        plus.lineTo(badgeCentre + QPointF(0, 3));
        drawBadgeStrokes(painter, plus, green);
    }

    void drawCrossBadge(QPainter& painter)
    {
        QPainterPath cross;
        cross.moveTo(badgeCentre + QPointF(-2.5, -2.5));
        cross.lineTo(badgeCentre + QPointF(2.5, 2.5));
        cross.moveTo(badgeCentre + QPointF(2.5, -2.5));
        cross.lineTo(badgeCentre + QPointF(-2.5, 2.5));
        drawBadgeStrokes(painter, cross, red);
    }

    // An arrow pointing right, in a 2 unit wide shaft and a head as tall as the picture allows.
    void drawBlockArrow(QPainter& painter, qreal degrees)
    {
        painter.save();
        rotateAboutCentre(painter, degrees);
        QPainterPath arrow(QPointF(1.5, 6));
        arrow.lineTo(7.5, 6);
        arrow.lineTo(7.5, 2);
        arrow.lineTo(14.5, 8);
        arrow.lineTo(7.5, 14);
        arrow.lineTo(7.5, 10);
        arrow.lineTo(1.5, 10);
        arrow.closeSubpath();
        fillEdged(painter, arrow, QColor(70, 165, 80), greenDark);
        painter.restore();
    }

    // A U-turn arrow whose head points left at the top: the picture of going one step back.
    void drawTurnArrow(QPainter& painter)
    {
        QPainterPath shaft(QPointF(5.5, 5.5));
        shaft.lineTo(9, 5.5);
        shaft.cubicTo(QPointF(15.5, 5.5), QPointF(15.5, 13.5), QPointF(9, 13.5));
        shaft.lineTo(6, 13.5);
        QPainterPathStroker stroker;
        stroker.setWidth(3);
        stroker.setCapStyle(Qt::FlatCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        QPainterPath arrow = stroker.createStroke(shaft);
        QPainterPath head(QPointF(0.8, 5.5));
        head.lineTo(6, 0.8);
        head.lineTo(6, 10.2);
        head.closeSubpath();
        fillEdged(painter, arrow.united(head).simplified(), blue, blueDark);
    }

    void drawMagnifier(QPainter& painter)
    {
        painter.setPen(stroke(QColor(90, 70, 50), 2.6));
        painter.drawLine(QPointF(10.2, 10.2), QPointF(14, 14));
        painter.setPen(outline(ink, 1.3));
        painter.setBrush(QColor(225, 238, 252));
        painter.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    }

    void drawLensMinus(QPainter& painter)
    {
        painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(3.8, 6.5), QPointF(9.2, 6.5));
    }

    void drawLensPlus(QPainter& painter)
    {
        drawLensMinus(painter);
        painter.drawLine(QPointF(6.5, 3.8), QPointF(6.5, 9.2));
    }

    void paintFileNew(QPainter& painter) { drawSheet(painter, QRectF(3.5, 1.5, 9, 13), 4); }

    void paintFileOpen(QPainter& painter)
    {
        const QPointF back[] = {
            { 1.5, 2.5 }, { 5.5, 2.5 }, { 6.5, 3.5 }, { 12.5, 3.5 }, { 12.5, 13.5 }, { 1.5, 13.5 }
        };
        painter.setPen(outline(folderEdge));
        painter.setBrush(folderBack);
        painter.drawPolygon(back, 6);
        painter.setPen(outline());
        painter.setBrush(paper);
        painter.drawRect(QRectF(3.5, 5.5, 8, 5));
        const QPointF front[] = { { 4, 7.5 }, { 15.5, 7.5 }, { 12.5, 13.5 }, { 1.5, 13.5 } };
        painter.setPen(outline(folderEdge));
        painter.setBrush(folderFront);
        painter.drawPolygon(front, 4);
    }

    void paintFileSave(QPainter& painter)
    {
        const QPointF disk[]
            = { { 1.5, 1.5 }, { 12.5, 1.5 }, { 14.5, 3.5 }, { 14.5, 14.5 }, { 1.5, 14.5 } };
        painter.setPen(outline(blueDark));
        painter.setBrush(blue);
        painter.drawPolygon(disk, 5);
        painter.setBrush(paper);
        painter.drawRect(QRectF(3.5, 1.5, 9, 6));
        drawTextLines(painter, 5, 11, 3.5, 2);
        painter.setPen(outline(blueDark));
        painter.setBrush(metal);
        painter.drawRect(QRectF(4.5, 9.5, 7, 5));
        painter.setBrush(blueDark);
        painter.drawRect(QRectF(6.5, 10.5, 1, 3));
    }

    void paintEditCopy(QPainter& painter)
    {
        painter.setPen(outline());
        painter.setBrush(paper);
        painter.drawRect(QRectF(1.5, 1.5, 8, 10));
        drawTextLines(painter, 3, 8, 3.5, 2);
        painter.setPen(outline());
        painter.setBrush(paper);
        painter.drawRect(QRectF(5.5, 4.5, 9, 10));
        drawTextLines(painter, 7, 13, 6.5, 4);
    }

    void paintEditUndo(QPainter& painter) { drawTurnArrow(painter); }

    void paintEditRedo(QPainter& painter)
    {
        mirrorHorizontally(painter);
        drawTurnArrow(painter);
    }

    // The window split into the list of graphs on the left and the plot on the right.
    void paintGraphList(QPainter& painter)
    {
        painter.setPen(outline());
        painter.setBrush(paper);
        painter.drawRect(QRectF(0.5, 2.5, 15, 11));
        painter.setBrush(blueLight);
        painter.drawRect(QRectF(0.5, 2.5, 6, 11));
        painter.setPen(outline(blueDark));
        for (qreal y = 5; y <= 11; y += 3)
            painter.drawLine(QPointF(2, y), QPointF(5, y));
        QPainterPath wave(QPointF(8, 11));
        wave.cubicTo(QPointF(10, 2), QPointF(12, 13), QPointF(14.5, 5));
        painter.setPen(stroke(curveBlue, 1.3));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
    }

    void paintStandardCursor(QPainter& painter)
    {
        const QPointF pointer[] = { { 4.5, 1.5 },
            { 4.5, 13.5 },
            { 7.3, 10.9 },
            { 9.2, 15 },
            { 11.2, 14.1 },
            { 9.3, 10.1 },
            { 13, 10.1 } };
        painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(paper);
        painter.drawPolygon(pointer, 7);
    }

    // A plot label: the round marker on its point and the caption box beside it.
    void paintAddLabel(QPainter& painter)
    {
        painter.setPen(outline(textLine));
        painter.drawLine(QPointF(4, 12), QPointF(7, 9));
        painter.setPen(outline());
        painter.setBrush(QColor(255, 248, 200));
        painter.drawRect(QRectF(5.5, 2.5, 9, 7));
        drawTextLines(painter, 7.5, 12.5, 4.5, 2);
        painter.setPen(outline(redDark));
        painter.setBrush(red);
        painter.drawEllipse(QPointF(3.5, 12.5), 2.3, 2.3);
    }

    // The dragged box that chooses the new X and Y intervals.
    void paintSelectInterval(QPainter& painter)
    {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(50, 110, 205, 60));
        painter.drawRect(QRectF(1.5, 3.5, 13, 9));
        QPen dashes(ink, 1.0, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
        dashes.setDashPattern({ 2, 1 });
        painter.setPen(dashes);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(1.5, 3.5, 13, 9));
        painter.setPen(outline(Qt::black));
        painter.setBrush(paper);
        const QPointF corners[] = { { 1.5, 3.5 }, { 14.5, 12.5 } };
        for (const QPointF& corner : corners)
            painter.drawRect(QRectF(corner - QPointF(1, 1), QSizeF(2, 2)));
    }

    // A curve with the cursor's cross-hair on one of its points.
    void paintTraceCurve(QPainter& painter)
    {
        QPen dots(ink, 1.0, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
        dots.setDashPattern({ 1, 1 });
        painter.setPen(dots);
        painter.drawLine(QPointF(0.5, 7.5), QPointF(15.5, 7.5));
        painter.drawLine(QPointF(8.5, 0.5), QPointF(8.5, 15.5));
        QPainterPath curve(QPointF(1, 14));
        curve.cubicTo(QPointF(5, 13), QPointF(6, 8), QPointF(8.5, 7.5));
        curve.cubicTo(QPointF(11, 7), QPointF(12, 2), QPointF(15, 1.5));
        painter.setPen(stroke(curveBlue, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curve);
        painter.setPen(outline(redDark));
        painter.setBrush(red);
        painter.drawEllipse(QPointF(8.5, 7.5), 2, 2);
    }

    void paintZoomIn(QPainter& painter)
    {
        drawMagnifier(painter);
        drawLensPlus(painter);
    }

    void paintZoomOut(QPainter& painter)
    {
        drawMagnifier(painter);
        drawLensMinus(painter);
    }

    void paintScrollLeft(QPainter& painter) { drawBlockArrow(painter, 180); }
    void paintScrollRight(QPainter& painter) { drawBlockArrow(painter, 0); }
    void paintScrollUp(QPainter& painter) { drawBlockArrow(painter, 270); }
    void paintScrollDown(QPainter& painter) { drawBlockArrow(painter, 90); }

    // A gear of six teeth, few enough to stay apart at 16 pixels,, as settings are pictured
    // everywhere.
    void drawGear(QPainter& painter, const QPointF& centre, qreal radius)
    {
        constexpr int teeth = 6;
        QPainterPath gear;
        for (int step = 0; step < 4 * teeth; ++step) {
            const qreal angle = step * std::numbers::pi / (2 * teeth);
            const qreal r = (step % 4 < 2) ? radius : radius * 0.72;
            const QPointF point = centre + QPointF(r * std::cos(angle), r * std::sin(angle));
            if (step == 0)
                gear.moveTo(point);
            else
                gear.lineTo(point);
        }
        gear.closeSubpath();
        gear.addEllipse(centre, radius * 0.32, radius * 0.32);
        painter.setPen(QPen(ink, 0.9, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(metal);
        painter.drawPath(gear);
    }

    void paintDocumentProperties(QPainter& painter)
    {
        drawSheet(painter, QRectF(1.5, 0.5, 10, 13), 3);
        painter.setPen(outline(ink));
        painter.drawLine(QPointF(3.5, 3), QPointF(3.5, 11.5));
        painter.drawLine(QPointF(3.5, 11.5), QPointF(9.5, 11.5));
        QPainterPath wave(QPointF(4, 10));
        wave.cubicTo(QPointF(6, 2), QPointF(7.5, 9), QPointF(9.5, 4));
        painter.setPen(stroke(curveBlue, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
        drawGear(painter, QPointF(11.5, 11.5), 4.2);
    }

    void paintAddGraph(QPainter& painter)
    {
        drawPlotMotif(painter);
        drawPlusBadge(painter);
    }

    // A table of points: a header row over three rows of two columns.
    void paintAddTableGraph(QPainter& painter)
    {
        const QRectF table(0.5, 1.5, 12, 12);
        painter.setPen(outline());
        painter.setBrush(paper);
        painter.drawRect(table);
        painter.setBrush(blueLight);
        painter.drawRect(QRectF(0.5, 1.5, 12, 3));
        painter.setPen(outline(textLine));
        for (qreal y = 7.5; y < 13; y += 3)
            painter.drawLine(QPointF(1, y), QPointF(12, y));
        painter.setPen(outline());
        painter.drawLine(QPointF(6.5, 1.5), QPointF(6.5, 13.5));
        drawPlusBadge(painter);
    }

    void paintRemoveGraph(QPainter& painter)
    {
        drawPlotMotif(painter);
        drawCrossBadge(painter);
    }

    // A pencil lying from the top right to the bottom left, its point on the curve.
    void drawPencil(QPainter& painter)
    {
        painter.save();
        painter.translate(7, 13);
        painter.rotate(-45);
        const QPointF body[] = { { 3.5, -1.8 }, { 13, -1.8 }, { 13, 1.8 }, { 3.5, 1.8 } };
        painter.setPen(QPen(ink, 0.9, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(QColor(245, 190, 40));
        painter.drawPolygon(body, 4);
        painter.setBrush(QColor(235, 120, 130));
        painter.drawRect(QRectF(13, -1.8, 2, 3.6));
        const QPointF wood[] = { { 0, 0 }, { 3.5, -1.8 }, { 3.5, 1.8 } };
        painter.setBrush(QColor(240, 215, 170));
        painter.drawPolygon(wood, 3);
        const QPointF lead[] = { { 0, 0 }, { 1.3, -0.7 }, { 1.3, 0.7 } };
        painter.setBrush(ink);
        painter.drawPolygon(lead, 3);
        painter.restore();
    }

    void paintEditGraph(QPainter& painter)
    {
        drawPlotMotif(painter);
        drawPencil(painter);
    }

    // The plot with a second, red curve shifted a quarter wave: the slope of the blue one.
    void paintDerivativeGraph(QPainter& painter)
    {
        drawPlotMotif(painter);
        QPainterPath slope(QPointF(3.5, 5));
        slope.cubicTo(QPointF(6.5, 13), QPointF(9.5, 3), QPointF(13.5, 9));
        painter.setPen(stroke(QColor(200, 50, 40), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(slope);
    }

    // The plot with a red straight line touching its curve, and the point where it touches.
    void paintTangentNormal(QPainter& painter)
    {
        drawPlotMotif(painter);
        painter.setPen(stroke(QColor(200, 50, 40), 1.2));
        painter.drawLine(QPointF(3, 12), QPointF(14.5, 2.5));
        painter.setPen(outline(ink));
        painter.setBrush(paper);
        painter.drawEllipse(QPointF(8.5, 7.5), 1.6, 1.6);
    }

    // The plot with measured points, dark dots, and the red curve fitted through them.
    void paintFitCurve(QPainter& painter)
    {
        drawPlotMotif(painter);
        QPainterPath fitted(QPointF(3, 12.5));
        fitted.quadTo(QPointF(9, 11.5), QPointF(14.5, 3));
        painter.setPen(stroke(QColor(200, 50, 40), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(fitted);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        for (const QPointF dot :
            { QPointF(4.5, 11), QPointF(8, 12.5), QPointF(11, 8.5), QPointF(13, 7) })
            painter.drawEllipse(dot, 1.1, 1.1);
    }

    struct CommandPicture {
        CommandId id;
        void (*paint)(QPainter&);
    };

    // The commands that have a tool bar button, in the order of the buttons.
    constexpr CommandPicture pictures[] = {
        { CommandId::FileNew, paintFileNew },
        { CommandId::FileOpen, paintFileOpen },
        { CommandId::FileSave, paintFileSave },
        { CommandId::EditCopy, paintEditCopy },
        { CommandId::EditUndo, paintEditUndo },
        { CommandId::EditRedo, paintEditRedo },
        { CommandId::GraphList, paintGraphList },
        { CommandId::StandardCursor, paintStandardCursor },
        { CommandId::AddLabel, paintAddLabel },
        { CommandId::SelectInterval, paintSelectInterval },
        { CommandId::TraceCurve, paintTraceCurve },
        { CommandId::ZoomIn, paintZoomIn },
        { CommandId::ZoomOut, paintZoomOut },
        { CommandId::ScrollLeft, paintScrollLeft },
        { CommandId::ScrollRight, paintScrollRight },
        { CommandId::ScrollUp, paintScrollUp },
        { CommandId::ScrollDown, paintScrollDown },
        { CommandId::DocumentProperties, paintDocumentProperties },
        { CommandId::AddGraph, paintAddGraph },
        { CommandId::AddTableGraph, paintAddTableGraph },
        { CommandId::RemoveGraph, paintRemoveGraph },
        { CommandId::EditGraph, paintEditGraph },
        // Menu items only, shown in the graph list's context menu.
        { CommandId::DerivativeGraph, paintDerivativeGraph },
        { CommandId::TangentNormal, paintTangentNormal },
        { CommandId::FitCurve, paintFitCurve },
    };

} // namespace

bool paintCommandPicture(QPainter& painter, CommandId id)
{
    const auto* const entry = std::find_if(std::begin(pictures),
        std::end(pictures),
        [id](const CommandPicture& picture) { return picture.id == id; });
    if (entry == std::end(pictures))
        return false;
    painter.save();
    entry->paint(painter);
    painter.restore();
    return true;
}

} // namespace ovilan
