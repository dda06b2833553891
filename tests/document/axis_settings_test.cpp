#include "document/axis_settings.h"

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

namespace {

// A page of two graphs side by side, the first current.
CTarnDoc TwoGraphs()
{
    CTarnDoc doc;
    RecordingMessages messages;
    ArrangeRequest request;
    request.columns = "2";
    ArrangeSizes sizes = ComputeArrangeSizes("1", "2", "0.1", "0.1");
    request.width = sizes.width;
    request.height = sizes.height;
    EXPECT_TRUE(doc.Arrange(request, messages));
    doc.SelectGraph(0);
    return doc;
}

AxisPropertiesEntries Entries(const char* major, const char* minor)
{
    AxisPropertiesEntries entries;
    entries.title = "Time";
    entries.majorSpacing = major;
    entries.minorSpacing = minor;
    entries.ticks = entries.labels = entries.grid = true;
    entries.color = 0x0000FF;
    return entries;
}

} // namespace

TEST(AxisSettings, LoadShowsTheNormalAxisAndEitherSidesFeatures)
{
    CTarnDoc doc;
    Graph& graph = doc.CurrentGraph();
    graph.m_rightAxis.m_showGrid = 1;
    graph.m_leftAxis.m_showTicks = 0;
    graph.m_rightAxis.m_showTicks = 1;
    graph.m_leftAxis.m_majorSpacing = 1.0f / 3.0f;
    const AxisPropertiesEntries y = LoadAxisProperties(graph, AxisDirection::Y);
    EXPECT_EQ(y.title, "Y Axis");
    EXPECT_EQ(y.majorSpacing, "0.333333");
    EXPECT_EQ(y.minorSpacing, "0.9");
    EXPECT_TRUE(y.ticks) << "the opposite axis has ticks";
    EXPECT_TRUE(y.grid);
    EXPECT_TRUE(y.labels);
    const AxisPropertiesEntries x = LoadAxisProperties(graph, AxisDirection::X);
    EXPECT_EQ(x.title, "X Axis");
    EXPECT_FALSE(x.grid);
}

