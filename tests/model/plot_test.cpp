#include "model/drawing_settings.h"
#include "model/list.h"
#include "model/plot.h"

#include <cmath>

#include <gtest/gtest.h>

#include <vector>

static std::vector<PlotPoint> Points(const Plot& plot)
{
    return {plot.m_points.begin(), plot.m_points.end()};
}

static std::vector<float> Values(const Stack<float>& chain)
{
    return {chain.begin(), chain.end()};
}

TEST(Plot, NewSetHasTheDefaultStyle)
{
    Plot plot;
    EXPECT_EQ(plot.m_pointStyle, kNoSymbol);
    EXPECT_EQ(plot.m_pointSize, 3);
    EXPECT_EQ(plot.m_lineStyle, kSolid);
    EXPECT_EQ(plot.m_lineSize, 1);
    EXPECT_EQ(plot.m_lineColor, 0u);
    EXPECT_EQ(plot.m_pointColor, 0u);
    EXPECT_EQ(plot.m_pointColorNone, 1);
    EXPECT_EQ(plot.m_xErrorBarDisplay, 3);
    EXPECT_EQ(plot.m_yErrorBarDisplay, 3);
    EXPECT_EQ(plot.m_errorBarHatSize, 3);
    EXPECT_EQ(plot.m_errorBarLineSize, 1);
    EXPECT_EQ(plot.m_errorBarLineStyle, 0);
    EXPECT_EQ(plot.m_xMin, 0.0f);
    EXPECT_EQ(plot.m_xMax, 1.0f);
    EXPECT_EQ(plot.m_yMin, 0.0f);
    EXPECT_EQ(plot.m_yMax, 1.0f);
    EXPECT_EQ(plot.m_info, "");
    EXPECT_EQ(plot.m_handOver, 0);
    EXPECT_EQ(plot.m_visible, 1);
    EXPECT_FLOAT_EQ(plot.m_version, 1.23f);
    EXPECT_FALSE(plot.HasDx());
    EXPECT_FALSE(plot.HasDy());
}

TEST(Plot, TraversalIsNewestFirstAndCopiesReverse)
{
    Plot plot;
    plot.AddPoint(1, 10);
    plot.AddPoint(2, 20);
    plot.AddPoint(3, 30);
    plot.AddDy(0.1f);
    plot.AddDy(0.2f);
    plot.AddDy(0.3f);
    plot.m_info = "run 1";
    plot.m_lineColor = 0x0000FF;
    EXPECT_EQ(Points(plot), (std::vector<PlotPoint>{{3, 30}, {2, 20}, {1, 10}}));

    Plot copy(plot);
    EXPECT_EQ(Points(copy), (std::vector<PlotPoint>{{1, 10}, {2, 20}, {3, 30}}));
    EXPECT_EQ(Values(copy.m_dy), (std::vector<float>{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(copy.m_info, "run 1");
    EXPECT_EQ(copy.m_lineColor, 0x0000FFu);
    EXPECT_EQ(plot.PointCount(), 3) << "a plain copy leaves the source alone";

    // Copying twice (as saving, loading and inserting do) restores the order.
    Plot again;
    again = copy;
    EXPECT_EQ(Points(again), Points(plot));
}

TEST(Plot, HandOverMovesChainsInOrderAndEmptiesTheSource)
{
    Plot plot;
    for (int i = 1; i <= 3; ++i) {
        plot.AddPoint(float(i), float(10 * i));
        plot.AddDx(float(i));
    }
    plot.m_handOver = 1;
    plot.m_pointStyle = kSquare;
    Plot copy = plot;
    EXPECT_EQ(Points(copy), (std::vector<PlotPoint>{{3, 30}, {2, 20}, {1, 10}}));
    EXPECT_EQ(Values(copy.m_dx), (std::vector<float>{3, 2, 1}));
    EXPECT_EQ(copy.m_handOver, 0);
    EXPECT_EQ(copy.m_pointStyle, kSquare);
    EXPECT_EQ(plot.PointCount(), 0);
    EXPECT_FALSE(plot.HasDx());

    // The receiving list's insertion copies too; a handed-over set goes in unchanged.
    List<Plot> plots;
    copy.m_handOver = 1;
    plots.Append(copy);
    EXPECT_EQ(Points(plots.Get(0)), (std::vector<PlotPoint>{{3, 30}, {2, 20}, {1, 10}}));
}

TEST(Plot, DeviceMappingClampsToTheCoordinateRange)
{
    Plot plot;
    plot.m_left = 0.125f;
    plot.m_right = 0.875f;
    plot.m_bottom = 0.125f;
    plot.m_top = 0.875f;
    const PageRect page{0, 0, 800, 600};
    EXPECT_EQ(plot.PlotToDeviceX(0.0f, page), 100);
    EXPECT_EQ(plot.PlotToDeviceX(1.0f, page), 700);
    EXPECT_EQ(plot.PlotToDeviceY(0.0f, page), 525);
    EXPECT_EQ(plot.PlotToDeviceY(1.0f, page), 75);

    plot.m_xLog = 1;
    plot.m_xMin = 0;
    plot.m_xMax = 2; // decades 1 .. 100
    EXPECT_EQ(plot.PlotToDeviceX(10.0f, page), 400);

    use16BitCoordinates = true;
    EXPECT_EQ(plot.PlotToDeviceY(1e6f, page), -32767);
    EXPECT_EQ(plot.PlotToDeviceY(-1e6f, page), 32766);
    use16BitCoordinates = false;
    EXPECT_EQ(plot.PlotToDeviceY(1e9f, page), -20000000);
}

TEST(ClampCoord, TruncatesTowardZeroWithinLimits)
{
    struct Row {
        double value;
        bool sixteenBit;
        int expected;
    };
    const Row rows[] = {
        {12.9, false, 12},        {-12.9, false, -12},          {32766.5, true, 32766},
        {40000, true, 32766},     {-40000, true, -32767},       {-32767.9, true, -32767},
        {3e7, false, 20000000},   {-3e7, false, -20000000},     {std::nan(""), false, -20000000},
        {std::nan(""), true, -32767},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        use16BitCoordinates = row.sixteenBit;
        EXPECT_EQ(ClampCoord(row.value), row.expected);
    }
    use16BitCoordinates = false;
}
