#include "render/graph.h"
#include "render/legend.h"
#include "render/recording_canvas.h"
#include "render/reference_lines.h"

#include "model/drawing_settings.h"
#include "model/style_codes.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

namespace {

const PageRect kPage{0, 0, 800, 600};

struct LineScaling {
    explicit LineScaling(int value) { lineScaling = value; }
    ~LineScaling() { lineScaling = 1; }
};

struct SixteenBit {
    SixteenBit() { use16BitCoordinates = true; }
    ~SixteenBit() { use16BitCoordinates = false; }
};

Plot LabelledSet(const char* label, int lineStyle = kSolid, int pointStyle = kNoSymbol)
{
    Plot plot;
    plot.AddPoint(2, 2);
    plot.AddPoint(5, 5);
    plot.m_xPositive = plot.m_yPositive = 1;
    plot.m_label.m_text = label;
    plot.m_lineStyle = lineStyle;
    plot.m_pointStyle = pointStyle;
    plot.m_lineColor = 0x0000FF;
    return plot;
}

} // namespace

TEST(ReferenceLines, SpanThePlotAreaAtTheirValue)
{
    Graph graph;
    graph.m_refLines.Append({1, kSolid, 5.5f});
    graph.m_refLines.Append({0, kDashed, 2.0f});
    const std::vector<RefLineSegment> segments = ReferenceLineSegments(graph, kPage);
    ASSERT_EQ(segments.size(), 2u);
    const int y = graph.DataToDeviceY(5.5f, kPage);
    const int x = graph.DataToDeviceX(2.0f, kPage);
    EXPECT_EQ(y, 300);
    EXPECT_EQ(segments[0].from, (DevicePoint{100, y}));
    EXPECT_EQ(segments[0].to, (DevicePoint{700, y}));
    EXPECT_EQ(segments[1].from, (DevicePoint{x, 525}));
    EXPECT_EQ(segments[1].to, (DevicePoint{x, 75}));
    EXPECT_EQ(segments[0].pen.color, 0x000000u);

    // Drawn inside the clip, after the data sets and before the clip ends.
    RecordingCanvas canvas;
    graph.Draw(canvas, kPage);
    const std::vector<std::string> d = canvas.Descriptions();
    const std::vector<std::string> expected{"clip 100,75 700,525", "move 100,300",
                                            "line 100,300 700,300", "move 166,525",
                                            "line 166,525 166,75", "noclip"};
    EXPECT_EQ(std::vector<std::string>(d.begin() + 1, d.begin() + 7), expected);
}

TEST(ReferenceLines, PensFollowTheStyleTheLineScalingAndThePrintRatio)
{
    Graph graph;
    {
        SCOPED_TRACE("dashed at line scaling 2: geometric with the 18, 8 pattern");
        LineScaling scaling(2);
        const Pen pen = ReferenceLinePen(kDashed, graph);
        EXPECT_FALSE(pen.cosmetic);
        EXPECT_EQ(pen.style, PenStyle::User);
        EXPECT_EQ(pen.dashes, (std::vector<int>{18, 8}));
        EXPECT_EQ(pen.width, 2);
        EXPECT_EQ(pen.cap, PenCap::Square);
        EXPECT_EQ(pen.join, PenJoin::Bevel);
        graph.BeginPrintScaling(*std::make_unique<RecordingCanvas>(), 3, 1, kPage);
        EXPECT_EQ(ReferenceLinePen(kDashDot, graph).dashes, (std::vector<int>{24, 18, 6, 18}));
        graph.EndPrintScaling(*std::make_unique<RecordingCanvas>(), kPage);
        const Pen solid = ReferenceLinePen(kSolid, graph);
        EXPECT_TRUE(solid.cosmetic);
        EXPECT_EQ(solid.style, PenStyle::Solid);
        EXPECT_EQ(solid.width, 2);
    }
    {
        SCOPED_TRACE("dashed at line scaling 1: the plain dashed pen");
        const Pen pen = ReferenceLinePen(kDashed, graph);
        EXPECT_TRUE(pen.cosmetic);
        EXPECT_EQ(pen.style, PenStyle::Dash);
    }
    {
        SCOPED_TRACE("16-bit coordinates force the plain pen");
        LineScaling scaling(2);
        SixteenBit sixteen;
        const Pen pen = ReferenceLinePen(kDotted, graph);
        EXPECT_TRUE(pen.cosmetic);
        EXPECT_EQ(pen.style, PenStyle::Dot);
    }
}

