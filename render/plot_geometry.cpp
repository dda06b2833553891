#include "render/plot_geometry.h"

#include "model/drawing_settings.h"
#include "model/plot.h"
#include "render/scale_map.h"

#include <algorithm>
#include <cmath>

std::vector<DevicePoint> PlotDevicePoints(const Plot& plot, const PageRect& page)
{
    std::vector<DevicePoint> points;
    points.reserve(std::size_t(plot.PointCount()));
    plot.m_points.ForEachFromTop([&](const PlotPoint& point) {
        points.push_back({plot.PlotToDeviceX(point.x, page), plot.PlotToDeviceY(point.y, page)});
    });
    return points;
}

std::vector<DevicePoint> ThinSolidPolyline(const std::vector<DevicePoint>& points)
{
    std::vector<DevicePoint> thin;
    thin.reserve(std::min<std::size_t>(points.size(), 4096));
    std::size_t start = 0;
    while (start < points.size()) {
        const int column = points[start].x;
        std::size_t end = start + 1;
        std::size_t lowest = start; // largest device y
        std::size_t highest = start;
        while (end < points.size() && points[end].x == column) {
            if (points[end].y > points[lowest].y)
                lowest = end;
            if (points[end].y < points[highest].y)
                highest = end;
            ++end;
        }
        // Inside one column every segment is vertical, so the run covers the
        // span from its highest to its lowest point whatever the order; the
        // first and last points keep the joins to the neighbouring columns.
        if (end - start <= 4) {
            thin.insert(thin.end(), points.begin() + std::ptrdiff_t(start),
                        points.begin() + std::ptrdiff_t(end));
        } else {
            const std::size_t last = end - 1;
            thin.push_back(points[start]);
            const std::size_t first = std::min(lowest, highest);
            const std::size_t second = std::max(lowest, highest);
            for (std::size_t index : {first, second})
                if (index != start && index != last && points[index] != thin.back())
                    thin.push_back(points[index]);
            if (points[last] != thin.back())
                thin.push_back(points[last]);
        }
        start = end;
    }
    return thin;
}

std::vector<DevicePoint> DropRepeatedPoints(const std::vector<DevicePoint>& points)
{
    std::vector<DevicePoint> kept;
    kept.reserve(points.size());
    for (const DevicePoint& point : points)
        if (kept.empty() || kept.back() != point)
            kept.push_back(point);
    return kept;
}

// Walks the points and one error chain in step, stopping where either ends.
template <class Visit>
static void ForEachPaired(const Plot& plot, const Stack<float>& errors, Visit&& visit)
{
    auto error = errors.begin();
    for (auto point = plot.m_points.begin(); point != plot.m_points.end() && error != errors.end();
         ++point, ++error)
        visit(*point, *error);
}

std::vector<DeviceSegment> XErrorBarSegments(const Plot& plot, const PageRect& page)
{
    std::vector<DeviceSegment> segments;
    const int display = plot.m_xErrorBarDisplay;
    if (plot.m_dx.IsEmpty() || display < kErrorBarFirst || display > kErrorBarBoth)
        return segments;
    const int hat = plot.m_errorBarHatSize;
    ForEachPaired(plot, plot.m_dx, [&](const PlotPoint& point, float dx) {
        const int px = plot.PlotToDeviceX(point.x, page);
        const int py = plot.PlotToDeviceY(point.y, page);
        const int left = plot.PlotToDeviceX(point.x - dx, page);
        const int right = plot.PlotToDeviceX(point.x + dx, page);
        auto bar = [&](int from, int to) { segments.push_back({{from, py}, {to, py}}); };
        auto hatAt = [&](int hx) { segments.push_back({{hx, py - hat}, {hx, py + hat + 1}}); };
        if (display == kErrorBarFirst) {
            bar(px, left);
            hatAt(left);
        } else if (display == kErrorBarSecond) {
            bar(px, right);
            hatAt(right);
        } else {
            bar(left, right);
            hatAt(left);
            hatAt(right);
        }
    });
    return segments;
}

std::vector<DeviceSegment> YErrorBarSegments(const Plot& plot, const PageRect& page)
{
    std::vector<DeviceSegment> segments;
    const int display = plot.m_yErrorBarDisplay;
    if (plot.m_dy.IsEmpty() || display < kErrorBarFirst || display > kErrorBarBoth)
        return segments;
    const int hat = plot.m_errorBarHatSize;
    ForEachPaired(plot, plot.m_dy, [&](const PlotPoint& point, float dy) {
        const int px = plot.PlotToDeviceX(point.x, page);
        const int py = plot.PlotToDeviceY(point.y, page);
        const int top = plot.PlotToDeviceY(point.y + dy, page);
        const int bottom = plot.PlotToDeviceY(point.y - dy, page);
        auto bar = [&](int from, int to) { segments.push_back({{px, from}, {px, to}}); };
        auto hatAt = [&](int hy) { segments.push_back({{px - hat, hy}, {px + hat + 1, hy}}); };
        if (display == kErrorBarFirst) {
            bar(py, top);
            hatAt(top);
        } else if (display == kErrorBarSecond) {
            bar(py, bottom);
            hatAt(bottom);
        } else {
            bar(bottom, top);
            hatAt(bottom);
            hatAt(top);
        }
    });
    return segments;
}

