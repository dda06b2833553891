#include "analysis/differences.h"

#include "model/colors.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

std::vector<PlotPoint> Derivative(const std::vector<PlotPoint>& points,
                                  SlopePlacement placement = SlopePlacement::Centered)
{
    Plot result;
    BuildDerivative(MakePlot(points), 0, placement, result);
    return Points(result);
}

const std::vector<PlotPoint> kSquares = {{0, 0}, {1, 1}, {2, 4}, {3, 9}};

} // namespace

TEST(Differences, WorkedExamples)
{
    struct Row {
        const char* reason;
        std::vector<PlotPoint> points;
        SlopePlacement placement;
        std::vector<PlotPoint> result;
    };
    const Row rows[] = {
        {"x squared, centred: the exact slopes", kSquares, SlopePlacement::Centered, {{1, 2}, {2, 4}}},
        {"left: the slope at the first point of each window", kSquares, SlopePlacement::Left,
         {{0, 0}, {1, 2}}},
        {"right: the slope at the last point of each window", kSquares, SlopePlacement::Right,
         {{2, 4}, {3, 6}}},
        {"windows with a repeated x yield nothing", {{0, 0}, {1, 1}, {1, 4}, {2, 9}},
         SlopePlacement::Centered, {}},
        {"a window with a NaN x yields nothing", {{0, 0}, {NAN, 1}, {2, 4}, {3, 9}, {4, 16}},
         SlopePlacement::Centered, {{3, 6}}},
        {"descending x as read from a file", {{3, 9}, {2, 4}, {1, 1}, {0, 0}},
         SlopePlacement::Centered, {{2, 4}, {1, 2}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(Derivative(row.points, row.placement), row.result);
    }
}

TEST(Differences, EveryPlacementIsExactOnAParabola)
{
    // The slope of the parabola through three points of a parabola is its
    // derivative at each of them, wherever the points lie.
    std::mt19937 random(3);
    std::uniform_real_distribution<float> step(0.1f, 2.0f);
    std::vector<PlotPoint> points;
    float x = -5;
    auto f = [](double v) { return 0.5 * v * v - 2 * v + 1; };
    for (int i = 0; i < 40; ++i) {
        x += step(random);
        points.push_back({x, float(f(x))});
    }
    for (SlopePlacement placement :
         {SlopePlacement::Centered, SlopePlacement::Left, SlopePlacement::Right}) {
        SCOPED_TRACE(int(placement));
        const std::vector<PlotPoint> result = Derivative(points, placement);
        ASSERT_EQ(result.size(), points.size() - 2);
        const int offset = placement == SlopePlacement::Left ? 0 : placement == SlopePlacement::Centered ? 1 : 2;
        for (std::size_t i = 0; i < result.size(); ++i) {
            EXPECT_EQ(result[i].x, points[i + offset].x);
            EXPECT_NEAR(result[i].y, result[i].x - 2.0, 1e-3) << "at x = " << result[i].x;
        }
    }
}

TEST(Differences, ColourAndStyleFollowTheSource)
{
    struct Row {
        Color source;
        int sourceStyle;
        Color result;
        int resultStyle;
    };
    const Row rows[] = {
        {ColorFromCode(kRed), kSolid, ColorFromCode(kGreen), kDotted},
        {ColorFromCode(kGrey), kDashDot, ColorFromCode(kBlack), kDashDotDot},
        {ColorFromCode(kBlack), kDashDotDot, ColorFromCode(kRed), kSolid},
        {ColorFromCode(kCyan), kNoLine, ColorFromCode(kGrey), kDotted},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        Plot source = MakePlot(kSquares);
        source.m_lineColor = row.source;
        source.m_lineStyle = row.sourceStyle;
        Plot result;
        BuildDerivative(source, 4, SlopePlacement::Centered, result);
        EXPECT_EQ(result.m_lineColor, row.result);
        EXPECT_EQ(result.m_lineStyle, row.resultStyle);
        EXPECT_EQ(result.m_pointStyle, kNoSymbol);
        EXPECT_EQ(result.m_info, "Derivative of Set 4");
    }
}

TEST(Differences, PositivityFlags)
{
    Plot result;
    BuildDerivative(MakePlot({{1, 1}, {2, 4}, {3, 9}}), 0, SlopePlacement::Centered, result);
    EXPECT_EQ(result.m_xPositive, 1);
    EXPECT_EQ(result.m_yPositive, 1);
    BuildDerivative(MakePlot(kSquares), 0, SlopePlacement::Left, result);
    EXPECT_EQ(result.m_xPositive, 0) << "a result at x = 0";
    EXPECT_EQ(result.m_yPositive, 0) << "a slope of 0";
}

TEST(Differences, ChecksComeInOrderAndChangeNothing)
{
    struct Row {
        const char* reason;
        bool chosen;
        int method;
        std::vector<PlotPoint> second;
        const char* message;
    };
    const Row rows[] = {
        {"no set chosen", false, kFivePoint, {{1, 1}}, "No Plots have been selected!"},
        {"five points before the point count", true, kFivePoint, {{1, 1}},
         "The five point discrete derivative is currently unsupported by this version. Sorry!"},
        {"a chosen set with two points stops every set", true, kThreePoint, {{1, 1}, {2, 2}},
         "At least three points are needed to compute a three point derivative."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        CTarnDoc doc;
        RecordingMessages messages;
        AddSet(doc.CurrentGraph(), kSquares, "good", row.chosen);
        AddSet(doc.CurrentGraph(), row.second, "short", row.chosen);
        DerivativeRequest request;
        request.method = row.method;
        EXPECT_FALSE(MakeDerivatives(doc, request, messages));
        EXPECT_EQ(messages.shown, std::vector<std::string>{row.message});
        EXPECT_EQ(doc.CurrentGraph().m_plots.Count(), 2);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST(Differences, ResultsJoinTheTargetAndFollowItsLogAxes)
{
    struct Row {
        const char* reason;
        std::vector<PlotPoint> points;
        int xLog, yLog;
        bool warned;
        int xLogAfter, yLogAfter;
    };
    const Row rows[] = {
        {"a zero slope makes the log y axis linear", {{1, 1}, {2, 0.5f}, {3, 1}}, 0, 1, true, 0, 0},
        {"positive results keep both log axes", {{1, 1}, {2, 4}, {3, 9}, {4, 16}}, 1, 1, false, 1, 1},
        {"a linear graph warns of nothing", {{1, 1}, {2, 0.5f}, {3, 1}}, 0, 0, false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        CTarnDoc doc;
        RecordingMessages messages;
        Graph& graph = doc.CurrentGraph();
        AddSet(graph, row.points, "data");
        ASSERT_TRUE(graph.SetLogScale(row.xLog, row.yLog, messages));
        AddedSets added;
        ASSERT_TRUE(MakeDerivatives(doc, DerivativeRequest{}, messages, &added));
        EXPECT_EQ(added.sets, std::vector<int>{1});
        EXPECT_EQ(messages.shown.size(), row.warned ? 1u : 0u);
        if (row.warned) {
            EXPECT_EQ(messages.shown[0], "Warning! Can't use a log axis with negative or zero values!");
        }
        EXPECT_EQ(graph.m_xLog, row.xLogAfter);
        EXPECT_EQ(graph.m_yLog, row.yLogAfter);
        const Plot& result = graph.m_plots.Get(1);
        EXPECT_EQ(result.m_xLog, row.xLogAfter) << "the new set draws on the graph's scales";
        EXPECT_EQ(result.m_yLog, row.yLogAfter);
        EXPECT_EQ(result.m_yMax, graph.m_yMax);
        EXPECT_TRUE(doc.IsModified());
    }
}
