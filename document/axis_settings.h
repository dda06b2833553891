#pragma once

#include "model/colors.h"
#include "model/log_font.h"

#include <string>
#include <vector>

class CTarnDoc;
class Graph;
class Axis;

/// The two directions an axis dialog edits: x (bottom axis normal, top axis
/// opposite) and y (left axis normal, right axis opposite).
enum class AxisDirection { X, Y };

/// The "Apply To:" choices of the axis dialogs, in their list order.
enum AxisApplyTo : int {
    kApplyCurrentAxis = 0,
    kApplyAllAxesCurrentGraph = 1,
    kApplyCurrentAxisAllGraphs = 2,
    kApplyAllAxesAllGraphs = 3,
};
extern const char* const kAxisApplyToNames[4];

/// Side choices of the Tick Marks and Tick Labels dialogs.
enum AxisSide : int { kNormalSide = 0, kBothSides = 1, kOppositeSide = 2 };
extern const char* const kAxisSideNames[3];

/// The axis of `direction` on the normal side (bottom, left) or the opposite one.
Axis& NormalAxis(Graph& graph, AxisDirection direction);
Axis& OppositeAxis(Graph& graph, AxisDirection direction);
const Axis& NormalAxis(const Graph& graph, AxisDirection direction);
const Axis& OppositeAxis(const Graph& graph, AxisDirection direction);

/// The (graph, direction) pairs an "Apply To" choice reaches from the
/// current graph and direction, in page order.
struct AxisTarget {
    int graph;
    AxisDirection direction;
};
std::vector<AxisTarget> AxisTargets(const CTarnDoc& doc, AxisDirection direction, int applyTo);

/// The entries of the Axis Properties dialog, as typed.
struct AxisPropertiesEntries {
    std::string title;
    std::string majorSpacing; ///< "%.6g" when loaded
    std::string minorSpacing;
    bool ticks = false;
    bool labels = false;
    bool grid = false;
    Color color = 0;
};

/// What the Axis Properties dialog shows for `direction` of `graph`: the
/// title, the normal axis's spacings and colour, and each feature checked
/// when the normal or the opposite axis has it on.
AxisPropertiesEntries LoadAxisProperties(const Graph& graph, AxisDirection direction);

/// Checks and applies the Axis Properties entries. A spacing that does not
/// read as a number shows "Please enter a valid number for the major tick
/// spacing." (or minor), one that is not positive "Please enter a positive
/// number for the major tick spacing." (or minor); then nothing changes and
/// the result is false. Otherwise every target gets both spacings (kept as
/// user spacings), the colour, ticks and labels on the sides its graph's side
/// choices name, and the grid on its normal axis; the title goes to the
/// edited direction of each graph reached.
bool ApplyAxisProperties(CTarnDoc& doc, AxisDirection direction, int applyTo,
                         const AxisPropertiesEntries& entries, std::string* message);

/// The tick direction for a side choice pointing out of or into the plot.
int TickDirectionFor(AxisDirection direction, int side, bool out);

/// The Tick Marks dialog's choices.
struct TickMarkEntries {
    int side = kNormalSide;
    bool out = true;
};
TickMarkEntries LoadTickMarks(const Graph& graph, AxisDirection direction);
/// Stores the side choice in each target graph and switches the ticks of the
/// normal and opposite axes on or off with their directions (the opposite
/// axis mirrored for Both).
void ApplyTickMarks(CTarnDoc& doc, AxisDirection direction, int applyTo, const TickMarkEntries& entries);

/// The Tick Labels dialog's choices.
struct TickLabelEntries {
    int side = kNormalSide;
    LogFont font;
    Color color = 0;
    int format = 0;
    int precision = 3;
};
TickLabelEntries LoadTickLabels(const Graph& graph, AxisDirection direction);
/// Stores the side choice, switches the labels of the two axes by it and
/// copies font, colour, format and precision to both axes of each target.
void ApplyTickLabels(CTarnDoc& doc, AxisDirection direction, int applyTo,
                     const TickLabelEntries& entries);

/// The Grid Options dialog's choices.
struct GridEntries {
    int type = 0;
    int size = 1; ///< 1 to 5
    Color color = 0;
};
GridEntries LoadGrid(const Graph& graph, AxisDirection direction);
/// Stores type, size and colour in the normal axis of each target; for the
/// choices on the current graph alone the grid is switched on too. Returns
/// whether it switched grids on.
bool ApplyGrid(CTarnDoc& doc, AxisDirection direction, int applyTo, const GridEntries& entries);
