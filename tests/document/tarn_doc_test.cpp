#include "document/tarn_doc.h"

#include "document/page_drawing.h"
#include "model/drawing_settings.h"
#include "render/recording_canvas.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <random>

namespace {

ArrangeRequest Grid(int rows, int columns)
{
    ArrangeRequest request;
    request.rows = std::to_string(rows);
    request.columns = std::to_string(columns);
    ArrangeSizes sizes = ComputeArrangeSizes(request.rows, request.columns, request.horizontalGap,
                                             request.verticalGap);
    request.width = sizes.width;
    request.height = sizes.height;
    return request;
}

void ExpectInvariants(const CTarnDoc& doc)
{
    EXPECT_GE(doc.m_graphCount, 1);
    EXPECT_EQ(doc.m_graphCount, doc.m_rows * doc.m_columns);
    EXPECT_EQ(int(doc.m_graphs.size()), doc.m_graphCount);
    EXPECT_GE(doc.m_currentGraph, 0);
    EXPECT_LT(doc.m_currentGraph, doc.m_graphCount);
    int selected = 0;
    for (const Graph& graph : doc.m_graphs)
        selected += graph.m_selected;
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(doc.m_graphs[doc.m_currentGraph].m_selected, 1);
}

} // namespace

TEST(NumberCheck, AcceptsNumbersAndRefusesTheRest)
{
    struct Row { const char* text; bool number; bool positive; };
    const Row rows[] = {
        {"0.5", true, true},      {"  1e-1 ", true, true},   {"-0.5", true, false},
        {"+.5", true, true},      {"1e+5", true, true},      {"-1e-5", true, false},
        {"", false, false},       {"   ", false, false},     {"1.2.3", false, false},
        {"1e5e5", false, false},  {"--1", false, false},     {"1e--5", false, false},
        {"-1-", false, false},    {"0x10", false, false},    {"1,5", false, false},
        {"+1e+1", true, true},    {"1 2", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(CheckNumber(row.text), row.number);
        EXPECT_EQ(CheckNumber(row.text, true), row.positive);
    }
}

TEST(Arrange, LiveSizesAndCountChecks)
{
    struct Row { const char* rows; const char* columns; const char* hGap; const char* vGap;
                 const char* message; const char* width; const char* height; };
    const Row rows[] = {
        {"2", "2", "0.1", "0.1", "", "0.325", "0.325"},
        {"1", "3", "0.05", "0.1", "", "0.217", "0.75"},
        {"0", "2", "0.1", "0.1", "Invalid row value!", "", ""},
        {"2", "-1", "0.1", "0.1", "Invalid column value!", "", ""},
        {"2", "2", "x", "0.1",
         "Can't convert the \"Horizontal gap\" entry to a positive number. Is there a typing error?", "", ""},
        {"2", "2", "0.1", "",
         "Can't convert the \"Vertical gap\" entry to a positive number. Is there a typing error?", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.rows) + "x" + row.columns);
        ArrangeSizes sizes = ComputeArrangeSizes(row.rows, row.columns, row.hGap, row.vGap);
        EXPECT_EQ(sizes.message, row.message);
        EXPECT_EQ(sizes.width, row.width);
        EXPECT_EQ(sizes.height, row.height);
    }
    EXPECT_EQ(CheckArrangeCounts("abc", "1"), "Invalid row value!");
    EXPECT_EQ(CheckArrangeCounts("1", "0"), "Invalid column value!");
    EXPECT_EQ(CheckArrangeCounts("3", "2"), "");
}