TEST(ReferenceLines, NonPositiveValuesAreRefusedOnLogAxesAndSkippedWhenDrawing)
{
    struct Row {
        int orientation;
        float value;
        int xLog, yLog;
        bool added;
    };
    const Row rows[] = {
        {1, 0.0f, 0, 1, false}, {1, -2.0f, 0, 1, false}, {1, 0.0f, 1, 0, true},
        {0, 0.0f, 1, 0, false}, {0, 0.5f, 1, 1, true},   {0, -1.0f, 0, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.orientation * 100 + row.value);
        Graph graph;
        graph.m_xLog = row.xLog;
        graph.m_yLog = row.yLog;
        RecordingMessages messages;
        EXPECT_EQ(AddReferenceLine(graph, {row.orientation, kSolid, row.value}, messages), row.added);
        EXPECT_EQ(graph.m_refLines.Count(), row.added ? 1 : 0);
        EXPECT_EQ(messages.shown, row.added ? std::vector<std::string>{}
                                            : std::vector<std::string>{
                                                  "Can't plot slected line on a log scale!"});
    }
    Graph graph;
    graph.m_refLines.Append({1, kSolid, 0.0f});
    graph.m_refLines.Append({0, kSolid, 3.0f});
    graph.m_yLog = 1;
    graph.m_yMin = 0;
    graph.m_yMax = 1;
    const std::vector<RefLineSegment> segments = ReferenceLineSegments(graph, kPage);
    ASSERT_EQ(segments.size(), 1u) << "y = 0 became non-positive on the log axis";
    EXPECT_EQ(segments[0].from.y, 525);
}

