#include "document/page_json.h"

#include "document/json_writer.h"
#include "document/tarn_doc.h"
#include "model/c_numeric_scope.h"

static void WriteBase(JsonWriter& json, const GraphObject& object)
{
    json.Int("printMode", object.m_printMode);
    json.Int("visible", object.m_visible);
    json.Int("selected", object.m_selected);
    json.Float("x", object.m_x);
    json.Float("y", object.m_y);
    json.Float("version", object.m_version);
}

static void WriteText(JsonWriter& json, const char* key, const TextObject& text)
{
    json.BeginObject(key);
    json.String("text", text.m_text);
    WriteBase(json, text);
    json.Int("height", text.m_font.height);
    json.Int("weight", text.m_font.weight);
    json.Int("italic", text.m_font.italic);
    json.Int("escapement", text.m_font.escapement);
    json.Int("orientation", text.m_font.orientation);
    json.Int("underline", text.m_font.underline);
    json.Int("strikeOut", text.m_font.strikeOut);
    json.String("faceName", text.m_font.faceName);
    json.Int("color", text.m_color);
    json.EndObject();
}

static void WriteFont(JsonWriter& json, const char* prefix, const LogFont& font)
{
    const std::string p(prefix);
    json.Int((p + "Height").c_str(), font.height);
    json.Int((p + "Weight").c_str(), font.weight);
    json.Int((p + "Italic").c_str(), font.italic);
    json.Int((p + "Escapement").c_str(), font.escapement);
    json.String((p + "FaceName").c_str(), font.faceName);
}

static void WriteAxis(JsonWriter& json, const char* key, const Axis& axis)
{
    json.BeginObject(key);
    WriteBase(json, axis);
    json.Float("majorSpacing", axis.m_majorSpacing);
    json.Float("minorSpacing", axis.m_minorSpacing);
    json.Int("log", axis.m_log);
    json.Int("color", axis.m_color);
    json.Float("length", axis.m_length);
    json.Int("orientation", axis.m_orientation);
    json.Int("drawLine", axis.m_drawLine);
    json.Int("majorTickLength", axis.m_majorTickLength);
    json.Int("minorTickLength", axis.m_minorTickLength);
    json.Int("userSpacing", axis.m_userSpacing);
    json.Int("tickDirection", axis.m_tickDirection);
    json.Int("showTicks", axis.m_showTicks);
    json.Int("showGrid", axis.m_showGrid);
    json.Int("gridColor", axis.m_gridColor);
    json.Int("gridSize", axis.m_gridSize);
    json.Int("gridType", axis.m_gridType);
    WriteFont(json, "labelFont", axis.m_labelFont);
    json.Int("labelColor", axis.m_labelColor);
    json.Int("precision", axis.m_precision);
    json.Float("min", axis.m_min);
    json.Float("max", axis.m_max);
    json.Int("showLabels", axis.m_showLabels);
    json.Int("labelSide", axis.m_labelSide);
    json.Int("format", axis.m_format);
    json.EndObject();
}

static void WriteLegend(JsonWriter& json, const Legend& legend)
{
    json.BeginObject("legend");
    WriteBase(json, legend);
    json.Int("showBox", legend.m_showBox);
    json.Int("boxFillColor", legend.m_boxFillColor);
    json.Int("boxEdgeColor", legend.m_boxEdgeColor);
    json.Int("gap", legend.m_gap);
    WriteFont(json, "font", legend.m_font);
    json.Int("textColor", legend.m_textColor);
    json.EndObject();
}

static void WritePlot(JsonWriter& json, const Plot& plot, bool points)
{
    json.BeginObject();
    WriteBase(json, plot);
    json.String("info", plot.m_info);
    json.String("label", plot.m_label.m_text);
    WriteFont(json, "labelFont", plot.m_label.m_font);
    json.Int("labelColor", plot.m_label.m_color);
    json.Int("pointStyle", plot.m_pointStyle);
    json.Int("pointSize", plot.m_pointSize);
    json.Int("pointColor", plot.m_pointColor);
    json.Int("pointColorNone", plot.m_pointColorNone);
    json.Int("lineStyle", plot.m_lineStyle);
    json.Int("lineSize", plot.m_lineSize);
    json.Int("lineColor", plot.m_lineColor);
    json.Int("xErrorBarDisplay", plot.m_xErrorBarDisplay);
    json.Int("yErrorBarDisplay", plot.m_yErrorBarDisplay);
    json.Int("errorBarHatSize", plot.m_errorBarHatSize);
    json.Int("errorBarLineStyle", plot.m_errorBarLineStyle);
    json.Int("errorBarLineSize", plot.m_errorBarLineSize);
    json.Float("left", plot.m_left);
    json.Float("bottom", plot.m_bottom);
    json.Float("right", plot.m_right);
    json.Float("top", plot.m_top);
    json.Int("xLog", plot.m_xLog);
    json.Int("yLog", plot.m_yLog);
    json.Float("xMin", plot.m_xMin);
    json.Float("xMax", plot.m_xMax);
    json.Float("yMin", plot.m_yMin);
    json.Float("yMax", plot.m_yMax);
    json.Int("xPositive", plot.m_xPositive);
    json.Int("yPositive", plot.m_yPositive);
    json.Int("pointCount", plot.PointCount());
    json.Int("dxCount", plot.m_dx.Count());
    json.Int("dyCount", plot.m_dy.Count());
    if (points) {
        json.BeginArray("points");
        plot.m_points.ForEachFromTop([&json](const PlotPoint& point) {
            json.BeginArray();
            json.FloatElement(point.x);
            json.FloatElement(point.y);
            json.EndArray();
        });
        json.EndArray();
        json.BeginArray("dx");
        plot.m_dx.ForEachFromTop([&json](float value) { json.FloatElement(value); });
        json.EndArray();
        json.BeginArray("dy");
        plot.m_dy.ForEachFromTop([&json](float value) { json.FloatElement(value); });
        json.EndArray();
    }
    json.EndObject();
}

