#include "platform/qt_canvas.h"

#include "model/drawing_settings.h"
#include "model/plot.h"
#include "render/graph.h"
#include "tests/platform/canvas_image.h"
#include "tests/render/test_messages.h"
#include "tests/support/golden_image.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// One set of five points along a wavy row at height `row`.
Plot Row(float row, int symbol, int line, int lineSize, Color color)
{
    Plot plot;
    for (int i = 4; i >= 0; --i)
        plot.AddPoint(1.0f + 2.0f * i, row + 0.4f * float((i % 2) * 2 - 1));
    plot.m_pointStyle = symbol;
    plot.m_pointSize = 3;
    plot.m_lineStyle = line;
    plot.m_lineSize = lineSize;
    plot.m_lineColor = color;
    plot.m_pointColor = color;
    plot.m_pointColorNone = symbol % 2;
    plot.m_xPositive = plot.m_yPositive = 1;
    return plot;
}

// A graph with every symbol and every line style, error bars with hats, a
// dotted grid and labels in all three formats.
Graph EverySymbolAndLineStyle()
{
    Graph graph;
    const Color colors[] = {0x000000, 0x0000FF, 0x008000, 0xFF0000, 0x808000, 0x646464};
    for (int i = 0; i < 6; ++i)
        graph.m_plots.Append(Row(10.0f - 1.5f * i, i < 4 ? i : kNoSymbol, i, i >= 3 ? 2 : 1, colors[i]));
    Plot bars = Row(1.2f, kHistogramX, kNoLine, 1, 0x0000FF);
    bars.m_pointColor = 0xFFC0C0;
    graph.m_plots.Append(bars);
    Plot arrows = Row(2.5f, kVector, kNoLine, 1, 0xFF0000);
    graph.m_plots.Append(arrows);
    Plot errors = Row(3.5f, kCircle, kSolid, 1, 0x000000);
    for (int i = 0; i < 5; ++i) {
        errors.AddDx(0.4f);
        errors.AddDy(0.3f);
    }
    errors.m_xErrorBarDisplay = errors.m_yErrorBarDisplay = kErrorBarBoth;
    graph.m_plots.Append(errors);
    graph.m_leftAxis.m_showGrid = 1;
    graph.m_leftAxis.m_gridType = kDotted;
    graph.m_leftAxis.m_gridColor = 0xC0C0C0;
    graph.m_bottomAxis.m_format = 2;
    graph.m_bottomAxis.m_precision = 1;
    graph.m_leftAxis.m_format = 1;
    graph.m_leftAxis.m_precision = 0;
    graph.SyncPlotGeometry();
    RecordingMessages messages;
    graph.ApplyLogFlags();
    graph.SetRanges(0, 10, 0, 11, true, messages);
    return graph;
}

QImage Render(const Graph& graph, QSize size)
{
    return CanvasImage(size, [&](QtCanvas& canvas) { graph.Draw(canvas, {0, 0, size.width(), size.height()}); });
}

bool IsGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qRed(pixel) > 0 &&
           qRed(pixel) < 255;
}

} // namespace

TEST(PlotImage, EverySymbolAndLineStyleMatchesGolden)
{
    GuiApplication();
    const QImage image = Render(EverySymbolAndLineStyle(), QSize(400, 300));
    ASSERT_NO_FATAL_FAILURE(ExpectMatchesGolden(image, "every_style.png", 3.0));
}

TEST(QtCanvas, ThinLinesCoverTheirPixelsAndLeaveOutTheEnd)
{
    GuiApplication();
    const QImage image = CanvasImage({30, 30}, [](QtCanvas& canvas) {
        canvas.Line(2, 5, 10, 5);
        canvas.Segments({{{20, 2}, {20, 9}}});
        canvas.Line(2, 12, 27, 27); // a slope: smoothed
    });
    for (int x = 2; x <= 9; ++x)
        EXPECT_EQ(image.pixel(x, 5), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(image.pixel(10, 5), qRgb(255, 255, 255)) << "the end pixel is left out";
    EXPECT_EQ(image.pixel(5, 4), qRgb(255, 255, 255)) << "one row only";
    EXPECT_EQ(image.pixel(5, 6), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 2), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 8), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 9), qRgb(255, 255, 255));
    int grey = 0;
    for (int y = 12; y < 28; ++y)
        for (int x = 2; x < 28; ++x)
            grey += IsGrey(image.pixel(x, y));
    EXPECT_GT(grey, 10) << "a sloping line is antialiased";
}

TEST(QtCanvas, UserDashesAreDeviceUnits)
{
    GuiApplication();
    const QImage image = CanvasImage({200, 10}, [](QtCanvas& canvas) {
        Pen pen;
        pen.cosmetic = false;
        pen.width = 2;
        pen.style = PenStyle::User;
        pen.cap = PenCap::Flat;
        pen.dashes = {18, 8};
        canvas.SetPen(pen);
        canvas.Line(0, 5, 200, 5);
    });
    // Runs of ink along the line: 18 on, 8 off, whatever the pen width.
    std::vector<int> runs;
    bool ink = false;
    int length = 0;
    for (int x = 0; x < 120; ++x) {
        const bool dark = qRed(image.pixel(x, 5)) < 128;
        if (dark != ink && length > 0) {
            runs.push_back(length);
            length = 0;
        }
        ink = dark;
        ++length;
    }
    ASSERT_GE(runs.size(), 4u);
    EXPECT_NEAR(runs[0], 18, 1);
    EXPECT_NEAR(runs[1], 8, 1);
    EXPECT_NEAR(runs[2], 18, 1);
}

TEST(QtCanvas, MarkersMatchSingleShapesAndRepeatsChangeNothing)
{
    GuiApplication();
    const QSize size(120, 60);
    const Marker circle{Marker::Shape::Ellipse, {-4, -4, 5, 5}, {}};
    auto draw = [&](bool markers, int repeats) {
        return CanvasImage(size, [&](QtCanvas& canvas) {
            Pen pen;
            pen.color = 0x0000FF;
            canvas.SetPen(pen);
            canvas.SetBrush(Brush::Solid(0x00FF00));
            std::vector<DevicePoint> centres;
            for (int i = 0; i < 10; ++i)
                for (int r = 0; r < repeats; ++r)
                    centres.push_back({10 + 11 * i, 20 + (i % 3) * 7});
            if (markers) {
                canvas.Markers(circle, centres);
            } else {
                for (const DevicePoint& centre : centres)
                    canvas.Ellipse({centre.x - 4, centre.y - 4, centre.x + 5, centre.y + 5});
            }
        });
    };
    const QImage direct = draw(false, 1);
    EXPECT_LT(RmsDifference(draw(true, 1), direct), 0.5) << "stamped like drawn";
    EXPECT_EQ(draw(true, 50), draw(true, 1)) << "a centre is drawn once";
    EXPECT_EQ(direct.pixel(10, 20), qRgb(0, 255, 0));
    const QRgb top = direct.pixel(10, 16); // the outline at the top of the box, smoothed
    EXPECT_GT(qRed(top), 180);
    EXPECT_LT(qGreen(top), 100);
}
