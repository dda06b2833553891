#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

#include <cstdlib>

static QColor ToQColor(Color color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

static QPen ToQPen(const Pen& pen)
{
    if (pen.style == PenStyle::Null)
        return QPen(Qt::NoPen);
    QPen qpen(ToQColor(pen.color));
    qpen.setWidth(pen.cosmetic ? 0 : std::max(1, pen.width));
    qpen.setCosmetic(pen.cosmetic);
    switch (pen.style) {
    case PenStyle::Dash: qpen.setStyle(Qt::DashLine); break;
    case PenStyle::Dot: qpen.setStyle(Qt::DotLine); break;
    case PenStyle::DashDot: qpen.setStyle(Qt::DashDotLine); break;
    case PenStyle::DashDotDot: qpen.setStyle(Qt::DashDotDotLine); break;
    case PenStyle::User: {
        QList<qreal> pattern;
        for (int dash : pen.dashes)
            pattern.append(std::max(1, dash));
        if (pattern.size() % 2 == 1)
            pattern.append(pattern.back());
        if (pattern.isEmpty())
            qpen.setStyle(Qt::SolidLine);
        else
            qpen.setDashPattern(pattern);
        break;
    }
    default: qpen.setStyle(Qt::SolidLine); break;
    }
    qpen.setCapStyle(pen.cap == PenCap::Square ? Qt::SquareCap
                     : pen.cap == PenCap::Flat ? Qt::FlatCap
                                               : Qt::RoundCap);
    qpen.setJoinStyle(pen.join == PenJoin::Bevel ? Qt::BevelJoin
                      : pen.join == PenJoin::Miter ? Qt::MiterJoin
                                                   : Qt::RoundJoin);
    return qpen;
}

QtCanvas::QtCanvas(QPainter& painter) : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(ToQPen(m_pen));
    m_painter.setBrush(ToQColor(m_brush.color));
    m_font = ToQFont(m_logFont);
}

Pen QtCanvas::SetPen(const Pen& pen)
{
    Pen previous = m_pen;
    m_pen = pen;
    m_painter.setPen(ToQPen(pen));
    return previous;
}

Brush QtCanvas::SetBrush(const Brush& brush)
{
    Brush previous = m_brush;
    m_brush = brush;
    if (brush.hollow)
        m_painter.setBrush(Qt::NoBrush);
    else
        m_painter.setBrush(ToQColor(brush.color));
    return previous;
}

RasterMode QtCanvas::SetRasterMode(RasterMode mode)
{
    RasterMode previous = m_mode;
    m_mode = mode;
    // Raster operations work on raster devices only (images, widgets); vector
    // devices such as SVG and PDF ignore them and draw plainly.
    switch (mode) {
    case RasterMode::Copy: m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case RasterMode::Not: m_painter.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case RasterMode::XorPen:
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    }
    return previous;
}

void QtCanvas::MoveTo(int x, int y)
{
    m_position = QPoint(x, y);
    if (m_inPath)
        m_path.moveTo(x, y);
}

void QtCanvas::LineTo(int x, int y)
{
    if (m_inPath)
        m_path.lineTo(x, y);
    else
        m_painter.drawLine(m_position, QPoint(x, y));
    m_position = QPoint(x, y);
}

// Right and bottom edges are exclusive: a rectangle from 0 to 10 covers the
// pixels 0 to 9, so the outline runs along 9.
static QRect OutlineRect(const DeviceRect& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

void QtCanvas::Rectangle(const DeviceRect& rect)
{
    if (m_inPath) {
        m_path.addRect(OutlineRect(rect));
        return;
    }
    m_painter.drawRect(OutlineRect(rect));
}

void QtCanvas::Ellipse(const DeviceRect& rect)
{
    if (m_inPath) {
        m_path.addEllipse(OutlineRect(rect));
        return;
    }
    m_painter.drawEllipse(OutlineRect(rect));
}

static QPolygon ToQPolygon(const std::vector<DevicePoint>& points)
{
    QPolygon polygon;
    polygon.reserve(int(points.size()));
    for (const DevicePoint& point : points)
        polygon.append(QPoint(point.x, point.y));
    return polygon;
}

void QtCanvas::Polygon(const std::vector<DevicePoint>& points)
{
    if (points.empty())
        return;
    if (m_inPath) {
        m_path.addPolygon(ToQPolygon(points));
        m_path.closeSubpath();
        return;
    }
    m_painter.drawPolygon(ToQPolygon(points));
}

void QtCanvas::Polyline(const std::vector<DevicePoint>& points)
{
    if (points.size() < 2)
        return;
    if (m_inPath) {
        Canvas::Polyline(points);
        return;
    }
    m_painter.drawPolyline(ToQPolygon(points));
    m_position = QPoint(points.back().x, points.back().y);
}

void QtCanvas::FillRect(const DeviceRect& rect, Color color)
{
    m_painter.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                       ToQColor(color));
}

