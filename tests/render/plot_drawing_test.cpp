#include "render/plot_drawing.h"

#include "model/drawing_settings.h"
#include "model/plot.h"
#include "render/plot_geometry.h"
#include "render/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>

namespace {

const PageRect kPage{0, 0, 800, 600};

// A set in a plot area from 0.125 to 0.875 showing 0 to 10 on both axes, so
// that x maps to 100 + 60 x and y to 525 - 45 y. Points are given in list
// order (the chains are stacks, so they are added last first).
Plot MakeSet(std::vector<PlotPoint> points, std::vector<float> dx = {}, std::vector<float> dy = {})
{
    Plot plot;
    plot.m_left = plot.m_bottom = 0.125f;
    plot.m_right = plot.m_top = 0.875f;
    plot.m_xMin = plot.m_yMin = 0.0f;
    plot.m_xMax = plot.m_yMax = 10.0f;
    for (auto it = points.rbegin(); it != points.rend(); ++it)
        plot.AddPoint(it->x, it->y);
    for (auto it = dx.rbegin(); it != dx.rend(); ++it)
        plot.AddDx(*it);
    for (auto it = dy.rbegin(); it != dy.rend(); ++it)
        plot.AddDy(*it);
    return plot;
}

std::vector<std::string> Draw(const Plot& plot)
{
    RecordingCanvas canvas;
    DrawPlot(canvas, plot, kPage);
    return canvas.Descriptions();
}

struct SixteenBit {
    SixteenBit() { use16BitCoordinates = true; }
    ~SixteenBit() { use16BitCoordinates = false; }
};

// The pixels a GDI-style line covers, end point included (the columns and
// rows each segment passes), to compare two polylines' pictures.
std::set<std::pair<int, int>> Pixels(const std::vector<DevicePoint>& points)
{
    std::set<std::pair<int, int>> pixels;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const DevicePoint a = points[i - 1], b = points[i];
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        for (int s = 0; s <= steps; ++s) {
            const double t = steps == 0 ? 0.0 : double(s) / steps;
            pixels.insert({int(std::lround(a.x + (b.x - a.x) * t)), int(std::lround(a.y + (b.y - a.y) * t))});
        }
    }
    return pixels;
}

} // namespace

TEST(PlotDrawing, LineIsOnePolylineInListOrder)
{
    Plot plot = MakeSet({{1, 5}, {2, 7}, {0, 0}});
    EXPECT_EQ(Draw(plot), (std::vector<std::string>{"polyline 160,300 220,210 100,525"}));
    plot.m_visible = 0;
    EXPECT_TRUE(Draw(plot).empty()) << "an inactive set draws nothing";
    EXPECT_TRUE(Draw(MakeSet({})).empty());
}