TEST(AxisSettings, SpacingFieldsAreCheckedFirst)
{
    struct Row { const char* major; const char* minor; const char* message; };
    const Row rows[] = {
        {"abc", "1", "Please enter a valid number for the major tick spacing."},
        {"1", "", "Please enter a valid number for the minor tick spacing."},
        {"0", "1", "Please enter a positive number for the major tick spacing."},
        {"2", "-1/2", "Please enter a positive number for the minor tick spacing."},
        {"x+1", "1", "Please enter a valid number for the major tick spacing."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        CTarnDoc doc;
        const Axis before = doc.CurrentGraph().m_leftAxis;
        std::string message;
        EXPECT_FALSE(ApplyAxisProperties(doc, AxisDirection::Y, kApplyAllAxesAllGraphs,
                                         Entries(row.major, row.minor), &message));
        EXPECT_EQ(message, row.message);
        EXPECT_EQ(doc.CurrentGraph().m_yLabel.m_text, "Y Axis") << "nothing changes";
        EXPECT_EQ(doc.CurrentGraph().m_leftAxis.m_majorSpacing, before.m_majorSpacing);
    }
}

TEST(AxisSettings, ApplyToReachesDirectionsAndGraphs)
{
    struct Row { int applyTo; bool x0, y0, x1, y1; };
    const Row rows[] = {
        {kApplyCurrentAxis, false, true, false, false},
        {kApplyAllAxesCurrentGraph, true, true, false, false},
        {kApplyCurrentAxisAllGraphs, false, true, false, true},
        {kApplyAllAxesAllGraphs, true, true, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(kAxisApplyToNames[row.applyTo]);
        CTarnDoc doc = TwoGraphs();
        std::string message;
        ASSERT_TRUE(ApplyAxisProperties(doc, AxisDirection::Y, row.applyTo, Entries("2*2", "1/2"), &message));
        const bool reached[2][2] = {{row.x0, row.y0}, {row.x1, row.y1}};
        for (int g = 0; g < 2; ++g) {
            Graph& graph = doc.m_graphs[std::size_t(g)];
            EXPECT_EQ(graph.m_bottomAxis.m_majorSpacing == 4.0f, reached[g][0]) << g;
            EXPECT_EQ(graph.m_topAxis.m_userSpacing == 1, reached[g][0]) << g;
            EXPECT_EQ(graph.m_leftAxis.m_minorSpacing == 0.5f, reached[g][1]) << g;
            EXPECT_EQ(graph.m_rightAxis.m_color == 0x0000FFu, reached[g][1]) << g;
            EXPECT_EQ(graph.m_leftAxis.m_showGrid == 1, reached[g][1]) << g;
            EXPECT_EQ(graph.m_yLabel.m_text == "Time", reached[g][1]) << g;
            EXPECT_EQ(graph.m_xLabel.m_text, "X Axis") << "the title stays with its direction";
        }
    }
}

TEST(AxisSettings, SideChoicesDecideWhichAxesShowTicksAndLabels)
{
    struct Row { int tickSide; int labelSide; bool normalTicks, oppositeTicks, normalLabels, oppositeLabels; };
    const Row rows[] = {{kNormalSide, kOppositeSide, true, false, false, true},
                        {kBothSides, kNormalSide, true, true, true, false},
                        {kOppositeSide, kBothSides, false, true, true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tickSide * 10 + row.labelSide);
        CTarnDoc doc;
        Graph& graph = doc.CurrentGraph();
        graph.m_xTickSide = row.tickSide;
        graph.m_xLabelSide = row.labelSide;
        std::string message;
        ASSERT_TRUE(ApplyAxisProperties(doc, AxisDirection::X, kApplyCurrentAxis, Entries("1", "1"), &message));
        EXPECT_EQ(graph.m_bottomAxis.m_showTicks == 1, row.normalTicks);
        EXPECT_EQ(graph.m_topAxis.m_showTicks == 1, row.oppositeTicks);
        EXPECT_EQ(graph.m_bottomAxis.m_showLabels == 1, row.normalLabels);
        EXPECT_EQ(graph.m_topAxis.m_showLabels == 1, row.oppositeLabels);
        AxisPropertiesEntries off = Entries("1", "1");
        off.ticks = off.labels = false;
        ASSERT_TRUE(ApplyAxisProperties(doc, AxisDirection::X, kApplyCurrentAxis, off, &message));
        EXPECT_FALSE(graph.m_bottomAxis.m_showTicks || graph.m_topAxis.m_showTicks);
        EXPECT_FALSE(graph.m_bottomAxis.m_showLabels || graph.m_topAxis.m_showLabels);
    }
}

TEST(AxisSettings, UserSpacingSurvivesARescaleWithinAFactorTen)
{
    CTarnDoc doc;
    std::string message;
    ASSERT_TRUE(ApplyAxisProperties(doc, AxisDirection::X, kApplyCurrentAxis, Entries("1", "0.5"), &message));
    RecordingMessages messages;
    Graph& graph = doc.CurrentGraph();
    graph.SetXRange(0, 25, true, messages); // proposals 5 and 2.5
    EXPECT_FLOAT_EQ(graph.m_bottomAxis.m_majorSpacing, 1.0f);
    EXPECT_FLOAT_EQ(graph.m_topAxis.m_minorSpacing, 0.5f);
    graph.SetXRange(0, 52.5f, true, messages); // proposal 10.5 for the major spacing
    EXPECT_FLOAT_EQ(graph.m_bottomAxis.m_majorSpacing, 10.5f);
    EXPECT_FLOAT_EQ(graph.m_bottomAxis.m_minorSpacing, 5.25f) << "beyond ten times 0.5";
}

TEST(AxisSettings, TickMarksSidesAndDirections)
{
    struct Row { AxisDirection direction; int side; bool out; int normalOn, normalDir, oppositeOn, oppositeDir; };
    const Row rows[] = {
        {AxisDirection::Y, kNormalSide, true, 1, kTicksLeft, 0, kTicksRight},
        {AxisDirection::Y, kNormalSide, false, 1, kTicksRight, 0, kTicksRight},
        {AxisDirection::Y, kBothSides, true, 1, kTicksLeft, 1, kTicksRight},
        {AxisDirection::Y, kBothSides, false, 1, kTicksRight, 1, kTicksLeft},
        {AxisDirection::Y, kOppositeSide, true, 0, kTicksLeft, 1, kTicksRight},
        {AxisDirection::Y, kOppositeSide, false, 0, kTicksLeft, 1, kTicksLeft},
        {AxisDirection::X, kNormalSide, false, 1, kTicksUp, 0, kTicksUp},
        {AxisDirection::X, kBothSides, true, 1, kTicksDown, 1, kTicksUp},
        {AxisDirection::X, kOppositeSide, true, 0, kTicksDown, 1, kTicksUp},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.direction) * 100 + row.side * 10 + row.out);
        CTarnDoc doc;
        ApplyTickMarks(doc, row.direction, kApplyCurrentAxis, {row.side, row.out});
        Graph& graph = doc.CurrentGraph();
        const Axis& normal = NormalAxis(graph, row.direction);
        const Axis& opposite = OppositeAxis(graph, row.direction);
        EXPECT_EQ(normal.m_showTicks, row.normalOn);
        EXPECT_EQ(opposite.m_showTicks, row.oppositeOn);
        EXPECT_EQ(normal.m_tickDirection, row.normalDir);
        EXPECT_EQ(opposite.m_tickDirection, row.oppositeDir);
        // Loading again shows what was chosen.
        const TickMarkEntries loaded = LoadTickMarks(graph, row.direction);
        EXPECT_EQ(loaded.side, row.side);
        EXPECT_EQ(loaded.out, row.out);
    }
}

