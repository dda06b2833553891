#include "document/scaling.h"

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "render/graph.h"

namespace {

bool AnyGraph(const CTarnDoc& doc, bool (*test)(const Graph&))
{
    for (int i = 0; i < doc.m_graphCount; ++i)
        if (test(doc.m_graphs[i]))
            return true;
    return false;
}

} // namespace

bool ApplyScaling(CTarnDoc& doc, const ScalingRequest& r, Messages& messages)
{
    const bool xNonPositive = r.xMin <= 0.0f || r.xMax <= 0.0f;
    const bool yNonPositive = r.yMin <= 0.0f || r.yMax <= 0.0f;
    switch (r.target) {
    case ScalingTarget::CurrentGraph: {
        Graph& graph = doc.CurrentGraph();
        if (r.useDefault) {
            graph.ClearFixedRanges();
            graph.AutoScale(false, messages);
        } else {
            graph.SetFixedRanges(r.xMin, r.xMax, r.yMin, r.yMax);
            graph.SetRanges(r.xMin, r.xMax, r.yMin, r.yMax, false, messages);
        }
        return true;
    }
    case ScalingTarget::AllGraphs:
        if (!r.useDefault && (xNonPositive || yNonPositive) &&
            AnyGraph(doc, [](const Graph& g) { return g.m_xLog != 0 || g.m_yLog != 0; })) {
            messages.Show("A negative axis range can not be used with\n\ra log scale.");
            return false;
        }
        for (int i = 0; i < doc.m_graphCount; ++i) {
            Graph& graph = doc.m_graphs[i];
            if (r.useDefault) {
                graph.ClearFixedRanges();
                graph.AutoScale(false, messages);
            } else {
                graph.SetFixedRanges(r.xMin, r.xMax, r.yMin, r.yMax);
                graph.SetRanges(r.xMin, r.xMax, r.yMin, r.yMax, false, messages);
            }
        }
        return true;
    case ScalingTarget::XAllGraphs:
        if (!r.useDefault && xNonPositive && AnyGraph(doc, [](const Graph& g) { return g.m_xLog != 0; })) {
            messages.Show("A negative X axis range can not be used with\n\ra log scale.");
            return false;
        }
        for (int i = 0; i < doc.m_graphCount; ++i) {
            Graph& graph = doc.m_graphs[i];
            if (r.useDefault) {
                graph.ClearFixedXRange();
                graph.AutoScaleX(false, messages);
            } else {
                graph.SetFixedXRange(r.xMin, r.xMax);
                graph.SetXRange(r.xMin, r.xMax, false, messages);
            }
        }
        return true;
    case ScalingTarget::YAllGraphs:
        if (!r.useDefault && yNonPositive && AnyGraph(doc, [](const Graph& g) { return g.m_yLog != 0; })) {
            messages.Show("A negative Y axis range can not be used with\n\ra log scale.");
            return false;
        }
        for (int i = 0; i < doc.m_graphCount; ++i) {
            Graph& graph = doc.m_graphs[i];
            if (r.useDefault) {
                graph.ClearFixedYRange();
                graph.AutoScaleY(false, messages);
            } else {
                graph.SetFixedYRange(r.yMin, r.yMax);
                graph.SetYRange(r.yMin, r.yMax, false, messages);
            }
        }
        return true;
    }
    return false;
}
