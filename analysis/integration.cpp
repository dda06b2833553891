#include "analysis/integration.h"

#include "analysis/set_selection.h"
#include "model/c_numeric_scope.h"
#include "model/messages.h"
#include "render/graph.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

const char* const kIntegrationCaption = "Integration results";

bool ReadLimitField(const std::string& text, float& value)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const std::size_t last = text.find_last_not_of(" \t");
    const std::string number = text.substr(first, last - first + 1);
    // Only a decimal number: no hex, "inf" or "nan", which strtod would take.
    if (number.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return false;
    const CNumericScope cNumbers;
    char* stop = nullptr;
    const double read = std::strtod(number.c_str(), &stop);
    if (stop != number.c_str() + number.size() || !(std::fabs(read) <= FLT_MAX))
        return false;
    value = float(read);
    return true;
}

namespace {

// Orders by x with the points whose x is not a number last, so the sort has
// a strict weak order whatever the data holds.
bool LessByX(const PlotPoint& a, const PlotPoint& b)
{
    return !std::isnan(a.x) && (std::isnan(b.x) || a.x < b.x);
}

// The points in ascending x. Data read from a file in ascending x is
// traversed in descending x, so both runs are recognised in one pass and
// cost no sort.
std::vector<PlotPoint> SortedPoints(const Plot& plot)
{
    std::vector<PlotPoint> points;
    points.reserve(std::size_t(plot.PointCount()));
    plot.m_points.ForEachFromTop([&](const PlotPoint& point) { points.push_back(point); });
    bool ascending = true, descending = true;
    for (std::size_t i = 1; i < points.size() && (ascending || descending); ++i) {
        ascending = ascending && points[i - 1].x <= points[i].x;
        descending = descending && points[i - 1].x >= points[i].x;
    }
    if (ascending)
        return points;
    if (descending)
        std::reverse(points.begin(), points.end());
    else
        std::sort(points.begin(), points.end(), LessByX);
    return points;
}

double Trapezoid(const PlotPoint& left, const PlotPoint& right)
{
    return (double(left.y) + right.y) * (double(right.x) - left.x) * 0.5;
}

std::string Format(const char* format, double a, double b)
{
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

} // namespace

bool Integrate(const Plot& plot, const IntegrationLimits& limits, double& integral, float* lowest,
               float* highest)
{
    if (plot.PointCount() < 2)
        return false;
    const std::vector<PlotPoint> points = SortedPoints(plot);
    if (lowest)
        *lowest = points.front().x;
    if (highest)
        *highest = points.back().x;
    double sum = 0;
    if (!limits.userDefined) {
        for (std::size_t i = 1; i < points.size(); ++i)
            sum += Trapezoid(points[i - 1], points[i]);
        integral = sum;
        return true;
    }
    float a = limits.from, b = limits.to;
    double sign = 1;
    if (a > b) {
        std::swap(a, b);
        sign = -1;
    }
    // Intervals that cross a limit are left out whole.
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i - 1].x >= a && points[i].x <= b)
            sum += Trapezoid(points[i - 1], points[i]);
    }
    integral = sign * sum;
    return true;
}

std::string IntegrationText(const Plot& plot, const IntegrationLimits& limits)
{
    const CNumericScope cNumbers;
    std::string text = plot.m_info + "\r\n";
    if (limits.userDefined)
        text += Format("Integration limits [%g, %g]\r\n", limits.from, limits.to);
    if (plot.PointCount() == 0)
        return text + "No points in plot!\r\n\r\n";
    if (plot.PointCount() == 1)
        return text + "1 point in plot, integral is zero.\r\n\r\n";
    double integral = 0;
    float lowest = 0, highest = 0;
    Integrate(plot, limits, integral, &lowest, &highest);
    if (!limits.userDefined)
        text += Format("Integration limits [%g, %g]\r\n", lowest, highest);
    char value[64];
    std::snprintf(value, sizeof value, "%g", integral);
    return text + "Integral = " + value + "\r\n\r\n";
}

std::string IntegrationReport(const Graph& graph, const IntegrationLimits& limits)
{
    std::string report;
    for (int index : SelectedSets(graph))
        report += IntegrationText(graph.m_plots.Get(index), limits);
    return report;
}

bool ShowIntegration(const Graph& graph, const IntegrationLimits& limits, Messages& messages)
{
    if (SelectedSets(graph).empty()) {
        messages.Show(kNoPlotsSelected);
        return false;
    }
    messages.ShowText(kIntegrationCaption, IntegrationReport(graph, limits));
    return true;
}
