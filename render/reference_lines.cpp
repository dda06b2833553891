#include "render/reference_lines.h"

#include "model/drawing_settings.h"
#include "model/messages.h"
#include "render/graph.h"
#include "render/style_pen.h"

#include <cmath>
#include <cstdio>

std::string RefLineText(const RefLine& line)
{
    char text[64];
    std::snprintf(text, sizeof text, line.m_orientation == 0 ? "x = %g" : "y = %g",
                  double(line.m_value));
    return text;
}

Pen ReferenceLinePen(int style, const Graph& graph)
{
    return StyledLinePen(style, lineScaling, 0x000000, PenJoin::Bevel, graph);
}

std::vector<RefLineSegment> ReferenceLineSegments(const Graph& graph, const PageRect& page)
{
    std::vector<RefLineSegment> segments;
    const DeviceRect area = graph.PlotArea(page);
    for (int i = 0; i < graph.m_refLines.Count(); ++i) {
        const RefLine& line = graph.m_refLines.Get(i);
        const bool horizontal = line.m_orientation == 1;
        const bool log = horizontal ? graph.m_yLog != 0 : graph.m_xLog != 0;
        // A line that became non-positive after a switch to a log axis is
        // skipped rather than drawn at the clamp limit.
        if (!std::isfinite(line.m_value) || (log && line.m_value <= 0.0f))
            continue;
        const Pen pen = ReferenceLinePen(line.m_lineStyle, graph);
        if (horizontal) {
            const int y = graph.DataToDeviceY(line.m_value, page);
            segments.push_back({{area.left, y}, {area.right, y}, pen});
        } else {
            const int x = graph.DataToDeviceX(line.m_value, page);
            segments.push_back({{x, area.bottom}, {x, area.top}, pen});
        }
    }
    return segments;
}

void DrawReferenceLines(Canvas& canvas, const Graph& graph, const PageRect& page)
{
    const std::vector<RefLineSegment> segments = ReferenceLineSegments(graph, page);
    if (segments.empty())
        return;
    const Pen previous = canvas.SetPen(segments.front().pen);
    for (const RefLineSegment& segment : segments) {
        canvas.SetPen(segment.pen);
        canvas.Line(segment.from.x, segment.from.y, segment.to.x, segment.to.y);
    }
    canvas.SetPen(previous);
}

bool AddReferenceLine(Graph& graph, const RefLine& line, Messages& messages)
{
    const bool log = line.m_orientation == 0 ? graph.m_xLog != 0 : graph.m_yLog != 0;
    if (log && line.m_value <= 0.0f) {
        messages.Show("Can't plot slected line on a log scale!");
        return false;
    }
    graph.m_refLines.Append(line);
    return true;
}

bool DeleteReferenceLine(Graph& graph, int row, Messages& messages)
{
    if (row < 0 || row >= graph.m_refLines.Count()) {
        messages.Show("Please select a line to delete!");
        return false;
    }
    graph.m_refLines.Remove(row);
    return true;
}
