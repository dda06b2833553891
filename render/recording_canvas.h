#pragma once

#include "render/canvas.h"

#include <string>
#include <vector>

/// A canvas that draws nothing and records every primitive with its exact
/// integer coordinates and the pen, brush and raster mode in force, so that
/// geometry can be checked without pixels. Text metrics are deterministic:
/// each character is half the font height wide (rounded up), the ascent is
/// four fifths of the height and the descent the rest. Markers are recorded as
/// the primitives they are made of, or, with `m_expandMarkers` off, as one
/// record holding every centre (to time the drawing code alone).
class RecordingCanvas : public Canvas {
public:
    enum class Kind { MoveTo, LineTo, Rectangle, Ellipse, Polygon, Polyline, FillRect, Clip,
                      ClearClip, BeginPath, EndPath, StrokePath, FillPath, Text, Markers };

    /// One recorded primitive.
    struct Record {
        Kind kind;
        std::vector<DevicePoint> points; ///< end points, or the corners of a rectangle
        DeviceRect rect;
        Color color = 0;                 ///< fill colour of FillRect, text colour of Text
        std::string text;
        Pen pen;
        Brush brush;
        RasterMode mode = RasterMode::Copy;
        LogFont font;
    };

    Pen SetPen(const Pen& pen) override;
    Brush SetBrush(const Brush& brush) override;
    RasterMode SetRasterMode(RasterMode mode) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(const DeviceRect& rect) override;
    void Ellipse(const DeviceRect& rect) override;
    void Polygon(const std::vector<DevicePoint>& points) override;
    void Polyline(const std::vector<DevicePoint>& points) override;
    void Markers(const Marker& marker, const std::vector<DevicePoint>& centres) override;
    void FillRect(const DeviceRect& rect, Color color) override;
    void SetClipRect(const DeviceRect& rect) override;
    void ClearClip() override;
    void BeginPath() override;
    void EndPath() override;
    void StrokePath() override;
    void FillPath() override;
    void SetFont(const LogFont& font) override;
    void SetTextColor(Color color) override;
    void TextOut(int x, int y, const std::string& text) override;
    TextSize MeasureText(const std::string& text) override;
    FontMetrics GetFontMetrics() override;
    GlyphMetrics MeasureGlyph(char32_t character) override;

    /// A one-line description of `record`, e.g. "line 10,20 30,40" or
    /// "fill 0,0 100,50 #ffffff"; meant for test expectations.
    static std::string Describe(const Record& record);
    /// Every record described, one per element.
    std::vector<std::string> Descriptions() const;
    /// Forgets what was recorded; the selected state stays.
    void ClearRecords() { m_records.clear(); }

    std::vector<Record> m_records;
    Pen m_pen;
    Brush m_brush;
    RasterMode m_mode = RasterMode::Copy;
    LogFont m_font;
    Color m_textColor = 0;
    DevicePoint m_position;
    bool m_inPath = false;
    bool m_expandMarkers = true;
    bool m_clipped = false;
    DeviceRect m_clip;

private:
    Record Make(Kind kind) const;
};