TEST(PlotDrawing, LinePenGeometricOrPlain)
{
    struct Row { const char* name; int style; int size; int scaling; bool sixteen; bool printing;
                 bool cosmetic; PenStyle pen; std::vector<int> dashes; int width; bool path; };
    const Row rows[] = {
        {"dashed 2 is geometric with the user pattern", kDashed, 2, 1, false, false, false, PenStyle::User, {18, 8}, 2, true},
        {"16-bit coordinates give a plain dashed pen", kDashed, 2, 1, true, false, true, PenStyle::Dash, {}, 2, true},
        {"solid stays plain at width 3", kSolid, 3, 1, false, false, true, PenStyle::Solid, {}, 3, false},
        {"width 1 dotted is plain", kDotted, 1, 1, false, false, true, PenStyle::Dot, {}, 1, false},
        {"line scaling multiplies the width", kDashDot, 1, 2, false, false, false, PenStyle::User, {8, 6, 2, 6}, 2, true},
        {"printing scales the dashes", kDashed, 2, 1, false, true, false, PenStyle::User, {36, 16}, 2, true},
        {"printing draws through a path", kSolid, 1, 1, false, true, true, PenStyle::Solid, {}, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        use16BitCoordinates = row.sixteen;
        lineScaling = row.scaling;
        Plot plot = MakeSet({{1, 1}, {2, 2}});
        plot.m_lineStyle = row.style;
        plot.m_lineSize = row.size;
        plot.m_lineColor = 0x00FF00;
        RecordingCanvas canvas;
        if (row.printing)
            plot.BeginPrintScaling(canvas, 2, 1, kPage);
        const Pen pen = PlotLinePen(plot);
        DrawPlot(canvas, plot, kPage);
        const bool path = PlotLineUsesPath(plot, pen);
        use16BitCoordinates = false;
        lineScaling = 1;
        EXPECT_EQ(pen.cosmetic, row.cosmetic);
        EXPECT_EQ(pen.style, row.pen);
        EXPECT_EQ(pen.dashes, row.dashes);
        EXPECT_EQ(pen.width, row.width);
        EXPECT_EQ(pen.color, 0x00FF00u);
        if (!pen.cosmetic) {
            EXPECT_EQ(pen.join, PenJoin::Bevel);
            EXPECT_EQ(pen.cap, PenCap::Square);
        }
        EXPECT_EQ(path, row.path);
        ASSERT_FALSE(canvas.m_records.empty());
        EXPECT_EQ(canvas.m_records[0].kind,
                  row.path ? RecordingCanvas::Kind::BeginPath : RecordingCanvas::Kind::Polyline);
        EXPECT_EQ(canvas.m_records.back().kind,
                  row.path ? RecordingCanvas::Kind::StrokePath : RecordingCanvas::Kind::Polyline);
        EXPECT_EQ(canvas.m_pen, Pen{}) << "the previous pen is back";
    }
}

TEST(PlotDrawing, NoLineStillDrawsErrorBarsAndSymbols)
{
    Plot plot = MakeSet({{1, 5}}, {}, {1});
    plot.m_lineStyle = kNoLine;
    plot.m_yErrorBarDisplay = kErrorBarFirst;
    plot.m_pointStyle = kSquare;
    EXPECT_EQ(Draw(plot), (std::vector<std::string>{"move 160,300", "line 160,300 160,255",
                                                    "move 157,255", "line 157,255 164,255",
                                                    "rect 157,297 164,304"}));
}

TEST(PlotDrawing, ErrorBarsByDisplayWithHats)
{
    struct Row { const char* name; bool alongX; int display; std::vector<std::string> expected; };
    // Point (2, 4) at (220, 345); error 1 is 60 pixels in x and 45 in y.
    const Row rows[] = {
        {"left", true, kErrorBarFirst, {"move 220,345", "line 220,345 160,345", "move 160,342", "line 160,342 160,349"}},
        {"right", true, kErrorBarSecond, {"move 220,345", "line 220,345 280,345", "move 280,342", "line 280,342 280,349"}},
        {"both x", true, kErrorBarBoth, {"move 160,345", "line 160,345 280,345", "move 160,342", "line 160,342 160,349",
                                         "move 280,342", "line 280,342 280,349"}},
        {"top", false, kErrorBarFirst, {"move 220,345", "line 220,345 220,300", "move 217,300", "line 217,300 224,300"}},
        {"bottom", false, kErrorBarSecond, {"move 220,345", "line 220,345 220,390", "move 217,390", "line 217,390 224,390"}},
        {"both y", false, kErrorBarBoth, {"move 220,390", "line 220,390 220,300", "move 217,390", "line 217,390 224,390",
                                          "move 217,300", "line 217,300 224,300"}},
        {"none", true, kErrorBarNone, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Plot plot = row.alongX ? MakeSet({{2, 4}}, {1}) : MakeSet({{2, 4}}, {}, {1});
        plot.m_lineStyle = kNoLine;
        (row.alongX ? plot.m_xErrorBarDisplay : plot.m_yErrorBarDisplay) = row.display;
        EXPECT_EQ(Draw(plot), row.expected);
    }
}

TEST(PlotDrawing, HatsAreTwiceTheSizePlusOneLong)
{
    for (int hat : {1, 3, 10}) {
        SCOPED_TRACE(hat);
        Plot plot = MakeSet({{2, 4}}, {1}, {1});
        plot.m_xErrorBarDisplay = plot.m_yErrorBarDisplay = kErrorBarFirst;
        plot.m_errorBarHatSize = hat;
        const auto x = XErrorBarSegments(plot, kPage);
        const auto y = YErrorBarSegments(plot, kPage);
        ASSERT_EQ(x.size(), 2u);
        ASSERT_EQ(y.size(), 2u);
        // The end point is left out, so the hat covers 2 x hat + 1 pixels.
        EXPECT_EQ(x[1].to.y - x[1].from.y, 2 * hat + 1);
        EXPECT_EQ(y[1].to.x - y[1].from.x, 2 * hat + 1);
        EXPECT_EQ(x[1].from.y, 345 - hat);
    }
}

TEST(PlotDrawing, ShortErrorListsStopTheBars)
{
    Plot plot = MakeSet({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}, {}, {0.5f, 0.5f, 0.5f});
    plot.m_yErrorBarDisplay = kErrorBarBoth;
    const auto bars = YErrorBarSegments(plot, kPage);
    ASSERT_EQ(bars.size(), 3u * 3u) << "bars and two hats on the first three points only";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bars[3 * i].from.x, 100 + 60 * (i + 1));
}

TEST(PlotDrawing, ErrorBarPenIsPlainInTheLineColour)
{
    Plot plot = MakeSet({{1, 1}});
    plot.m_lineColor = 0x123456;
    plot.m_errorBarLineStyle = kDashed;
    plot.m_errorBarLineSize = 3;
    const Pen pen = PlotErrorBarPen(plot);
    EXPECT_TRUE(pen.cosmetic);
    EXPECT_EQ(pen.style, PenStyle::Dash);
    EXPECT_EQ(pen.width, 3);
    EXPECT_EQ(pen.color, 0x123456u);
    plot.m_errorBarLineStyle = kNoLine;
    EXPECT_EQ(PlotErrorBarPen(plot).style, PenStyle::Null);
}

TEST(PlotDrawing, SymbolGeometry)
{
    struct Row { int style; int size; std::string expected; };
    // The point (1, 5) lies at (160, 300).
    const Row rows[] = {
        {kCircle, 3, "ellipse 157,297 164,304"},
        {kSquare, 4, "rect 156,296 165,305"},
        {kTriangle, 3, "polygon 160,297 158,301 162,301"}, // 0.866 x 3 = 2.6 and 1.5 truncate
        {kTriangle, 10, "polygon 160,290 152,305 168,305"},
        {kDot, 5, "move 160,300"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        Plot plot = MakeSet({{1, 5}});
        plot.m_lineStyle = kNoLine;
        plot.m_pointStyle = row.style;
        plot.m_pointSize = row.size;
        const auto d = Draw(plot);
        ASSERT_FALSE(d.empty());
        EXPECT_EQ(d[0], row.expected);
        if (row.style == kDot) {
            EXPECT_EQ(d, (std::vector<std::string>{"move 160,300", "line 160,300 161,301"}));
        }
    }
}

TEST(PlotDrawing, SymbolPenAndFill)
{
    Plot plot = MakeSet({{1, 5}});
    plot.m_lineColor = 0x0000FF;
    plot.m_pointColor = 0x00FF00;
    plot.m_pointColorNone = 0;
    struct Row { int style; Color pen; };
    for (Row row : {Row{kCircle, 0x0000FF}, Row{kSquare, 0x0000FF}, Row{kDot, 0x00FF00},
                    Row{kVector, 0x00FF00}, Row{kHistogramX, 0x0000FF}}) {
        SCOPED_TRACE(row.style);
        plot.m_pointStyle = row.style;
        EXPECT_EQ(PlotSymbolPen(plot).color, row.pen);
        EXPECT_TRUE(PlotSymbolPen(plot).cosmetic);
        EXPECT_EQ(PlotSymbolBrush(plot), Brush::Solid(0x00FF00));
    }
    plot.m_pointStyle = kCircle;
    plot.m_pointColorNone = 1;
    plot.m_pointColor = kNoColor;
    plot.m_lineStyle = kNoLine;
    RecordingCanvas canvas;
    DrawPlot(canvas, plot, kPage);
    ASSERT_EQ(canvas.m_records.size(), 1u);
    EXPECT_TRUE(canvas.m_records[0].brush.hollow) << "a hollow circle shows its outline only";
    EXPECT_EQ(canvas.m_records[0].pen.color, 0x0000FFu);
    EXPECT_EQ(canvas.m_brush, Brush{}) << "the previous brush is back";
}

TEST(PlotDrawing, HistogramXBarsInEitherListOrder)
{
    // Heights 5, 7, 6 at x = 1, 2, 3: bars [1, 2] of height 5 and [2, 3] of 7.
    const std::vector<std::string> expected{"move 100,525", "line 100,525 700,525",
                                            "rect 160,300 221,526", "rect 220,210 281,526"};
    for (bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "descending" : "ascending");
        std::vector<PlotPoint> points{{1, 5}, {2, 7}, {3, 6}};
        if (reversed)
            std::reverse(points.begin(), points.end());
        Plot plot = MakeSet(points);
        plot.m_lineStyle = kNoLine;
        plot.m_pointStyle = kHistogramX;
        std::vector<std::string> d = Draw(plot);
        ASSERT_EQ(d.size(), 4u);
        std::sort(d.begin() + 2, d.end());
        EXPECT_EQ(d, expected);
    }
}

TEST(PlotDrawing, HistogramYBarsTakeTheLowerPointsX)
{
    // Points (5, 1), (7, 2), (6, 3): bars between y 1 and 2 reaching x = 5
    // (the point lower on the page), and between 2 and 3 reaching x = 7.
    for (bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "descending" : "ascending");
        std::vector<PlotPoint> points{{5, 1}, {7, 2}, {6, 3}};
        if (reversed)
            std::reverse(points.begin(), points.end());
        Plot plot = MakeSet(points);
        plot.m_lineStyle = kNoLine;
        plot.m_pointStyle = kHistogramY;
        std::vector<std::string> d = Draw(plot);
        ASSERT_EQ(d.size(), 4u);
        EXPECT_EQ(d[0], "move 100,525");
        EXPECT_EQ(d[1], "line 100,525 100,75");
        std::sort(d.begin() + 2, d.end());
        EXPECT_EQ(d[2], "rect 100,391 521,435"); // y 3 .. 2 is 390 .. 435; x 7 is 520
        EXPECT_EQ(d[3], "rect 100,436 401,480"); // y 2 .. 1 is 435 .. 480; x 5 is 400
    }
    EXPECT_TRUE(Draw(MakeSet({})).empty()) << "no points, no base line";
}

