#include "document/tarn_doc.h"
#include "model/messages.h"
#include "model/style_codes.h"
#include "platform/page_image.h"
#include "tests/support/golden_image.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// Dark pixels (text and lines) inside the rectangle.
int DarkPixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

Plot Set(float offset, int symbol, Color color, const char* label)
{
    Plot plot;
    for (int i = 0; i < 5; ++i)
        plot.AddPoint(float(i), offset + float(i % 2));
    plot.m_xPositive = plot.m_yPositive = 1;
    plot.m_pointStyle = symbol;
    plot.m_lineColor = color;
    plot.m_label.m_text = label;
    return plot;
}

// A page with markup titles (the y title turned by 90 degrees, the x title
// by 10), a boxed legend of two sets and a reference line.
CTarnDoc MarkupPage()
{
    CTarnDoc doc;
    Graph& graph = doc.CurrentGraph();
    graph.m_title.SetText("$\\alpha_{max}^2 + \\frac{a}{b}$", graph.m_title.m_font, 0, 0);
    graph.m_yLabel.SetText("$\\sum_{i=1}^n x_i$ (m)", graph.m_yLabel.m_font, 900, 0);
    graph.m_xLabel.SetText("$\\omega t \\rightarrow \\infty$", graph.m_xLabel.m_font, 100, 0);
    graph.m_plots.Append(Set(1, kCircle, 0x0000FF, "$\\beta$ run"));
    graph.m_plots.Append(Set(3, kSquare, 0xFF0000, "$x^2$"));
    graph.SyncPlotGeometry();
    SilentMessages messages;
    graph.AutoScale(false, messages);
    graph.m_refLines.Append({1, kDashed, 2.5f});
    graph.m_legend.m_visible = 1;
    graph.m_legend.m_showBox = 1;
    graph.m_legend.m_boxFillColor = 0xFFFFFF;
    return doc;
}

} // namespace

TEST(MarkupImage, PageWithTurnedMarkupTitlesAndALegendMatchesGolden)
{
    GuiApplication();
    CTarnDoc doc = MarkupPage();
    const QImage image = RenderPageImage(doc, QSize(480, 360));
    ASSERT_NO_FATAL_FAILURE(ExpectMatchesGolden(image, "markup_page.png", 3.0));
    // Ink where the title stands above the plot area and where the turned y
    // title stands at its left, none in the corner between them.
    EXPECT_GT(DarkPixels(image, QRect(160, 0, 160, 40)), 40);
    EXPECT_GT(DarkPixels(image, QRect(0, 120, 22, 120)), 40);
    EXPECT_EQ(DarkPixels(image, QRect(0, 0, 30, 20)), 0);
}
