#include "view/painter_canvas.h"

#include "render/dash_pattern.h"
#include "view/qimage_canvas.h"

#include <QFontMetrics>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    QColor toQColor(Rgb color) { return QColor(color.red, color.green, color.blue); }

    QString toQString(std::string_view text)
    {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    // A plot pixel covers the painter's unit square from its number to the next, so a pixel
    // position, whole or unrounded, is the centre of that square.
    QPointF centreOf(double x, double y) { return { x + 0.5, y + 0.5 }; }

    bool drawable(const Pen& pen) { return pen.width <= 5 && pen.style >= 0 && pen.style <= 3; }

    // The alternating dash and gap lengths, in pixels, of a run of 32 positions in which `drawn`
    // says which are inked; the run starts with a dash.
    QList<qreal> dashLengths(const std::array<bool, 32>& drawn)
    {
        QList<qreal> lengths;
        bool inked = true;
        qreal length = 0;
        for (const bool on : drawn) {
            if (on != inked) {
                lengths.append(length);
                inked = on;
                length = 0;
            }
            ++length;
        }
        lengths.append(length);
        if (lengths.size() % 2 != 0) // a run that ends inked joins the dash that starts the next
        {
            lengths.front() += lengths.back();
            lengths.removeLast();
        }
        return lengths;
    }

    std::array<bool, 32> positionsOf(std::uint32_t mask)
    {
        std::array<bool, 32> drawn {};
        for (std::size_t p = 0; p < drawn.size(); ++p)
            drawn[p] = ((mask >> p) & 1U) != 0;
        return drawn;
    }

    // A Qt pen of `width` pixels in a dash pattern whose lengths are in pixels along the line.
    QPen qtPen(Rgb color, qreal width, const QList<qreal>& dashes, Qt::PenCapStyle cap)
    {
        QPen pen(toQColor(color), width, Qt::SolidLine, cap, Qt::RoundJoin);
        if (dashes.size() > 1) {
            QList<qreal> inPenWidths;
            for (const qreal length : dashes)
                inPenWidths.append(length / width);
            pen.setDashPattern(inPenWidths);
        }
        return pen;
    }

    // Where the pixel algorithms put the middle of a wide line or brush across its centre line:
    // widths 2 and 4 are one pixel heavier on one side.
    qreal lineWidening(std::int32_t width) { return width == 2 ? 0.5 : width == 4 ? -0.5 : 0; }
    qreal brushWidening(std::int32_t width) { return width == 2 || width == 4 ? -0.5 : 0; }

    // Which directions from a point still pass within a tolerance of every point seen since it:
    // the sleeve a run of nearly collinear points fits in, so the run can be drawn as one line.
    class DirectionCone {
    public:
        void reset() { open_ = false; }
        // Narrows the cone to the directions that pass within `tolerance` of `point`, seen from
        // `apex`; false when no direction of the cone does. Directions are kept as vectors of
        // any length, so no square root is needed beyond the one for the angle the tolerance
        // subtends.
        bool narrow(QPointF apex, QPointF point, double tolerance)
        {
            const QPointF toPoint = point - apex;
            const double squared = toPoint.x() * toPoint.x() + toPoint.y() * toPoint.y();
            const double toleranceSquared = tolerance * tolerance;
            if (squared <= toleranceSquared)
                return true;
            if (open_ && (cross(low_, toPoint) < 0 || cross(toPoint, high_) < 0))
                return false;
            // The point's own direction turned both ways by the angle the tolerance subtends.
            const double along = std::sqrt(squared - toleranceSquared);
            const QPointF across(-toPoint.y() * tolerance, toPoint.x() * tolerance);
            const QPointF low = toPoint * along - across;
            const QPointF high = toPoint * along + across;
            if (!open_) {
                low_ = low;
                high_ = high;
                open_ = true;
                return true;
            }
            if (cross(low_, low) > 0)
                low_ = low;
            if (cross(high, high_) > 0)
                high_ = high;
            return true;
        }

    private:
        static double cross(QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); }

        bool open_ = false;
        QPointF low_;
        QPointF high_;
    };

    // The pieces of a curve that join end to end, as one path, with the length of dash pattern
    // that ran before it.
    class CurvePainter {
    public:
        CurvePainter(QPainter& painter,
            QPen pen,
            QList<qreal> dashes,
            qreal offset,
            const VectorStyle& style)
            : painter_(painter)
            , pen_(std::move(pen))
            , segmentPen_(pen_.color(), pen_.widthF(), Qt::SolidLine, Qt::SquareCap)
            , dashes_(std::move(dashes))
            , offset_(offset)
            , style_(style)
        {
        }
        ~CurvePainter() { flush(); }
        CurvePainter(const CurvePainter&) = delete;
        CurvePainter& operator=(const CurvePainter&) = delete;

        void add(const CurvePiece& piece)
        {
            const QPointF to = centreOf(piece.to.x + offset_, piece.to.y + offset_);
            // The pixel end continues a piece that starts on the pixel the one before ended on.
            const bool continues = started_
                && ((piece.from.x == lastEnd_.x && piece.from.y == lastEnd_.y)
                    || (std::lround(piece.from.x) == std::lround(lastEnd_.x)
                        && std::lround(piece.from.y) == std::lround(lastEnd_.y)));
            if (!continues) {
                flush();
                const QPointF from = centreOf(piece.from.x + offset_, piece.from.y + offset_);
                path_.moveTo(from);
                kept_ = from;
                considered_ = from;
                cone_.reset();
                started_ = true;
            }
            lastEnd_ = piece.to;
            // A point closer than the tolerance to the last one looked at adds nothing that
            // shows; it is only remembered as where the curve has got to.
            const QPointF step = to - considered_;
            if (QPointF::dotProduct(step, step) < toleranceSquared_) {
                pending_ = to;
                pendingKept_ = false;
                return;
            }
            considered_ = to;
            if (style_.straightTolerance > 0) {
                addAlongSleeve(to);
                return;
            }
            keep(to);
            pendingKept_ = true;
        }

    private:
        // A point that stays within the tolerance of the straight run from the last kept point
        // extends the run; the first that does not ends it at the point before.
        void addAlongSleeve(QPointF to)
        {
            if (!cone_.narrow(kept_, to, style_.straightTolerance)) {
                keep(pending_);
                cone_.reset();
                cone_.narrow(kept_, to, style_.straightTolerance);
            }
            pending_ = to;
            pendingKept_ = false;
        }

        void keep(QPointF point)
        {
            path_.lineTo(point);
            kept_ = point;
            // A long run is stroked in parts: Qt's raster engine fills one huge smooth outline
            // many times slower than the same outline in parts. The parts overlap at their round
            // ends, so the line shows no joint.
            if (style_.pointsPerStroke > 0 && path_.elementCount() > style_.pointsPerStroke) {
                stroke();
                path_.moveTo(point);
            }
        }

        void flush()
        {
            if (path_.isEmpty())
                return;
            if (!pendingKept_)
                path_.lineTo(pending_);
            stroke();
            pendingKept_ = true;
        }

        void stroke()
        {
            if (style_.separateSegments) {
                strokeSegments();
                return;
            }
            // The pattern runs on across the pieces as it does on the pixels.
            if (pen_.style() == Qt::CustomDashLine)
                pen_.setDashOffset(ranLength_ / pen_.widthF());
            painter_.strokePath(path_, pen_);
            ranLength_ += path_.length();
            path_.clear();
        }

        void strokeSegments()
        {
            segments_.clear();
            QPointF previous;
            for (int i = 0; i < path_.elementCount(); ++i) {
                const QPainterPath::Element element = path_.elementAt(i);
                const QPointF point(element.x, element.y);
                if (!element.isMoveTo())
                    addDashes(previous, point);
                previous = point;
            }
            path_.clear();
            painter_.setPen(segmentPen_);
            painter_.drawLines(segments_);
        }

        // The inked parts of the segment from a to b, the pattern running on from the segment
        // before.
        void addDashes(QPointF a, QPointF b)
        {
            const QPointF along = b - a;
            const double length = std::sqrt(QPointF::dotProduct(along, along));
            if (dashes_.size() < 2) {
                segments_.append({ a, b });
                return;
            }
            double done = 0;
            while (done < length) {
                if (dashLeft_ <= 0) {
                    dashIndex_ = (dashIndex_ + 1) % dashes_.size();
                    dashLeft_ = dashes_[dashIndex_];
                }
                const double step = std::min(dashLeft_, length - done);
                if (dashIndex_ % 2 == 0)
                    segments_.append(
                        { a + along * (done / length), a + along * ((done + step) / length) });
                done += step;
                dashLeft_ -= step;
            }
        }

        QPainter& painter_;
        QPen pen_;
        QPen segmentPen_;
        QList<qreal> dashes_;
        qsizetype dashIndex_ = 0;
        double dashLeft_ = dashes_.isEmpty() ? 0 : dashes_.front();
        QList<QLineF> segments_;
        qreal offset_;
        const VectorStyle& style_;
        QPainterPath path_;
        DirectionCone cone_;
        double toleranceSquared_ = style_.curveTolerance * style_.curveTolerance;
        QPointF kept_;
        QPointF considered_;
        QPointF pending_;
        bool pendingKept_ = true;
        bool started_ = false;
        DevicePosition lastEnd_;
        qreal ranLength_ = 0;
    };

} // namespace

