#include "model/plot.h"

#include "model/drawing_settings.h"

#include <algorithm>
#include <cmath>

Plot::Plot(const Plot& other) : GraphObject(other)
{
    CopyFields(other);
}

Plot::Plot(const Plot& other, SameOrder) : GraphObject(other)
{
    CopyFields(other, true);
}

Plot& Plot::operator=(const Plot& other)
{
    if (this == &other)
        return *this;
    GraphObject::operator=(other);
    CopyFields(other);
    return *this;
}

void Plot::CopyFields(const Plot& other, bool sameOrder)
{
    m_handOver = 0;
    if (sameOrder) {
        m_points = other.m_points;
        m_dy = other.m_dy;
        m_dx = other.m_dx;
    } else if (other.m_handOver) {
        // A hand-over gives the chains away unchanged; the source keeps none.
        // The hand-over flag is a promise by the owner of `other` that the copy
        // may take its chains, so the const source is emptied on purpose.
        Plot& source = const_cast<Plot&>(other);
        m_points = std::move(source.m_points);
        m_dy = std::move(source.m_dy);
        m_dx = std::move(source.m_dx);
        source.m_points.Clear();
        source.m_dy.Clear();
        source.m_dx.Clear();
    } else {
        m_points.Clear();
        m_dy.Clear();
        m_dx.Clear();
        m_points.PushAllFromTop(other.m_points);
        m_dy.PushAllFromTop(other.m_dy);
        m_dx.PushAllFromTop(other.m_dx);
    }
    m_yErrorBarDisplay = other.m_yErrorBarDisplay;
    m_xErrorBarDisplay = other.m_xErrorBarDisplay;
    m_errorBarHatSize = other.m_errorBarHatSize;
    m_errorBarLineStyle = other.m_errorBarLineStyle;
    m_errorBarLineSize = other.m_errorBarLineSize;
    m_left = other.m_left;
    m_bottom = other.m_bottom;
    m_right = other.m_right;
    m_top = other.m_top;
    m_xLog = other.m_xLog;
    m_yLog = other.m_yLog;
    m_xPositive = other.m_xPositive;
    m_yPositive = other.m_yPositive;
    m_pointStyle = other.m_pointStyle;
    m_pointSize = other.m_pointSize;
    m_pointColorNone = other.m_pointColorNone;
    m_pointColor = other.m_pointColor;
    m_lineStyle = other.m_lineStyle;
    m_lineSize = other.m_lineSize;
    m_lineColor = other.m_lineColor;
    m_xMin = other.m_xMin;
    m_xMax = other.m_xMax;
    m_yMin = other.m_yMin;
    m_yMax = other.m_yMax;
    m_info = other.m_info;
    m_label = other.m_label;
}

int Plot::PlotToDeviceX(float x, const PageRect& page) const
{
    double value = m_xLog ? std::log10(double(x)) : double(x);
    double fraction = m_left + (value - m_xMin) * (m_right - m_left) / (m_xMax - m_xMin);
    return ClampCoord(page.left + fraction * (page.right - page.left));
}

int Plot::PlotToDeviceY(float y, const PageRect& page) const
{
    double value = m_yLog ? std::log10(double(y)) : double(y);
    double fraction = m_bottom + (value - m_yMin) * (m_top - m_bottom) / (m_yMax - m_yMin);
    return ClampCoord(page.bottom - fraction * (page.bottom - page.top));
}

bool Plot::Extent(bool alongX, double& low, double& high) const
{
    if (m_points.IsEmpty())
        return false;
    const Stack<float>& errors = alongX ? m_dx : m_dy;
    ExtentCache& cache = m_extent[alongX ? 0 : 1];
    if (!cache.valid || cache.pointsVersion != m_points.Version() || cache.errorsVersion != errors.Version()) {
        ComputeExtent(alongX, cache.low, cache.high);
        cache.pointsVersion = m_points.Version();
        cache.errorsVersion = errors.Version();
        cache.valid = true;
    }
    low = cache.low;
    high = cache.high;
    return true;
}

void Plot::ComputeExtent(bool alongX, double& low, double& high) const
{
    const Stack<float>& errors = alongX ? m_dx : m_dy;
    const PlotPoint& top = m_points.Top();
    low = high = alongX ? top.x : top.y;
    if (errors.IsEmpty()) {
        // The common case: a tight loop over the values alone.
        double lowest = low, highest = high;
        m_points.ForEachFromTop([&](const PlotPoint& point) {
            const double value = alongX ? point.x : point.y;
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        });
        low = lowest;
        high = highest;
        return;
    }
    auto error = errors.begin();
    bool first = true;
    for (const PlotPoint& point : m_points) {
        double e = 0.0;
        if (error != errors.end()) {
            e = *error;
            ++error;
        }
        const double value = alongX ? point.x : point.y;
        const double lowValue = value - e;
        const double highValue = value + e;
        if (first) {
            low = lowValue;
            high = highValue;
            first = false;
        } else {
            low = std::min(low, lowValue);
            high = std::max(high, highValue);
        }
    }
}

void Plot::BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect)
{
    GraphObject::BeginPrintScaling(canvas, num, den, rect);
    m_label.BeginPrintScaling(canvas, num, den, rect);
}

void Plot::EndPrintScaling(Canvas& canvas, const PageRect& rect)
{
    GraphObject::EndPrintScaling(canvas, rect);
    m_label.EndPrintScaling(canvas, rect);
}

void Plot::SetPrintMode(int flag)
{
    GraphObject::SetPrintMode(flag);
    m_label.SetPrintMode(flag);
}