TEST(ReferenceLines, ListTextsAndDeletion)
{
    EXPECT_EQ(RefLineText({0, 0, 2.5f}), "x = 2.5");
    EXPECT_EQ(RefLineText({1, 0, 1e6f}), "y = 1e+06");
    Graph graph;
    graph.m_refLines.Append({0, 0, 1.0f});
    graph.m_refLines.Append({1, 0, 2.0f});
    RecordingMessages messages;
    EXPECT_FALSE(DeleteReferenceLine(graph, -1, messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Please select a line to delete!"});
    EXPECT_TRUE(DeleteReferenceLine(graph, 0, messages));
    ASSERT_EQ(graph.m_refLines.Count(), 1);
    EXPECT_EQ(graph.m_refLines.Get(0).m_value, 2.0f);
}

TEST(Legend, AnEmptyLegendIsAnEmptyBoxOfHeightGap)
{
    Legend legend;
    legend.m_visible = 1;
    legend.m_showBox = 1;
    legend.m_boxFillColor = 0x00FFFF;
    List<Plot> plots;
    plots.Append(LabelledSet(""));
    RecordingCanvas canvas;
    legend.DrawForSets(canvas, kPage, plots);
    EXPECT_EQ(canvas.Descriptions(), std::vector<std::string>{"rect 364,298 436,302"});
    EXPECT_EQ(canvas.m_records[0].brush, Brush::Solid(0x00FFFF));
    EXPECT_EQ(legend.GetBoundingBox(kPage), (BoundingBox{400, 300, 41, 7}));

    canvas.ClearRecords();
    legend.m_showBox = 0;
    legend.DrawForSets(canvas, kPage, plots);
    EXPECT_TRUE(canvas.m_records.empty());
    legend.m_visible = 0;
    legend.m_showBox = 1;
    legend.DrawForSets(canvas, kPage, plots);
    EXPECT_TRUE(canvas.m_records.empty()) << "an invisible legend draws nothing";
}

TEST(Legend, EntriesStackFromTheTopWithSamplesAtTheRight)
{
    Legend legend;
    legend.m_visible = 1;
    List<Plot> plots;
    plots.Append(LabelledSet("A"));
    Plot hidden = LabelledSet("hidden");
    hidden.m_visible = 0;
    plots.Append(hidden);
    plots.Append(LabelledSet("BB"));
    RecordingCanvas canvas;
    const LegendLayout layout = legend.Layout(canvas, kPage, plots);
    EXPECT_EQ(layout.sampleLength, 60);
    EXPECT_EQ(layout.box, (BoundingBox{400, 300, 43, 20}));
    ASSERT_EQ(layout.entries.size(), 2u);
    const LegendEntry first{0, {364, 291}, 7, 14, {379, 291}, {439, 291}, {409, 291}};
    const LegendEntry second{2, {368, 309}, 14, 14, {379, 309}, {439, 309}, {409, 309}};
    EXPECT_EQ(layout.entries[0], first);
    EXPECT_EQ(layout.entries[1], second);
    EXPECT_EQ(legend.GetBoundingBox(kPage), (BoundingBox{400, 300, 48, 25}));
}

TEST(Legend, SamplesFollowTheSetsLineAndSymbolStyles)
{
    struct Row {
        const char* why;
        int lineStyle;
        int pointStyle;
        std::vector<RecordingCanvas::Kind> samples;
    };
    using K = RecordingCanvas::Kind;
    const Row rows[] = {
        {"line and circle", kSolid, kCircle, {K::MoveTo, K::LineTo, K::Ellipse}},
        {"line None: only the symbol", kNoLine, kSquare, {K::Rectangle}},
        {"symbol None: only the line", kDashed, kNoSymbol, {K::MoveTo, K::LineTo}},
        {"vector: no symbol sample", kNoLine, kVector, {}},
        {"histogram: a bar over the sample", kNoLine, kHistogramX, {K::Rectangle}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Legend legend;
        legend.m_visible = 1;
        List<Plot> plots;
        plots.Append(LabelledSet("A", row.lineStyle, row.pointStyle));
        RecordingCanvas canvas;
        legend.DrawForSets(canvas, kPage, plots);
        ASSERT_FALSE(canvas.m_records.empty());
        EXPECT_EQ(canvas.m_records[0].kind, K::Text);
        std::vector<K> samples;
        for (std::size_t i = 1; i < canvas.m_records.size(); ++i)
            samples.push_back(canvas.m_records[i].kind);
        EXPECT_EQ(samples, row.samples);
        for (std::size_t i = 1; i < canvas.m_records.size(); ++i)
            EXPECT_EQ(canvas.m_records[i].pen.color, 0x0000FFu) << "the set's line colour";
    }
}

TEST(Legend, PrintScalingGrowsFontAndGapAndRestoresThem)
{
    Legend legend;
    RecordingCanvas canvas;
    legend.BeginPrintScaling(canvas, 600, 96, kPage);
    EXPECT_EQ(legend.m_font.height, -88);
    EXPECT_EQ(legend.m_gap, 25);
    legend.EndPrintScaling(canvas, kPage);
    EXPECT_EQ(legend.m_font.height, -14);
    EXPECT_EQ(legend.m_gap, 4);
    EXPECT_EQ(legend.m_printMode, 0);
}

TEST(Legend, TheGraphDrawsItsLegendWithItsOwnSetsAfterTheAxes)
{
    Graph graph;
    graph.m_plots.Append(LabelledSet("$\\alpha$"));
    graph.m_legend.m_visible = 1;
    Graph copy = graph;
    copy.m_plots.Get(0).m_label.m_text = "copy";
    RecordingCanvas canvas;
    copy.Draw(canvas, kPage);
    std::vector<std::string> texts;
    for (const auto& record : canvas.m_records)
        if (record.kind == RecordingCanvas::Kind::Text)
            texts.push_back(record.text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "copy") << "the copy's legend lists the copy's sets";
}