PainterCanvas::PainterCanvas(
    QPainter& painter, DeviceRect surface, std::int32_t pixelsPerInch, VectorStyle style)
    : painter_(painter)
    , surface_(surface)
    , clip_(surface)
    , pixelsPerInch_(pixelsPerInch)
    , style_(style)
    , measuring_(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = qRound(pixelsPerInch / 0.0254);
    measuring_.setDotsPerMeterX(dotsPerMeter);
    measuring_.setDotsPerMeterY(dotsPerMeter);
    painter_.setRenderHint(QPainter::Antialiasing, style_.antialiased);
    painter_.setRenderHint(QPainter::TextAntialiasing, style_.antialiased);
    setClipBox(surface);
}

void PainterCanvas::setClipBox(DeviceRect clip)
{
    clip_ = { std::max(clip.left, surface_.left),
        std::max(clip.top, surface_.top),
        std::min(clip.right, surface_.right),
        std::min(clip.bottom, surface_.bottom) };
    painter_.setClipRect(QRectF(clip_.left,
        clip_.top,
        std::max(0, clip_.right - clip_.left + 1),
        std::max(0, clip_.bottom - clip_.top + 1)));
}

void PainterCanvas::setPixel(std::int32_t x, std::int32_t y, Rgb color)
{
    painter_.fillRect(QRectF(x, y, 1, 1), toQColor(color));
}

