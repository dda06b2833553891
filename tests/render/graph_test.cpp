#include "render/graph.h"

#include "model/drawing_settings.h"
#include "render/recording_canvas.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const PageRect kPage{0, 0, 800, 600};

Plot MakeSet(std::initializer_list<PlotPoint> points, bool positive = true)
{
    Plot plot;
    for (const PlotPoint& point : points)
        plot.AddPoint(point.x, point.y);
    plot.m_xPositive = plot.m_yPositive = positive ? 1 : 0;
    return plot;
}

class LambdaCurve : public CurveFunction {
public:
    explicit LambdaCurve(std::function<bool(double, double&)> f) : m_f(std::move(f)) {}
    bool IsValid() const override { return true; }
    bool Evaluate(double x, double& y) const override { return m_f(x, y); }

private:
    std::function<bool(double, double&)> m_f;
};

struct SixteenBit {
    SixteenBit() { use16BitCoordinates = true; }
    ~SixteenBit() { use16BitCoordinates = false; }
};

} // namespace

TEST(Graph, NewGraphIsFramedByFourAxisLinesOnWhite)
{
    Graph graph;
    RecordingCanvas canvas;
    graph.Draw(canvas, kPage);
    const std::vector<std::string> d = canvas.Descriptions();
    // The three titles come first after the plot area, each centred on its
    // position (the y title turned).
    const std::vector<std::string> start{"fill 100,75 700,525 #ffffff", "clip 100,75 700,525",
                                         "noclip", "text 373,49 \"Graph\"",
                                         "text 23,321 \"Y Axis\"", "text 379,589 \"X Axis\"",
                                         "move 100,525", "line 100,525 100,75"};
    ASSERT_GT(d.size(), start.size());
    EXPECT_EQ(std::vector<std::string>(d.begin(), d.begin() + 8), start);
    // The right and top axes draw their lines alone, between the left axis's
    // ticks and labels and the bottom axis's line.
    const std::vector<std::string> frame{"move 700,525", "line 700,525 700,75", "move 100,75",
                                         "line 100,75 700,75", "move 100,525",
                                         "line 100,525 700,525"};
    auto found = std::search(d.begin(), d.end(), frame.begin(), frame.end());
    ASSERT_NE(found, d.end());
    EXPECT_EQ((*(found - 1)).rfind("text ", 0), 0u) << "the left axis ends with its labels";
    int texts = 0;
    for (const auto& record : canvas.m_records)
        texts += record.kind == RecordingCanvas::Kind::Text;
    EXPECT_EQ(texts, 15) << "three titles, six labels on the left and six at the bottom";
    EXPECT_TRUE(graph.m_leftAxis.m_showTicks && graph.m_leftAxis.m_showLabels);
    EXPECT_TRUE(graph.m_bottomAxis.m_showTicks && graph.m_bottomAxis.m_showLabels);
    EXPECT_FALSE(graph.m_rightAxis.m_showTicks || graph.m_rightAxis.m_showLabels);
    EXPECT_FALSE(graph.m_topAxis.m_showTicks || graph.m_topAxis.m_showLabels);
    EXPECT_FLOAT_EQ(graph.m_leftAxis.m_majorSpacing, 1.8f);
}

