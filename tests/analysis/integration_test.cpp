#include "analysis/integration.h"

#include "tests/analysis/analysis_fixture.h"
#include "tests/render/test_messages.h"
#include "tests/support/comma_locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <random>

namespace {

IntegrationLimits User(float from, float to)
{
    return {true, from, to};
}

const std::vector<PlotPoint> kLine = {{0, 0}, {1, 1}, {2, 2}};

} // namespace

TEST(Integration, WorkedExamples)
{
    struct Row {
        const char* reason;
        std::vector<PlotPoint> points;
        IntegrationLimits limits;
        const char* text;
    };
    const Row rows[] = {
        {"automatic limits", kLine, {}, "line\r\nIntegration limits [0, 2]\r\nIntegral = 2\r\n\r\n"},
        {"stored in any order", {{2, 2}, {0, 0}, {1, 1}}, {},
         "line\r\nIntegration limits [0, 2]\r\nIntegral = 2\r\n\r\n"},
        {"an interval crossing a limit is left out", kLine, User(0.5f, 2),
         "line\r\nIntegration limits [0.5, 2]\r\nIntegral = 1.5\r\n\r\n"},
        {"reversed limits change the sign", kLine, User(2, 0),
         "line\r\nIntegration limits [2, 0]\r\nIntegral = -2\r\n\r\n"},
        {"no interval between equal limits", kLine, User(0, 0),
         "line\r\nIntegration limits [0, 0]\r\nIntegral = 0\r\n\r\n"},
        {"one point, automatic", {{1, 5}}, {}, "line\r\n1 point in plot, integral is zero.\r\n\r\n"},
        {"one point, user limits", {{1, 5}}, User(0, 3),
         "line\r\nIntegration limits [0, 3]\r\n1 point in plot, integral is zero.\r\n\r\n"},
        {"no points", {}, {}, "line\r\nNo points in plot!\r\n\r\n"},
        {"no points, user limits", {}, User(-1, 1),
         "line\r\nIntegration limits [-1, 1]\r\nNo points in plot!\r\n\r\n"},
        {"equal x add nothing", {{0, 1}, {1, 1}, {1, 1}, {2, 1}}, {},
         "line\r\nIntegration limits [0, 2]\r\nIntegral = 2\r\n\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(IntegrationText(MakePlot(row.points, "line"), row.limits), row.text);
    }
}

TEST(Integration, EveryOrderOfThePointsGivesTheSameSum)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> value(-10, 10);
    std::vector<PlotPoint> points(2000);
    for (PlotPoint& point : points)
        point = {value(random), value(random)};
    std::vector<PlotPoint> sorted = points;
    std::sort(sorted.begin(), sorted.end(),
              [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; });
    double expected = 0, inside = 0;
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const double area = (double(sorted[i - 1].y) + sorted[i].y) *
                            (double(sorted[i].x) - sorted[i - 1].x) / 2;
        expected += area;
        if (sorted[i - 1].x >= -3.0f && sorted[i].x <= 4.5f)
            inside += area;
    }
    std::vector<PlotPoint> descending(sorted.rbegin(), sorted.rend());
    for (const auto* order : {&points, &sorted, &descending}) {
        double integral = 0;
        ASSERT_TRUE(Integrate(MakePlot(*order), {}, integral));
        EXPECT_NEAR(integral, expected, 1e-9 * (1 + std::fabs(expected)));
        ASSERT_TRUE(Integrate(MakePlot(*order), User(4.5f, -3), integral));
        EXPECT_NEAR(integral, -inside, 1e-9 * (1 + std::fabs(inside)));
    }
}

TEST(Integration, PointsWithoutANumberForXDoNotBreakTheSort)
{
    std::vector<PlotPoint> points;
    for (int i = 0; i < 200; ++i)
        points.push_back({i % 7 == 0 ? NAN : float((i * 37) % 101), 1});
    double integral = 0;
    float lowest = 0, highest = 0;
    ASSERT_TRUE(Integrate(MakePlot(points), {}, integral, &lowest, &highest));
    EXPECT_EQ(lowest, 0.0f);
    EXPECT_TRUE(std::isnan(highest)) << "they sort last";
    ASSERT_TRUE(Integrate(MakePlot(points), User(0, 100), integral));
    EXPECT_FLOAT_EQ(integral, 100.0f) << "user limits leave them out: y = 1 from 0 to 100";
}

TEST(Integration, ReportAndMessages)
{
    Graph graph;
    AddSet(graph, kLine, "a");
    AddSet(graph, kLine, "b", false);
    AddSet(graph, {{1, 1}}, "c");
    RecordingMessages messages;
    EXPECT_TRUE(ShowIntegration(graph, {}, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              "Integration results: a\r\nIntegration limits [0, 2]\r\nIntegral = 2\r\n\r\n"
              "c\r\n1 point in plot, integral is zero.\r\n\r\n");

    graph.m_plots.Get(0).m_visible = 0;
    graph.m_plots.Get(2).m_selected = 0;
    messages.shown.clear();
    EXPECT_FALSE(ShowIntegration(graph, {}, messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"No Plots have been selected!"});
}

TEST(Integration, LimitFieldsTakePlainNumbersOnly)
{
    struct Row {
        const char* text;
        bool accepted;
        float value;
    };
    const Row rows[] = {
        {"2", true, 2},           {" -0.5 ", true, -0.5f}, {"1e3", true, 1000},
        {"+.25", true, 0.25f},    {"", false, 0},          {"abc", false, 0},
        {"2*pi", false, 0},       {"5-", false, 0},        {"1,5", false, 0},
        {"0x10", false, 0},       {"inf", false, 0},       {"nan", false, 0},
        {"1e39", false, 0},       {"3.4e38", true, 3.4e38f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        float value = -7;
        EXPECT_EQ(ReadLimitField(row.text, value), row.accepted);
        EXPECT_EQ(value, row.accepted ? row.value : -7.0f);
    }
}

TEST(Integration, TextsUseCNumbersUnderAnyLocale)
{
    ASSERT_TRUE(UseDecimalCommaLocale()) << "no decimal-comma locale could be made";
    float value = 0;
    EXPECT_TRUE(ReadLimitField("0.5", value));
    EXPECT_EQ(value, 0.5f);
    EXPECT_EQ(IntegrationText(MakePlot({{0, 1}, {0.5f, 1}}, "n"), {}),
              "n\r\nIntegration limits [0, 0.5]\r\nIntegral = 0.5\r\n\r\n");
    std::setlocale(LC_NUMERIC, "C");
}
