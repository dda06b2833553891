#include "analysis/differences.h"

#include "analysis/set_selection.h"
#include "document/tarn_doc.h"
#include "model/colors.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

double ParabolaSlope(double a, double ya, double b, double yb, double c, double yc)
{
    return ya * (1.0 / (a - c) + 1.0 / (a - b)) + yb * (a - c) / ((b - a) * (b - c)) +
           yc * (a - b) / ((c - a) * (c - b));
}

namespace {

bool UsableWindow(float p, float q, float r)
{
    return !std::isnan(p) && !std::isnan(q) && !std::isnan(r) && p != q && q != r && p != r;
}

} // namespace

void BuildDerivative(const Plot& source, int sourceIndex, SlopePlacement placement, Plot& result)
{
    result.m_points.Clear();
    result.m_xPositive = 1;
    result.m_yPositive = 1;
    std::vector<PlotPoint> computed;
    PlotPoint window[3] = {};
    int seen = 0;
    source.m_points.ForEachFromTop([&](const PlotPoint& point) {
        window[0] = window[1];
        window[1] = window[2];
        window[2] = point;
        if (++seen < 3)
            return;
        const PlotPoint& p = window[0];
        const PlotPoint& q = window[1];
        const PlotPoint& r = window[2];
        if (!UsableWindow(p.x, q.x, r.x))
            return;
        double slope = 0;
        float x = 0;
        switch (placement) {
        case SlopePlacement::Centered:
            slope = ParabolaSlope(q.x, q.y, p.x, p.y, r.x, r.y);
            x = q.x;
            break;
        case SlopePlacement::Left:
            slope = ParabolaSlope(p.x, p.y, q.x, q.y, r.x, r.y);
            x = p.x;
            break;
        case SlopePlacement::Right:
            slope = ParabolaSlope(r.x, r.y, q.x, q.y, p.x, p.y);
            x = r.x;
            break;
        }
        const float value = float(slope);
        if (!(x > 0))
            result.m_xPositive = 0;
        if (!(value > 0))
            result.m_yPositive = 0;
        computed.push_back({x, value});
    });
    // Pushed from the last result down, so the set is traversed as computed.
    for (auto point = computed.rbegin(); point != computed.rend(); ++point)
        result.AddPoint(point->x, point->y);

    char name[64];
    std::snprintf(name, sizeof name, "Derivative of Set %d", sourceIndex);
    result.m_info = name;
    result.m_pointStyle = kNoSymbol;
    result.m_lineColor = NextSetColor(source.m_lineColor);
    result.m_lineStyle = (source.m_lineStyle + 1) % 5;
}

bool MakeDerivatives(CTarnDoc& doc, const DerivativeRequest& request, Messages& messages,
                     AddedSets* added)
{
    Graph& current = doc.CurrentGraph();
    const std::vector<int> sources = SelectedSets(current);
    if (sources.empty()) {
        messages.Show(kNoPlotsSelected);
        return false;
    }
    if (request.method == kFivePoint) {
        messages.Show("The five point discrete derivative is currently unsupported by this "
                      "version. Sorry!");
        return false;
    }
    for (int index : sources) {
        if (current.m_plots.Get(index).PointCount() < 3) {
            messages.Show("At least three points are needed to compute a three point derivative.");
            return false;
        }
    }

    const int targetIndex =
        request.targetGraph >= 0 && request.targetGraph < int(doc.m_graphs.size())
            ? request.targetGraph
            : doc.m_currentGraph;
    Graph& target = doc.m_graphs[std::size_t(targetIndex)];
    // Every derivative is built before the first is added, so running out of
    // memory half way leaves the target graph as it was.
    std::vector<std::unique_ptr<Plot>> results;
    for (int index : sources) {
        results.push_back(std::make_unique<Plot>());
        BuildDerivative(current.m_plots.Get(index), index, request.placement, *results.back());
    }
    if (added) {
        added->graph = targetIndex;
        added->sets.clear();
    }
    for (const std::unique_ptr<Plot>& result : results) {
        const int xPositive = result->m_xPositive;
        const int yPositive = result->m_yPositive;
        const int index = AppendResultSet(target, *result);
        if (added)
            added->sets.push_back(index);
        if ((target.m_xLog && !xPositive) || (target.m_yLog && !yPositive)) {
            messages.Show("Warning! Can't use a log axis with negative or zero values!");
            target.SetLogScale(target.m_xLog && xPositive, target.m_yLog && yPositive, messages);
        }
    }
    // The new sets take the graph's log flags before the ranges are chosen.
    target.ApplyLogFlags();
    target.AutoScale(false, messages);
    target.SyncPlotGeometry();
    doc.SetModifiedFlag();
    return true;
}
