#include "document/archive_reader.h"
#include "document/document_records.h"
#include "document/tarn_doc.h"
#include "render/graph.h"

#include <bit>
#include <cstdint>
#include <vector>

// A version threshold marked single is the float nearest to the number and is
// compared as a float; one marked double compares the stored float, widened
// exactly, with the double. So a stored 1.07f (1.0700000525) is above 1.07
// taken as a double, and a stored 1.18f (1.1799999475) below 1.18.
static bool AboveDouble(float version, double threshold) { return double(version) > threshold; }
static bool AtLeastDouble(float version, double threshold) { return double(version) >= threshold; }

// The document versions there are: from the first layout to the one written now.
constexpr float kOldestVersion = 1.0f;

static void FormatError()
{
    throw ArchiveError{ArchiveError::kBadIndex};
}

static int NonNegative(ArchiveReader& in)
{
    const std::int32_t value = in.Int32();
    if (value < 0)
        FormatError();
    return value;
}

// The smallest a record can be, so that a count of records the data left
// cannot hold fails before anything is made for them.
constexpr std::size_t kHeaderBytes = 16;
constexpr std::size_t kTextBytes = kHeaderBytes + 60 + 4 + 1;
constexpr std::size_t kRefLineBytes = 12;
constexpr std::size_t kOldestPlotBytes = kHeaderBytes + 3 * 4 + 2 * 4 + 4 * 4 + 4 * 4 + 6 * 4 +
                                         4 * 4 + 1;

static void ReadHeader(ArchiveReader& in, GraphObject& object)
{
    object.m_version = in.Float();
    object.m_visible = in.Int32();
    object.m_x = in.Float();
    object.m_y = in.Float();
}

static void ReadText(ArchiveReader& in, TextObject& text)
{
    ReadHeader(in, text);
    // The fields are taken as stored (the font's orientation too), so the
    // record writes back byte for byte; the text block is rebuilt from them
    // when the object is next drawn.
    text.m_font = in.Font();
    text.m_color = in.ColorValue();
    text.m_text = in.String();
    text.m_block.reset();
}

static void ReadAxis(ArchiveReader& in, Axis& axis)
{
    ReadHeader(in, axis);
    const float version = axis.m_version;
    axis.m_labelFont = in.Font();
    axis.m_labelColor = version >= 1.06f ? in.ColorValue() : 0;
    axis.m_log = in.Int32();
    axis.m_length = in.Float();
    axis.m_orientation = in.Int32();
    axis.m_majorTickLength = in.Int32();
    axis.m_minorTickLength = in.Int32();
    axis.m_majorSpacing = in.Float();
    axis.m_minorSpacing = in.Float();
    axis.m_tickDirection = in.Int32();
    axis.m_showTicks = in.Int32();
    if (version >= 1.18f) {
        axis.m_showGrid = in.Int32();
        axis.m_gridColor = in.ColorValue();
        axis.m_gridSize = in.Int32();
        axis.m_gridType = in.Int32();
    } else {
        axis.m_showGrid = 0;
        axis.m_gridColor = 0;
        axis.m_gridSize = 1;
        axis.m_gridType = 0;
    }
    axis.m_userSpacing = version >= 1.19f ? in.Int32() : 0;
    axis.m_precision = in.Int32();
    axis.m_labelSide = in.Int32();
    axis.m_format = in.Int32();
    axis.m_min = in.Float();
    axis.m_max = in.Float();
    axis.m_showLabels = in.Int32();
    axis.m_color = AtLeastDouble(version, 1.21) ? in.ColorValue() : 0;
}

static void ReadLegend(ArchiveReader& in, Legend& legend)
{
    ReadHeader(in, legend);
    legend.m_font = in.Font();
    legend.m_showBox = in.Int32();
    legend.m_boxFillColor = in.ColorValue();
    legend.m_boxEdgeColor = AboveDouble(legend.m_version, 1.22) ? in.ColorValue() : 0;
    legend.m_textColor = in.ColorValue();
}

// Pushes stored values from the last to the first, so the chain is then
// traversed in the stored order without a second copy.
static void PushReversed(const unsigned char* data, int count, Stack<float>& values)
{
    for (int i = count; i-- > 0;)
        values.Push(std::bit_cast<float>(LoadLittle32(data + 4 * std::size_t(i))));
}

