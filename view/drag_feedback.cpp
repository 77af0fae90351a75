#include "view/drag_feedback.h"

#include "render/pixel_line.h"
#include "view/qimage_canvas.h"

#include <QPainter>

#include <algorithm>

namespace ovilan {

namespace {

    constexpr Rgb kBlack = colorOf(0);
    constexpr std::int32_t kDotted = 2;
    constexpr Rgb kWhite = colorOf(15);

    // The read-out box beside the cursor's point: below and to the right, turned to the other
    // side where it would leave the plot rectangle.
    QRect readOutBox(const DeviceRect& plot, DevicePoint p, Canvas::TextExtent text)
    {
        constexpr int kGap = 6;
        const int width = text.width + 4;
        const int height = text.height + 2;
        int left = p.x + kGap;
        if (left + width > plot.right && p.x - kGap - width >= plot.left)
            left = p.x - kGap - width;
        int top = p.y + kGap;
        if (top + height > plot.bottom && p.y - kGap - height >= plot.top)
            top = p.y - kGap - height;
        return { left, top, width, height };
    }

    // The one-pixel rows and columns of a rectangle's edges, both corners included, whichever
    // corners are given. (QRect::normalized would drop the outer rows and columns of a box
    // given from its bottom right, and every edge of a box one pixel high.)
    std::vector<QRect> edges(int x1, int y1, int x2, int y2)
    {
        const QRect box(
            QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
        return { QRect(box.left(), box.top(), box.width(), 1),
            QRect(box.left(), box.bottom(), box.width(), 1),
            QRect(box.left(), box.top(), 1, box.height()),
            QRect(box.right(), box.top(), 1, box.height()) };
    }

} // namespace

void SavedPixels::save(const QImage& screen, const QRect& area)
{
    const QRect kept = area & screen.rect();
    if (!kept.isEmpty())
        parts_.emplace_back(kept.topLeft(), screen.copy(kept));
}

QRect SavedPixels::restore(QImage& screen)
{
    QRect covered;
    if (screen.isNull()) {
        parts_.clear();
        return covered;
    }
    {
        QPainter painter(&screen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        // Last saved first, so overlapping parts end with the oldest pixels.
        for (auto part = parts_.rbegin(); part != parts_.rend(); ++part) {
            painter.drawImage(part->first, part->second);
            covered |= QRect(part->first, part->second.size());
        }
    }
    parts_.clear();
    return covered;
}

QRect drawLabelFeedback(
    QImage& screen, const PlotMapping& mapping, const CPlotLabel& copy, SavedPixels& saved)
{
    QImageCanvas canvas(screen);
    const DevicePoint p = plotToDevice(mapping, copy.x, copy.y);
    const std::int32_t r = copy.radius;
    QRect drawn(p.x - r, p.y - r, 2 * r + 2, 2 * r + 2);
    saved.save(screen, drawn);
    if (copy.showLabel) {
        const DeviceRect box = copy.captionBox(canvas, mapping);
        for (const QRect& edge : edges(box.left, box.top, box.right, box.bottom)) {
            saved.save(screen, edge);
            drawn |= edge;
        }
    }
    copy.draw(canvas, mapping);
    return drawn & screen.rect();
}

QRect drawSelectionFeedback(
    QImage& screen, const QPoint& start, const QPoint& current, SavedPixels& saved)
{
    QRect drawn;
    for (const QRect& edge : edges(start.x(), start.y(), current.x(), current.y())) {
        saved.save(screen, edge);
        drawn |= edge;
    }
    QImageCanvas canvas(screen);
    const auto line = [&canvas](int x1, int y1, int x2, int y2) {
        drawPixelLine(canvas, x1, y1, x2, y2, 1, kDotted, kBlack);
    };
    line(start.x(), start.y(), start.x(), current.y());
    line(start.x(), start.y(), current.x(), start.y());
    line(current.x(), start.y(), current.x(), current.y());
    line(start.x(), current.y(), current.x(), current.y());
    return drawn & screen.rect();
}

QRect drawCurveCursorFeedback(QImage& screen,
    const PlotMapping& mapping,
    double x,
    double y,
    const std::string& readOut,
    SavedPixels& saved)
{
    const DevicePoint p = plotToDevice(mapping, x, y);
    if (!p.inside)
        return {};
    const DeviceRect& plot = mapping.plotRect;
    QImageCanvas canvas(screen);
    const FontRecord font = makeFont("Arial", 8, 100);
    const QRect box = readOutBox(plot, p, canvas.measureText(font, readOut));
    const QRect row(plot.left, p.y, plot.right - plot.left + 1, 1);
    const QRect column(p.x, plot.top, 1, plot.bottom - plot.top + 1);
    for (const QRect& area : { row, column, box })
        saved.save(screen, area);
    drawPixelLine(canvas, plot.left, p.y, plot.right, p.y, 1, kDotted, kBlack);
    drawPixelLine(canvas, p.x, plot.top, p.x, plot.bottom, 1, kDotted, kBlack);
    canvas.fillRect({ box.left(), box.top(), box.right() + 1, box.bottom() + 1 }, kWhite);
    {
        const TextStateSaver saver(canvas);
        canvas.textState().backgroundMode = BackgroundMode::Transparent;
        canvas.drawText(font, readOut, box.left() + 2, box.top() + 1);
    }
    for (const QRect& edge : edges(box.left(), box.top(), box.right(), box.bottom()))
        canvas.fillRect({ edge.left(), edge.top(), edge.right() + 1, edge.bottom() + 1 }, kBlack);
    return (row | column | box) & screen.rect();
}

} // namespace ovilan
