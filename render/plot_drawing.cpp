#include "render/plot_drawing.h"

#include "model/drawing_settings.h"
#include "model/plot.h"
#include "render/plot_geometry.h"
#include "render/style_pen.h"

Pen PlotLinePen(const Plot& plot)
{
    return StyledLinePen(plot.m_lineStyle, plot.m_lineSize * lineScaling, plot.m_lineColor,
                         PenJoin::Bevel, plot);
}

bool PlotLineUsesPath(const Plot& plot, const Pen& pen)
{
    return plot.m_printMode || !pen.cosmetic || use16BitCoordinates;
}

Pen PlotErrorBarPen(const Plot& plot)
{
    return PlainStylePen(plot.m_errorBarLineStyle, plot.m_errorBarLineSize * lineScaling,
                         plot.m_lineColor);
}

Pen PlotSymbolPen(const Plot& plot)
{
    const bool ownColor = plot.m_pointStyle == kDot || plot.m_pointStyle == kVector;
    return PlainStylePen(kSolid, lineScaling, ownColor ? plot.m_pointColor : plot.m_lineColor);
}

Brush PlotSymbolBrush(const Plot& plot)
{
    if (plot.m_pointColorNone || plot.m_pointColor == kNoColor)
        return Brush::Hollow();
    return Brush::Solid(plot.m_pointColor);
}

static bool IsShapeSymbol(int style)
{
    return style == kCircle || style == kSquare || style == kTriangle || style == kDot;
}

void DrawLineSample(Canvas& canvas, const Plot& plot, DevicePoint from, DevicePoint to)
{
    const Pen pen = PlotLinePen(plot);
    if (pen.style == PenStyle::Null)
        return;
    const Pen previous = canvas.SetPen(pen);
    canvas.Line(from.x, from.y, to.x, to.y);
    canvas.SetPen(previous);
}

void DrawSymbolSample(Canvas& canvas, const Plot& plot, DevicePoint centre)
{
    if (!IsShapeSymbol(plot.m_pointStyle))
        return;
    const Pen previousPen = canvas.SetPen(PlotSymbolPen(plot));
    const Brush previousBrush = canvas.SetBrush(PlotSymbolBrush(plot));
    canvas.DrawMarker(SymbolMarker(plot.m_pointStyle, plot.m_pointSize), centre);
    canvas.SetBrush(previousBrush);
    canvas.SetPen(previousPen);
}

static void DrawLine(Canvas& canvas, const Plot& plot, const std::vector<DevicePoint>& points)
{
    const Pen pen = PlotLinePen(plot);
    if (pen.style == PenStyle::Null || points.size() < 2)
        return;
    // A solid line keeps only the points that change its pixels; a dashed
    // one keeps every distinct point, since the dashes run along its length.
    const std::vector<DevicePoint> line =
        pen.style == PenStyle::Solid ? ThinSolidPolyline(points) : DropRepeatedPoints(points);
    if (line.size() < 2)
        return; // every point on one pixel: a line that ends where it starts draws nothing
    const Pen previous = canvas.SetPen(pen);
    if (PlotLineUsesPath(plot, pen)) {
        canvas.BeginPath();
        canvas.Polyline(line);
        canvas.EndPath();
        canvas.StrokePath();
    } else {
        canvas.Polyline(line);
    }
    canvas.SetPen(previous);
}

static void DrawErrorBars(Canvas& canvas, const Plot& plot, const PageRect& page)
{
    const std::vector<DeviceSegment> xBars = XErrorBarSegments(plot, page);
    const std::vector<DeviceSegment> yBars = YErrorBarSegments(plot, page);
    if (xBars.empty() && yBars.empty())
        return;
    const Pen pen = PlotErrorBarPen(plot);
    if (pen.style == PenStyle::Null)
        return;
    const Pen previous = canvas.SetPen(pen);
    canvas.Segments(xBars);
    canvas.Segments(yBars);
    canvas.SetPen(previous);
}

static void DrawSymbols(Canvas& canvas, const Plot& plot, const PageRect& page,
                        const std::vector<DevicePoint>& points)
{
    const Pen previousPen = canvas.SetPen(PlotSymbolPen(plot));
    const Brush previousBrush = canvas.SetBrush(PlotSymbolBrush(plot));
    switch (plot.m_pointStyle) {
    case kHistogramX: {
        const DeviceSegment base = HistogramXBaseLine(plot, page);
        canvas.Line(base.from.x, base.from.y, base.to.x, base.to.y);
        for (const DeviceRect& bar : HistogramXBars(points, base.from.y))
            canvas.Rectangle(bar);
        break;
    }
    case kHistogramY: {
        const DeviceSegment base = HistogramYBaseLine(plot, page);
        canvas.Line(base.from.x, base.from.y, base.to.x, base.to.y);
        for (const DeviceRect& bar : HistogramYBars(points, base.from.x))
            canvas.Rectangle(bar);
        break;
    }
    case kVector: canvas.Segments(VectorArrows(points, plot.m_pointSize)); break;
    default: canvas.Markers(SymbolMarker(plot.m_pointStyle, plot.m_pointSize), points); break;
    }
    canvas.SetBrush(previousBrush);
    canvas.SetPen(previousPen);
}

void DrawPlot(Canvas& canvas, const Plot& plot, const PageRect& page)
{
    if (!plot.m_visible || plot.PointCount() == 0)
        return;
    const std::vector<DevicePoint> points = PlotDevicePoints(plot, page);
    if (plot.m_lineStyle != kNoLine)
        DrawLine(canvas, plot, points);
    DrawErrorBars(canvas, plot, page);
    if (plot.m_pointStyle >= kCircle && plot.m_pointStyle < kNoSymbol)
        DrawSymbols(canvas, plot, page, points);
}