Marker SymbolMarker(int pointStyle, int size)
{
    Marker marker;
    const int s = size;
    marker.box = {-s, -s, s + 1, s + 1};
    switch (pointStyle) {
    case kCircle: marker.shape = Marker::Shape::Ellipse; break;
    case kSquare: marker.shape = Marker::Shape::Rectangle; break;
    case kTriangle: {
        marker.shape = Marker::Shape::Polygon;
        const int half = int(0.866025 * s);
        const int drop = int(0.5 * s);
        marker.corners = {{0, -s}, {-half, drop}, {half, drop}};
        break;
    }
    default: marker.shape = Marker::Shape::Pixel; break;
    }
    return marker;
}

DeviceSegment HistogramXBaseLine(const Plot& plot, const PageRect& page)
{
    const int y = plot.PlotToDeviceY(0.0f, page);
    return {{FractionToDeviceX(plot.m_left, page.left, page.right), y},
            {FractionToDeviceX(plot.m_right, page.left, page.right), y}};
}

DeviceSegment HistogramYBaseLine(const Plot& plot, const PageRect& page)
{
    const int x = plot.PlotToDeviceX(0.0f, page);
    return {{x, FractionToDeviceY(plot.m_bottom, page.top, page.bottom)},
            {x, FractionToDeviceY(plot.m_top, page.top, page.bottom)}};
}

// The rectangle between two corners in either order, right and bottom exclusive.
static DeviceRect Ordered(int left, int top, int right, int bottom)
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

std::vector<DeviceRect> HistogramXBars(const std::vector<DevicePoint>& points, int zeroY)
{
    std::vector<DeviceRect> bars;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const DevicePoint previous = points[i - 1];
        const DevicePoint current = points[i];
        // The bar spans both points and takes the height of the one on the left.
        const bool leftward = current.x < previous.x;
        const int from = leftward ? current.x : previous.x;
        const int to = leftward ? previous.x : current.x;
        const int height = leftward ? current.y : previous.y;
        bars.push_back(Ordered(from, std::max(height, zeroY) + 1, to + 1, std::min(height, zeroY)));
    }
    return bars;
}

std::vector<DeviceRect> HistogramYBars(const std::vector<DevicePoint>& points, int zeroX)
{
    std::vector<DeviceRect> bars;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const DevicePoint previous = points[i - 1];
        const DevicePoint current = points[i];
        const bool previousHigher = previous.y < current.y;
        const int from = previousHigher ? previous.y : current.y;
        const int to = previousHigher ? current.y : previous.y;
        const int reach = previousHigher ? current.x : previous.x;
        bars.push_back(Ordered(std::min(reach, zeroX), from + 1, std::max(reach, zeroX) + 1, to));
    }
    return bars;
}

std::vector<DeviceSegment> VectorArrows(const std::vector<DevicePoint>& points, int size)
{
    std::vector<DeviceSegment> segments;
    const double length = 2.0 * size;
    for (std::size_t i = 1; i < points.size(); i += 2) {
        const DevicePoint head = points[i - 1];
        const DevicePoint tail = points[i];
        const int x0 = tail.x, y0 = tail.y, x1 = head.x, y1 = head.y;
        double angle;
        if (x1 == x0) {
            angle = y0 < y1 ? 1.570796326795 : -1.570796326795;
        } else {
            angle = std::atan(double(y1 - y0) / double(x1 - x0));
            if (x1 < x0)
                angle = y1 < y0 ? angle - 3.14159265359 : angle + 3.14159265359;
        }
        segments.push_back({{x0, y0}, {x1, y1}});
        double a = angle - 0.26;
        segments.push_back({{x1, y1},
                            {ClampCoord(x1 + std::trunc(length * std::sin(a) - length * std::cos(a))),
                             ClampCoord(y1 - std::trunc(length * std::cos(a) + length * std::sin(a)))}});
        a = angle + 0.26;
        segments.push_back({{x1, y1},
                            {ClampCoord(x1 - std::trunc(length * std::sin(a) + length * std::cos(a))),
                             ClampCoord(y1 - std::trunc(length * std::sin(a) - length * std::cos(a)))}});
    }
    return segments;
}

NearestPointResult NearestPoint(const Plot& plot, DevicePoint point, const PageRect& page)
{
    NearestPointResult nearest;
    plot.m_points.ForEachFromTop([&](const PlotPoint& candidate) {
        const long long dx = (long long)plot.PlotToDeviceX(candidate.x, page) - point.x;
        const long long dy = (long long)plot.PlotToDeviceY(candidate.y, page) - point.y;
        const long long distance = dx * dx + dy * dy;
        if (nearest.distance < 0 || distance < nearest.distance)
            nearest = {distance, candidate.x, candidate.y};
    });
    return nearest;
}
