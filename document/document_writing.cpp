#include "document/archive_writer.h"
#include "document/document_records.h"
#include "document/tarn_doc.h"
#include "render/graph.h"

#include <bit>
#include <cassert>

// Every object is written in the current layout, whatever version it was read with.
static void WriteHeader(ArchiveWriter& out, const GraphObject& object)
{
    out.Float(kObjectVersion);
    out.Int32(object.m_visible);
    out.Float(object.m_x);
    out.Float(object.m_y);
}

static void WriteText(ArchiveWriter& out, const TextObject& text)
{
    WriteHeader(out, text);
    out.Font(text.m_font);
    out.ColorValue(text.m_color);
    out.String(text.m_text);
}

static void WriteAxis(ArchiveWriter& out, const Axis& axis)
{
    WriteHeader(out, axis);
    out.Font(axis.m_labelFont);
    out.ColorValue(axis.m_labelColor);
    out.Int32(axis.m_log);
    out.Float(axis.m_length);
    out.Int32(axis.m_orientation);
    out.Int32(axis.m_majorTickLength);
    out.Int32(axis.m_minorTickLength);
    out.Float(axis.m_majorSpacing);
    out.Float(axis.m_minorSpacing);
    out.Int32(axis.m_tickDirection);
    out.Int32(axis.m_showTicks);
    out.Int32(axis.m_showGrid);
    out.ColorValue(axis.m_gridColor);
    out.Int32(axis.m_gridSize);
    out.Int32(axis.m_gridType);
    out.Int32(axis.m_userSpacing);
    out.Int32(axis.m_precision);
    out.Int32(axis.m_labelSide);
    out.Int32(axis.m_format);
    out.Float(axis.m_min);
    out.Float(axis.m_max);
    out.Int32(axis.m_showLabels);
    out.ColorValue(axis.m_color);
}

static void WriteLegend(ArchiveWriter& out, const Legend& legend)
{
    WriteHeader(out, legend);
    out.Font(legend.m_font);
    out.Int32(legend.m_showBox);
    out.ColorValue(legend.m_boxFillColor);
    out.ColorValue(legend.m_boxEdgeColor);
    out.ColorValue(legend.m_textColor);
}

static void WriteValues(ArchiveWriter& out, const Stack<float>& values)
{
    out.Int32(values.Count());
    unsigned char* at = out.Extend(std::size_t(values.Count()) * 4);
    values.ForEachFromTop([&at](float value) {
        StoreLittle32(at, std::bit_cast<std::uint32_t>(value));
        at += 4;
    });
}

static void WritePlot(ArchiveWriter& out, const Plot& plot)
{
    WriteHeader(out, plot);
    out.Int32(plot.m_points.Count());
    unsigned char* at = out.Extend(std::size_t(plot.m_points.Count()) * 8);
    plot.m_points.ForEachFromTop([&at](const PlotPoint& point) {
        StoreLittle32(at, std::bit_cast<std::uint32_t>(point.x));
        StoreLittle32(at + 4, std::bit_cast<std::uint32_t>(point.y));
        at += 8;
    });
    WriteValues(out, plot.m_dx);
    WriteValues(out, plot.m_dy);
    WriteText(out, plot.m_label);
    out.Int32(plot.m_yErrorBarDisplay);
    out.Int32(plot.m_xErrorBarDisplay);
    out.Int32(plot.m_errorBarHatSize);
    out.Int32(plot.m_errorBarLineStyle);
    out.Int32(plot.m_errorBarLineSize);
    out.Int32(plot.m_xLog);
    out.Int32(plot.m_yLog);
    out.Int32(plot.m_xPositive);
    out.Int32(plot.m_yPositive);
    out.Float(plot.m_left);
    out.Float(plot.m_bottom);
    out.Float(plot.m_right);
    out.Float(plot.m_top);
    out.Int32(plot.m_pointStyle);
    out.Int32(plot.m_pointSize);
    out.ColorValue(plot.m_pointColor);
    out.Int32(plot.m_lineStyle);
    out.Int32(plot.m_lineSize);
    out.ColorValue(plot.m_lineColor);
    out.Float(plot.m_xMin);
    out.Float(plot.m_xMax);
    out.Float(plot.m_yMin);
    out.Float(plot.m_yMax);
    out.String(plot.m_info);
}

static void WriteGraph(ArchiveWriter& out, const Graph& graph)
{
    WriteHeader(out, graph);
    WriteText(out, graph.m_title);
    WriteText(out, graph.m_yLabel);
    WriteText(out, graph.m_xLabel);
    WriteAxis(out, graph.m_leftAxis);
    WriteAxis(out, graph.m_rightAxis);
    WriteAxis(out, graph.m_topAxis);
    WriteAxis(out, graph.m_bottomAxis);
    WriteLegend(out, graph.m_legend);
    out.Int32(graph.m_plots.Count());
    for (int i = 0; i < graph.m_plots.Count(); ++i)
        WritePlot(out, graph.m_plots.Get(i));
    out.Int32(graph.m_refLines.Count());
    for (int i = 0; i < graph.m_refLines.Count(); ++i) {
        const RefLine& line = graph.m_refLines.Get(i);
        out.Int32(line.m_orientation);
        out.Int32(line.m_lineStyle);
        out.Float(line.m_value);
    }
    out.Int32(graph.m_xLog);
    out.Int32(graph.m_yLog);
    out.Int32(graph.m_xTickSide);
    out.Int32(graph.m_yTickSide);
    out.Int32(graph.m_xLabelSide);
    out.Int32(graph.m_yLabelSide);
    out.Float(graph.m_left);
    out.Float(graph.m_bottom);
    out.Float(graph.m_right);
    out.Float(graph.m_top);
    out.Float(graph.m_xMin);
    out.Float(graph.m_xMax);
    out.Float(graph.m_yMin);
    out.Float(graph.m_yMax);
    out.ColorValue(graph.m_background);
    out.Int32(graph.m_useFixedX);
    out.Int32(graph.m_useFixedY);
}

void WriteDocument(ArchiveWriter& out, const CTarnDoc& doc)
{
    assert(doc.m_graphs.size() == std::size_t(doc.m_rows) * std::size_t(doc.m_columns) &&
           "the page holds rows x columns graphs");
    out.Float(kObjectVersion);
    out.Int32(doc.m_currentGraph);
    out.Int32(doc.m_rows);
    out.Int32(doc.m_columns);
    out.ColorValue(doc.m_pageColor);
    out.Float(doc.m_graphWidth);
    out.Float(doc.m_graphHeight);
    out.Float(doc.m_verticalGap);
    out.Float(doc.m_horizontalGap);
    out.Float(doc.m_startX);
    out.Float(doc.m_startY);
    for (const Graph& graph : doc.m_graphs)
        WriteGraph(out, graph);
    out.Int32(doc.m_labels.Count());
    for (int i = 0; i < doc.m_labels.Count(); ++i)
        WriteText(out, doc.m_labels.Get(i));
    out.Float(kObjectVersion);
    out.Int32(doc.m_displaySettings.lineScaling);
    out.Float(doc.m_displaySettings.fontScaling);
}
