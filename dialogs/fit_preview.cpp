#include "dialogs/fit_preview.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace ovilan {

namespace {

    struct Range {
        double low = 0;
        double high = 1;

        // The points' range with a margin, never empty: a single value gets a unit around it.
        static Range of(const std::vector<double>& values)
        {
            if (values.empty())
                return {};
            const auto [low, high] = std::ranges::minmax_element(values);
            const double margin = *high > *low ? (*high - *low) * 0.08 : 1.0;
            return { *low - margin, *high + margin };
        }
    };

} // namespace

CFitPreview::CFitPreview(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(320, 200);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
}

void CFitPreview::setPoints(std::vector<double> x, std::vector<double> y)
{
    x_ = std::move(x);
    y_ = std::move(y);
    update();
}

void CFitPreview::setCurve(std::optional<Expression> curve)
{
    curve_ = std::move(curve);
    update();
}

void CFitPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    const Range xRange = Range::of(x_);
    const Range yRange = Range::of(y_);
    const auto toDevice = [&](double x, double y) {
        return QPointF(area.left() + (x - xRange.low) / (xRange.high - xRange.low) * area.width(),
            area.bottom() - (y - yRange.low) / (yRange.high - yRange.low) * area.height());
    };
    painter.setPen(QPen(Qt::lightGray));
    painter.drawRect(area);

    painter.setPen(QPen(Qt::blue));
    for (std::size_t i = 0; i < x_.size(); ++i)
        painter.drawEllipse(toDevice(x_[i], y_[i]), 2.5, 2.5);

    if (!curve_)
        return;
    ExpressionEvaluator evaluator(*curve_);
    QPainterPath path;
    bool penDown = false;
    const int samples = std::max(2, static_cast<int>(area.width()));
    for (int i = 0; i <= samples; ++i) {
        const double x = xRange.low + (xRange.high - xRange.low) * i / samples;
        const std::optional<double> y = evaluator.evaluate(x);
        // Far outside the frame the curve is clipped anyway; a huge value would only overflow
        // the painter's coordinates.
        if (!y || std::fabs(*y - yRange.low) > 1e6 * (yRange.high - yRange.low)) {
            penDown = false;
            continue;
        }
        const QPointF point = toDevice(x, *y);
        if (penDown)
            path.lineTo(point);
        else
            path.moveTo(point);
        penDown = true;
    }
    painter.setClipRect(area);
    painter.setPen(QPen(Qt::red, 1.5));
    painter.drawPath(path);
}

} // namespace ovilan
