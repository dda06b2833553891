#pragma once

#include "render/canvas.h"

#include <vector>

class Plot;

// The device geometry of a data set, computed from its own copy of the graph
// geometry, separate from emitting it so that it can be checked without pixels.

/// The set's points in device coordinates, in list order.
std::vector<DevicePoint> PlotDevicePoints(const Plot& plot, const PageRect& page);

/// The points of a solid polyline with what cannot change its pixels left
/// out: of every run of consecutive points in one device column only the
/// first, the lowest, the highest and the last stay (in their order), so a
/// million points across a thousand columns become a few thousand.
std::vector<DevicePoint> ThinSolidPolyline(const std::vector<DevicePoint>& points);

/// The points with consecutive repeats of one device point left out; a dash
/// pattern runs on unchanged along what remains.
std::vector<DevicePoint> DropRepeatedPoints(const std::vector<DevicePoint>& points);

/// The x error bars: for each point paired in list order with the next dx
/// value (stopping where either list ends), the bar to x - dx (Left), x + dx
/// (Right) or between them (Both), each followed by its hats: vertical
/// segments from py - hat to py + hat + 1 at the bar's ends. Empty without dx
/// values or with the display None.
std::vector<DeviceSegment> XErrorBarSegments(const Plot& plot, const PageRect& page);

/// The y error bars, likewise: to y + dy (Top, upwards), y - dy (Bottom) or
/// both, with horizontal hats from px - hat to px + hat + 1.
std::vector<DeviceSegment> YErrorBarSegments(const Plot& plot, const PageRect& page);

/// The symbol drawn at each point for the symbol codes Circle, Square,
/// Triangle and Dot, with half size `size`.
Marker SymbolMarker(int pointStyle, int size);

/// The base line of a Histogram X set: along y = 0 across the plot area.
DeviceSegment HistogramXBaseLine(const Plot& plot, const PageRect& page);
/// The base line of a Histogram Y set: along x = 0 across the plot area.
DeviceSegment HistogramYBaseLine(const Plot& plot, const PageRect& page);

/// The bars of a Histogram X set standing on device y `zeroY`: n points give
/// n - 1 bars, each between two neighbouring points and as high as the one
/// further left, as rectangles with exclusive right and bottom edges.
std::vector<DeviceRect> HistogramXBars(const std::vector<DevicePoint>& points, int zeroY);
/// The bars of a Histogram Y set standing on device x `zeroX`: each between
/// two neighbouring points and reaching the x of the one lower on the page.
std::vector<DeviceRect> HistogramYBars(const std::vector<DevicePoint>& points, int zeroX);

/// The arrows of a Vector set: points taken in pairs, each arrow drawn from
/// the second point of its pair to the first, where its two barbs (about
/// 0.525 radian off the shaft, each sqrt(2) x 2 x `size` long) meet. Three
/// segments per arrow (shaft, barb, barb); an odd last point draws nothing.
std::vector<DeviceSegment> VectorArrows(const std::vector<DevicePoint>& points, int size);

/// The point of a set nearest to a device point.
struct NearestPointResult {
    long long distance = -1; ///< squared device distance; -1 when the set has no points
    float x = 0.0f;
    float y = 0.0f;
};
/// The set's point nearest to `point` on its own mapping (the first wins a tie).
NearestPointResult NearestPoint(const Plot& plot, DevicePoint point, const PageRect& page);
