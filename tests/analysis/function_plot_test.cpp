#include "analysis/function_plot.h"

#include "document/function_history.h"
#include "model/style_codes.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/render/test_messages.h"
#include "tests/support/memory_limit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

FunctionRequest Explicit(const char* formula, const char* min, const char* max, const char* points = "100")
{
    FunctionRequest request;
    request.formula = formula;
    request.min = min;
    request.max = max;
    request.points = points;
    return request;
}

FunctionRequest Curve(FunctionKind kind, const char* formula, const char* formula2, const char* min,
                      const char* max, const char* points = "100")
{
    FunctionRequest request = Explicit(formula, min, max, points);
    request.kind = kind;
    request.formula2 = formula2;
    return request;
}

struct Page {
    Graph& graph() { return doc.CurrentGraph(); }
    // Plots `request` and returns the new set's points (empty after a message).
    std::vector<PlotPoint> Plot(const FunctionRequest& request)
    {
        const int index = PlotFunction(graph(), request, messages);
        if (index < 0)
            return {};
        return Points(graph().m_plots.Get(index));
    }
    CTarnDoc doc;
    RecordingMessages messages;
};

} // namespace

TEST(FunctionPlot, OneOverXSkipsThePointAtZero)
{
    Page page;
    const std::vector<PlotPoint> points = page.Plot(Explicit("1/x", "-1", "1", "3"));
    EXPECT_TRUE(page.messages.shown.empty());
    EXPECT_EQ(points, (std::vector<PlotPoint>{{-1, -1}, {1, 1}})) << "listed by increasing x";
}

TEST(FunctionPlot, RefusalsShowTheirMessageAndAddNothing)
{
    struct Row {
        FunctionRequest request;
        const char* message;
    };
    const Row rows[] = {
        {Explicit("5", "0", "1"), "Incorrect number of arguments (not 1)"},
        {Explicit("a*x", "0", "1"), "The symbol 'a' is undefined"},
        {Explicit("x*b+a", "0", "1"), "The symbol 'b' is undefined"},
        {Explicit("a*t", "0", "1"), "Please specify a function of x."},
        {Explicit("log(x)", "-2", "-1"), "Unable to evalute the function within the given range of x"},
        {Explicit("x", "0", "e"), "Invalid x max value!"},
        {Explicit("x", "???", "1"), "Invalid x min value!"},
        {Explicit("x", "0", "1e39"), "Invalid x max value!"},
        {Explicit("x", "1", "1"), "x min is greater than (or equal) to x max."},
        {Explicit("x", "2", "1"), "x min is greater than (or equal) to x max."},
        {Explicit("x", "0", "1e-38", "4294967295"), "Invalid x step size."},
        {Explicit("x+", "0", "1"), "Dangling expression"},
        {Explicit("log(0)+x", "0", "1"), "Unary log of <= 0"},
        {Explicit("x", "0", "1", "0"), kPointCountMessage},
        {Explicit("x", "0", "1", ""), kPointCountMessage},
        {Explicit("x", "0", "1", "1.5"), kPointCountMessage},
        {Explicit("x", "0", "1", "4294967296"), kPointCountMessage},
        {Curve(FunctionKind::Parametric, "a*t", "t", "0", "1"), "The symbol 'a' is undefined in x(t)"},
        {Curve(FunctionKind::Parametric, "t", "t*q", "0", "1"), "The symbol 'q' is undefined in y(t)"},
        {Curve(FunctionKind::Parametric, "x", "t", "0", "1"), "Please specify a function of t for x."},
        {Curve(FunctionKind::Parametric, "t", "x", "0", "1"), "Please specify a function of t for y."},
        {Curve(FunctionKind::Parametric, "t", "t", "0", "x"), "Invalid max t value!"},
        {Curve(FunctionKind::Parametric, "t", "t", "x", "1"), "Invalid min t value!"},
        {Curve(FunctionKind::Parametric, "sqrt(-1-t^2)", "t", "0", "1"),
         "Unable to evalute the function within the given range of t"},
        {Curve(FunctionKind::Polar, "t", "", "1", "1"), "t min is greater than (or equal) to t max."},
        {Curve(FunctionKind::Polar, "x", "", "0", "1"), "Please specify a function of t."},
        {Curve(FunctionKind::Polar, "k*t", "", "0", "1"), "The symbol 'k' is undefined"},
        {Curve(FunctionKind::Polar, "log(t)", "", "-2", "-1"),
         "Unable to evalute the function within the given range of t"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.request.formula + " / " + row.request.formula2 + " [" + row.request.min +
                     ", " + row.request.max + "] " + row.request.points);
        Page page;
        EXPECT_EQ(PlotFunction(page.graph(), row.request, page.messages), -1);
        EXPECT_EQ(page.messages.shown, std::vector<std::string>{row.message});
        EXPECT_EQ(page.graph().m_plots.Count(), 0);
    }
}