static void ReadPlot(ArchiveReader& in, Plot& plot)
{
    ReadHeader(in, plot);
    const float version = plot.m_version;

    const int points = in.Count(8);
    const unsigned char* pairs = in.Take(std::size_t(points) * 8);
    for (int i = points; i-- > 0;) {
        const unsigned char* at = pairs + 8 * std::size_t(i);
        plot.AddPoint(std::bit_cast<float>(LoadLittle32(at)),
                      std::bit_cast<float>(LoadLittle32(at + 4)));
    }

    if (version > 1.04f) {
        const int dx = in.Count(4);
        PushReversed(in.Take(std::size_t(dx) * 4), dx, plot.m_dx);
        const int dy = in.Count(4);
        PushReversed(in.Take(std::size_t(dy) * 4), dy, plot.m_dy);
    } else {
        // The oldest layout holds two blocks of error values; both go to the
        // y errors, the first block first in traversal order.
        // The first block is kept aside: the next read may move the reader's buffer.
        const int first = in.Count(4);
        const unsigned char* firstData = in.Take(std::size_t(first) * 4);
        const std::vector<unsigned char> firstBlock(firstData, firstData + std::size_t(first) * 4);
        const int second = in.Count(4);
        if (std::int64_t(first) + second > INT32_MAX)
            FormatError();
        PushReversed(in.Take(std::size_t(second) * 4), second, plot.m_dy);
        PushReversed(firstBlock.data(), first, plot.m_dy);
    }

    if (version > 1.05f)
        ReadText(in, plot.m_label);
    plot.m_yErrorBarDisplay = in.Int32();
    plot.m_xErrorBarDisplay = in.Int32();
    if (version > 1.04f) {
        plot.m_errorBarHatSize = in.Int32();
        plot.m_errorBarLineStyle = in.Int32();
        plot.m_errorBarLineSize = in.Int32();
    } else {
        plot.m_errorBarHatSize = 3;
        plot.m_errorBarLineStyle = 0;
        plot.m_errorBarLineSize = 1;
    }
    plot.m_xLog = NonNegative(in);
    plot.m_yLog = NonNegative(in);
    plot.m_xPositive = in.Int32();
    plot.m_yPositive = in.Int32();
    plot.m_left = in.Float();
    plot.m_bottom = in.Float();
    plot.m_right = in.Float();
    plot.m_top = in.Float();
    plot.m_pointStyle = NonNegative(in);
    if (version < 1.155f && plot.m_pointStyle == 6)
        plot.m_pointStyle = 7; // style 6 meant no symbol before the seventh symbol came
    plot.m_pointSize = NonNegative(in);
    plot.m_pointColor = in.ColorValue();
    plot.m_lineStyle = NonNegative(in);
    plot.m_lineSize = NonNegative(in);
    plot.m_lineColor = in.ColorValue();
    plot.m_xMin = in.Float();
    plot.m_xMax = in.Float();
    plot.m_yMin = in.Float();
    plot.m_yMax = in.Float();
    plot.m_info = in.String();
    if (version < 1.06f)
        plot.m_label.m_text = in.String();
    plot.m_pointColorNone = plot.m_pointColor == kNoColor;
}

static void ReadGraph(ArchiveReader& in, Graph& graph)
{
    ReadHeader(in, graph);
    ReadText(in, graph.m_title);
    ReadText(in, graph.m_yLabel);
    ReadText(in, graph.m_xLabel);
    ReadAxis(in, graph.m_leftAxis);
    ReadAxis(in, graph.m_rightAxis);
    ReadAxis(in, graph.m_topAxis);
    ReadAxis(in, graph.m_bottomAxis);
    ReadLegend(in, graph.m_legend);

    const int plots = in.Count(kOldestPlotBytes);
    for (int i = 0; i < plots; ++i) {
        Plot plot;
        ReadPlot(in, plot);
        plot.m_handOver = 1; // the list's copy takes the chains as they are
        graph.m_plots.Append(plot);
    }

    if (AboveDouble(graph.m_version, 1.07)) {
        const int lines = in.Count(kRefLineBytes);
        for (int i = 0; i < lines; ++i) {
            RefLine line;
            line.m_orientation = in.Int32();
            line.m_lineStyle = in.Int32();
            line.m_value = in.Float();
            graph.m_refLines.Append(line);
        }
    }

    graph.m_xLog = NonNegative(in);
    graph.m_yLog = NonNegative(in);
    graph.m_xTickSide = NonNegative(in);
    graph.m_yTickSide = NonNegative(in);
    graph.m_xLabelSide = in.Int32();
    graph.m_yLabelSide = in.Int32();
    graph.m_left = in.Float();
    graph.m_bottom = in.Float();
    graph.m_right = in.Float();
    graph.m_top = in.Float();
    graph.m_xMin = in.Float();
    graph.m_xMax = in.Float();
    graph.m_yMin = in.Float();
    graph.m_yMax = in.Float();
    graph.m_background = in.ColorValue();
    if (AboveDouble(graph.m_version, 1.18)) {
        graph.m_useFixedX = in.Int32();
        graph.m_useFixedY = in.Int32();
    } else {
        graph.m_useFixedX = 0;
        graph.m_useFixedY = 0;
    }
    if (graph.m_useFixedX) {
        graph.m_fixedXMin = graph.m_xMin;
        graph.m_fixedXMax = graph.m_xMax;
    }
    if (graph.m_useFixedY) {
        graph.m_fixedYMin = graph.m_yMin;
        graph.m_fixedYMax = graph.m_yMax;
    }
}

