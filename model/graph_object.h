#pragma once

#include "model/page_rect.h"

class Canvas;

/// A point in device coordinates.
struct DevicePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DevicePoint&) const = default;
};

/// A device rectangle given by its centre and half sizes.
struct BoundingBox {
    int x = 0;
    int y = 0;
    int halfWidth = 0;
    int halfHeight = 0;

    bool Contains(DevicePoint point) const
    {
        return point.x >= x - halfWidth && point.x <= x + halfWidth && point.y >= y - halfHeight &&
               point.y <= y + halfHeight;
    }
    bool operator==(const BoundingBox&) const = default;
};

/// Version stamped on every object the program makes; stored first when saved.
constexpr float kObjectVersion = 1.23f;

/// Common base of the drawable page objects (graph, axis, text block, legend,
/// data set). Positions are page fractions: x from the left, y from the bottom.
/// The model layer keeps the data and the geometry slots; drawing code lives in
/// the render layer and overrides the drawing slots there.
class GraphObject {
public:
    GraphObject() = default;
    GraphObject(const GraphObject&) = default;
    GraphObject& operator=(const GraphObject&) = default;
    virtual ~GraphObject() = default;

    /// Draws the object. The base draws nothing.
    virtual void Draw(Canvas& canvas, const PageRect& page) const;
    /// Draws the selection marks. The base draws nothing.
    virtual void DrawSelection(Canvas& canvas, const PageRect& page) const;
    /// Called when the user clears the selection; the base does nothing.
    virtual void Clear() {}
    /// Whether `point` lies inside the bounding box; stored in `m_selected`.
    /// An invisible object is never hit.
    virtual int HitTest(DevicePoint point, Canvas& canvas, const PageRect& page);
    /// The device rectangle the object covers. The base covers nothing.
    virtual BoundingBox GetBoundingBox(const PageRect& page) const;
    /// Starts drawing scaled for a printer (`num` printer pixels per `den`
    /// screen pixels); selection marks are not drawn meanwhile.
    virtual void BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect);
    /// Ends printer scaling: print mode off, both scale fields back to 1.
    virtual void EndPrintScaling(Canvas& canvas, const PageRect& rect);
    virtual int GetPrintMode() const { return m_printMode; }
    virtual void SetPrintMode(int flag) { m_printMode = flag; }
    virtual float SetX(float x) { return m_x = x; }
    virtual float SetY(float y) { return m_y = y; }
    virtual float MoveX(float dx) { return m_x += dx; }
    virtual float MoveY(float dy) { return m_y += dy; }

    int m_printMode = 0;
    int m_visible = 1;
    int m_selected = 0;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_version = kObjectVersion;
    int m_scaleNum = 1;
    int m_scaleDen = 1;
};
