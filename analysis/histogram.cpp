#include "analysis/histogram.h"

#include "analysis/set_selection.h"
#include "document/tarn_doc.h"
#include "equation/evalfield.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

const char* const kTooManyBins = "# Bin > 10000000. No histogram for you.";
const char* const kBeyondFloats =
    "The bins reach beyond the largest number a data set can hold. No histogram for you.";

// A field counts as read only when it holds a finite number: an infinite
// start, end or width cannot place any bin.
bool ReadField(const std::string& text, float& value)
{
    return EvalField(text.c_str(), value) && std::isfinite(value);
}

} // namespace

void BuildHistogram(const Plot& source, int sourceIndex, const HistogramBins& bins, Plot& result)
{
    const int n = bins.count > 0 ? bins.count : 0;
    std::vector<float> counts(std::size_t(n), 0.0f);
    // The bin arithmetic is in 4-byte floats, as the values are: a width of
    // 0.1 over 0 to 1 then gives bin 9 for a y of 0.95 and no stray bin 10.
    const float start = bins.start;
    const float width = bins.width;
    const float limit = float(n);
    if (n > 0) {
        source.m_points.ForEachFromTop([&](const PlotPoint& point) {
            const float position = (point.y - start) / width;
            // Truncation toward zero puts (-1, 0) into bin 0; a NaN fails both tests.
            if (position > -1.0f && position < limit)
                counts[std::size_t(int(position))] += 1.0f;
        });
    }
    if (bins.normalize) {
        double total = 0;
        for (float count : counts)
            total += double(width) * count;
        // With nothing counted there is no area to divide by; the counts stay 0.
        if (total > 0) {
            for (float& count : counts)
                count = float(count / total);
        }
    }

    result.m_points.Clear();
    char name[64];
    std::snprintf(name, sizeof name, "Histogram of Set %d", sourceIndex);
    result.m_info = name;
    result.m_pointStyle = kHistogramX;
    result.m_pointColor = kNoColor;
    result.m_pointColorNone = 1;
    result.m_lineStyle = kNoLine;
    result.m_lineColor = 0x000000;
    result.m_xPositive = start > 0 ? 1 : 0;
    result.m_yPositive = 0;
    const double offset = bins.alignOnValue ? 0.0 : 0.5;
    auto binX = [&](int i) { return float(double(start) + double(width) * (i + offset)); };
    // Pushed from the last point down, so the set is traversed in bin order.
    result.AddPoint(binX(n), 0.0f);
    for (int i = n - 1; i >= 0; --i)
        result.AddPoint(binX(i), counts[std::size_t(i)]);
}

bool MakeHistograms(CTarnDoc& doc, const HistogramRequest& request, Messages& messages,
                    AddedSets* added)
{
    Graph& current = doc.CurrentGraph();
    const std::vector<int> sources = SelectedSets(current);
    if (sources.empty()) {
        messages.Show(kNoPlotsSelected);
        return false;
    }
    float end = 0, start = 0;
    if (!ReadField(request.end, end)) {
        messages.Show("Invalid end value!");
        return false;
    }
    if (!ReadField(request.start, start)) {
        messages.Show("Invalid start value!");
        return false;
    }
    HistogramBins bins;
    bins.start = start;
    bins.normalize = request.normalize;
    bins.alignOnValue = request.alignOnValue;
    if (request.byBinCount) {
        float count = 0;
        if (!ReadField(request.binCount, count)) {
            messages.Show("Invalid number of bins");
            return false;
        }
        if (count < 1.0f) {
            messages.Show("# Bin <= 0. No histogram for you.");
            return false;
        }
        if (count >= float(kMostHistogramBins) + 1.0f) {
            messages.Show(kTooManyBins);
            return false;
        }
        bins.count = int(count);
    } else {
        if (!ReadField(request.binWidth, bins.width)) {
            messages.Show("Invalid bin width");
            return false;
        }
        if (!(bins.width > 0)) {
            messages.Show("Bin Width value <= 0. No histogram for you.");
            return false;
        }
    }
    if (start > end) {
        messages.Show("Start value > Ending value.");
        return false;
    }
    if (request.byBinCount) {
        bins.width = (end - start) / float(bins.count);
    } else {
        const float whole = (end - start) / bins.width;
        // A range too wide for a float gives infinity here.
        if (!(whole < float(kMostHistogramBins) + 1.0f)) {
            messages.Show(kTooManyBins);
            return false;
        }
        bins.count = int(whole);
    }
    // The bins' x values must stay within what a 4-byte float holds.
    const double reach = double(start) + double(bins.width) * (bins.count + 1.0);
    if (!std::isfinite(bins.width) || !(std::fabs(reach) <= FLT_MAX)) {
        messages.Show(kBeyondFloats);
        return false;
    }

    const int targetIndex =
        request.targetGraph >= 0 && request.targetGraph < int(doc.m_graphs.size())
            ? request.targetGraph
            : doc.m_currentGraph;
    Graph& target = doc.m_graphs[std::size_t(targetIndex)];
    // Every histogram is built before the first is added, so running out of
    // memory half way leaves the target graph as it was.
    std::vector<std::unique_ptr<Plot>> results;
    for (int index : sources) {
        results.push_back(std::make_unique<Plot>());
        BuildHistogram(current.m_plots.Get(index), index, bins, *results.back());
    }
    if (added) {
        added->graph = targetIndex;
        added->sets.clear();
    }
    for (const std::unique_ptr<Plot>& result : results) {
        const int index = AppendResultSet(target, *result);
        if (added)
            added->sets.push_back(index);
    }

    if (target.m_xLog) {
        for (int i = 0; i < target.m_plots.Count(); ++i) {
            if (!target.m_plots.Get(i).m_xPositive) {
                target.m_xLog = 0;
                break;
            }
        }
    }
    target.m_yLog = 0;
    for (int i = 0; i < target.m_plots.Count(); ++i) {
        Plot& plot = target.m_plots.Get(i);
        plot.m_xLog = target.m_xLog;
        plot.m_yLog = target.m_yLog;
    }
    target.AutoScale(false, messages);
    target.SyncPlotGeometry();
    doc.SetModifiedFlag();
    return true;
}