TEST(Graph, DrawOrderClipsDataAndCurveThenSelectionLast)
{
    Graph graph;
    graph.m_background = 0x123456;
    graph.m_selected = 1;
    graph.m_plots.Append(MakeSet({{1, 1}, {10, 10}}));
    graph.SyncPlotGeometry();
    RecordingMessages messages;
    graph.SetRanges(1, 10, 1, 10, true, messages);
    graph.m_showCurve = 1;
    graph.m_curve = std::make_shared<LambdaCurve>([](double x, double& y) {
        y = x;
        return true;
    });
    RecordingCanvas canvas;
    graph.Draw(canvas, kPage);
    std::vector<std::string> d = canvas.Descriptions();
    const std::size_t n = d.size();
    ASSERT_GT(n, 9u);
    EXPECT_EQ(d[0], "fill 100,75 700,525 #123456");
    EXPECT_EQ(d[1], "clip 100,75 700,525");
    EXPECT_EQ(d[2], "polyline 100,525 700,75"); // the list holds a copy: oldest first
    EXPECT_EQ(canvas.m_records[3].kind, RecordingCanvas::Kind::Polyline);
    EXPECT_EQ(canvas.m_records[3].points.size(), 101u);
    EXPECT_EQ(canvas.m_records[3].points.back(), (DevicePoint{700, 75}));
    EXPECT_EQ(d[4], "noclip");
    EXPECT_EQ(canvas.m_records[5].kind, RecordingCanvas::Kind::Text);
    // Selection handles: 7 x 7 squares in XOR mode, bottom-left, bottom-right,
    // top-left, top-right.
    EXPECT_EQ(d[n - 4], "rect 97,522 104,529 xor");
    EXPECT_EQ(d[n - 3], "rect 697,522 704,529 xor");
    EXPECT_EQ(d[n - 2], "rect 97,72 104,79 xor");
    EXPECT_EQ(d[n - 1], "rect 697,72 704,79 xor");
    EXPECT_EQ(canvas.m_mode, RasterMode::Copy);

    canvas.ClearRecords();
    graph.SetPrintMode(1);
    graph.m_visible = 1;
    graph.Draw(canvas, kPage);
    // No handles while printing, and the data line goes through a path then
    // (begin, end and stroke around the polyline).
    EXPECT_EQ(canvas.m_records.size(), n - 4 + 3);
    EXPECT_TRUE(graph.m_plots.Get(0).m_printMode && graph.m_leftAxis.m_printMode);

    canvas.ClearRecords();
    graph.m_visible = 0;
    graph.Draw(canvas, kPage);
    EXPECT_TRUE(canvas.m_records.empty());
}

TEST(Graph, SinglePlotOnlyDrawsTheChosenSetWhenTheIndexIsValid)
{
    Graph graph;
    graph.m_plots.Append(MakeSet({{1, 1}, {2, 2}}));
    graph.m_plots.Append(MakeSet({{3, 3}, {4, 4}}));
    graph.m_singlePlotOnly = 1;
    struct Row { int index; int polylines; };
    for (Row row : {Row{1, 1}, Row{-1, 0}, Row{2, 0}}) {
        SCOPED_TRACE(row.index);
        graph.m_singlePlotIndex = row.index;
        RecordingCanvas canvas;
        graph.Draw(canvas, kPage);
        int polylines = 0;
        for (auto& record : canvas.m_records)
            polylines += record.kind == RecordingCanvas::Kind::Polyline;
        EXPECT_EQ(polylines, row.polylines);
    }
}

TEST(Graph, ForwardAndInverseMapping)
{
    struct Row { const char* name; bool log; float min, max; double value; int device; };
    const Row rows[] = {
        {"linear low end", false, 1, 10, 1, 100},
        {"linear high end", false, 1, 10, 10, 700},
        {"linear middle", false, 0, 2, 1, 400},
        {"reversed range mirrors", false, 10, 1, 10, 100},
        {"log decade", true, 0, 2, 10, 400},
        {"log low end", true, 0, 2, 1, 100},
        {"log high end", true, 0, 2, 100, 700},
        {"truncated toward zero", false, 0, 3, 1, 300},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Graph graph;
        graph.m_xLog = row.log;
        graph.m_xMin = row.min;
        graph.m_xMax = row.max;
        EXPECT_EQ(graph.DataToDeviceX(float(row.value), kPage), row.device);
        EXPECT_NEAR(graph.DeviceToDataX(row.device, kPage), row.value, 1e-5 * std::fabs(row.value) + 1e-2);
    }
    Graph graph;
    EXPECT_EQ(graph.DataToDeviceY(1, kPage), 525);
    EXPECT_EQ(graph.DataToDeviceY(10, kPage), 75);
    EXPECT_NEAR(graph.DeviceToDataY(300, kPage), 5.5, 1e-9);
}