TEST(PlotDrawing, VectorArrowsInPairsWithBarbs)
{
    // Pairs in list order: the arrow runs from the second point to the first.
    Plot plot = MakeSet({{5, 5}, {1, 5}, {2, 2}, {2, 6}, {9, 9}});
    plot.m_lineStyle = kNoLine;
    plot.m_pointStyle = kVector;
    plot.m_pointSize = 5;
    const std::vector<DeviceSegment> arrows = VectorArrows(PlotDevicePoints(plot, kPage), 5);
    ASSERT_EQ(arrows.size(), 6u) << "the odd last point draws nothing";
    EXPECT_EQ(arrows[0], (DeviceSegment{{160, 300}, {400, 300}}));
    EXPECT_EQ(arrows[3], (DeviceSegment{{220, 255}, {220, 435}})) << "equal x: a vertical arrow";
    // Each barb leaves the head backwards about 0.525 rad off the shaft and
    // sqrt(2) x 2 x size long, within the truncation.
    for (int arrow = 0; arrow < 2; ++arrow) {
        const DeviceSegment shaft = arrows[3 * arrow];
        const double back = std::atan2(shaft.from.y - shaft.to.y, shaft.from.x - shaft.to.x);
        for (int barb = 1; barb <= 2; ++barb) {
            SCOPED_TRACE(3 * arrow + barb);
            const DeviceSegment b = arrows[3 * arrow + barb];
            EXPECT_EQ(b.from, shaft.to);
            const double dx = b.to.x - b.from.x, dy = b.to.y - b.from.y;
            EXPECT_NEAR(std::hypot(dx, dy), std::sqrt(2.0) * 10, 1.5);
            double off = std::atan2(dy, dx) - back;
            off = std::remainder(off, 2 * M_PI);
            EXPECT_NEAR(std::fabs(off), 0.525, 0.12);
        }
    }
    EXPECT_NE(arrows[1].to, arrows[2].to);
    RecordingCanvas canvas;
    DrawPlot(canvas, plot, kPage);
    EXPECT_EQ(canvas.m_records.size(), 12u) << "six segments";
}