TEST(Arrange, TwoByTwoGeometry)
{
    CTarnDoc doc;
    RecordingMessages messages;
    ASSERT_TRUE(doc.Arrange(Grid(2, 2), messages));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(doc.m_graphCount, 4);
    struct Row { int index; float left, right, bottom, top; };
    const Row rows[] = {{0, 0.125f, 0.45f, 0.125f, 0.45f},
                        {1, 0.55f, 0.875f, 0.125f, 0.45f},
                        {2, 0.125f, 0.45f, 0.55f, 0.875f},
                        {3, 0.55f, 0.875f, 0.55f, 0.875f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        const Graph& graph = doc.m_graphs[row.index];
        EXPECT_NEAR(graph.m_left, row.left, 1e-6);
        EXPECT_NEAR(graph.m_right, row.right, 1e-6);
        EXPECT_NEAR(graph.m_bottom, row.bottom, 1e-6);
        EXPECT_NEAR(graph.m_top, row.top, 1e-6);
        EXPECT_NEAR(graph.m_title.m_y, row.top + 0.1f, 1e-6);
        EXPECT_NEAR(graph.m_leftAxis.m_length, 0.325f, 1e-6);
        EXPECT_NEAR(graph.m_bottomAxis.m_x, (row.left + row.right) / 2, 1e-6);
        EXPECT_NEAR(graph.m_legend.m_y, (row.bottom + row.top) / 2, 1e-6);
    }
    EXPECT_TRUE(doc.IsModified());

    doc.OnNewDocument();
    EXPECT_EQ(doc.m_graphCount, 1);
    EXPECT_EQ(doc.CurrentArrangement().width, "0.325");
    EXPECT_EQ(doc.CurrentArrangement().height, "0.325");
}

TEST(Arrange, EntryChecksShowTheirMessageAndChangeNothing)
{
    const std::string convert = "\" entry to a positive number. No Changes made.";
    struct Case { std::string ArrangeRequest::*field; std::string text; std::string message; };
    const Case cases[] = {
        {&ArrangeRequest::width, "0",
         "\"Graph width\" is out of bounds (require 1.0 >= width > 0.0). Not changes made."},
        {&ArrangeRequest::width, "-0.5", "Can't convert the \"Graph width" + convert},
        {&ArrangeRequest::height, "1.5",
         "\"Graph height\" is out of bounds (require 1.0 >= height > 0.0). Not changes made."},
        {&ArrangeRequest::startX, "abc", "Can't convert the \"Start at x" + convert},
        {&ArrangeRequest::startY, "0", "\"Start at y\" is out of bounds (require 1.0 >= y > 0.0). Not changes made."},
        {&ArrangeRequest::verticalGap, "2", "\"Vertical gap\" is out of bounds (require 1.0 >= gap > 0.0). Not changes made."},
        {&ArrangeRequest::horizontalGap, " - 1", "Can't convert the \"Horizontal gap" + convert},
        {&ArrangeRequest::rows, "0", "Invalid row value!"},
        {&ArrangeRequest::columns, "99999", "Too many graphs (99999); a page holds at most 10000 graphs. No changes made."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CTarnDoc doc;
        RecordingMessages messages;
        ArrangeRequest request = Grid(1, 2);
        request.*(c.field) = c.text;
        EXPECT_FALSE(doc.Arrange(request, messages));
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message});
        EXPECT_EQ(doc.m_graphCount, 1);
        EXPECT_FLOAT_EQ(doc.m_graphWidth, 0.75f);
        EXPECT_FALSE(doc.IsModified());
    }
    {
        SCOPED_TRACE("conversion checks run before the bounds, height first");
        CTarnDoc doc;
        RecordingMessages messages;
        ArrangeRequest request = Grid(1, 1);
        request.width = "0";
        request.height = "-1";
        doc.Arrange(request, messages);
        EXPECT_EQ(messages.shown, std::vector<std::string>{"Can't convert the \"Graph height" + convert});
    }
    {
        SCOPED_TRACE("1e-1 is a valid width");
        CTarnDoc doc;
        RecordingMessages messages;
        ArrangeRequest request = Grid(1, 1);
        request.width = "1e-1";
        EXPECT_TRUE(doc.Arrange(request, messages));
        EXPECT_FLOAT_EQ(doc.m_graphs[0].m_right, 0.225f);
    }
}

