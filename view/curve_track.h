#pragma once

#include "graph/graph.h"
#include "render/plot_mapping.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ovilan {

// The points the curve cursor walks along on one graph: the samples its curve is traced at, each
// with the value of the graph's variable, or a table graph's points in row order. The points are
// worked out once from the graph's curve function, so the read-out has the exact values at a
// sample whatever the drawing rounded.
class CurveTrack {
public:
    // Nothing for a graph without a curve function and without points.
    static std::optional<CurveTrack> of(const CGraph& graph);

    int size() const { return static_cast<int>(points_.size()); }
    bool defined(int index) const { return points_[static_cast<std::size_t>(index)].defined; }
    CurvePoint point(int index) const { return points_[static_cast<std::size_t>(index)].point; }

    // The defined point whose pixel lies nearest to `at`, among those inside the plot rectangle;
    // nothing when none is.
    std::optional<int> nearest(const PlotMapping& mapping, DevicePoint at) const;
    // The pixel distance from `at` to the point at `index`.
    double distance(const PlotMapping& mapping, DevicePoint at, int index) const;
    // `count` defined points on from `index` (back for a negative count), stopping at the last
    // defined point there is in that direction.
    int stepped(int index, int count) const;
    // What the cursor shows at the point, as pointReadOut writes it.
    std::string readOut(int index) const;

private:
    struct TrackPoint {
        double value = 0; // the variable's value; the row's number on a table graph
        CurvePoint point;
        bool defined = false;
    };

    static CurveTrack ofFunction(CurveFunction& function);
    static CurveTrack ofPoints(const CGraph& graph);

    std::string variable_; // empty on a table graph
    std::vector<TrackPoint> points_;
};

} // namespace ovilan
