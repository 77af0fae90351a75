#pragma once

#include "document/ovilan_doc.h"
#include "document/user_interface.h"
#include "render/plot_mapping.h"

#include <functional>
#include <memory>
#include <string_view>

namespace ovilan {

class CTableGraph;

inline constexpr std::string_view kRemoveGraphQuestion
    = "Are you sure that you want to remove this graph?";
inline constexpr std::string_view kTooLargeInterval = "Too large interval.";
inline constexpr std::string_view kTooSmallInterval = "Too small interval.";

// A number as the program shows it (ten significant digits), read back: the bound a zoom keeps.
double roundedToShownDigits(double value);

// The Graphs and View commands that change the document. Each records its undo step before it
// changes anything and ends with the hints that make the views repaint.
void addGraph(COvilanDoc& document, UserInterface& ui);
void addTableGraph(COvilanDoc& document, UserInterface& ui);
// The Table Graph dialog opened on a new graph whose cells are already filled (an imported
// file); OK adds it in one undo step, as Add Table Graph does. Returns whether it was added.
bool addFilledTableGraph(
    COvilanDoc& document, UserInterface& ui, std::unique_ptr<CTableGraph> graph);
// The same for the points of a measurements file: in a plot without graphs both axes, in any
// other the axes that miss some points, take the data's range with a margin, in the same undo
// step, so the imported curve fills the plot or at least is on screen at once.
void addImportedTableGraph(
    COvilanDoc& document, UserInterface& ui, std::unique_ptr<CTableGraph> graph);
void removeCurrentGraph(COvilanDoc& document, UserInterface& ui);
void editCurrentGraph(COvilanDoc& document, UserInterface& ui);
void documentProperties(COvilanDoc& document, UserInterface& ui);

void zoomIn(COvilanDoc& document, UserInterface& ui);
void zoomOut(COvilanDoc& document, UserInterface& ui);
// Zoom In or Out with the plot point (x, y) kept where it is, as the mouse wheel zooms. The new
// bounds keep the shown digits both ways, so a notch out about the same point undoes a notch in
// exactly when the point and the bounds have a few digits less than are shown.
void zoomAbout(COvilanDoc& document, UserInterface& ui, bool zoomingIn, double x, double y);

enum class ScrollDirection { Left, Right, Up, Down };
// The content moves the way the arrow says on screen, also on a reversed axis.
void scroll(COvilanDoc& document, const PlotMapping& mapping, ScrollDirection direction);

// The six step-to-range ratios, in the order applyAutoSteps takes them.
struct StepRatios {
    double xLabel;
    double xTick;
    double xGrid;
    double yLabel;
    double yTick;
    double yGrid;
};
StepRatios stepRatios(const PlotSettings& settings);
void applyAutoSteps(COvilanDoc& document, const StepRatios& ratios);

// Document Properties' Apply: one undo step, the pages' records written, the steps rescaled (a
// step the user changed keeps its new value), every graph refreshed, the pages reloaded through
// `reloadPages`, and hint 3.
void applyDocumentProperties(
    COvilanDoc& document, const PlotSettings& edited, const std::function<void()>& reloadPages);

} // namespace ovilan
