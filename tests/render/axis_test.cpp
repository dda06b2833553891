#include "render/axis.h"

#include "model/drawing_settings.h"
#include "model/error.h"
#include "render/axis_label.h"
#include "render/graph.h"
#include "render/recording_canvas.h"
#include "render/style_pen.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {

const PageRect kPage{0, 0, 800, 600};

std::vector<RecordingCanvas::Record> Texts(const RecordingCanvas& canvas)
{
    std::vector<RecordingCanvas::Record> texts;
    for (const auto& record : canvas.m_records)
        if (record.kind == RecordingCanvas::Kind::Text)
            texts.push_back(record);
    return texts;
}

// A graph whose x range was set to [min, max], so that its bottom axis got
// the range and the proposed spacings the way every graph's axes do.
Graph GraphWithXRange(float min, float max)
{
    Graph graph;
    RecordingMessages messages;
    graph.SetXRange(min, max, true, messages);
    return graph;
}

} // namespace

TEST(AxisLabel, FormatsOfTheWorkedCases)
{
    struct Row { double value; int format; int precision; bool log; const char* main; const char* exponent; };
    const Row rows[] = {
        {123456, kFormatGeneral, 3, false, "1.235e5", ""},
        {99999, kFormatGeneral, 3, false, "1.000e5", ""},          // 9.9999 rounds to 10.000: carry
        {0.05, kFormatGeneral, 3, false, "0.050", ""},             // e = -2 stays fixed
        {0.001, kFormatGeneral, 3, false, "1.000e-3", ""},
        {0, kFormatGeneral, 3, false, "0.000", ""},
        {0.0099999, kFormatGeneral, 3, false, "0.010", ""},        // the carry lands in the fixed range
        {-123456, kFormatGeneral, 3, false, "-1.235e5", ""},
        {150000, kFormatGeneral, 0, false, "2.e5", ""},
        {5, kFormatGeneral, 0, false, "5", ""},
        {99.5, kFormatGeneral, 1, false, "99.5", ""},
        {1500, kFormatEngineering, 0, false, "2E3", ""},
        {1500, kFormatEngineering, 3, false, "1.500E3", ""},
        {0.5, kFormatEngineering, 1, false, "5.0E-1", ""},
        {9.96, kFormatEngineering, 1, false, "1.0E1", ""},         // 10.0 carries
        {7, kFormatEngineering, 2, false, "7.00E0", ""},
        {1500, kFormatScientific, 2, false, "1.50x10", "3"},
        {1500, kFormatScientific, 0, false, "2x10", "3"},
        {-0.025, kFormatScientific, 1, false, "-2.5x10", "-2"},
        {2, kFormatGeneral, 3, true, "10", "2"},
        {-1, kFormatScientific, 3, true, "10", "-1"},
        {2.9f, kFormatGeneral, 3, true, "10", "2"},                // exponents are truncated
        {1.25, kFormatGeneral, 42, false, "1.250000000", ""},       // precision held to 9
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.main);
        const AxisLabelText text = FormatAxisLabel(row.value, row.format, row.precision, row.log);
        EXPECT_EQ(text.main, row.main);
        EXPECT_EQ(text.exponent, row.exponent);
    }
}

