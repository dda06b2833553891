#pragma once

#include "render/canvas.h"

class Plot;

/// Draws one data set with its own copy of the graph geometry, in this order:
/// the line through the points in list order (unless its style is None),
/// the x and then the y error bars, then the symbols, the histogram bars or
/// the vector arrows (unless the symbol is None). An inactive set or a set
/// without points draws nothing. Pens and brushes are made once per part.
void DrawPlot(Canvas& canvas, const Plot& plot, const PageRect& page);

// The pieces of a set's style, shared with the legend's samples.

/// The pen of the set's line: width `m_lineSize` x `lineScaling`; geometric
/// with bevel joins, square ends and the style's dash pattern (scaled while
/// printing) unless the style is Solid, the width is 1 or 16-bit coordinates
/// are in use, when it is the plain pen of the style. Null for the style None
/// or the colour "none".
Pen PlotLinePen(const Plot& plot);
/// Whether the line goes through a path rather than straight to the canvas:
/// while printing, with a geometric pen, or with 16-bit coordinates.
bool PlotLineUsesPath(const Plot& plot, const Pen& pen);
/// The plain pen of the error bars: style `m_errorBarLineStyle`, width
/// `m_errorBarLineSize` x `lineScaling`, the line colour.
Pen PlotErrorBarPen(const Plot& plot);
/// The outline pen of the symbols: plain, solid, `lineScaling` wide, in the
/// line colour (the symbol colour for Dot and Vector).
Pen PlotSymbolPen(const Plot& plot);
/// The fill of the symbols: hollow when the symbol colour is none.
Brush PlotSymbolBrush(const Plot& plot);
/// Draws the set's line from `from` to `to` with its pen (a legend sample);
/// nothing for the style None.
void DrawLineSample(Canvas& canvas, const Plot& plot, DevicePoint from, DevicePoint to);
/// Draws the set's symbol (Circle, Square, Triangle or Dot) centred on
/// `centre` with its pen and brush; the other symbol codes draw nothing.
void DrawSymbolSample(Canvas& canvas, const Plot& plot, DevicePoint centre);
