#pragma once

class Canvas;
class Plot;
struct PageRect;

/// Draws one data set with its own copy of the graph geometry: the points
/// joined by a line in the set's line colour and width. An inactive set, a
/// set without a line or without points draws nothing. Symbols and error
/// bars come with the full data-set styles.
void DrawPlot(Canvas& canvas, const Plot& plot, const PageRect& page);
