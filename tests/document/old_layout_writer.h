#pragma once

// Writes pages in the layouts of older program versions, field by field from
// the record descriptions, for the reader's tests, the fuzz corpus and the
// hand-built example files. Each object kind takes its own version.

#include "document/archive_writer.h"
#include "document/tarn_doc.h"
#include "render/graph.h"

struct OldLayout {
    float document = 1.23f;
    float display = 1.23f;
    float graph = 1.23f;
    float text = 1.23f;
    float axis = 1.23f;
    float legend = 1.23f;
    float plot = 1.23f;
    /// Both error blocks of the oldest data sets, written for each set as
    /// given here (the model's set has only its y errors).
    std::vector<float> oldFirstBlock;

    /// Every object of one version.
    static OldLayout All(float version)
    {
        OldLayout layout;
        layout.document = layout.display = layout.graph = layout.text = layout.axis =
            layout.legend = layout.plot = version;
        return layout;
    }
};

class OldLayoutWriter {
public:
    explicit OldLayoutWriter(OldLayout layout) : m_layout(std::move(layout)) {}

    std::string Write(const CTarnDoc& doc)
    {
        const float v = m_layout.document;
        m_out.Float(v);
        m_out.Int32(doc.m_currentGraph);
        m_out.Int32(doc.m_rows);
        m_out.Int32(doc.m_columns);
        if (double(v) > 1.14001)
            m_out.ColorValue(doc.m_pageColor);
        if (double(v) > 1.11001) {
            for (float f : {doc.m_graphWidth, doc.m_graphHeight, doc.m_verticalGap,
                            doc.m_horizontalGap, doc.m_startX, doc.m_startY})
                m_out.Float(f);
        }
        for (const Graph& graph : doc.m_graphs)
            WriteGraph(graph);
        m_out.Int32(doc.m_labels.Count());
        for (int i = 0; i < doc.m_labels.Count(); ++i)
            WriteText(doc.m_labels.Get(i));
        if (double(v) > 1.11001) {
            m_out.Float(m_layout.display);
            m_out.Int32(doc.m_displaySettings.lineScaling);
            if (double(m_layout.display) >= 1.125)
                m_out.Float(doc.m_displaySettings.fontScaling);
        }
        return m_out.Take();
    }

private:
    void Header(float version, const GraphObject& object)
    {
        m_out.Float(version);
        m_out.Int32(object.m_visible);
        m_out.Float(object.m_x);
        m_out.Float(object.m_y);
    }

    void WriteText(const TextObject& text)
    {
        Header(m_layout.text, text);
        m_out.Font(text.m_font);
        m_out.ColorValue(text.m_color);
        m_out.String(text.m_text);
    }

    void WriteAxis(const Axis& axis)
    {
        const float v = m_layout.axis;
        Header(v, axis);
        m_out.Font(axis.m_labelFont);
        if (v >= 1.06f)
            m_out.ColorValue(axis.m_labelColor);
        m_out.Int32(axis.m_log);
        m_out.Float(axis.m_length);
        m_out.Int32(axis.m_orientation);
        m_out.Int32(axis.m_majorTickLength);
        m_out.Int32(axis.m_minorTickLength);
        m_out.Float(axis.m_majorSpacing);
        m_out.Float(axis.m_minorSpacing);
        m_out.Int32(axis.m_tickDirection);
        m_out.Int32(axis.m_showTicks);
        if (v >= 1.18f) {
            m_out.Int32(axis.m_showGrid);
            m_out.ColorValue(axis.m_gridColor);
            m_out.Int32(axis.m_gridSize);
            m_out.Int32(axis.m_gridType);
        }
        if (v >= 1.19f)
            m_out.Int32(axis.m_userSpacing);
        m_out.Int32(axis.m_precision);
        m_out.Int32(axis.m_labelSide);
        m_out.Int32(axis.m_format);
        m_out.Float(axis.m_min);
        m_out.Float(axis.m_max);
        m_out.Int32(axis.m_showLabels);
        if (double(v) >= 1.21)
            m_out.ColorValue(axis.m_color);
    }