TEST(Arrange, ShrinkingAsksOnlyWhenModifiedAndKeepsGraphZero)
{
    struct Row { bool modified; bool answer; int asked; int count; };
    for (Row row : {Row{false, false, 0, 1}, Row{true, true, 1, 1}, Row{true, false, 1, 4}}) {
        SCOPED_TRACE(row.modified * 10 + row.answer);
        CTarnDoc doc;
        RecordingMessages messages;
        doc.Arrange(Grid(2, 2), messages);
        Plot set;
        set.AddPoint(1, 2);
        doc.m_graphs[0].m_plots.Append(set);
        doc.m_graphs[0].m_title.m_text = "first";
        doc.SelectGraph(3);
        doc.SetModifiedFlag(row.modified);
        messages.answer = row.answer;
        doc.Arrange(Grid(1, 1), messages);
        EXPECT_EQ(int(messages.asked.size()), row.asked);
        if (row.asked) {
            EXPECT_EQ(messages.asked[0], "Delete excess graph(s)?");
        }
        EXPECT_EQ(doc.m_graphCount, row.count);
        EXPECT_EQ(doc.m_graphs[0].m_title.m_text, "first");
        EXPECT_EQ(doc.m_graphs[0].m_plots.Count(), 1);
        ExpectInvariants(doc);
    }
}