TEST(FunctionPlot, ConstantThroughAVanishingTerm)
{
    Page page;
    const std::vector<PlotPoint> points = page.Plot(Explicit("5+0*x", "0", "1", "5"));
    ASSERT_EQ(points.size(), 5u);
    for (const PlotPoint& point : points)
        EXPECT_EQ(point.y, 5.0f);
}

TEST(FunctionPlot, SinglePointStandsAtTheMaximum)
{
    Page page;
    EXPECT_EQ(page.Plot(Explicit("x^2", "1", "3", "1")), (std::vector<PlotPoint>{{3, 9}}));
}

TEST(FunctionPlot, RangeFieldsTakeExpressions)
{
    Page page;
    EXPECT_EQ(page.Plot(Explicit("x", "1e-3", "2*pi", "1")), (std::vector<PlotPoint>{{6.2831853f, 6.2831853f}}));
    EXPECT_EQ(page.graph().m_plots.Get(0).m_xPositive, 1) << "the range minimum 0.001 is above 0";
    EXPECT_EQ(page.Plot(Explicit("x", "-1e-3", "1", "1")).size(), 1u);
    EXPECT_EQ(page.graph().m_plots.Get(1).m_xPositive, 0);
}

TEST(FunctionPlot, EvenStepsFromTheMaximumDown)
{
    // N points from the minimum to the maximum, both ends included, for every
    // kind; the rows have steps that round up or down as floats, so adding up a
    // rounded step would lose or overshoot the minimum end.
    struct Row {
        float min;
        float max;
        std::uint64_t points;
    };
    const Row rows[] = {{0, 1, 10},         {1e-3f, 1, 2},     {0, 0.7f, 8},       {0, 0.6f, 4},
                        {-1, 1, 3},         {0.1f, 0.3f, 3},   {-2.5f, 4, 100},    {1, 1000, 7},
                        {0.3f, 0.9f, 1000}, {-7e-5f, 3e-5f, 33}, {1, 0, 11},       {3, 1e-3f, 10}};
    const FunctionKind kinds[] = {FunctionKind::Explicit, FunctionKind::Parametric, FunctionKind::Polar};
    for (const Row& row : rows) {
        for (const FunctionKind kind : kinds) {
            if (row.min > row.max && kind != FunctionKind::Parametric)
                continue; // only a parametric curve takes a reversed range
            char min[32], max[32];
            std::snprintf(min, sizeof min, "%.9g", double(row.min));
            std::snprintf(max, sizeof max, "%.9g", double(row.max));
            const std::string points = std::to_string(row.points);
            SCOPED_TRACE(std::string(FunctionCaption(kind)) + " [" + min + ", " + max + "] " + points);
            FunctionRequest request = kind == FunctionKind::Explicit ? Explicit("x", min, max, points.c_str())
                                    : kind == FunctionKind::Parametric
                                        ? Curve(kind, "t", "2*t", min, max, points.c_str())
                                        : Curve(kind, "1+0*t", "", min, max, points.c_str());
            Page page;
            const std::vector<PlotPoint> plotted = page.Plot(request);
            EXPECT_TRUE(page.messages.shown.empty());
            EXPECT_EQ(plotted.size(), row.points);
            if (plotted.size() != row.points)
                continue;
            if (kind == FunctionKind::Polar) {
                // r = 1: the first point at t = min, the last at t = max.
                const auto at = [](float t) {
                    return PlotPoint{float(std::cos(double(t))), float(std::sin(double(t)))};
                };
                EXPECT_EQ(plotted.front(), at(row.min));
                EXPECT_EQ(plotted.back(), at(row.max));
                continue;
            }
            // x = t: listed from t = min to t = max, evenly spaced and in the range.
            EXPECT_EQ(plotted.front().x, row.min);
            EXPECT_EQ(plotted.back().x, row.max);
            const double span = double(row.max) - double(row.min);
            const double tolerance =
                4 * double(std::numeric_limits<float>::epsilon()) * std::max(std::fabs(row.min), std::fabs(row.max));
            for (std::size_t i = 0; i < plotted.size(); ++i) {
                const double expected = double(row.min) + span * double(i) / double(row.points - 1);
                const float x = plotted[i].x;
                if (std::fabs(x - expected) > tolerance || x > std::max(row.min, row.max) ||
                    x < std::min(row.min, row.max)) {
                    ADD_FAILURE() << "point " << i << " at " << x << ", expected " << expected;
                    break;
                }
            }
        }
    }
}