Rgb PainterCanvas::pixel(std::int32_t, std::int32_t) const { return {}; }

void PainterCanvas::drawLine(
    std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, const Pen& pen)
{
    if (!drawable(pen))
        return;
    const std::int32_t width = std::max(pen.width, 1);
    // Widening goes across the line: up and down for a flat line, sideways otherwise.
    const bool flat = std::llabs(std::int64_t { y2 } - y1) < std::llabs(std::int64_t { x2 } - x1);
    const qreal shift = lineWidening(width);
    const QPointF across = flat ? QPointF(0, shift) : QPointF(shift, 0);
    const QPointF from = centreOf(x1, y1) + across;
    const QPointF to = centreOf(x2, y2) + across;
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double length = std::hypot(dx, dy);
    if (length == 0) {
        painter_.fillRect(QRectF(from.x() - 0.5, from.y() - 0.5, 1, 1), toQColor(pen.color));
        return;
    }
    // The pixel line counts its pattern in steps of one pixel along its longer side; both ends
    // are inked, so the line reaches half a pixel beyond each end's centre.
    const double steps = std::max(std::abs(dx), std::abs(dy));
    const double perStep = length / steps;
    QList<qreal> dashes = dashLengths(positionsOf(dashMask(pen.style)));
    for (qreal& dash : dashes)
        dash *= perStep;
    const QPointF reach(dx / length * 0.5 * perStep, dy / length * 0.5 * perStep);
    painter_.setPen(qtPen(pen.color, width, dashes, Qt::FlatCap));
    painter_.drawLine(from - reach, to + reach);
}