TEST(AxisSettings, TickLabelsCopyStyleToBothAxes)
{
    CTarnDoc doc = TwoGraphs();
    TickLabelEntries entries;
    entries.side = kOppositeSide;
    entries.font.height = -20;
    entries.color = 0x00FF00;
    entries.format = 2;
    entries.precision = 1;
    ApplyTickLabels(doc, AxisDirection::Y, kApplyCurrentAxisAllGraphs, entries);
    for (const Graph& graph : doc.m_graphs) {
        EXPECT_EQ(graph.m_yLabelSide, kOppositeSide);
        EXPECT_EQ(graph.m_leftAxis.m_showLabels, 0);
        EXPECT_EQ(graph.m_rightAxis.m_showLabels, 1);
        for (const Axis* axis : {&graph.m_leftAxis, &graph.m_rightAxis}) {
            EXPECT_EQ(axis->m_labelFont.height, -20);
            EXPECT_EQ(axis->m_labelColor, 0x00FF00u);
            EXPECT_EQ(axis->m_format, 2);
            EXPECT_EQ(axis->m_precision, 1);
        }
        EXPECT_EQ(graph.m_bottomAxis.m_precision, 3) << "x untouched";
    }
    EXPECT_EQ(LoadTickLabels(doc.m_graphs[1], AxisDirection::Y).format, 2);
}

TEST(AxisSettings, GridGoesToTheNormalAxisAndSwitchesOnForTheCurrentGraph)
{
    struct Row { int applyTo; bool switched; };
    for (Row row : {Row{kApplyCurrentAxis, true}, Row{kApplyAllAxesCurrentGraph, true},
                    Row{kApplyCurrentAxisAllGraphs, false}, Row{kApplyAllAxesAllGraphs, false}}) {
        SCOPED_TRACE(kAxisApplyToNames[row.applyTo]);
        CTarnDoc doc = TwoGraphs();
        EXPECT_EQ(ApplyGrid(doc, AxisDirection::X, row.applyTo, {kDashed, 3, 0x646464}), row.switched);
        const Axis& bottom = doc.m_graphs[0].m_bottomAxis;
        EXPECT_EQ(bottom.m_gridType, int(kDashed));
        EXPECT_EQ(bottom.m_gridSize, 3);
        EXPECT_EQ(bottom.m_gridColor, 0x646464u);
        EXPECT_EQ(bottom.m_showGrid == 1, row.switched);
        EXPECT_EQ(doc.m_graphs[0].m_topAxis.m_gridType, 0) << "the opposite axis keeps its own";
        EXPECT_EQ(doc.m_graphs[1].m_bottomAxis.m_gridSize == 3, row.applyTo >= kApplyCurrentAxisAllGraphs);
    }
}
