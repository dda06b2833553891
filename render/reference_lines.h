#pragma once

#include "render/canvas.h"
#include "render/ref_line.h"

#include <vector>

class Graph;
class Messages;

/// One reference line ready to draw: its end points and pen.
struct RefLineSegment {
    DevicePoint from;
    DevicePoint to;
    Pen pen;
    bool operator==(const RefLineSegment&) const = default;
};

/// The pen of a reference line of `style`: black, `lineScaling` wide; the
/// plain pen of the style when it is Solid, `lineScaling` is 1 or 16-bit
/// coordinates are in use, else a geometric pen with bevel joins, square
/// ends and the style's dash pattern (scaled by the graph's print ratio
/// while it prints).
Pen ReferenceLinePen(int style, const Graph& graph);

/// The graph's reference lines in list order as device segments: a
/// horizontal line across the plot area from its left to its right edge, a
/// vertical one from its bottom to its top. A value <= 0 on a log axis of its
/// direction, or one that is not finite, gives no segment.
std::vector<RefLineSegment> ReferenceLineSegments(const Graph& graph, const PageRect& page);

/// Draws the segments (the graph clips them to the plot area).
void DrawReferenceLines(Canvas& canvas, const Graph& graph, const PageRect& page);

/// The "Line Properties" OK: an x line while the x axis is logarithmic, or a
/// y line while the y axis is, with a value <= 0 is refused with "Can't plot
/// slected line on a log scale!" and nothing is added; otherwise the line is
/// appended. Returns whether it was added.
bool AddReferenceLine(Graph& graph, const RefLine& line, Messages& messages);

/// The "Delete" of the "Lines" dialog: row -1 (nothing selected) or a row
/// outside the list shows "Please select a line to delete!"; otherwise the
/// line is removed. Returns whether it was removed.
bool DeleteReferenceLine(Graph& graph, int row, Messages& messages);