void PainterCanvas::drawCurve(CurvePieces& pieces, const Pen& pen)
{
    if (!drawable(pen))
        return;
    const std::int32_t width = std::max(pen.width, 1);
    // The pixel brush is round and its dashes are shortened by its reach, which round caps put
    // back.
    const QList<qreal> dashes = dashLengths(curveDashPattern(pen.style, width));
    CurvePainter curve(painter_,
        qtPen(pen.color, width, dashes, Qt::RoundCap),
        dashes,
        brushWidening(width),
        style_);
    for (auto batch = pieces.next(); !batch.empty(); batch = pieces.next())
        for (const CurvePiece& piece : batch)
            curve.add(piece);
}

void PainterCanvas::fillRect(DeviceRect area, Rgb color)
{
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    // Only the part within the surface is handed on; a file's rectangle may reach far beyond.
    const std::int64_t left = std::max<std::int64_t>(area.left, surface_.left - 1);
    const std::int64_t top = std::max<std::int64_t>(area.top, surface_.top - 1);
    const std::int64_t right
        = std::min<std::int64_t>(area.right, std::int64_t { surface_.right } + 2);
    const std::int64_t bottom
        = std::min<std::int64_t>(area.bottom, std::int64_t { surface_.bottom } + 2);
    if (right <= left || bottom <= top)
        return;
    painter_.fillRect(QRectF(static_cast<qreal>(left),
                          static_cast<qreal>(top),
                          static_cast<qreal>(right - left),
                          static_cast<qreal>(bottom - top)),
        toQColor(color));
}

void PainterCanvas::fillArea(std::span<const DevicePosition> outline, Rgb color)
{
    if (outline.size() < 3)
        return;
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(outline.size()));
    for (const DevicePosition& corner : outline) {
        if (!std::isfinite(corner.x) || !std::isfinite(corner.y))
            return;
        polygon.append(centreOf(corner.x, corner.y));
    }
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(polygon);
    painter_.fillPath(path, toQColor(color));
}

Canvas::TextExtent PainterCanvas::measureText(const FontRecord& font, std::string_view text) const
{
    const QFontMetrics metrics(toQFont(font, pixelsPerInch_), &measuring_);
    return { std::min(metrics.horizontalAdvance(toQString(text)), kMaxTextWidth),
        metrics.height() };
}

void PainterCanvas::drawText(
    const FontRecord& font, std::string_view text, std::int32_t left, std::int32_t top)
{
    if (text.empty())
        return;
    QFont qfont = toQFont(font, pixelsPerInch_);
    const QFontMetrics metrics(qfont, &measuring_);
    const PlacedText placed = placeText(metrics, text, left, top, clip_);
    if (placed.outside)
        return;
    if (textState().backgroundMode == BackgroundMode::Opaque)
        fillRect(placed.box, textState().backgroundColor);
    qfont.setStyleStrategy(style_.antialiased ? QFont::PreferAntialias : QFont::NoAntialias);
    painter_.setFont(qfont);
    painter_.setPen(toQColor(textState().textColor));
    painter_.drawText(QPointF(left, placed.baseline), placed.string);
}

void PainterCanvas::drawEllipse(DeviceRect box, Rgb outline, std::optional<Rgb> fill)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    // A marker far off the surface is not drawn; its outline cannot reach the picture.
    if (box.right < clip_.left - 1 || box.left > clip_.right + 1 || box.bottom < clip_.top - 1
        || box.top > clip_.bottom + 1)
        return;
    const QRectF whole(box.left,
        box.top,
        static_cast<double>(box.right) - box.left,
        static_cast<double>(box.bottom) - box.top);
    if (fill) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(toQColor(*fill));
        painter_.drawEllipse(whole);
        painter_.setBrush(Qt::NoBrush);
    }
    // The outline is the ring of pixels just inside the box's ellipse.
    painter_.setPen(QPen(toQColor(outline), 1));
    painter_.drawEllipse(whole.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace ovilan