static void WriteGraph(JsonWriter& json, const Graph& graph, bool points)
{
    json.BeginObject();
    WriteBase(json, graph);
    json.Int("scaleNum", graph.m_scaleNum);
    json.Int("scaleDen", graph.m_scaleDen);
    WriteText(json, "title", graph.m_title);
    WriteText(json, "xLabel", graph.m_xLabel);
    WriteText(json, "yLabel", graph.m_yLabel);
    json.Float("xMin", graph.m_xMin);
    json.Float("xMax", graph.m_xMax);
    json.Float("yMin", graph.m_yMin);
    json.Float("yMax", graph.m_yMax);
    json.Int("xLog", graph.m_xLog);
    json.Int("yLog", graph.m_yLog);
    json.Int("useFixedX", graph.m_useFixedX);
    json.Int("useFixedY", graph.m_useFixedY);
    json.Float("fixedXMin", graph.m_fixedXMin);
    json.Float("fixedXMax", graph.m_fixedXMax);
    json.Float("fixedYMin", graph.m_fixedYMin);
    json.Float("fixedYMax", graph.m_fixedYMax);
    json.Int("dragMode", graph.m_dragMode);
    json.Float("left", graph.m_left);
    json.Float("bottom", graph.m_bottom);
    json.Float("right", graph.m_right);
    json.Float("top", graph.m_top);
    json.Int("background", graph.m_background);
    json.Int("xTickSide", graph.m_xTickSide);
    json.Int("yTickSide", graph.m_yTickSide);
    json.Int("xLabelSide", graph.m_xLabelSide);
    json.Int("yLabelSide", graph.m_yLabelSide);
    json.Int("singlePlotOnly", graph.m_singlePlotOnly);
    json.Int("showCurve", graph.m_showCurve);
    json.Int("singlePlotIndex", graph.m_singlePlotIndex);
    WriteAxis(json, "leftAxis", graph.m_leftAxis);
    WriteAxis(json, "rightAxis", graph.m_rightAxis);
    WriteAxis(json, "topAxis", graph.m_topAxis);
    WriteAxis(json, "bottomAxis", graph.m_bottomAxis);
    WriteLegend(json, graph.m_legend);
    json.BeginArray("refLines");
    for (int i = 0; i < graph.m_refLines.Count(); ++i) {
        const RefLine& line = graph.m_refLines.Get(i);
        json.BeginObject();
        json.Int("orientation", line.m_orientation);
        json.Int("lineStyle", line.m_lineStyle);
        json.Float("value", line.m_value);
        json.EndObject();
    }
    json.EndArray();
    json.BeginArray("plots");
    for (int i = 0; i < graph.m_plots.Count(); ++i)
        WritePlot(json, graph.m_plots.Get(i), points);
    json.EndArray();
    json.EndObject();
}

std::string PageToJson(const CTarnDoc& doc, bool points)
{
    const CNumericScope numbers;
    JsonWriter json;
    json.BeginObject();
    json.Int("lineScaling", doc.m_displaySettings.lineScaling);
    json.Float("fontScaling", doc.m_displaySettings.fontScaling);
    json.Int("graphCount", doc.m_graphCount);
    json.Int("rows", doc.m_rows);
    json.Int("columns", doc.m_columns);
    json.Float("graphWidth", doc.m_graphWidth);
    json.Float("graphHeight", doc.m_graphHeight);
    json.Float("verticalGap", doc.m_verticalGap);
    json.Float("horizontalGap", doc.m_horizontalGap);
    json.Float("startX", doc.m_startX);
    json.Float("startY", doc.m_startY);
    json.Int("currentGraph", doc.m_currentGraph);
    json.Int("pageColor", doc.m_pageColor);
    json.Int("pipeNumber", doc.m_pipeNumber);
    json.Int("pipeHalt", doc.m_pipeHalt);
    json.String("exportFile", doc.m_exportFile);
    json.Int("exportKind", doc.m_exportKind);
    json.Int("exportWidth", doc.m_exportWidth);
    json.Int("exportHeight", doc.m_exportHeight);
    json.BeginArray("labels");
    for (int i = 0; i < doc.m_labels.Count(); ++i)
        WriteText(json, nullptr, doc.m_labels.Get(i));
    json.EndArray();
    json.BeginArray("graphs");
    for (const Graph& graph : doc.m_graphs)
        WriteGraph(json, graph, points);
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}
