#pragma once

#include "document/ovilan_doc.h"
#include "document/user_interface.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ovilan {

inline constexpr std::string_view kSelectionTooSmall = "Too small interval";
inline constexpr std::string_view kRemoveLabelQuestion
    = "Are you sure that you want to remove this label?";

// What the mouse does to the document in the plot. Each records its undo step before it changes
// anything; a cancelled dialog or a refused answer changes nothing and records nothing.

// A new label at (x, y), edited in the label dialog first; true when it was added.
bool addLabelAt(COvilanDoc& document, UserInterface& ui, double x, double y);
// A new label at (x, y) with `caption`, without the dialog, as one undo step: what the curve
// cursor and Value At place where they read a curve.
void addCaptionedLabel(COvilanDoc& document, double x, double y, const std::string& caption);
// Labels at points of curves, added after the others and taken back together as one undo step:
// what Find adds for the points it found. Nothing happens for none.
struct CaptionedPoint {
    double x = 0;
    double y = 0;
    std::string caption;
};
void addCaptionedLabels(COvilanDoc& document, std::span<const CaptionedPoint> points);
// The label dialog on a copy of the label at `index`; the copy replaces it on OK.
bool editLabel(COvilanDoc& document, UserInterface& ui, std::int32_t index);
// Asks first; true when the label was removed.
bool removeLabelAsked(COvilanDoc& document, UserInterface& ui, std::int32_t index);
// The end of a drag: the label at `index` moves to (x, y).
void moveLabel(COvilanDoc& document, std::int32_t index, double x, double y);

// The selection box's two corners become the new ranges, each number kept with exactly the
// digits the program shows for it. A box thinner than 1e-21 in either direction is refused with
// a message; true when the ranges changed.
bool zoomToSelection(
    COvilanDoc& document, UserInterface& ui, double x1, double y1, double x2, double y2);

} // namespace ovilan
