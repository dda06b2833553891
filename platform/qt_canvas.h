#pragma once

#include "render/canvas.h"

#include <QFont>
#include <QPainterPath>
#include <QPoint>

class QPainter;

/// The Canvas on a QPainter: widgets, images, printers, SVG and PDF. Lines
/// and shapes are drawn without antialiasing so that device coordinates land
/// on whole pixels, as the layout rules expect.
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

private:
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
