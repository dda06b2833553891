// The Scaling dialog's apply choices on one graph or all, with "Default" and
// the refusals of non-positive ranges on log axes.
#include "document/scaling.h"

#include "document/tarn_doc.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

namespace {

// A page of two graphs, each with a set from 1 to 100.
void TwoGraphs(CTarnDoc& doc, RecordingMessages& messages, int logXOfSecond = 0)
{
    doc.m_graphs.resize(2);
    doc.m_graphCount = 2;
    doc.m_columns = 2;
    for (int i = 0; i < 2; ++i) {
        Plot plot;
        for (float v : {1.0f, 10.0f, 100.0f})
            plot.AddPoint(v, v);
        plot.m_xPositive = plot.m_yPositive = 1;
        doc.m_graphs[i].m_plots.Append(plot);
        doc.m_graphs[i].SyncPlotGeometry();
        doc.m_graphs[i].AutoScale(true, messages);
    }
    if (logXOfSecond)
        doc.m_graphs[1].SetLogScale(1, 0, messages);
}

} // namespace

TEST(Scaling, ValuesAndDefaultsForEachTarget)
{
    struct Row { ScalingTarget target; bool x0, y0, x1, y1; };
    const Row rows[] = {
        {ScalingTarget::CurrentGraph, true, true, false, false},
        {ScalingTarget::AllGraphs, true, true, true, true},
        {ScalingTarget::XAllGraphs, true, false, true, false},
        {ScalingTarget::YAllGraphs, false, true, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.target));
        CTarnDoc doc;
        RecordingMessages messages;
        TwoGraphs(doc, messages);
        const Graph before0 = doc.m_graphs[0], before1 = doc.m_graphs[1];
        ScalingRequest request{row.target, false, 2.0f, 20.0f, 3.0f, 30.0f};
        EXPECT_TRUE(ApplyScaling(doc, request, messages));
        const auto check = [](const Graph& graph, const Graph& before, bool x, bool y) {
            EXPECT_EQ(graph.m_xMin, x ? 2.0f : before.m_xMin);
            EXPECT_EQ(graph.m_xMax, x ? 20.0f : before.m_xMax);
            EXPECT_EQ(graph.m_yMin, y ? 3.0f : before.m_yMin);
            EXPECT_EQ(graph.m_yMax, y ? 30.0f : before.m_yMax);
            EXPECT_EQ(graph.m_useFixedX, x ? 1 : before.m_useFixedX);
            EXPECT_EQ(graph.m_useFixedY, y ? 1 : before.m_useFixedY);
        };
        check(doc.m_graphs[0], before0, row.x0, row.y0);
        check(doc.m_graphs[1], before1, row.x1, row.y1);
        // The fixed range survives an automatic rescale that is not forced.
        doc.m_graphs[0].AutoScale(false, messages);
        check(doc.m_graphs[0], before0, row.x0, row.y0);

        // "Default" clears the fixed ranges and scales to the data again.
        request.useDefault = true;
        EXPECT_TRUE(ApplyScaling(doc, request, messages));
        for (int i = 0; i < 2; ++i) {
            const Graph& before = i == 0 ? before0 : before1;
            EXPECT_EQ(doc.m_graphs[i].m_xMin, before.m_xMin);
            EXPECT_EQ(doc.m_graphs[i].m_yMax, before.m_yMax);
            EXPECT_EQ(doc.m_graphs[i].m_useFixedX, 0);
        }
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(Scaling, NonPositiveRangesAreRefusedWhereAGraphIsLogarithmic)
{
    struct Row { ScalingTarget target; ScalingRequest request; const char* message; };
    const Row rows[] = {
        {ScalingTarget::AllGraphs, {ScalingTarget::AllGraphs, false, 1, 10, -1, 10},
         "A negative axis range can not be used with\n\ra log scale."},
        {ScalingTarget::XAllGraphs, {ScalingTarget::XAllGraphs, false, 0, 10, 1, 10},
         "A negative X axis range can not be used with\n\ra log scale."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        CTarnDoc doc;
        RecordingMessages messages;
        TwoGraphs(doc, messages, 1);
        const Graph before = doc.m_graphs[0];
        EXPECT_FALSE(ApplyScaling(doc, row.request, messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], row.message);
        EXPECT_EQ(doc.m_graphs[0].m_xMin, before.m_xMin) << "nothing changes";
        EXPECT_EQ(doc.m_graphs[0].m_yMin, before.m_yMin);
    }
    // A y range below zero is fine when only x is logarithmic.
    CTarnDoc doc;
    RecordingMessages messages;
    TwoGraphs(doc, messages, 1);
    EXPECT_TRUE(ApplyScaling(doc, {ScalingTarget::YAllGraphs, false, 0, 0, -5, 5}, messages));
    EXPECT_EQ(doc.m_graphs[1].m_yMin, -5.0f);
}
