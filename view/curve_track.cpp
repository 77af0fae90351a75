#include "view/curve_track.h"

#include "document/curve_values.h"
#include "graph/trace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovilan {

std::optional<CurveTrack> CurveTrack::of(const CGraph& graph)
{
    if (std::unique_ptr<CurveFunction> function = graph.curveFunction())
        return ofFunction(*function);
    CurveTrack track = ofPoints(graph);
    if (track.points_.empty())
        return std::nullopt;
    return track;
}

// The samples as the trace takes them, so stepping by one moves exactly one traced point on.
CurveTrack CurveTrack::ofFunction(CurveFunction& function)
{
    const CurveInterval& interval = function.interval();
    const int steps = std::max(interval.steps, 1);
    std::vector<double> samples(static_cast<std::size_t>(steps) + 1);
    fillSamples(interval.from, interval.to, steps, samples);
    CurveTrack track;
    track.variable_ = function.variable();
    track.points_.reserve(samples.size());
    for (const double value : samples) {
        const std::optional<CurvePoint> point = function.at(value);
        const bool finite = point && std::isfinite(point->x) && std::isfinite(point->y);
        track.points_.push_back({ value, finite ? *point : CurvePoint {}, finite });
    }
    return track;
}

CurveTrack CurveTrack::ofPoints(const CGraph& graph)
{
    CurveTrack track;
    const std::size_t count = std::min({ graph.xs.size(),
        graph.ys.size(),
        static_cast<std::size_t>(std::max(graph.steps, 0) + 1) });
    if (graph.dirty)
        return track;
    for (std::size_t i = 0; i < count; ++i) {
        const CurvePoint point { graph.xs[i], graph.ys[i] };
        const bool finite = std::isfinite(point.x) && std::isfinite(point.y);
        track.points_.push_back({ static_cast<double>(i), point, finite });
    }
    return track;
}

double CurveTrack::distance(const PlotMapping& mapping, DevicePoint at, int index) const
{
    const CurvePoint p = point(index);
    const DevicePosition position = PlotToDevice(mapping).unrounded(p.x, p.y);
    return std::hypot(position.x - at.x, position.y - at.y);
}

std::optional<int> CurveTrack::nearest(const PlotMapping& mapping, DevicePoint at) const
{
    const PlotToDevice toDevice(mapping);
    std::optional<int> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int i = 0; i < size(); ++i) {
        if (!defined(i))
            continue;
        const CurvePoint p = point(i);
        if (!toDevice(p.x, p.y).inside)
            continue;
        const DevicePosition position = toDevice.unrounded(p.x, p.y);
        const double d = std::hypot(position.x - at.x, position.y - at.y);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int CurveTrack::stepped(int index, int count) const
{
    const int direction = count < 0 ? -1 : 1;
    int reached = index;
    int left = std::abs(count);
    for (int i = index + direction; left > 0 && i >= 0 && i < size(); i += direction) {
        if (!defined(i))
            continue;
        reached = i;
        --left;
    }
    return reached;
}

std::string CurveTrack::readOut(int index) const
{
    const TrackPoint& at = points_[static_cast<std::size_t>(index)];
    return pointReadOut(variable_.empty() ? "x" : variable_, at.value, at.point);
}

} // namespace ovilan