TEST(Arrange, SelectedGraphModeMovesOnlyTheCurrentGraph)
{
    CTarnDoc doc;
    RecordingMessages messages;
    doc.Arrange(Grid(2, 2), messages);
    doc.SelectGraph(1);
    const Graph before = doc.m_graphs[0];
    ArrangeRequest request = doc.CurrentArrangement();
    request.allGraphs = false;
    request.startX = "0.5";
    request.rows = "7"; // ignored in this mode
    request.horizontalGap = "5"; // not checked in this mode
    ASSERT_TRUE(doc.Arrange(request, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.m_rows, 2);
    EXPECT_EQ(doc.m_columns, 2);
    EXPECT_FLOAT_EQ(doc.m_horizontalGap, 0.1f);
    EXPECT_FLOAT_EQ(doc.m_graphs[1].m_left, 0.5f);
    EXPECT_FLOAT_EQ(doc.m_graphs[1].m_right, 0.825f);
    EXPECT_FLOAT_EQ(doc.m_graphs[0].m_left, before.m_left);
    EXPECT_EQ(doc.m_currentGraph, 1);
}

TEST(Overlap, ChecksAndCopiedPlacement)
{
    CTarnDoc doc;
    RecordingMessages messages;
    EXPECT_FALSE(doc.CanOverlap(messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Can't overlap less than two graphs!"});

    messages.shown.clear();
    doc.Arrange(Grid(1, 2), messages);
    EXPECT_TRUE(doc.CanOverlap(messages));
    EXPECT_FALSE(doc.OverlapGraphs(1, 1, messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Unable to place a graph on top of itself!"});

    Plot set;
    set.AddPoint(1, 1);
    doc.m_graphs[1].m_plots.Append(set);
    doc.m_graphs[1].SyncPlotGeometry();
    doc.m_graphs[1].m_background = 0x0000FF;
    ASSERT_TRUE(doc.OverlapGraphs(1, 0, messages));
    const Graph& a = doc.m_graphs[1];
    const Graph& b = doc.m_graphs[0];
    EXPECT_EQ(a.m_left, b.m_left);
    EXPECT_EQ(a.m_right, b.m_right);
    EXPECT_EQ(a.m_title.m_x, b.m_title.m_x);
    EXPECT_EQ(a.m_rightAxis.m_x, b.m_rightAxis.m_x);
    EXPECT_EQ(a.m_bottomAxis.m_length, b.m_bottomAxis.m_length);
    EXPECT_EQ(a.m_plots.Get(0).m_right, b.m_right) << "the sets follow their graph";
    EXPECT_EQ(a.m_background, 0x0000FFu);
}

TEST(Properties, ScalingChoicesQuestionsAndMessages)
{
    struct Row { const char* name; bool sixteen; bool answer; int line; float font;
                 bool changed; int pageLine; std::vector<std::string> shown; size_t asked; };
    const Row rows[] = {
        {"nothing changed", false, true, 1, 1.0f, false, 1, {}, 0},
        {"line and font stored", false, true, 3, 1.5f, true, 3, {}, 0},
        {"16-bit question answered No", true, false, 2, 2.0f, false, 1, {}, 1},
        {"16-bit question answered Yes", true, true, 2, 1.0f, true, 2, {}, 1},
        {"bad line value", false, true, 0, 1.0f, true, 1, {"Bad lineScaling parameter!"}, 0},
        {"bad font value", false, true, 1, -1.0f, true, 1, {"Bad fontScaling parameter!"}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        lineScaling = 1;
        fontScaling = 1.0f;
        use16BitCoordinates = row.sixteen;
        CTarnDoc doc;
        RecordingMessages messages;
        messages.answer = row.answer;
        EXPECT_EQ(doc.ApplyDisplaySettings(row.line, row.font, messages), row.changed);
        EXPECT_EQ(doc.m_displaySettings.lineScaling, row.pageLine);
        EXPECT_EQ(messages.shown, row.shown);
        EXPECT_EQ(messages.asked.size(), row.asked);
        EXPECT_FALSE(doc.IsModified());
    }
    use16BitCoordinates = false;
    lineScaling = 1;
    fontScaling = 1.0f;
}

TEST(Page, InvariantsHoldOverRandomCommandSequences)
{
    std::mt19937 random(12345);
    CTarnDoc doc;
    RecordingMessages messages;
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        messages.answer = random() % 2;
        switch (random() % 5) {
        case 0: {
            ArrangeRequest request = Grid(int(random() % 4) - 1, int(random() % 4) - 1);
            request.allGraphs = random() % 4 != 0;
            doc.Arrange(request, messages);
            break;
        }
        case 1:
            doc.SelectGraph(int(random() % 12) - 2);
            break;
        case 2:
            if (doc.CanOverlap(messages))
                doc.OverlapGraphs(int(random() % 10), int(random() % 10), messages);
            break;
        case 3:
            doc.SetModifiedFlag(random() % 2);
            break;
        case 4:
            if (random() % 8 == 0)
                doc.OnNewDocument();
            break;
        }
        ExpectInvariants(doc);
    }
}

TEST(Page, DrawsPageColourThenGraphsWithTheCurrentOneLast)
{
    CTarnDoc doc;
    RecordingMessages messages;
    doc.Arrange(Grid(1, 2), messages);
    doc.SelectGraph(0);
    doc.m_graphs[0].m_background = 0x000001;
    doc.m_graphs[1].m_background = 0x000002;
    doc.m_pageColor = 0x00FF00;
    RecordingCanvas canvas;
    DrawPage(doc, canvas, {0, 0, 400, 300});
    std::vector<std::string> fills;
    for (const auto& record : canvas.m_records)
        if (record.kind == RecordingCanvas::Kind::FillRect)
            fills.push_back(RecordingCanvas::Describe(record));
    const std::vector<std::string> expected{"fill 0,0 400,300 #00ff00", "fill 219,37 349,262 #000002",
                                            "fill 50,37 179,262 #000001"};
    EXPECT_EQ(fills, expected);

    doc.m_pageColor = kNoColor;
    canvas.ClearRecords();
    DrawPage(doc, canvas, {0, 0, 400, 300});
    EXPECT_NE(canvas.m_records[0].rect, (DeviceRect{0, 0, 400, 300})) << "no page fill without colour";
    canvas.ClearRecords();
    DrawPage(doc, canvas, {0, 0, 400, 300}, {true, 0xABCDEF});
    EXPECT_EQ(RecordingCanvas::Describe(canvas.m_records[0]), "fill 0,0 400,300 #abcdef");
}

TEST(Page, AGraphThatCannotBeDrawnLeavesTheOthersAndTheClip)
{
    CTarnDoc doc;
    RecordingMessages messages;
    doc.Arrange(Grid(1, 2), messages);
    doc.SelectGraph(1);
    doc.m_graphs[0].m_leftAxis.m_orientation = 5;
    doc.m_graphs[0].m_leftAxis.m_showGrid = 1; // the grid raises while the clip is set
    RecordingCanvas canvas;
    std::string failure;
    PageDrawOptions options;
    options.failure = &failure;
    DrawPage(doc, canvas, {0, 0, 400, 300}, options);
    EXPECT_EQ(failure, "Illegal axis orientation");
    EXPECT_FALSE(canvas.m_clipped);
    int fills = 0;
    for (const auto& record : canvas.m_records)
        fills += record.kind == RecordingCanvas::Kind::FillRect;
    EXPECT_EQ(fills, 2) << "the current graph is drawn after the broken one";
}
