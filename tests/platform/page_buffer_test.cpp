#include "platform/page_buffer.h"

#include "document/tarn_doc.h"
#include "model/plot.h"
#include "render/graph.h"
#include "tests/support/golden_image.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

TEST(PageBuffer, DrawsOnlyWhenStaleOrResized)
{
    static int argc = 1;
    static char name[] = "corvid_platform_tests";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
    CTarnDoc doc;
    PageBuffer buffer;
    struct Row { const char* step; QSize size; bool invalidate; bool drawn; };
    const Row rows[] = {{"first", {200, 100}, false, true},
                        {"unchanged", {200, 100}, false, false},
                        {"invalidated", {200, 100}, true, true},
                        {"resized", {300, 100}, false, true},
                        {"unchanged again", {300, 100}, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        if (row.invalidate)
            buffer.Invalidate();
        bool drawn = false;
        const QImage& image = buffer.Image(doc, row.size, &drawn);
        EXPECT_EQ(drawn, row.drawn);
        EXPECT_EQ(image.size(), row.size);
    }
    EXPECT_EQ(buffer.DrawCount(), 3);
}

namespace {

// A page with every kind of selectable object, all unselected, on
// `background` (page and plot area alike).
void FillSelectionPage(CTarnDoc& doc, Color background)
{
    doc.m_pageColor = background;
    Graph& graph = doc.CurrentGraph();
    graph.m_background = background;
    graph.m_selected = 0;
    graph.m_title.m_text = "Graph";
    graph.m_xLabel.m_text = "time (s)";
    graph.m_yLabel.m_text = "count";
    Plot plot;
    for (float x : {0.0f, 5.0f, 10.0f})
        plot.AddPoint(x, x);
    plot.m_label.m_text = "rising";
    graph.m_plots.Append(plot);
    graph.m_legend.m_visible = 1;
    TextObject label("note");
    label.m_x = 0.75f;
    label.m_y = 0.3f;
    doc.m_labels.Append(label);
}

// The pixels on the edges of `rect` (right and bottom exclusive).
std::vector<QPoint> EdgePixels(const QRect& rect)
{
    std::vector<QPoint> pixels;
    for (int x = rect.left(); x <= rect.right(); ++x)
        for (int y : {rect.top(), rect.bottom()})
            pixels.emplace_back(x, y);
    for (int y = rect.top() + 1; y < rect.bottom(); ++y)
        for (int x : {rect.left(), rect.right()})
            pixels.emplace_back(x, y);
    return pixels;
}

QRect BoxRect(const BoundingBox& box)
{
    return QRect(QPoint(box.x - box.halfWidth, box.y - box.halfHeight),
                 QPoint(box.x + box.halfWidth - 1, box.y + box.halfHeight - 1));
}

// Whether the two colours differ by at least a quarter of a channel's range,
// enough for the eye to tell.
bool Visible(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))}) >= 64;
}

} // namespace

TEST(PageBuffer, SelectionMarksShowOnEveryBackgroundForEveryKind)
{
    GuiApplication();
    const QSize size(400, 300);
    const PageRect page{0, 0, 400, 300};
    using Pick = GraphObject& (*)(CTarnDoc&);
    struct Kind { const char* name; Pick object; };
    const Kind kinds[] = {
        {"title", [](CTarnDoc& doc) -> GraphObject& { return doc.CurrentGraph().m_title; }},
        {"x axis title", [](CTarnDoc& doc) -> GraphObject& { return doc.CurrentGraph().m_xLabel; }},
        {"y axis title", [](CTarnDoc& doc) -> GraphObject& { return doc.CurrentGraph().m_yLabel; }},
        {"free label", [](CTarnDoc& doc) -> GraphObject& { return doc.m_labels.Get(0); }},
        {"legend", [](CTarnDoc& doc) -> GraphObject& { return doc.CurrentGraph().m_legend; }},
        {"axis", [](CTarnDoc& doc) -> GraphObject& { return doc.CurrentGraph().m_leftAxis; }},
        {"graph", [](CTarnDoc& doc) -> GraphObject& { return doc.CurrentGraph(); }},
    };
    for (Color background : {Color(0xFFFFFF), Color(0x000000), Color(0x808080)}) {
        for (const Kind& kind : kinds) {
            SCOPED_TRACE(std::string(kind.name) + " on #" + QString::number(background, 16).toStdString());
            CTarnDoc doc;
            FillSelectionPage(doc, background);
            GraphObject& object = kind.object(doc);
            PageBuffer buffer;
            const QImage plain = buffer.Image(doc, size).copy();
            object.m_selected = 1;
            buffer.Invalidate();
            const QImage marked = buffer.Image(doc, size);
            // The graph marks the corners of its plot area, the others outline their box.
            std::vector<QRect> outline;
            if (&object == &doc.CurrentGraph()) {
                const DeviceRect area = doc.CurrentGraph().PlotArea(page);
                for (QPoint corner : {QPoint(area.left, area.top), QPoint(area.right, area.top),
                                      QPoint(area.left, area.bottom), QPoint(area.right, area.bottom)})
                    outline.push_back(QRect(corner - QPoint(3, 3), QSize(7, 7)));
            } else {
                outline.push_back(BoxRect(object.GetBoundingBox(page)));
            }
            int onOutline = 0;
            int shown = 0;
            for (const QRect& rect : outline) {
                ASSERT_GT(rect.width(), 4);
                for (QPoint pixel : EdgePixels(rect)) {
                    if (!plain.rect().contains(pixel))
                        continue; // an outline may run off the page
                    ++onOutline;
                    shown += Visible(plain.pixel(pixel), marked.pixel(pixel));
                }
            }
            // A dotted outline changes every other run of pixels.
            EXPECT_GE(shown * 3, onOutline) << shown << " of " << onOutline << " outline pixels changed visibly";
        }
    }
}
