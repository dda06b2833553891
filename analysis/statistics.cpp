#include "analysis/statistics.h"

#include "analysis/set_selection.h"
#include "model/c_numeric_scope.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cmath>
#include <cstdio>
#include <string>

const char* const kStatisticsCaption = "Plot Statistics Results";

namespace {

// Running sums of one direction. The shifted sums (values minus the first
// value) carry the variance: for data such as 10000001, 10000002, 10000003
// the plain mean square and squared mean agree in almost every digit, and
// their difference would be mostly rounding.
struct Accumulator {
    double min = 0, max = 0, sum = 0, sumSquares = 0;
    double shift = 0, shiftedSum = 0, shiftedSquares = 0;

    void Start(float value)
    {
        min = max = value;
        sum = value;
        sumSquares = double(value) * value;
        shift = value;
    }
    void Add(float value)
    {
        if (value > max)
            max = value;
        if (value < min)
            min = value;
        const double v = value;
        sum += v;
        sumSquares += v * v;
        const double d = v - shift;
        shiftedSum += d;
        shiftedSquares += d * d;
    }
    AxisStatistics Result(int n) const
    {
        AxisStatistics result;
        result.mean = sum / n;
        result.meanSquare = sumSquares / n;
        result.min = min;
        result.max = max;
        result.sum = sum;
        const double shiftedMean = shiftedSum / n;
        double variance = shiftedSquares / n - shiftedMean * shiftedMean;
        if (n > 1)
            variance *= double(n) / (n - 1);
        result.stdDev = variance > 0 ? std::sqrt(variance) : 0.0;
        return result;
    }
};

std::string Format(const char* format, const PlotStatistics& s)
{
    char text[1024];
    if (s.count < 2) {
        std::snprintf(text, sizeof text, format, s.x.mean, s.x.meanSquare, s.x.min, s.x.max,
                      s.x.sum, s.y.mean, s.y.meanSquare, s.y.min, s.y.max, s.y.sum);
    } else {
        std::snprintf(text, sizeof text, format, s.x.mean, s.x.meanSquare, s.x.stdDev, s.x.min,
                      s.x.max, s.x.sum, s.y.mean, s.y.meanSquare, s.y.stdDev, s.y.min, s.y.max,
                      s.y.sum);
    }
    return text;
}

} // namespace

PlotStatistics ComputeStatistics(const Plot& plot)
{
    PlotStatistics result;
    result.count = plot.PointCount();
    if (result.count == 0)
        return result;
    Accumulator x, y;
    bool first = true;
    plot.m_points.ForEachFromTop([&](const PlotPoint& point) {
        if (first) {
            x.Start(point.x);
            y.Start(point.y);
            first = false;
            return;
        }
        x.Add(point.x);
        y.Add(point.y);
    });
    result.x = x.Result(result.count);
    result.y = y.Result(result.count);
    return result;
}

std::string StatisticsText(const Plot& plot)
{
    if (plot.PointCount() == 0)
        return "No Data in Plot!\n";
    const PlotStatistics statistics = ComputeStatistics(plot);
    const CNumericScope cNumbers;
    if (statistics.count < 2)
        return Format("<x> = %g\n<x^2> = %g\nmin(x) = %g\nmax(x) = %g\nsum(x) = %g\n\n"
                      "<y> = %g\n<y^2> = %g\nmin(y) = %g\nmax(y) = %g\nsum(y) = %g\n\n",
                      statistics);
    return Format("<x> = %g\n<x^2> = %g\nStdDev(x) = %g\nmin(x) = %g\nmax(x) = %g\nsum(x) = %g\n\n"
                  "<y> = %g\n<y^2> = %g\nStdDev(y) = %g\nmin(y) = %g\nmax(y) = %g\nsum(y) = %g\n\n",
                  statistics);
}

std::string StatisticsReport(const Graph& graph)
{
    std::string report;
    for (int index : SelectedSets(graph)) {
        const Plot& plot = graph.m_plots.Get(index);
        char header[64];
        std::snprintf(header, sizeof header, "Set #%d (N = %d) \"", index, plot.PointCount());
        report += "******* ";
        report += header;
        report += plot.m_info;
        report += "\" *******\n";
        report += StatisticsText(plot);
    }
    return report;
}

bool ShowStatistics(const Graph& graph, Messages& messages)
{
    const std::string report = StatisticsReport(graph);
    if (report.empty()) {
        messages.Show(kNoPlotsSelected);
        return false;
    }
    messages.ShowText(kStatisticsCaption, report);
    return true;
}
