#pragma once

#include "render/canvas.h"

#include <QFont>
#include <QPainterPath>
#include <QPoint>

class QPainter;

/// The Canvas on a QPainter: widgets, images, printers, SVG and PDF. Lines,
/// shapes and text are antialiased, with strokes through pixel centres so
/// that a thin line on whole device coordinates covers exactly the pixels it
/// would cover unsmoothed (a plain thin line leaves out its end pixel, as the
/// layout rules expect). Inverting and XOR drawing are never smoothed, so
/// drawing twice still erases. Markers are drawn once per distinct centre,
/// from one prepared stamp on images and widgets.
class QtCanvas : public Canvas {
public:
    /// Draws with `painter`, which must stay active while the canvas is used.
    explicit QtCanvas(QPainter& painter);

    Pen SetPen(const Pen& pen) override;
    Brush SetBrush(const Brush& brush) override;
    RasterMode SetRasterMode(RasterMode mode) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(const DeviceRect& rect) override;
    void Ellipse(const DeviceRect& rect) override;
    void Polygon(const std::vector<DevicePoint>& points) override;
    void Polyline(const std::vector<DevicePoint>& points) override;
    void Segments(const std::vector<DeviceSegment>& segments) override;
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
    int DotsPerInch() const override;

    /// The QFont that stands for `font` (pixel height, weight, italic).
    static QFont ToQFont(const LogFont& font);
    /// The font record for `font`: face, pixel height (negative), weight and
    /// style from the QFont, the rest (escapement, character set) from `base`.
    static LogFont ToLogFont(const QFont& font, const LogFont& base);

private:
    bool ThinPlainPen() const;
    double StrokeOffset() const;
    bool Smooth() const { return m_mode == RasterMode::Copy; }

    QPainter& m_painter;
    Pen m_pen;
    Brush m_brush;
    RasterMode m_mode = RasterMode::Copy;
    LogFont m_logFont;
    QFont m_font;
    Color m_textColor = 0;
    QPoint m_position;
    bool m_inPath = false;
    QPainterPath m_path;
};
