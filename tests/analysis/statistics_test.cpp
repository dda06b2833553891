#include "analysis/statistics.h"

#include "tests/analysis/analysis_fixture.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

TEST(Statistics, WorkedExamples)
{
    struct Row {
        const char* reason;
        std::vector<PlotPoint> points;
        const char* text;
    };
    const Row rows[] = {
        {"one point: no StdDev lines", {{2, 3}},
         "<x> = 2\n<x^2> = 4\nmin(x) = 2\nmax(x) = 2\nsum(x) = 2\n\n"
         "<y> = 3\n<y^2> = 9\nmin(y) = 3\nmax(y) = 3\nsum(y) = 3\n\n"},
        {"three points on a line", {{1, 1}, {2, 2}, {3, 3}},
         "<x> = 2\n<x^2> = 4.66667\nStdDev(x) = 1\nmin(x) = 1\nmax(x) = 3\nsum(x) = 6\n\n"
         "<y> = 2\n<y^2> = 4.66667\nStdDev(y) = 1\nmin(y) = 1\nmax(y) = 3\nsum(y) = 6\n\n"},
        {"all x equal: variance 0", {{5, -1}, {5, 0.5f}, {5, 4}},
         "<x> = 5\n<x^2> = 25\nStdDev(x) = 0\nmin(x) = 5\nmax(x) = 5\nsum(x) = 15\n\n"
         "<y> = 1.16667\n<y^2> = 5.75\nStdDev(y) = 2.5658\nmin(y) = -1\nmax(y) = 4\nsum(y) = 3.5\n\n"},
        {"data far from zero keeps its spread",
         {{10000001, 0}, {10000002, 0}, {10000003, 0}},
         "<x> = 1e+07\n<x^2> = 1e+14\nStdDev(x) = 1\nmin(x) = 1e+07\nmax(x) = 1e+07\nsum(x) = 3e+07\n\n"
         "<y> = 0\n<y^2> = 0\nStdDev(y) = 0\nmin(y) = 0\nmax(y) = 0\nsum(y) = 0\n\n"},
        {"no points", {}, "No Data in Plot!\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(StatisticsText(MakePlot(row.points)), row.text);
    }
}

TEST(Statistics, AgreesWithATwoPassComputation)
{
    std::mt19937 random(7);
    for (const float offset : {0.0f, -300.0f, 5e4f}) {
        SCOPED_TRACE(offset);
        std::normal_distribution<float> value(offset, 3.0f);
        std::vector<PlotPoint> points;
        for (int i = 0; i < 1000; ++i)
            points.push_back({value(random), -value(random)});
        const PlotStatistics statistics = ComputeStatistics(MakePlot(points));

        double mean = 0, minimum = points[0].x, maximum = points[0].x;
        for (const PlotPoint& point : points) {
            mean += point.x;
            minimum = std::min<double>(minimum, point.x);
            maximum = std::max<double>(maximum, point.x);
        }
        mean /= double(points.size());
        double squares = 0;
        for (const PlotPoint& point : points)
            squares += (point.x - mean) * (point.x - mean);
        const double stdDev = std::sqrt(squares / double(points.size() - 1));
        EXPECT_EQ(statistics.count, 1000);
        EXPECT_NEAR(statistics.x.mean, mean, 1e-9 * (1 + std::fabs(mean)));
        EXPECT_NEAR(statistics.x.stdDev, stdDev, 1e-9 * stdDev);
        EXPECT_EQ(statistics.x.min, minimum);
        EXPECT_EQ(statistics.x.max, maximum);
        EXPECT_NEAR(statistics.y.mean, -mean, 0.5) << "the y values come from the same spread";
    }
}

TEST(Statistics, ReportListsTheChosenActiveSetsInListOrder)
{
    Graph graph;
    AddSet(graph, {{1, 2}}, "first");
    AddSet(graph, {{1, 1}}, "not chosen", false);
    const int inactive = AddSet(graph, {{1, 1}}, "inactive");
    graph.m_plots.Get(inactive).m_visible = 0;
    AddSet(graph, {}, "empty");
    const std::string report = StatisticsReport(graph);
    const std::string first = "******* Set #0 (N = 1) \"first\" *******\n<x> = 1\n";
    const std::string empty = "******* Set #3 (N = 0) \"empty\" *******\nNo Data in Plot!\n";
    EXPECT_EQ(report.rfind(first, 0), 0u) << report;
    EXPECT_EQ(report.substr(report.size() - empty.size()), empty);
    EXPECT_EQ(report.find("not chosen"), std::string::npos);
    EXPECT_EQ(report.find("inactive"), std::string::npos);

    RecordingMessages messages;
    EXPECT_TRUE(ShowStatistics(graph, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Plot Statistics Results: " + report);
}

TEST(Statistics, NothingChosenIsAMessage)
{
    Graph graph;
    AddSet(graph, {{1, 2}}, "a", false);
    RecordingMessages messages;
    EXPECT_FALSE(ShowStatistics(graph, messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"No Plots have been selected!"});
}
