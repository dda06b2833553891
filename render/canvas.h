#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/log_font.h"

#include <string>
#include <vector>

/// A device rectangle by its edges, the same record as the page rectangle;
/// right and bottom are exclusive for the filled shapes, as on the screen.
using DeviceRect = PageRect;

/// Line styles of a pen; `User` takes its dash pattern from `Pen::dashes`.
enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null, User };
enum class PenCap { Round, Square, Flat };
enum class PenJoin { Round, Bevel, Miter };

/// A pen as the drawing code asks for it. A cosmetic pen is the plain pen:
/// `width` device pixels wide (1 or less gives the thinnest line), with round
/// ends and joins when wider, in one of the built-in styles. A geometric pen
/// has the given width and honours caps and joins. With the `User` style,
/// `dashes` holds dash, gap, dash, ... lengths in device units (the drawing
/// code scales them for a printer); a gap of 0 joins the dashes.
struct Pen {
    Color color = 0x000000;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool cosmetic = true;
    PenCap cap = PenCap::Round;
    PenJoin join = PenJoin::Round;
    std::vector<int> dashes;

    bool operator==(const Pen&) const = default;
};

/// One straight line between two device points.
struct DeviceSegment {
    DevicePoint from;
    DevicePoint to;
    bool operator==(const DeviceSegment&) const = default;
};

/// A symbol that `Markers` draws at many centres, in coordinates relative to
/// each centre: an ellipse or rectangle inscribed in `box` (right and bottom
/// exclusive), a closed polygon through `corners`, or a single pixel.
struct Marker {
    enum class Shape { Ellipse, Rectangle, Polygon, Pixel };
    Shape shape = Shape::Pixel;
    DeviceRect box;
    std::vector<DevicePoint> corners;
    bool operator==(const Marker&) const = default;
};

/// A brush: solid colour or hollow (fills nothing).
struct Brush {
    Color color = 0xFFFFFF;
    bool hollow = false;

    static Brush Solid(Color color) { return {color, false}; }
    static Brush Hollow() { return {0, true}; }
    bool operator==(const Brush&) const = default;
};

/// How the pen combines with what is already drawn: plain copy, inversion of
/// the destination (drawing twice erases), or XOR with the pen colour.
enum class RasterMode { Copy, Not, XorPen };

/// Vertical metrics of the selected font, in device units.
struct FontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
    bool operator==(const FontMetrics&) const = default;
};

/// Size of a text run, in device units (unrotated).
struct TextSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextSize&) const = default;
};

/// Metrics of one glyph: advance and ink box relative to the baseline origin
/// (y grows downwards, so `top` is usually negative).
struct GlyphMetrics {
    int advance = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GlyphMetrics&) const = default;
};

/// The drawing interface that every draw routine uses. Coordinates are device
/// units with y growing downwards. A few primitives are required; the rest
/// are conveniences built on them that an implementation may override.
/// Between `BeginPath` and `EndPath`, MoveTo/LineTo/Polyline/Polygon/Rectangle
/// add to the current path instead of drawing.
class Canvas {
public:
    virtual ~Canvas() = default;

    /// Selects `pen` for lines and outlines; returns the previous pen.
    virtual Pen SetPen(const Pen& pen) = 0;
    /// Selects `brush` for filled shapes; returns the previous brush.
    virtual Brush SetBrush(const Brush& brush) = 0;
    /// Sets the raster mode; returns the previous one.
    virtual RasterMode SetRasterMode(RasterMode mode) = 0;

    /// Moves the current position without drawing.
    virtual void MoveTo(int x, int y) = 0;
    /// Draws from the current position to (x, y), excluding the end point, and
    /// makes (x, y) the current position.
    virtual void LineTo(int x, int y) = 0;
    /// Draws the outline of the rectangle with the pen and fills its inside
    /// with the brush; right and bottom are exclusive.
    virtual void Rectangle(const DeviceRect& rect) = 0;
    /// Ellipse inscribed in `rect` (exclusive right and bottom), outlined and filled.
    virtual void Ellipse(const DeviceRect& rect) = 0;
    /// Closed polygon, outlined with the pen and filled with the brush.
    virtual void Polygon(const std::vector<DevicePoint>& points) = 0;
    /// Fills `rect` (exclusive right and bottom) with `color`; no outline, the
    /// selected brush is not changed.
    virtual void FillRect(const DeviceRect& rect, Color color) = 0;

