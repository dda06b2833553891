#include "analysis/histogram.h"

#include "model/colors.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

std::vector<PlotPoint> Histogram(const std::vector<float>& ys, HistogramBins bins)
{
    Plot result;
    BuildHistogram(MakePlot(WithY(ys)), 0, bins, result);
    return Points(result);
}

HistogramBins Bins(float start, float width, int count, bool normalize = false, bool align = true)
{
    HistogramBins bins;
    bins.start = start;
    bins.width = width;
    bins.count = count;
    bins.normalize = normalize;
    bins.alignOnValue = align;
    return bins;
}

// A page whose current graph holds one chosen set with the given y values.
struct Page {
    explicit Page(const std::vector<float>& ys) { AddSet(doc.CurrentGraph(), WithY(ys), "data"); }
    Graph& graph() { return doc.CurrentGraph(); }
    CTarnDoc doc;
    RecordingMessages messages;
};

HistogramRequest ByWidth(const char* width, const char* start, const char* end)
{
    HistogramRequest request;
    request.binWidth = width;
    request.start = start;
    request.end = end;
    return request;
}

} // namespace

TEST(Histogram, WorkedExamples)
{
    const std::vector<float> quarterly = {0.1f, 0.4f, 0.6f, 0.9f};
    struct Row {
        const char* reason;
        std::vector<float> ys;
        HistogramBins bins;
        std::vector<PlotPoint> points;
    };
    const Row rows[] = {
        {"two bins aligned on their start", quarterly, Bins(0, 0.5f, 2), {{0, 2}, {0.5f, 2}, {1, 0}}},
        {"unaligned: at the bin centres", quarterly, Bins(0, 0.5f, 2, false, false),
         {{0.25f, 2}, {0.75f, 2}, {1.25f, 0}}},
        {"normalised: area 1", quarterly, Bins(0, 0.5f, 2, true), {{0, 1}, {0.5f, 1}, {1, 0}}},
        {"a y past the whole bins is not counted", {0.1f, 0.95f}, Bins(0, 0.3f, 3),
         {{0, 1}, {0.3f, 0}, {0.6f, 0}, {0.9f, 0}}},
        {"less than a bin below the start counts in bin 0", {-0.2f, -0.5f}, Bins(0, 0.5f, 2),
         {{0, 1}, {0.5f, 0}, {1, 0}}},
        {"no bins: only the closing point", quarterly, Bins(0.5f, 0.5f, 0), {{0.5f, 0}}},
        {"nothing counted stays 0 when normalised", {5, 6}, Bins(0, 0.5f, 2, true),
         {{0, 0}, {0.5f, 0}, {1, 0}}},
        {"values that are not numbers are not counted", {NAN, 0.1f, INFINITY, -INFINITY},
         Bins(0, 0.5f, 2), {{0, 1}, {0.5f, 0}, {1, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        const std::vector<PlotPoint> points = Histogram(row.ys, row.bins);
        ASSERT_EQ(points.size(), row.points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_FLOAT_EQ(points[i].x, row.points[i].x) << i;
            EXPECT_FLOAT_EQ(points[i].y, row.points[i].y) << i;
        }
    }
}

TEST(Histogram, CountsAgreeWithCountingEachBinOnItsOwn)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> value(-3, 13);
    std::vector<float> ys(5000);
    for (float& y : ys)
        y = value(random);
    const HistogramBins bins = Bins(1, 0.7f, 12);
    const std::vector<PlotPoint> points = Histogram(ys, bins);
    ASSERT_EQ(points.size(), 13u);
    for (int i = 0; i < 12; ++i) {
        const float low = i == 0 ? 1 - 0.7f : 1 + 0.7f * float(i);
        const float high = 1 + 0.7f * float(i + 1);
        int inside = 0;
        for (float y : ys)
            inside += y > low && y < high;
        // Values within rounding of a bin edge may fall either side.
        EXPECT_NEAR(points[std::size_t(i)].y, inside, 2) << "bin " << i;
    }
    const std::vector<PlotPoint> normalised = Histogram(ys, Bins(1, 0.7f, 12, true));
    double area = 0;
    for (const PlotPoint& point : normalised)
        area += 0.7 * point.y;
    EXPECT_NEAR(area, 1.0, 1e-5);
}

TEST(Histogram, ResultSetFields)
{
    Plot result;
    BuildHistogram(MakePlot(WithY({1})), 3, Bins(0.5f, 1, 1), result);
    EXPECT_EQ(result.m_info, "Histogram of Set 3");
    EXPECT_EQ(result.m_pointStyle, kHistogramX);
    EXPECT_EQ(result.m_pointColor, kNoColor);
    EXPECT_EQ(result.m_pointColorNone, 1);
    EXPECT_EQ(result.m_lineStyle, kNoLine);
    EXPECT_EQ(result.m_lineColor, 0u);
    EXPECT_EQ(result.m_xPositive, 1) << "start 0.5 > 0";
    EXPECT_EQ(result.m_yPositive, 0);
    BuildHistogram(MakePlot(WithY({1})), 3, Bins(0, 1, 1), result);
    EXPECT_EQ(result.m_xPositive, 0) << "start 0";
}

TEST(Histogram, ChecksComeInOrderAndChangeNothing)
{
    struct Row {
        const char* reason;
        HistogramRequest request;
        bool chosen;
        const char* message;
    };
    HistogramRequest counted = ByWidth("", "0", "1");
    counted.byBinCount = true;
    auto count = [&](const char* bins, const char* start = "0", const char* end = "1") {
        HistogramRequest request = counted;
        request.binCount = bins;
        request.start = start;
        request.end = end;
        return request;
    };
    const Row rows[] = {
        {"no set chosen comes first", ByWidth("x", "x", "x"), false, "No Plots have been selected!"},
        {"then the end", ByWidth("x", "x", "1/0"), true, "Invalid end value!"},
        {"then the start", ByWidth("x", "", "1"), true, "Invalid start value!"},
        {"an infinite start is no value", ByWidth("0.5", "-1e39", "1"), true, "Invalid start value!"},
        {"then the width", ByWidth("e", "2", "1"), true, "Invalid bin width"},
        {"a zero width", ByWidth("0", "2", "1"), true, "Bin Width value <= 0. No histogram for you."},
        {"a negative width", ByWidth("-1", "2", "1"), true,
         "Bin Width value <= 0. No histogram for you."},
        {"last the order of start and end", ByWidth("0.5", "2", "1"), true,
         "Start value > Ending value."},
        {"a bin count that is no number", count("two"), true, "Invalid number of bins"},
        {"a bin count that truncates to 0", count("0.5"), true,
         "# Bin <= 0. No histogram for you."},
        {"a negative bin count", count("-3"), true, "# Bin <= 0. No histogram for you."},
        {"more bins than memory should hold", count("1e8"), true,
         "# Bin > 10000000. No histogram for you."},
        {"a width that makes too many bins", ByWidth("1e-9", "0", "1"), true,
         "# Bin > 10000000. No histogram for you."},
        {"a range wider than a float", ByWidth("1", "-3e38", "3e38"), true,
         "# Bin > 10000000. No histogram for you."},
        {"bins beyond the float range", ByWidth("1e38", "0", "3e38"), true,
         "The bins reach beyond the largest number a data set can hold. No histogram for you."},
        {"bins by count beyond the float range", count("2", "-3e38", "3e38"), true,
         "The bins reach beyond the largest number a data set can hold. No histogram for you."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        Page page({0.1f});
        page.graph().m_plots.Get(0).m_selected = row.chosen;
        EXPECT_FALSE(MakeHistograms(page.doc, row.request, page.messages));
        EXPECT_EQ(page.messages.shown, std::vector<std::string>{row.message});
        EXPECT_EQ(page.graph().m_plots.Count(), 1);
        EXPECT_FALSE(page.doc.IsModified());
    }
}

TEST(Histogram, BinsByCountOrWidth)
{
    struct Row {
        const char* reason;
        bool byCount;
        const char* value;
        const char* start;
        const char* end;
        int points;
    };
    const Row rows[] = {
        {"2.7 bins are 2", true, "2.7", "0", "1", 3},
        {"an expression for the width", false, "1/4", "0", "1", 5},
        {"a tenth of the range gives ten bins", false, "0.1", "0", "1", 11},
        {"start equal to end: only the closing point", false, "0.5", "2", "2", 1},
        {"start equal to end by count: empty bins at the start", true, "3", "2", "2", 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        Page page({0.1f, 0.9f});
        HistogramRequest request = ByWidth(row.byCount ? "" : row.value, row.start, row.end);
        request.byBinCount = row.byCount;
        request.binCount = row.byCount ? row.value : "";
        AddedSets added;
        ASSERT_TRUE(MakeHistograms(page.doc, request, page.messages, &added));
        EXPECT_TRUE(page.messages.shown.empty());
        ASSERT_EQ(added.sets, std::vector<int>{1});
        EXPECT_EQ(page.graph().m_plots.Get(1).PointCount(), row.points);
        EXPECT_TRUE(page.doc.IsModified());
    }
}

TEST(Histogram, EveryChosenSetGoesToTheTargetGraph)
{
    CTarnDoc doc;
    RecordingMessages messages;
    ArrangeRequest two;
    two.columns = "2";
    ASSERT_TRUE(doc.Arrange(two, messages));
    Graph& current = doc.CurrentGraph();
    AddSet(current, WithY({1, 2}), "a");
    AddSet(current, WithY({1}), "skipped", false);
    AddSet(current, WithY({2, 2, 2}), "c");
    HistogramRequest request = ByWidth("1", "0", "3");
    request.targetGraph = 1 - doc.m_currentGraph;
    AddedSets added;
    ASSERT_TRUE(MakeHistograms(doc, request, messages, &added));
    EXPECT_EQ(added.graph, request.targetGraph);
    EXPECT_EQ(added.sets, (std::vector<int>{0, 1}));
    const Graph& target = doc.m_graphs[std::size_t(request.targetGraph)];
    ASSERT_EQ(target.m_plots.Count(), 2);
    EXPECT_EQ(target.m_plots.Get(0).m_info, "Histogram of Set 0");
    EXPECT_EQ(target.m_plots.Get(1).m_info, "Histogram of Set 2");
    EXPECT_EQ(Points(target.m_plots.Get(1))[2].y, 3.0f) << "three values of 2 in bin 2";
    EXPECT_EQ(current.m_plots.Count(), 3) << "the source graph keeps its sets only";
    EXPECT_EQ(target.m_plots.Get(0).m_left, target.m_left) << "the new sets take the plot area";
    EXPECT_FLOAT_EQ(target.m_yMax, 3.15f) << "the target is rescaled to its new sets";
}

TEST(Histogram, LogAxesOfTheTarget)
{
    struct Row {
        const char* reason;
        const char* start;
        int xLog;
        int yLog;
        int xLogAfter;
    };
    const Row rows[] = {
        {"a log y axis becomes linear", "0.5", 0, 1, 0},
        {"a log x axis stays while every x is positive", "0.5", 1, 1, 1},
        {"a log x axis goes with a start of 0", "0", 1, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        Page page({1, 2, 3});
        Graph& graph = page.graph();
        ASSERT_TRUE(graph.SetLogScale(row.xLog, row.yLog, page.messages));
        ASSERT_TRUE(MakeHistograms(page.doc, ByWidth("1", row.start, "3.5"), page.messages));
        EXPECT_EQ(graph.m_xLog, row.xLogAfter);
        EXPECT_EQ(graph.m_yLog, 0);
        for (int i = 0; i < graph.m_plots.Count(); ++i) {
            EXPECT_EQ(graph.m_plots.Get(i).m_xLog, row.xLogAfter) << "set " << i;
            EXPECT_EQ(graph.m_plots.Get(i).m_yLog, 0) << "set " << i;
        }
        EXPECT_EQ(graph.m_leftAxis.m_log, 0) << "the axes follow";
    }
}