TEST(PlotDrawing, NearestPointFirstWinsATie)
{
    Plot plot = MakeSet({{1, 1}, {3, 1}, {2, 2}});
    // The points lie at (160, 480), (280, 480) and (220, 435).
    NearestPointResult nearest = NearestPoint(plot, {190, 480}, kPage);
    EXPECT_EQ(nearest.distance, 30 * 30);
    EXPECT_FLOAT_EQ(nearest.x, 1.0f);
    nearest = NearestPoint(plot, {220, 530}, kPage); // 60 x 50 from either end point
    EXPECT_EQ(nearest.distance, 60 * 60 + 50 * 50);
    EXPECT_FLOAT_EQ(nearest.x, 1.0f) << "the first point wins a tie";
    nearest = NearestPoint(plot, {280, 480}, kPage);
    EXPECT_EQ(nearest.distance, 0);
    EXPECT_FLOAT_EQ(nearest.x, 3.0f);
    EXPECT_EQ(NearestPoint(MakeSet({}), {0, 0}, kPage).distance, -1);
}

TEST(PlotGeometry, ThinnedLineCoversTheSamePixels)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> step(-3, 3);
    std::uniform_int_distribution<int> advance(0, 10);
    std::vector<DevicePoint> points;
    DevicePoint p{0, 500};
    for (int i = 0; i < 20000; ++i) {
        points.push_back(p);
        if (advance(random) == 0)
            ++p.x; // many points per column
        p.y += step(random);
    }
    const std::vector<DevicePoint> thin = ThinSolidPolyline(points);
    EXPECT_LT(thin.size(), points.size() / 2);
    EXPECT_LE(thin.size(), 4u * std::size_t(points.back().x + 1));
    EXPECT_EQ(thin.front(), points.front());
    EXPECT_EQ(thin.back(), points.back());
    EXPECT_EQ(Pixels(thin), Pixels(points));
    // Sloping lines without repeated columns stay as they are.
    const std::vector<DevicePoint> slope{{0, 0}, {1, 5}, {2, 3}, {3, 9}};
    EXPECT_EQ(ThinSolidPolyline(slope), slope);
    EXPECT_EQ(DropRepeatedPoints({{1, 1}, {1, 1}, {2, 2}, {1, 1}}),
              (std::vector<DevicePoint>{{1, 1}, {2, 2}, {1, 1}}));
}

TEST(PlotDrawing, LegendSamplesUseTheSetsPens)
{
    Plot plot = MakeSet({});
    plot.m_lineStyle = kDashed;
    plot.m_lineSize = 2;
    plot.m_pointStyle = kTriangle;
    plot.m_pointSize = 3;
    RecordingCanvas canvas;
    DrawLineSample(canvas, plot, {10, 10}, {40, 10});
    DrawSymbolSample(canvas, plot, {25, 10});
    EXPECT_EQ(canvas.Descriptions(),
              (std::vector<std::string>{"move 10,10", "line 10,10 40,10", "polygon 25,7 23,11 27,11"}));
    EXPECT_EQ(canvas.m_records[1].pen, PlotLinePen(plot));
    EXPECT_EQ(canvas.m_records[2].pen, PlotSymbolPen(plot));
}
