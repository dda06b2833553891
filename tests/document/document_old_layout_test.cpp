#include "document/document_file.h"

#include "document/page_json.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "render/graph.h"
#include "tests/document/old_layout_writer.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

namespace {

// A 2 x 2 page whose graphs hold one set with every old-layout field set.
CTarnDoc OldStylePage()
{
    CTarnDoc doc;
    SilentMessages silent;
    ArrangeRequest arrange;
    arrange.rows = "2";
    arrange.columns = "2";
    arrange.horizontalGap = "0.05";
    arrange.verticalGap = "0.08";
    doc.Arrange(arrange, silent);
    doc.SelectGraph(2);
    doc.m_pageColor = 0x00AABBCC;
    for (Graph& graph : doc.m_graphs) {
        Plot plot;
        plot.AddPoint(1, 10);
        plot.AddPoint(2, 20);
        plot.AddDy(0.5f);
        plot.AddDx(0.25f);
        plot.m_pointStyle = 6;
        plot.m_label.m_text = "legend text";
        plot.m_info = "old.dat";
        plot.m_errorBarHatSize = 9;
        plot.m_pointColor = kNoColor;
        graph.m_plots.Append(plot);
        graph.m_refLines.Append(RefLine{0, 1, 2.0f});
        graph.m_legend.m_boxEdgeColor = 0x00345678;
        graph.m_bottomAxis.m_labelColor = 0x000000FF;
        graph.m_bottomAxis.m_showGrid = 1;
        graph.m_bottomAxis.m_gridSize = 4;
        graph.m_bottomAxis.m_userSpacing = 1;
        graph.m_bottomAxis.m_color = 0x00FF00FF;
        graph.m_xMin = -2;
        graph.m_xMax = 5;
        graph.m_yMin = 3;
        graph.m_yMax = 30;
        graph.m_useFixedX = 1;
        graph.m_useFixedY = 1;
    }
    doc.m_displaySettings = {2, 1.5f};
    return doc;
}

bool Open(CTarnDoc& doc, const std::string& bytes, RecordingMessages& messages)
{
    return DocumentFromBytes(doc, bytes.data(), bytes.size(), messages);
}

struct ScalingReset {
    ~ScalingReset()
    {
        lineScaling = 1;
        fontScaling = 1.0f;
    }
};

} // namespace

