#include "render/plot_drawing.h"

#include "model/drawing_settings.h"
#include "model/plot.h"
#include "render/canvas.h"

void DrawPlot(Canvas& canvas, const Plot& plot, const PageRect& page)
{
    if (!plot.m_visible || plot.m_lineStyle == kNoLine || plot.m_lineColor == kNoColor ||
        plot.PointCount() < 2)
        return;
    std::vector<DevicePoint> points;
    points.reserve(plot.PointCount());
    plot.m_points.ForEachFromTop([&](const PlotPoint& point) {
        points.push_back({plot.PlotToDeviceX(point.x, page), plot.PlotToDeviceY(point.y, page)});
    });
    Pen pen;
    pen.color = plot.m_lineColor;
    pen.width = plot.m_lineSize * lineScaling;
    pen.cosmetic = use16BitCoordinates || pen.width <= 1;
    pen.join = PenJoin::Bevel;
    const Pen previous = canvas.SetPen(pen);
    canvas.Polyline(points);
    canvas.SetPen(previous);
}
