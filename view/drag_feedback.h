#pragma once

#include "render/plot_label.h"
#include "render/plot_mapping.h"

#include <QImage>
#include <QRect>

#include <string>
#include <utility>
#include <vector>

namespace ovilan {

// The window's pixels from under the mouse feedback, written back to take the feedback away
// without drawing the plot again.
class SavedPixels {
public:
    void save(const QImage& screen, const QRect& area);
    // Writes every saved pixel back and forgets them; returns the area they covered.
    QRect restore(QImage& screen);
    bool empty() const { return parts_.empty(); }

private:
    std::vector<std::pair<QPoint, QImage>> parts_;
};

// The dragged copy of a label (which has outlineOnly set): its marker circle and caption frame,
// after saving the pixels under them. Returns the area drawn on.
QRect drawLabelFeedback(
    QImage& screen, const PlotMapping& mapping, const CPlotLabel& copy, SavedPixels& saved);

// The selection box's four dotted edges from `start` to `current`, after saving the pixels
// under them. Returns the area drawn on.
QRect drawSelectionFeedback(
    QImage& screen, const QPoint& start, const QPoint& current, SavedPixels& saved);

// The curve cursor at the plot point (x, y): a dotted cross-hair through it across the plot
// rectangle and a framed box with the read-out beside it, after saving the pixels under them.
// Nothing is drawn when the point lies outside the plot rectangle. Returns the area drawn on.
QRect drawCurveCursorFeedback(QImage& screen,
    const PlotMapping& mapping,
    double x,
    double y,
    const std::string& readOut,
    SavedPixels& saved);

} // namespace ovilan