    /// Restricts drawing to `rect` until `ClearClip`.
    virtual void SetClipRect(const DeviceRect& rect) = 0;
    /// Removes the clip rectangle.
    virtual void ClearClip() = 0;

    /// Starts recording a path; following line and shape calls add to it.
    virtual void BeginPath() = 0;
    /// Ends recording the path.
    virtual void EndPath() = 0;
    /// Outlines the recorded path with the pen and forgets it.
    virtual void StrokePath() = 0;
    /// Fills the recorded path with the brush and forgets it.
    virtual void FillPath() = 0;

    /// Selects the font for text; its escapement turns the text.
    virtual void SetFont(const LogFont& font) = 0;
    /// Sets the text colour.
    virtual void SetTextColor(Color color) = 0;
    /// Draws `text` (UTF-8) with its baseline starting at (x, y), turned by the
    /// font's escapement (tenths of a degree, counter-clockwise). The
    /// background stays transparent.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    /// Unrotated size of `text` in the selected font.
    virtual TextSize MeasureText(const std::string& text) = 0;
    /// Metrics of the selected font.
    virtual FontMetrics GetFontMetrics() = 0;
    /// Metrics of one character in the selected font.
    virtual GlyphMetrics MeasureGlyph(char32_t character) = 0;

    /// Logical pixels per inch of the device (96 for screens and images).
    virtual int DotsPerInch() const { return 96; }

    /// Draws an open polyline through `points` (nothing for fewer than two).
    virtual void Polyline(const std::vector<DevicePoint>& points)
    {
        if (points.size() < 2)
            return;
        MoveTo(points[0].x, points[0].y);
        for (std::size_t i = 1; i < points.size(); ++i)
            LineTo(points[i].x, points[i].y);
    }
    /// Draws each segment as a line from its start to its end (end excluded).
    virtual void Segments(const std::vector<DeviceSegment>& segments)
    {
        for (const DeviceSegment& segment : segments)
            Line(segment.from.x, segment.from.y, segment.to.x, segment.to.y);
    }
    /// Draws `marker` centred on each of `centres` with the selected pen and
    /// brush, in order.
    virtual void Markers(const Marker& marker, const std::vector<DevicePoint>& centres)
    {
        for (const DevicePoint& centre : centres)
            DrawMarker(marker, centre);
    }
    /// Draws one `marker` centred on `centre`: the ellipse, rectangle or
    /// polygon primitive, or for a pixel a line from the centre to one pixel
    /// down and right (which draws the centre pixel alone).
    void DrawMarker(const Marker& marker, DevicePoint centre)
    {
        const DeviceRect box{centre.x + marker.box.left, centre.y + marker.box.top,
                             centre.x + marker.box.right, centre.y + marker.box.bottom};
        switch (marker.shape) {
        case Marker::Shape::Ellipse: Ellipse(box); return;
        case Marker::Shape::Rectangle: Rectangle(box); return;
        case Marker::Shape::Polygon: {
            std::vector<DevicePoint> corners = marker.corners;
            for (DevicePoint& corner : corners) {
                corner.x += centre.x;
                corner.y += centre.y;
            }
            Polygon(corners);
            return;
        }
        case Marker::Shape::Pixel: Line(centre.x, centre.y, centre.x + 1, centre.y + 1); return;
        }
    }
    /// Draws one line from (x0, y0) to (x1, y1).
    void Line(int x0, int y0, int x1, int y1)
    {
        MoveTo(x0, y0);
        LineTo(x1, y1);
    }
};