TEST(FunctionPlot, ReversedParametricRangeRunsTheOtherWay)
{
    Page page;
    const std::vector<PlotPoint> points =
        page.Plot(Curve(FunctionKind::Parametric, "t", "2*t", "1", "0", "11"));
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(points.front().x, 1.0f) << "computed from t = 0 up to t = 1, listed backwards";
    EXPECT_EQ(points.back().x, 0.0f);
    EXPECT_FLOAT_EQ(points[5].y, 1.0f);
}

TEST(FunctionPlot, PolarDefaultRangeDrawsAClosedUnitCircle)
{
    Page page;
    FunctionRequest request = DefaultFunctionRequest(FunctionKind::Polar, page.graph());
    EXPECT_EQ(request.min, "0");
    EXPECT_EQ(request.max, "6.28319");
    request.formula = "cos(t)^2+sin(t)^2";
    const std::vector<PlotPoint> points = page.Plot(request);
    ASSERT_EQ(points.size(), 100u);
    for (const PlotPoint& point : points)
        EXPECT_NEAR(std::hypot(point.x, point.y), 1.0, 1e-6);
    EXPECT_NEAR(points.front().x, points.back().x, 1e-5);
    EXPECT_NEAR(points.front().y, points.back().y, 1e-5);
    EXPECT_NEAR(points.front().x, 1.0, 1e-6) << "t = 0 comes first";
    EXPECT_NEAR(points.front().y, 0.0, 1e-6);
}

TEST(FunctionPlot, NewSetFields)
{
    Page page;
    page.graph().m_yLog = 1;
    ASSERT_EQ(PlotFunction(page.graph(), Curve(FunctionKind::Parametric, "cos(t)", "sin(t)", "-1", "1"),
                           page.messages),
              0);
    const Plot& set = page.graph().m_plots.Get(0);
    EXPECT_EQ(set.m_info, "{cos(t), sin(t)}");
    EXPECT_EQ(set.m_pointStyle, kNoSymbol);
    EXPECT_EQ(set.m_lineStyle, kSolid);
    EXPECT_EQ(set.m_lineColor, 0x000000u);
    EXPECT_EQ(set.m_xPositive, 1) << "cos(t) stays above 0 on [-1, 1]";
    EXPECT_EQ(set.m_yPositive, 0) << "sin(t) goes below 0";
    EXPECT_EQ(page.graph().m_yLog, 0) << "a log y axis cannot show y <= 0";
    EXPECT_EQ(set.m_yLog, 0);

    FunctionRequest broken = Explicit("x\r\n*2", "-1", "1", "3");
    ASSERT_EQ(PlotFunction(page.graph(), broken, page.messages), 1);
    EXPECT_EQ(page.graph().m_plots.Get(1).m_info, "x*2") << "line breaks removed";
    EXPECT_EQ(page.graph().m_plots.Get(1).m_xPositive, 0);
}