void QtCanvas::SetClipRect(const DeviceRect& rect)
{
    m_painter.setClipRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
}

void QtCanvas::ClearClip()
{
    m_painter.setClipping(false);
}

void QtCanvas::BeginPath()
{
    m_path = QPainterPath();
    m_path.moveTo(m_position);
    m_inPath = true;
}

void QtCanvas::EndPath()
{
    m_inPath = false;
}

void QtCanvas::StrokePath()
{
    m_painter.strokePath(m_path, m_painter.pen());
    m_path = QPainterPath();
}

void QtCanvas::FillPath()
{
    if (!m_brush.hollow)
        m_painter.fillPath(m_path, ToQColor(m_brush.color));
    m_path = QPainterPath();
}

// The markup's Symbol and "Math3" characters arrive as Unicode; they are
// drawn with a serif face that has the Greek letters, arrows and operators.
static QString FaceFor(const LogFont& font)
{
    const QString face = QString::fromUtf8(font.faceName);
    if (face == QLatin1String("Symbol") || face == QLatin1String("Math3"))
        return QStringLiteral("DejaVu Serif");
    return face;
}

QFont QtCanvas::ToQFont(const LogFont& font)
{
    QFont qfont(FaceFor(font));
    qfont.setPixelSize(std::max(1, std::abs(font.height == 0 ? 16 : font.height)));
    qfont.setWeight(QFont::Weight(std::clamp(font.weight == 0 ? 400 : int(font.weight), 100, 900)));
    qfont.setItalic(font.italic != 0);
    qfont.setUnderline(font.underline != 0);
    qfont.setStrikeOut(font.strikeOut != 0);
    return qfont;
}

void QtCanvas::SetFont(const LogFont& font)
{
    m_logFont = font;
    m_font = ToQFont(font);
}

void QtCanvas::SetTextColor(Color color)
{
    m_textColor = color;
}

void QtCanvas::TextOut(int x, int y, const std::string& text)
{
    m_painter.save();
    m_painter.setFont(m_font);
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.translate(x, y);
    if (m_logFont.escapement != 0)
        m_painter.rotate(-m_logFont.escapement / 10.0);
    m_painter.drawText(QPoint(0, 0), QString::fromUtf8(text.c_str(), int(text.size())));
    m_painter.restore();
}

TextSize QtCanvas::MeasureText(const std::string& text)
{
    QFontMetrics metrics(m_font, m_painter.device());
    return {metrics.horizontalAdvance(QString::fromUtf8(text.c_str(), int(text.size()))),
            metrics.height()};
}

FontMetrics QtCanvas::GetFontMetrics()
{
    QFontMetrics metrics(m_font, m_painter.device());
    return {metrics.height(), metrics.ascent(), metrics.descent(), metrics.averageCharWidth()};
}

GlyphMetrics QtCanvas::MeasureGlyph(char32_t character)
{
    QFontMetrics metrics(m_font, m_painter.device());
    const QString text = QString::fromUcs4(&character, 1);
    const QRect box = metrics.tightBoundingRect(text);
    return {metrics.horizontalAdvance(text), box.left(), box.top(), box.right() + 1,
            box.bottom() + 1};
}

int QtCanvas::DotsPerInch() const
{
    return m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
}