static void ReadDisplaySettings(ArchiveReader& in, DisplaySettings& settings)
{
    const float version = in.Float();
    settings.lineScaling = in.Int32();
    if (settings.lineScaling < 1) {
        settings.lineScaling = 1;
        FormatError();
    }
    settings.fontScaling = AtLeastDouble(version, 1.125) ? in.Float() : 1.0f;
    // Written as "not at least 1" so that a stored NaN fails too.
    if (!(settings.fontScaling >= 1.0f)) {
        settings.fontScaling = 1.0f;
        FormatError();
    }
}

void ReadDocument(ArchiveReader& in, CTarnDoc& page)
{
    // Each field is checked as it is read, so bytes that are no document
    // (a device of zeros, an image) fail at once instead of being read on.
    const float version = in.Float();
    if (!(version >= kOldestVersion && version <= kObjectVersion))
        FormatError();
    const int current = in.Int32();
    if (current < 0 || current >= kMostGraphs)
        FormatError();
    const std::int32_t rows = in.Int32();
    if (rows <= 0 || rows > kMostGraphs)
        FormatError();
    const std::int32_t columns = in.Int32();
    const std::int64_t count = std::int64_t(rows) * columns;
    if (columns <= 0 || count > kMostGraphs || current >= count)
        FormatError();
    const bool arranged = AboveDouble(version, 1.11001);
    page.m_pageColor = AboveDouble(version, 1.14001) ? in.ColorValue() : kNoColor;
    if (arranged) {
        page.m_graphWidth = in.Float();
        page.m_graphHeight = in.Float();
        page.m_verticalGap = in.Float();
        page.m_horizontalGap = in.Float();
        page.m_startX = in.Float();
        page.m_startY = in.Float();
    }

    page.m_graphs.clear();
    for (std::int64_t i = 0; i < count; ++i) {
        // A graph record is hundreds of bytes; stop before making one the data cannot fill.
        if (!in.Has(kHeaderBytes + 3 * kTextBytes))
            throw ArchiveError{ArchiveError::kEndOfFile};
        page.m_graphs.emplace_back();
        ReadGraph(in, page.m_graphs.back());
    }
    page.m_rows = rows;
    page.m_columns = columns;
    page.m_graphCount = int(count);
    page.m_currentGraph = current;

    page.m_labels.Clear();
    const int labels = in.Count(kTextBytes);
    for (int i = 0; i < labels; ++i) {
        TextObject label;
        ReadText(in, label);
        page.m_labels.Append(label);
    }

    if (arranged)
        ReadDisplaySettings(in, page.m_displaySettings);

    for (Graph& graph : page.m_graphs)
        graph.m_selected = 0;
    Graph& currentGraph = page.m_graphs[current];
    currentGraph.m_selected = 1;
    if (!arranged) {
        // The oldest layouts kept no arrangement; it is taken from the graphs.
        page.m_graphWidth = currentGraph.m_right - currentGraph.m_left;
        page.m_graphHeight = currentGraph.m_top - currentGraph.m_bottom;
        if (columns > 1)
            page.m_horizontalGap = page.m_graphs[1].m_left - page.m_graphs[0].m_right;
        if (rows > 1)
            page.m_verticalGap = page.m_graphs[columns].m_bottom - page.m_graphs[0].m_top;
    }
}