TEST(Graph, ClampingNeverWraps)
{
    struct Row { bool sixteen; double value; int expected; };
    const Row rows[] = {
        {true, 40000, 32766}, {true, -40000, -32767}, {true, 32766.9, 32766},
        {true, -12.7, -12},   {false, 3e7, 20000000}, {false, -3e7, -20000000},
        {false, NAN, -20000000}, {true, NAN, -32767},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        use16BitCoordinates = row.sixteen;
        EXPECT_EQ(ClampCoord(row.value), row.expected);
    }
    use16BitCoordinates = false;

    SixteenBit sixteen;
    Graph graph;
    EXPECT_EQ(graph.DataToDeviceX(1e9f, kPage), 32766);
    EXPECT_EQ(graph.DataToDeviceX(-1e9f, kPage), -32767);
    Plot plot = MakeSet({{1e9f, 1}});
    plot.m_left = 0.125f, plot.m_right = 0.875f, plot.m_xMin = 1, plot.m_xMax = 10;
    EXPECT_EQ(plot.PlotToDeviceX(1e9f, kPage), 32766);
}

TEST(Graph, AutoScaleWorkedCases)
{
    RecordingMessages messages;
    {
        SCOPED_TRACE("no data: 1 to 10, spacings 1.8 and 0.9");
        Graph graph;
        graph.AutoScale(false, messages);
        EXPECT_FLOAT_EQ(graph.m_xMin, 1);
        EXPECT_FLOAT_EQ(graph.m_xMax, 10);
        EXPECT_FLOAT_EQ(graph.m_bottomAxis.m_majorSpacing, 1.8f);
        EXPECT_FLOAT_EQ(graph.m_topAxis.m_minorSpacing, 0.9f);
    }
    {
        SCOPED_TRACE("single point: span taken as 9");
        Graph graph;
        graph.m_plots.Append(MakeSet({{3, 5}}));
        graph.AutoScale(false, messages);
        EXPECT_FLOAT_EQ(graph.m_xMin, 2.55f);
        EXPECT_FLOAT_EQ(graph.m_xMax, 3.45f);
        EXPECT_FLOAT_EQ(graph.m_plots.Get(0).m_xMax, 3.45f);
        EXPECT_FLOAT_EQ(graph.m_bottomAxis.m_max, 3.45f);
    }
    {
        SCOPED_TRACE("log axis: whole decades");
        Graph graph;
        graph.m_plots.Append(MakeSet({{0.5f, 1}, {200, 2}}));
        ASSERT_TRUE(graph.SetLogScale(1, 0, messages));
        EXPECT_FLOAT_EQ(graph.m_xMin, -1);
        EXPECT_FLOAT_EQ(graph.m_xMax, 3);
        EXPECT_FLOAT_EQ(graph.m_bottomAxis.m_majorSpacing, 1);
        EXPECT_EQ(graph.m_topAxis.m_log, 1);
        EXPECT_EQ(graph.m_plots.Get(0).m_xLog, 1);
    }
    {
        SCOPED_TRACE("error values widen; missing ones count as 0; inactive sets ignored");
        Graph graph;
        // Inserting into the list reverses the chain: (0, 0) comes first
        // there and owns the only x error value.
        Plot set = MakeSet({{0, 0}, {10, 0}});
        set.AddDx(2);
        graph.m_plots.Append(set);
        Plot hidden = MakeSet({{100, 100}});
        hidden.m_visible = 0;
        graph.m_plots.Append(hidden);
        graph.AutoScaleX(false, messages);
        EXPECT_FLOAT_EQ(graph.m_xMin, -2.6f);
        EXPECT_FLOAT_EQ(graph.m_xMax, 10.6f);
    }
    {
        SCOPED_TRACE("fixed range wins unless forced");
        Graph graph;
        graph.m_plots.Append(MakeSet({{3, 5}}));
        graph.SetFixedXRange(-5, 5);
        graph.AutoScaleX(false, messages);
        EXPECT_FLOAT_EQ(graph.m_xMin, -5);
        graph.AutoScaleX(true, messages);
        EXPECT_FLOAT_EQ(graph.m_xMin, 2.55f);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(Graph, SetRangeOnLogAxisSnapsToDecades)
{
    struct Row { float a, b, min, max; };
    const Row rows[] = {{150, 1000, 2, 3}, {150, 1200, 2, 4}, {0.01f, 0.5f, -2, 0}, {1, 10, 0, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.b);
        RecordingMessages messages;
        Graph graph;
        graph.m_xLog = 1;
        graph.SetXRange(row.a, row.b, false, messages);
        EXPECT_FLOAT_EQ(graph.m_xMin, row.min);
        EXPECT_FLOAT_EQ(graph.m_xMax, row.max);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(Graph, SetRangeRefusals)
{
    {
        SCOPED_TRACE("non-positive bound on a log axis changes nothing");
        RecordingMessages messages;
        Graph graph;
        graph.m_yLog = 1;
        graph.m_yMin = 0, graph.m_yMax = 2;
        graph.SetYRange(-1, 100, true, messages);
        EXPECT_EQ(messages.shown,
                  std::vector<std::string>{"Can't have a negative range with a log scale!"});
        EXPECT_FLOAT_EQ(graph.m_yMin, 0);
        EXPECT_FLOAT_EQ(graph.m_yMax, 2);
    }
    {
        SCOPED_TRACE("equal bounds restore both automatic ranges");
        RecordingMessages messages;
        Graph graph;
        graph.SetRanges(-3, 3, -4, 4, true, messages);
        graph.SetXRange(2, 2, true, messages);
        EXPECT_EQ(messages.shown, std::vector<std::string>{
                                      "X coordinate range is too small! Restoring default XY range."});
        EXPECT_FLOAT_EQ(graph.m_xMin, 1);
        EXPECT_FLOAT_EQ(graph.m_yMax, 10);
    }
    {
        SCOPED_TRACE("an equal fixed range is dropped instead of recursing");
        RecordingMessages messages;
        Graph graph;
        graph.SetFixedYRange(5, 5);
        graph.AutoScale(false, messages);
        EXPECT_EQ(graph.m_useFixedY, 0);
        EXPECT_FLOAT_EQ(graph.m_yMin, 1);
        EXPECT_EQ(messages.shown.size(), 1u);
    }
    {
        SCOPED_TRACE("reversed range accepted and copied to every set");
        RecordingMessages messages;
        Graph graph;
        Plot hidden = MakeSet({{1, 1}});
        hidden.m_visible = 0;
        graph.m_plots.Append(hidden);
        graph.SetXRange(10, 1, false, messages);
        EXPECT_FLOAT_EQ(graph.m_xMin, 10);
        EXPECT_FLOAT_EQ(graph.m_plots.Get(0).m_xMin, 10);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(Graph, UserSpacingKeptWithinAFactorOfTen)
{
    struct Row { float max; float expectedMajor; };
    // Proposals (max - 0) x 0.2: 5 keeps the user's 1, 10.5 replaces it.
    for (Row row : {Row{25, 1}, Row{52.5f, 10.5f}}) {
        SCOPED_TRACE(row.max);
        RecordingMessages messages;
        Graph graph;
        graph.m_bottomAxis.m_userSpacing = 1;
        graph.m_bottomAxis.m_majorSpacing = 1;
        graph.SetXRange(0, row.max, true, messages);
        EXPECT_FLOAT_EQ(graph.m_bottomAxis.m_majorSpacing, row.expectedMajor);
        EXPECT_FLOAT_EQ(graph.m_topAxis.m_majorSpacing, row.max * 0.2f);
    }
}

TEST(Graph, LogSwitchingWarnsAndKeepsRefusedAxisLinear)
{
    struct Row {
        const char* name; bool positive; int style; int xLog, yLog;
        std::vector<std::string> messages; int resultX, resultY; bool accepted;
    };
    const Row rows[] = {
        {"x data <= 0", false, kNoSymbol, 1, 0, {"Warning! Can't use log scale, x data <= 0.0"}, 0, 0, false},
        {"y data <= 0, x still applied", false, kNoSymbol, 0, 1, {"Warning! Can't use log scale, y data <= 0.0"}, 0, 0, false},
        {"histogram Y blocks log x", true, kHistogramY, 1, 1, {"Warning! Can't use log scale while plotting a histogram!"}, 0, 1, false},
        {"histogram X blocks log y", true, kHistogramX, 1, 1, {"Warning! Can't use log scale while plotting a histogram!"}, 1, 0, false},
        {"positive data accepted", true, kNoSymbol, 1, 1, {}, 1, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingMessages messages;
        Graph graph;
        Plot set = MakeSet({{2, 3}}, row.positive);
        set.m_pointStyle = row.style;
        graph.m_plots.Append(set);
        EXPECT_EQ(graph.SetLogScale(row.xLog, row.yLog, messages), row.accepted);
        EXPECT_EQ(messages.shown, row.messages);
        EXPECT_EQ(graph.m_xLog, row.resultX);
        EXPECT_EQ(graph.m_yLog, row.resultY);
        EXPECT_EQ(graph.m_plots.Get(0).m_yLog, row.resultY);
    }
    {
        SCOPED_TRACE("a fixed range with a bound <= 0 is dropped when x becomes log");
        RecordingMessages messages;
        Graph graph;
        graph.SetFixedXRange(0, 100);
        ASSERT_TRUE(graph.SetLogScale(1, 0, messages));
        EXPECT_EQ(graph.m_useFixedX, 0);
        EXPECT_FLOAT_EQ(graph.m_xMax, 1);
    }
}

TEST(Graph, ShiftMovesLinearRangesOnly)
{
    RecordingMessages messages;
    Graph graph;
    graph.ShiftX(0.1f, messages);
    EXPECT_FLOAT_EQ(graph.m_xMin, 1.9f);
    EXPECT_FLOAT_EQ(graph.m_xMax, 10.9f);
    graph.ShiftY(-0.1f, messages);
    EXPECT_NEAR(graph.m_yMin, 0.1f, 1e-6);
    graph.m_yLog = 1;
    graph.m_yMin = 0, graph.m_yMax = 1;
    graph.ShiftY(0.1f, messages);
    EXPECT_FLOAT_EQ(graph.m_yMin, 0);
}

TEST(Graph, MovingByDragMode)
{
    Graph graph;
    graph.m_plots.Append(MakeSet({{1, 1}}));
    graph.m_dragMode = kDragWhole;
    EXPECT_FLOAT_EQ(graph.MoveX(0.1f), 0.6f);
    EXPECT_FLOAT_EQ(graph.m_title.m_x, 0.6f);
    EXPECT_FLOAT_EQ(graph.m_leftAxis.m_x, 0.225f);
    EXPECT_FLOAT_EQ(graph.m_plots.Get(0).m_right, 0.975f);

    Graph left;
    left.m_dragMode = kDragLeft;
    left.MoveX(0.1f);
    EXPECT_FLOAT_EQ(left.m_left, 0.225f);
    EXPECT_FLOAT_EQ(left.m_bottomAxis.m_length, 0.65f);
    EXPECT_FLOAT_EQ(left.m_bottomAxis.m_x, 0.55f);
    EXPECT_FLOAT_EQ(left.m_yLabel.m_x, 0.125f);
    EXPECT_FLOAT_EQ(left.m_x, 0.5f) << "edge moves keep the graph's own position";
    EXPECT_FLOAT_EQ(left.MoveY(0.1f), 0.5f) << "a left-edge drag moves nothing in y";

    Graph top;
    top.m_dragMode = kDragTop;
    top.SetY(0.4f); // d = -0.1
    EXPECT_FLOAT_EQ(top.m_top, 0.775f);
    EXPECT_FLOAT_EQ(top.m_leftAxis.m_length, 0.65f);
    EXPECT_FLOAT_EQ(top.m_leftAxis.m_y, 0.45f);
    EXPECT_FLOAT_EQ(top.m_title.m_y, 0.825f);
}

TEST(Graph, BoundingBoxAndHitTest)
{
    Graph graph;
    EXPECT_EQ(graph.GetBoundingBox(kPage), (BoundingBox{400, 300, 305, 230}));
    RecordingCanvas canvas;
    EXPECT_EQ(graph.HitTest({96, 300}, canvas, kPage), 1);
    EXPECT_EQ(graph.HitTest({90, 300}, canvas, kPage), 0);
    graph.m_visible = 0;
    EXPECT_EQ(graph.HitTest({400, 300}, canvas, kPage), 0);
}

TEST(Graph, OverlayCurveSkipsFailuresAndStopsAtNonPositiveOnLogY)
{
    Graph graph;
    graph.m_curve = std::make_shared<LambdaCurve>([](double x, double& y) {
        y = 6.0 - x;
        return x < 2.0 || x > 3.0;
    });
    std::vector<DevicePoint> points = graph.CurvePoints(kPage);
    EXPECT_EQ(points.size(), 101u - 11u);
    graph.m_yLog = 1;
    graph.m_yMin = 0, graph.m_yMax = 1;
    points = graph.CurvePoints(kPage);
    // x = 1 + 0.09 i: y > 0 while x < 6 (i <= 55), minus the failed x in [2, 3].
    EXPECT_EQ(points.size(), 56u - 11u);
    graph.m_xMin = 10, graph.m_xMax = 1;
    EXPECT_TRUE(graph.CurvePoints(kPage).empty());
}

TEST(Graph, OverlayCurveSwitchesItselfOffOnALogAxisItCannotShow)
{
    RecordingMessages messages;
    auto falling = std::make_shared<LambdaCurve>([](double x, double& y) {
        y = 6.0 - x;
        return true;
    });
    struct Row {
        const char* name;
        std::function<void(Graph&)> change;
        int shown;
    };
    const Row rows[] = {
        {"curve set on a log axis", [&](Graph& g) { g.m_yLog = 1; g.SetCurve(falling); }, 0},
        {"log axis switched on", [&](Graph& g) { g.SetCurve(falling); g.SetLogScale(0, 1, messages); }, 0},
        {"x range within the positive part", [&](Graph& g) { g.SetCurve(falling); g.SetLogScale(0, 1, messages); }, 1},
        {"x range moved into the non-positive part",
         [&](Graph& g) { g.SetCurve(falling); g.SetLogScale(0, 1, messages); g.SetXRange(1, 8, true, messages); }, 0},
        {"linear axis", [&](Graph& g) { g.SetCurve(falling); g.SetXRange(1, 8, true, messages); }, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Graph graph;
        graph.m_showCurve = 1;
        if (row.shown && std::string(row.name).find("within") != std::string::npos)
            graph.SetFixedXRange(1, 5);
        row.change(graph);
        EXPECT_EQ(graph.m_showCurve, row.shown);
    }
}

TEST(Graph, CopyingAGraphReversesItsSets)
{
    Graph graph;
    graph.m_plots.Append(MakeSet({{1, 10}, {2, 20}, {3, 30}}));
    const PlotPoint first = *graph.m_plots.Get(0).m_points.begin();
    Graph copy = graph;
    EXPECT_NE(*copy.m_plots.Get(0).m_points.begin(), first);
    EXPECT_EQ(copy.m_title.m_text, "Graph");
}