TEST(DocumentOldLayout, Version104OpensWithItsConversions)
{
    ScalingReset reset;
    const CTarnDoc model = OldStylePage();
    OldLayout layout = OldLayout::All(1.04f);
    layout.oldFirstBlock = {7.0f, 8.0f};
    const std::string bytes = OldLayoutWriter(layout).Write(model);

    CTarnDoc doc;
    RecordingMessages messages;
    ASSERT_TRUE(Open(doc, bytes, messages)) << (messages.shown.empty() ? "" : messages.shown[0]);
    EXPECT_EQ(doc.m_pageColor, kNoColor) << "no page colour before 1.14001";
    EXPECT_EQ(doc.m_currentGraph, 2);
    EXPECT_EQ(doc.m_graphs[2].m_selected, 1);
    EXPECT_EQ(doc.m_graphs[0].m_selected, 0);
    // The arrangement comes from the graphs' places.
    const Graph& current = model.m_graphs[2];
    EXPECT_FLOAT_EQ(doc.m_graphWidth, current.m_right - current.m_left);
    EXPECT_FLOAT_EQ(doc.m_graphHeight, current.m_top - current.m_bottom);
    EXPECT_FLOAT_EQ(doc.m_horizontalGap, model.m_graphs[1].m_left - model.m_graphs[0].m_right);
    EXPECT_FLOAT_EQ(doc.m_verticalGap, model.m_graphs[2].m_bottom - model.m_graphs[0].m_top);
    EXPECT_NEAR(doc.m_horizontalGap, 0.05, 1e-6);
    EXPECT_NEAR(doc.m_verticalGap, 0.08, 1e-6);
    EXPECT_EQ(doc.m_startX, CTarnDoc().m_startX);
    EXPECT_EQ(doc.m_displaySettings.lineScaling, 1) << "no display settings record";
    EXPECT_EQ(lineScaling, 1);

    const Graph& graph = doc.m_graphs[0];
    EXPECT_EQ(graph.m_refLines.Count(), 0);
    EXPECT_EQ(graph.m_useFixedX, 0);
    EXPECT_EQ(graph.m_useFixedY, 0);
    EXPECT_EQ(graph.m_bottomAxis.m_labelColor, 0u);
    EXPECT_EQ(graph.m_bottomAxis.m_showGrid, 0);
    EXPECT_EQ(graph.m_bottomAxis.m_gridSize, 1);
    EXPECT_EQ(graph.m_bottomAxis.m_userSpacing, 0);
    EXPECT_EQ(graph.m_bottomAxis.m_color, 0u);
    EXPECT_EQ(graph.m_legend.m_boxEdgeColor, 0u);

    const Plot& plot = graph.m_plots.Get(0);
    EXPECT_EQ(std::vector<float>(plot.m_dy.begin(), plot.m_dy.end()), (std::vector<float>{7, 8, 0.5f}))
        << "both error blocks go to the y errors, the first block first";
    EXPECT_TRUE(plot.m_dx.IsEmpty());
    EXPECT_EQ(std::vector<PlotPoint>(plot.m_points.begin(), plot.m_points.end()),
              (std::vector<PlotPoint>{{1, 10}, {2, 20}}));
    EXPECT_EQ(plot.m_errorBarHatSize, 3);
    EXPECT_EQ(plot.m_errorBarLineStyle, 0);
    EXPECT_EQ(plot.m_errorBarLineSize, 1);
    EXPECT_EQ(plot.m_pointStyle, 7) << "style 6 meant none";
    EXPECT_EQ(plot.m_label.m_text, "legend text") << "the trailing string of old sets";
    EXPECT_EQ(plot.m_info, "old.dat");
    EXPECT_EQ(plot.m_pointColorNone, 1);

    // Saved again it is a current file that reads back to the same page.
    const std::string current123 = DocumentToBytes(doc);
    CTarnDoc again;
    ASSERT_TRUE(Open(again, current123, messages));
    EXPECT_EQ(DocumentToBytes(again), current123);
    EXPECT_EQ(again.m_graphs[0].m_plots.Get(0).m_label.m_text, "legend text");
}