TEST(FunctionPlot, NewSetRescalesTheGraph)
{
    Page page;
    ASSERT_EQ(PlotFunction(page.graph(), Explicit("x", "0", "10", "11"), page.messages), 0);
    const GraphRange range = page.graph().GetRange();
    EXPECT_FLOAT_EQ(range.xMin, -0.5f);
    EXPECT_FLOAT_EQ(range.xMax, 10.5f);
}

TEST(FunctionPlot, ValuesBeyondFloatsAreLeftOut)
{
    Page page;
    // exp(100) is finite in double but not as a float; acos(2) has no value.
    EXPECT_EQ(page.Plot(Explicit("exp(x)", "0", "100", "2")), (std::vector<PlotPoint>{{0, 1}}));
    EXPECT_EQ(page.Plot(Explicit("acos(x)", "1", "2", "2")), (std::vector<PlotPoint>{{1, 0}}));
}

TEST(FunctionPlot, ProgressAdvancesInSteps)
{
    struct Row {
        std::uint64_t points;
        std::uint64_t step;
        std::size_t reports;
    };
    const Row rows[] = {{5, 10, 0}, {100, 10, 10}, {250, 2, 125}, {1000, 10, 100}, {123456, 1234, 100}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.points);
        EXPECT_EQ(ProgressStep(row.points), row.step);
        Page page;
        std::vector<std::uint64_t> seen;
        FunctionRequest request = Explicit("x", "0", "1", std::to_string(row.points).c_str());
        PlotFunction(page.graph(), request, page.messages,
                     [&](std::uint64_t done, std::uint64_t total) {
                         EXPECT_EQ(total, row.points);
                         seen.push_back(done);
                     });
        ASSERT_EQ(seen.size(), row.reports);
        for (std::size_t i = 0; i < seen.size(); ++i)
            EXPECT_EQ(seen[i], (i + 1) * row.step);
    }
}

TEST(FunctionPlot, DefaultsFollowTheGraph)
{
    Page page;
    page.graph().SetXRange(-2.5f, 4.0f, true, page.messages);
    const FunctionRequest request = DefaultFunctionRequest(FunctionKind::Explicit, page.graph());
    EXPECT_EQ(request.min, "-2.5");
    EXPECT_EQ(request.max, "4");
    EXPECT_EQ(request.points, "100");
    const FunctionRequest parametric = DefaultFunctionRequest(FunctionKind::Parametric, page.graph());
    EXPECT_EQ(parametric.min, "0");
    EXPECT_EQ(parametric.max, "1");
    EXPECT_STREQ(FunctionCaption(FunctionKind::Explicit), "Equation Editor");
    EXPECT_STREQ(FunctionCaption(FunctionKind::Parametric), "Parametric Equation Editor");
    EXPECT_STREQ(FunctionCaption(FunctionKind::Polar), "Polar Equation Editor");
}

TEST(FunctionPlot, PointCountField)
{
    struct Row {
        const char* text;
        bool accepted;
        std::uint64_t count;
    };
    const Row rows[] = {{"1", true, 1},       {" 100 ", true, 100},       {"4294967295", true, 4294967295u},
                        {"0", false, 0},      {"4294967296", false, 0},   {"-5", false, 0},
                        {"1e3", false, 0},    {"", false, 0},             {"99999999999999999999", false, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::uint64_t count = 0;
        EXPECT_EQ(ReadPointCount(row.text, count), row.accepted);
        if (row.accepted) {
            EXPECT_EQ(count, row.count);
        }
    }
}

TEST(FunctionPlot, APointCountBeyondTheMemoryIsRefusedAtOnce)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    std::string output;
    const int status = RunWithMemoryLimit(256u << 20, [](std::FILE* channel) {
        StreamMessages messages(channel, channel);
        CTarnDoc doc;
        const int index =
            PlotFunction(doc.CurrentGraph(), Explicit("x", "0", "1", "4294967295"), messages);
        return index == -1 && doc.CurrentGraph().m_plots.Count() == 0 ? 0 : 1;
    }, &output);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, std::string("message: ") + kFunctionNoMemory + "\n");
}