TEST(Axis, LabelsStartAtTheMinimumAndStepByTheSpacing)
{
    // 0.55 to 9.45 with spacing 1.8: five labels; a sixth would lie past the end.
    Graph graph = GraphWithXRange(0.55f, 9.45f);
    Axis& axis = graph.m_bottomAxis;
    axis.m_majorSpacing = 1.8f;
    const std::vector<AxisLabelSpot> spots = axis.LabelSpots();
    const float values[] = {0.55f, 2.35f, 4.15f, 5.95f, 7.75f};
    ASSERT_EQ(spots.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(spots[i].value, values[i], 1e-5);

    RecordingCanvas canvas;
    axis.Draw(canvas, kPage);
    const auto texts = Texts(canvas);
    const char* expected[] = {"0.550", "2.350", "4.150", "5.950", "7.750"};
    ASSERT_EQ(texts.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(texts[i].text, expected[i]);
        // Centred under the graph's own mapping of the value (the axis walks
        // page fractions, the graph maps data: the two agree to a pixel), 20
        // pixels below the axis; the canvas gets the baseline (ascent 9 of 12).
        const int width = 5 * 6;
        EXPECT_NEAR(texts[i].points[0].x + width / 2, graph.DataToDeviceX(values[i], kPage), 1);
        EXPECT_EQ(texts[i].points[0].y, 525 + 20 + 9);
    }
}

TEST(Axis, LabelPlacementBySide)
{
    struct Row { const char* name; int orientation; int side; int x; int y; };
    // The label "1.000" measures 30 x 12 with ascent 9 on the recording canvas;
    // the axis point of the lower end is (100, 525).
    const Row rows[] = {
        {"left of a vertical axis", kVertical, kTicksLeft, 100 - 20 - 30, 525 - 6 + 9},
        {"right of a vertical axis", kVertical, kTicksRight, 100 + 20, 525 - 6 + 9},
        {"above a horizontal axis", kHorizontal, kTicksUp, 100 - 15, 525 - 20 - 12 + 9},
        {"below a horizontal axis", kHorizontal, kTicksDown, 100 - 15, 525 + 20 + 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Axis axis(row.orientation == kVertical ? 0.125f : 0.5f,
                  row.orientation == kVertical ? 0.5f : 0.125f, 0.75f, row.orientation, 1, 10,
                  row.side, row.side);
        RecordingCanvas canvas;
        canvas.SetFont(axis.m_labelFont);
        axis.DrawLabel(canvas, kPage, 1.0f, 0.125f);
        const auto texts = Texts(canvas);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "1.000");
        EXPECT_EQ(texts[0].points[0], (DevicePoint{row.x, row.y}));
    }
}

TEST(Axis, ExponentFollowsTheMainTextTwoThirdsHigh)
{
    Graph graph = GraphWithXRange(1000, 2000);
    Axis& axis = graph.m_bottomAxis;
    axis.m_format = kFormatScientific;
    axis.m_precision = 2;
    RecordingCanvas canvas;
    canvas.SetFont(axis.m_labelFont);
    axis.DrawLabel(canvas, kPage, 1500.0f, 0.5f);
    const auto texts = Texts(canvas);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "1.50x10");
    EXPECT_EQ(texts[1].text, "3");
    EXPECT_EQ(texts[0].font.height, -12);
    EXPECT_EQ(texts[1].font.height, -8);
    const int mainWidth = 7 * 6;
    EXPECT_EQ(texts[1].points[0].x, texts[0].points[0].x + mainWidth);
    // Both tops at the same y: baselines differ by the ascents, 9 and 6.
    EXPECT_EQ(texts[0].points[0].y - 9, texts[1].points[0].y - 6);
    EXPECT_EQ(canvas.m_font.height, -12) << "the label font is selected again";
}

TEST(Axis, TicksOfTheDefaultLeftAxis)
{
    Graph graph;
    const Axis& axis = graph.m_leftAxis;
    const std::vector<DeviceSegment> ticks = axis.TickSegments(kPage);
    // Six majors (1, 2.8, ... 10) then eleven minors, all pointing left.
    ASSERT_EQ(ticks.size(), 17u);
    for (int i = 0; i < 17; ++i) {
        SCOPED_TRACE(i);
        const bool major = i < 6;
        const float value = major ? 1.0f + 1.8f * i : 1.0f + 0.9f * (i - 6);
        EXPECT_EQ(ticks[i].from.x, 100);
        EXPECT_EQ(ticks[i].to.x, 100 - (major ? 10 : 5));
        EXPECT_EQ(ticks[i].to.y, ticks[i].from.y);
        EXPECT_NEAR(ticks[i].from.y, graph.DataToDeviceY(value, kPage), 1);
    }
    EXPECT_EQ(ticks.front().from.y, 525);
    EXPECT_EQ(ticks[5].from.y, 75) << "the upper end is reached within the tolerance";
}

TEST(Axis, LogAxisDecadesWithIntermediateTicks)
{
    Graph graph;
    RecordingMessages messages;
    graph.m_yLog = 1;
    graph.SetYRange(1, 1000, true, messages); // exponents 0 to 3
    const Axis& axis = graph.m_leftAxis;
    ASSERT_FLOAT_EQ(axis.m_majorSpacing, 1.0f);
    RecordingCanvas canvas;
    axis.Draw(canvas, kPage);
    const auto texts = Texts(canvas);
    ASSERT_EQ(texts.size(), 8u);
    for (int decade = 0; decade <= 3; ++decade) {
        EXPECT_EQ(texts[2 * decade].text, "10");
        EXPECT_EQ(texts[2 * decade + 1].text, std::to_string(decade));
    }
    // Each of the first three decades has eight intermediate ticks at
    // log10(2..9); the last major has none (they would lie past the end).
    const std::vector<DeviceSegment> ticks = axis.TickSegments(kPage);
    ASSERT_EQ(ticks.size(), 4u + 3u * 8u);
    std::set<int> expected;
    for (int decade = 0; decade < 3; ++decade)
        for (int k = 2; k <= 9; ++k)
            expected.insert(graph.DataToDeviceY(float(std::pow(10.0, decade) * k), kPage));
    std::set<int> intermediate;
    for (const DeviceSegment& tick : ticks)
        if (tick.to.x == 95)
            intermediate.insert(tick.from.y);
    ASSERT_EQ(intermediate.size(), expected.size());
    auto a = intermediate.begin();
    for (int y : expected)
        EXPECT_NEAR(*a++, y, 1);
}

