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

// Applies the request to the x and/or y axis of one graph. Both fixed ranges
// are set (or cleared) before either axis is scaled, as the graph's own
// two-axis calls do: an axis whose range is too small rescales both, and the
// other must already hold its new fixed range then.
void ApplyToAxes(Graph& graph, const ScalingRequest& r, bool x, bool y, Messages& messages)
{
    if (r.useDefault) {
        if (x)
            graph.ClearFixedXRange();
        if (y)
            graph.ClearFixedYRange();
        if (x)
            graph.AutoScaleX(false, messages);
        if (y)
            graph.AutoScaleY(false, messages);
        return;
    }
    if (x)
        graph.SetFixedXRange(r.xMin, r.xMax);
    if (y)
        graph.SetFixedYRange(r.yMin, r.yMax);
    if (x)
        graph.SetXRange(r.xMin, r.xMax, false, messages);
    if (y)
        graph.SetYRange(r.yMin, r.yMax, false, messages);
}

} // namespace

bool ApplyScaling(CTarnDoc& doc, const ScalingRequest& r, Messages& messages)
{
    const bool xNonPositive = r.xMin <= 0.0f || r.xMax <= 0.0f;
    const bool yNonPositive = r.yMin <= 0.0f || r.yMax <= 0.0f;
    const bool x = r.target != ScalingTarget::YAllGraphs;
    const bool y = r.target != ScalingTarget::XAllGraphs;
    switch (r.target) {
    case ScalingTarget::CurrentGraph:
        ApplyToAxes(doc.CurrentGraph(), r, x, y, messages);
        return true;
    case ScalingTarget::AllGraphs:
        if (!r.useDefault && (xNonPositive || yNonPositive) &&
            AnyGraph(doc, [](const Graph& g) { return g.m_xLog != 0 || g.m_yLog != 0; })) {
            messages.Show("A negative axis range can not be used with\n\ra log scale.");
            return false;
        }
        break;
    case ScalingTarget::XAllGraphs:
        if (!r.useDefault && xNonPositive && AnyGraph(doc, [](const Graph& g) { return g.m_xLog != 0; })) {
            messages.Show("A negative X axis range can not be used with\n\ra log scale.");
            return false;
        }
        break;
    case ScalingTarget::YAllGraphs:
        if (!r.useDefault && yNonPositive && AnyGraph(doc, [](const Graph& g) { return g.m_yLog != 0; })) {
            messages.Show("A negative Y axis range can not be used with\n\ra log scale.");
            return false;
        }
        break;
    default:
        return false;
    }
    for (int i = 0; i < doc.m_graphCount; ++i)
        ApplyToAxes(doc.m_graphs[i], r, x, y, messages);
    return true;
}