    void WriteLegend(const Legend& legend)
    {
        Header(m_layout.legend, legend);
        m_out.Font(legend.m_font);
        m_out.Int32(legend.m_showBox);
        m_out.ColorValue(legend.m_boxFillColor);
        if (double(m_layout.legend) > 1.22)
            m_out.ColorValue(legend.m_boxEdgeColor);
        m_out.ColorValue(legend.m_textColor);
    }

    void Values(const Stack<float>& values)
    {
        m_out.Int32(values.Count());
        for (float value : values)
            m_out.Float(value);
    }

    void WritePlot(const Plot& plot)
    {
        const float v = m_layout.plot;
        Header(v, plot);
        m_out.Int32(plot.m_points.Count());
        for (const PlotPoint& point : plot.m_points) {
            m_out.Float(point.x);
            m_out.Float(point.y);
        }
        if (v > 1.04f) {
            Values(plot.m_dx);
        } else {
            m_out.Int32(int(m_layout.oldFirstBlock.size()));
            for (float value : m_layout.oldFirstBlock)
                m_out.Float(value);
        }
        Values(plot.m_dy);
        if (v > 1.05f)
            WriteText(plot.m_label);
        m_out.Int32(plot.m_yErrorBarDisplay);
        m_out.Int32(plot.m_xErrorBarDisplay);
        if (v > 1.04f) {
            m_out.Int32(plot.m_errorBarHatSize);
            m_out.Int32(plot.m_errorBarLineStyle);
            m_out.Int32(plot.m_errorBarLineSize);
        }
        for (int i : {plot.m_xLog, plot.m_yLog, plot.m_xPositive, plot.m_yPositive})
            m_out.Int32(i);
        for (float f : {plot.m_left, plot.m_bottom, plot.m_right, plot.m_top})
            m_out.Float(f);
        m_out.Int32(plot.m_pointStyle);
        m_out.Int32(plot.m_pointSize);
        m_out.ColorValue(plot.m_pointColor);
        m_out.Int32(plot.m_lineStyle);
        m_out.Int32(plot.m_lineSize);
        m_out.ColorValue(plot.m_lineColor);
        for (float f : {plot.m_xMin, plot.m_xMax, plot.m_yMin, plot.m_yMax})
            m_out.Float(f);
        m_out.String(plot.m_info);
        if (v < 1.06f)
            m_out.String(plot.m_label.m_text);
    }

    void WriteGraph(const Graph& graph)
    {
        const float v = m_layout.graph;
        Header(v, graph);
        WriteText(graph.m_title);
        WriteText(graph.m_yLabel);
        WriteText(graph.m_xLabel);
        WriteAxis(graph.m_leftAxis);
        WriteAxis(graph.m_rightAxis);
        WriteAxis(graph.m_topAxis);
        WriteAxis(graph.m_bottomAxis);
        WriteLegend(graph.m_legend);
        m_out.Int32(graph.m_plots.Count());
        for (int i = 0; i < graph.m_plots.Count(); ++i)
            WritePlot(graph.m_plots.Get(i));
        if (double(v) > 1.07) {
            m_out.Int32(graph.m_refLines.Count());
            for (int i = 0; i < graph.m_refLines.Count(); ++i) {
                const RefLine& line = graph.m_refLines.Get(i);
                m_out.Int32(line.m_orientation);
                m_out.Int32(line.m_lineStyle);
                m_out.Float(line.m_value);
            }
        }
        for (int i : {graph.m_xLog, graph.m_yLog, graph.m_xTickSide, graph.m_yTickSide,
                      graph.m_xLabelSide, graph.m_yLabelSide})
            m_out.Int32(i);
        for (float f : {graph.m_left, graph.m_bottom, graph.m_right, graph.m_top, graph.m_xMin,
                        graph.m_xMax, graph.m_yMin, graph.m_yMax})
            m_out.Float(f);
        m_out.ColorValue(graph.m_background);
        if (double(v) > 1.18) {
            m_out.Int32(graph.m_useFixedX);
            m_out.Int32(graph.m_useFixedY);
        }
    }

    OldLayout m_layout;
    ArchiveWriter m_out;
};