TEST(DocumentOldLayout, ThresholdsSingleAndDouble)
{
    ScalingReset reset;
    const CTarnDoc model = OldStylePage();
    struct Row {
        const char* reason;
        OldLayout layout;
        int pointStyle;
        int fixed;
        int grid;
        int refLines;
        Color axisColor;
        Color edgeColor;
    };
    auto with = [](float version, auto change) {
        OldLayout layout;
        change(layout, version);
        return layout;
    };
    const Row rows[] = {
        {"current layout", OldLayout{}, 6, 1, 1, 1, 0x00FF00FF, 0x00345678},
        {"set 1.15 reads style 6 as none", with(1.15f, [](OldLayout& l, float v) { l.plot = v; }), 7, 1, 1, 1, 0x00FF00FF, 0x00345678},
        {"set 1.155 keeps style 6", with(1.155f, [](OldLayout& l, float v) { l.plot = v; }), 6, 1, 1, 1, 0x00FF00FF, 0x00345678},
        {"graph and axes 1.18: grid but no fixed ranges", with(1.18f, [](OldLayout& l, float v) { l.graph = l.axis = v; }), 6, 0, 1, 1, 0, 0x00345678},
        {"graph 1.19 has fixed ranges", with(1.19f, [](OldLayout& l, float v) { l.graph = v; }), 6, 1, 1, 1, 0x00FF00FF, 0x00345678},
        {"axes 1.17 have no grid", with(1.17f, [](OldLayout& l, float v) { l.axis = v; }), 6, 1, 0, 1, 0, 0x00345678},
        {"graph 1.07 as a float is above 1.07", with(1.07f, [](OldLayout& l, float v) { l.graph = v; }), 6, 0, 1, 1, 0x00FF00FF, 0x00345678},
        {"graph 1.06 has no reference lines", with(1.06f, [](OldLayout& l, float v) { l.graph = v; }), 6, 0, 1, 0, 0x00FF00FF, 0x00345678},
        {"axes 1.21 as a float have a colour", with(1.21f, [](OldLayout& l, float v) { l.axis = v; }), 6, 1, 1, 1, 0x00FF00FF, 0x00345678},
        {"axes 1.2 have none", with(1.2f, [](OldLayout& l, float v) { l.axis = v; }), 6, 1, 1, 1, 0, 0x00345678},
        {"legend 1.22 as a float is above 1.22", with(1.22f, [](OldLayout& l, float v) { l.legend = v; }), 6, 1, 1, 1, 0x00FF00FF, 0x00345678},
        {"legend 1.21 has no edge colour", with(1.21f, [](OldLayout& l, float v) { l.legend = v; }), 6, 1, 1, 1, 0x00FF00FF, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        CTarnDoc doc;
        RecordingMessages messages;
        ASSERT_TRUE(Open(doc, OldLayoutWriter(row.layout).Write(model), messages));
        const Graph& graph = doc.m_graphs[3];
        EXPECT_EQ(graph.m_plots.Get(0).m_pointStyle, row.pointStyle);
        EXPECT_EQ(graph.m_useFixedX, row.fixed);
        EXPECT_EQ(graph.m_useFixedY, row.fixed);
        if (row.fixed) {
            EXPECT_EQ(graph.m_fixedXMin, -2.0f);
            EXPECT_EQ(graph.m_fixedXMax, 5.0f);
            EXPECT_EQ(graph.m_fixedYMin, 3.0f);
            EXPECT_EQ(graph.m_fixedYMax, 30.0f);
        }
        EXPECT_EQ(graph.m_bottomAxis.m_showGrid, row.grid);
        EXPECT_EQ(graph.m_bottomAxis.m_gridSize, row.grid ? 4 : 1);
        EXPECT_EQ(graph.m_refLines.Count(), row.refLines);
        EXPECT_EQ(graph.m_bottomAxis.m_color, row.axisColor);
        EXPECT_EQ(graph.m_legend.m_boxEdgeColor, row.edgeColor);
        EXPECT_EQ(doc.m_pageColor, 0x00AABBCCu);
        EXPECT_EQ(doc.m_displaySettings.lineScaling, 2);
    }
}

TEST(DocumentOldLayout, DisplaySettingsBefore1125HaveNoFontScaling)
{
    ScalingReset reset;
    OldLayout layout;
    layout.display = 1.12f;
    CTarnDoc doc;
    RecordingMessages messages;
    ASSERT_TRUE(Open(doc, OldLayoutWriter(layout).Write(OldStylePage()), messages));
    EXPECT_EQ(doc.m_displaySettings.lineScaling, 2);
    EXPECT_EQ(doc.m_displaySettings.fontScaling, 1.0f);
    EXPECT_EQ(lineScaling, 2);
    EXPECT_EQ(fontScaling, 1.0f);
}

TEST(DocumentOldLayout, CurrentLayoutOfTheTestWriterMatchesTheProgram)
{
    const CTarnDoc model = OldStylePage();
    EXPECT_EQ(OldLayoutWriter(OldLayout{}).Write(model), DocumentToBytes(model));
}

TEST(DocumentOldLayout, EveryTruncationOfAnOldFileFails)
{
    OldLayout layout = OldLayout::All(1.04f);
    layout.oldFirstBlock = {1.0f};
    CTarnDoc model;
    Plot plot;
    plot.AddPoint(1, 2);
    plot.AddDy(3);
    plot.m_label.m_text = "old";
    model.CurrentGraph().m_plots.Append(plot);
    const std::string bytes = OldLayoutWriter(layout).Write(model);
    CTarnDoc whole;
    RecordingMessages messages;
    ASSERT_TRUE(Open(whole, bytes, messages));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CTarnDoc doc;
        RecordingMessages failed;
        ASSERT_FALSE(Open(doc, bytes.substr(0, length), failed)) << length;
        ASSERT_EQ(failed.shown, std::vector<std::string>{kUnexpectedFileFormat}) << length;
        ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), 0) << length;
    }
}