TEST(Axis, TickDirectionDecidesTheSide)
{
    struct Row { int orientation; int direction; DevicePoint end; };
    const Row rows[] = {{kVertical, kTicksLeft, {90, 525}}, {kVertical, kTicksRight, {110, 525}},
                        {kHorizontal, kTicksUp, {100, 515}}, {kHorizontal, kTicksDown, {100, 535}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.direction);
        const bool vertical = row.orientation == kVertical;
        Axis axis(vertical ? 0.125f : 0.5f, vertical ? 0.5f : 0.125f, 0.75f, row.orientation, 1, 10,
                  row.direction, row.direction);
        const std::vector<DeviceSegment> ticks = axis.TickSegments(kPage);
        ASSERT_FALSE(ticks.empty());
        EXPECT_EQ(ticks[0].from, (DevicePoint{100, 525}));
        EXPECT_EQ(ticks[0].to, row.end);
    }
}

TEST(Axis, GridOnEveryMinorStepWithoutTheLowerEnd)
{
    Graph graph;
    Axis& axis = graph.m_leftAxis;
    axis.m_showGrid = 1;
    const std::vector<DeviceSegment> lines = axis.GridSegments(kPage, graph.m_right - graph.m_left);
    for (const DeviceSegment& line : lines) {
        EXPECT_EQ(line.from.x, 100);
        EXPECT_EQ(line.to.x, 700) << "across the plot area";
        EXPECT_EQ(line.to.y, line.from.y);
        EXPECT_LT(line.from.y, 525) << "nothing at the lower end";
        EXPECT_GT(line.from.y, 75) << "nor at the upper end";
    }
    // Majors 2.8, 4.6, 6.4, 8.2, then the minor steps 1.9 ... 9.1; each major
    // falls on a minor step (to a pixel: the two walks round apart).
    ASSERT_EQ(lines.size(), 4u + 9u);
    for (int k = 1; k <= 9; ++k)
        EXPECT_NEAR(lines[3 + k].from.y, graph.DataToDeviceY(1.0f + 0.9f * k, kPage), 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(lines[i].from.y, lines[4 + 2 * i + 1].from.y, 1);

    RecordingCanvas canvas;
    axis.m_gridType = kNoLine;
    axis.m_gridSize = 3;
    axis.DrawGrid(canvas, kPage, 0.75f);
    EXPECT_TRUE(canvas.m_records.empty()) << "type None draws nothing at any width";
    axis.m_gridType = kSolid;
    axis.m_showGrid = 0;
    axis.DrawGrid(canvas, kPage, 0.75f);
    EXPECT_TRUE(canvas.m_records.empty()) << "grid off";
}

TEST(Axis, LogGridAtDecadesAndIntermediates)
{
    Graph graph;
    RecordingMessages messages;
    graph.m_xLog = 1;
    graph.SetXRange(1, 100, true, messages);
    Axis& axis = graph.m_bottomAxis;
    axis.m_showGrid = 1;
    const std::vector<DeviceSegment> lines = axis.GridSegments(kPage, 0.75f);
    // Decade 10 (the lower end is skipped), and 2..9 of both decades.
    ASSERT_EQ(lines.size(), 1u + 16u);
    EXPECT_EQ(lines[0].from, (DevicePoint{graph.DataToDeviceX(2, kPage), 525}));
    EXPECT_EQ(lines[0].to.y, 75);
}

TEST(Axis, GridPenByTypeAndSize)
{
    struct Row { const char* name; int type; int size; bool sixteen; int printNum;
                 bool cosmetic; PenStyle style; std::vector<int> dashes; int width; };
    const Row rows[] = {
        {"solid stays plain at any width", kSolid, 3, false, 0, true, PenStyle::Solid, {}, 3},
        {"width 1 stays plain", kDashed, 1, false, 0, true, PenStyle::Dash, {}, 1},
        {"dashed 2 is geometric", kDashed, 2, false, 0, false, PenStyle::User, {18, 8}, 2},
        {"dash-dot-dot 2", kDashDotDot, 2, false, 0, false, PenStyle::User, {8, 4, 2, 4, 2, 4}, 2},
        {"16-bit coordinates force plain pens", kDotted, 2, true, 0, true, PenStyle::Dot, {}, 2},
        {"print scaling stretches the dashes", kDotted, 2, false, 3, false, PenStyle::User, {12, 12}, 2},
        {"none is the null pen", kNoLine, 2, false, 0, true, PenStyle::Null, {}, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        use16BitCoordinates = row.sixteen;
        Axis axis;
        axis.m_gridType = row.type;
        axis.m_gridSize = row.size;
        axis.m_gridColor = 0x0000FF;
        RecordingCanvas canvas;
        if (row.printNum)
            axis.BeginPrintScaling(canvas, row.printNum, 1, kPage);
        const Pen pen = axis.GridPen();
        use16BitCoordinates = false;
        EXPECT_EQ(pen.cosmetic, row.cosmetic);
        EXPECT_EQ(pen.style, row.style);
        EXPECT_EQ(pen.dashes, row.dashes);
        EXPECT_EQ(pen.width, row.width);
        EXPECT_EQ(pen.color, 0x0000FFu);
        if (!row.cosmetic) {
            EXPECT_EQ(pen.cap, PenCap::Square);
        }
    }
}

TEST(Axis, PrintScalingScalesFontAndTicksAndReturns)
{
    Axis axis;
    RecordingCanvas canvas;
    axis.BeginPrintScaling(canvas, 300, 96, kPage);
    EXPECT_EQ(axis.m_labelFont.height, -38); // 12 x 300 / 96 = 37.5, rounded away from 0
    EXPECT_EQ(axis.m_majorTickLength, 31);
    EXPECT_EQ(axis.m_minorTickLength, 16);
    EXPECT_EQ(axis.m_printMode, 1);
    axis.EndPrintScaling(canvas, kPage);
    EXPECT_EQ(axis.m_labelFont.height, -12);
    EXPECT_EQ(axis.m_majorTickLength, 10);
    EXPECT_EQ(axis.m_minorTickLength, 5);
    EXPECT_EQ(axis.m_printMode, 0);
    EXPECT_EQ(axis.m_scaleNum, 1);
}

TEST(Axis, MulDivRoundsHalfAwayFromZero)
{
    struct Row { int a, b, c, expected; };
    const Row rows[] = {{12, 300, 96, 38}, {-12, 2, 3, -8}, {-14, 2, 3, -9}, {5, 1, 2, 3},
                        {-5, 1, 2, -3},    {7, 1, 0, -1},  {2000000000, 3, 4, 1500000000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.a);
        EXPECT_EQ(MulDiv(row.a, row.b, row.c), row.expected);
    }
}

TEST(Axis, IllegalOrientationRaises)
{
    Axis axis;
    axis.m_orientation = 7;
    RecordingCanvas canvas;
    for (int call = 0; call < 3; ++call) {
        SCOPED_TRACE(call);
        try {
            if (call == 0)
                axis.Draw(canvas, kPage);
            else if (call == 1)
                axis.DrawGrid(canvas, kPage, 0.5f);
            else
                axis.DrawLabel(canvas, kPage, 1.0f, 0.5f);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_STREQ(error.Text(), "Illegal axis orientation");
            EXPECT_STREQ(error.file, "saxisobject");
        }
    }
}

TEST(Axis, SpacingsThatGiveNoUsableStepDrawNoTicks)
{
    struct Row { const char* name; float major; float minor; std::size_t ticks; };
    const Row rows[] = {
        {"zero spacings", 0.0f, 0.0f, 0},
        {"negative spacing on a rising range", -1.8f, 0.9f, 11},
        {"too many ticks", 1e-6f, 0.9f, 11},
        {"not a number", NAN, NAN, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Graph graph;
        graph.m_leftAxis.m_majorSpacing = row.major;
        graph.m_leftAxis.m_minorSpacing = row.minor;
        EXPECT_EQ(graph.m_leftAxis.TickSegments(kPage).size(), row.ticks);
        EXPECT_EQ(graph.m_leftAxis.LabelSpots().size(), row.major > 1e-3f ? 6u : 0u);
    }
    // A reversed range with its own (negative) spacings counts down.
    Graph graph = GraphWithXRange(10, 0);
    const std::vector<AxisLabelSpot> spots = graph.m_bottomAxis.LabelSpots();
    ASSERT_EQ(spots.size(), 6u);
    EXPECT_FLOAT_EQ(spots[0].value, 10.0f);
    EXPECT_NEAR(spots[5].value, 0.0f, 1e-5);
}
