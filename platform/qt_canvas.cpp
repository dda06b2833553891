#include "platform/qt_canvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

static QColor ToQColor(Color color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// The device patterns of the plain pens' built-in styles.
static std::vector<int> BuiltInPattern(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash: return {18, 6};
    case PenStyle::Dot: return {3, 3};
    case PenStyle::DashDot: return {9, 6, 3, 6};
    case PenStyle::DashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// Qt measures dash patterns in pen widths; ours are in device units.
static void SetDashes(QPen& qpen, const std::vector<int>& dashes, int width)
{
    QList<qreal> pattern;
    bool gaps = false;
    for (std::size_t i = 0; i < dashes.size(); ++i) {
        const int length = std::max(0, dashes[i]);
        if (i % 2 == 1 && length > 0)
            gaps = true;
        // Qt wants positive entries; a zero dash is the dot its caps make.
        pattern.append(std::max(1e-3, double(length) / std::max(1, width)));
    }
    if (pattern.size() % 2 == 1)
        pattern.append(pattern.back());
    if (!gaps || pattern.isEmpty()) {
        qpen.setStyle(Qt::SolidLine);
        return;
    }
    qpen.setDashPattern(pattern);
}

static QPen ToQPen(const Pen& pen)
{
    if (pen.style == PenStyle::Null)
        return QPen(Qt::NoPen);
    QPen qpen(ToQColor(pen.color));
    const bool thin = pen.width <= 1;
    qpen.setCosmetic(pen.cosmetic && thin);
    qpen.setWidth(pen.cosmetic && thin ? 0 : std::max(1, pen.width));
    if (pen.style == PenStyle::User)
        SetDashes(qpen, pen.dashes, pen.width);
    else if (pen.style != PenStyle::Solid)
        SetDashes(qpen, BuiltInPattern(pen.style), pen.cosmetic ? 1 : pen.width);
    if (pen.cosmetic) {
        // A thin plain line ends without caps (its last pixel is left out by
        // the drawing calls); a wide one has round ends and joins.
        qpen.setCapStyle(thin ? Qt::FlatCap : Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
        return qpen;
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
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setPen(ToQPen(m_pen));
    m_painter.setBrush(ToQColor(m_brush.color));
    m_font = ToQFont(m_logFont);
}

bool QtCanvas::ThinPlainPen() const
{
    return m_pen.cosmetic && m_pen.width <= 1 && m_pen.style != PenStyle::Null;
}

// Strokes of odd width run through pixel centres, so a one-pixel line on a
// whole coordinate fills one row of pixels instead of smearing over two.
double QtCanvas::StrokeOffset() const
{
    // Without a pen, shapes fill whole pixels (one fewer to the right and
    // bottom, as filled shapes without an outline do).
    if (m_pen.style == PenStyle::Null)
        return 0.0;
    const int width = m_pen.cosmetic && m_pen.width <= 1 ? 1 : std::max(1, m_pen.width);
    return width % 2 == 1 ? 0.5 : 0.0;
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
    // devices such as SVG and PDF ignore them and draw plainly. Smoothed edges
    // would not cancel out when drawn twice, so inverted drawing is not smoothed.
    switch (mode) {
    case RasterMode::Copy: m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case RasterMode::Not: m_painter.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case RasterMode::XorPen:
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    }
    m_painter.setRenderHint(QPainter::Antialiasing, Smooth());
    return previous;
}

// Moves `point` half a pixel back along the direction from `from` to `to`:
// a thin plain line then covers its first pixel and stops short of its last.
static QPointF BackHalf(QPointF point, QPointF from, QPointF to)
{
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    if (length == 0.0)
        return point;
    return point - d * (0.5 / length);
}

static QLineF ThinLine(QPointF from, QPointF to)
{
    return QLineF(BackHalf(from, from, to), BackHalf(to, from, to));
}

void QtCanvas::MoveTo(int x, int y)
{
    m_position = QPoint(x, y);
    if (m_inPath) {
        const double o = StrokeOffset();
        m_path.moveTo(x + o, y + o);
    }
}

void QtCanvas::LineTo(int x, int y)
{
    const double o = StrokeOffset();
    const QPointF from(m_position.x() + o, m_position.y() + o);
    const QPointF to(x + o, y + o);
    if (m_inPath)
        m_path.lineTo(to);
    else if (from != to)
        m_painter.drawLine(ThinPlainPen() && Smooth() ? ThinLine(from, to) : QLineF(from, to));
    m_position = QPoint(x, y);
}

void QtCanvas::Segments(const std::vector<DeviceSegment>& segments)
{
    if (m_inPath || segments.empty()) {
        Canvas::Segments(segments);
        return;
    }
    const double o = StrokeOffset();
    const bool thin = ThinPlainPen() && Smooth();
    QList<QLineF> lines;
    lines.reserve(qsizetype(segments.size()));
    for (const DeviceSegment& segment : segments) {
        const QPointF from(segment.from.x + o, segment.from.y + o);
        const QPointF to(segment.to.x + o, segment.to.y + o);
        if (from != to)
            lines.append(thin ? ThinLine(from, to) : QLineF(from, to));
    }
    m_painter.drawLines(lines);
    m_position = QPoint(segments.back().to.x, segments.back().to.y);
}

// Right and bottom edges are exclusive: a rectangle from 0 to 10 covers the
// pixels 0 to 9, so the outline runs through the centres of 0 and 9.
static QRectF OutlineRect(const DeviceRect& rect, double offset)
{
    return QRectF(rect.left + offset, rect.top + offset, rect.right - rect.left - 1,
                  rect.bottom - rect.top - 1);
}

void QtCanvas::Rectangle(const DeviceRect& rect)
{
    if (m_inPath) {
        m_path.addRect(OutlineRect(rect, StrokeOffset()));
        return;
    }
    m_painter.drawRect(OutlineRect(rect, StrokeOffset()));
}

void QtCanvas::Ellipse(const DeviceRect& rect)
{
    if (m_inPath) {
        m_path.addEllipse(OutlineRect(rect, StrokeOffset()));
        return;
    }
    m_painter.drawEllipse(OutlineRect(rect, StrokeOffset()));
}

static QPolygonF ToQPolygon(const std::vector<DevicePoint>& points, double offset)
{
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const DevicePoint& point : points)
        polygon.append(QPointF(point.x + offset, point.y + offset));
    return polygon;
}

void QtCanvas::Polygon(const std::vector<DevicePoint>& points)
{
    if (points.empty())
        return;
    if (m_inPath) {
        m_path.addPolygon(ToQPolygon(points, StrokeOffset()));
        m_path.closeSubpath();
        return;
    }
    m_painter.drawPolygon(ToQPolygon(points, StrokeOffset()));
}

void QtCanvas::Polyline(const std::vector<DevicePoint>& points)
{
    if (points.size() < 2)
        return;
    if (m_inPath) {
        Canvas::Polyline(points);
        return;
    }
    QPolygonF polygon = ToQPolygon(points, StrokeOffset());
    if (ThinPlainPen() && Smooth()) {
        const qsizetype last = polygon.size() - 1;
        polygon[0] = BackHalf(polygon[0], polygon[0], polygon[1]);
        polygon[last] = BackHalf(polygon[last], polygon[last - 1], polygon[last]);
    }
    m_painter.drawPolyline(polygon);
    m_position = QPoint(points.back().x, points.back().y);
}

// How far a marker reaches from its centre, with room for the pen.
static int MarkerReach(const Marker& marker, const Pen& pen)
{
    int reach = 1;
    if (marker.shape == Marker::Shape::Polygon) {
        for (const DevicePoint& corner : marker.corners)
            reach = std::max({reach, std::abs(corner.x), std::abs(corner.y)});
    } else if (marker.shape != Marker::Shape::Pixel) {
        reach = std::max({std::abs(marker.box.left), std::abs(marker.box.top),
                          std::abs(marker.box.right), std::abs(marker.box.bottom)});
    }
    return reach + std::max(1, pen.width) + 2;
}

void QtCanvas::Markers(const Marker& marker, const std::vector<DevicePoint>& centres)
{
    // Drawing twice must still erase in the inverting modes; paths collect shapes.
    if (!Smooth() || m_inPath || centres.empty() ||
        m_painter.transform().type() != QTransform::TxNone) {
        Canvas::Markers(marker, centres);
        return;
    }
    const int reach = MarkerReach(marker, m_pen);
    QRect visible(QPoint(0, 0), QSize(m_painter.device()->width(), m_painter.device()->height()));
    if (m_painter.hasClipping())
        visible &= m_painter.clipBoundingRect().toAlignedRect();
    visible.adjust(-reach, -reach, reach, reach);
    if (visible.isEmpty())
        return;
    // The same marker drawn again on the same centre changes nothing but the
    // smoothed rim, so every centre is drawn once; centres that cannot reach
    // the visible part are skipped.
    const std::int64_t area = std::int64_t(visible.width()) * visible.height();
    std::vector<std::uint64_t> seen;
    if (area <= (std::int64_t(1) << 28))
        seen.assign(std::size_t((area + 63) / 64), 0);
    std::vector<DevicePoint> distinct;
    for (const DevicePoint& centre : centres) {
        if (!visible.contains(centre.x, centre.y))
            continue;
        if (!seen.empty()) {
            const std::int64_t bit =
                std::int64_t(centre.y - visible.top()) * visible.width() + (centre.x - visible.left());
            std::uint64_t& word = seen[std::size_t(bit / 64)];
            const std::uint64_t mask = std::uint64_t(1) << (bit % 64);
            if (word & mask)
                continue;
            word |= mask;
        }
        distinct.push_back(centre);
    }
    if (marker.shape == Marker::Shape::Pixel) {
        if (m_pen.style == PenStyle::Null)
            return;
        for (const DevicePoint& centre : distinct)
            m_painter.fillRect(QRect(centre.x, centre.y, 1, 1), ToQColor(m_pen.color));
        return;
    }
    const int type = m_painter.device()->devType();
    const bool raster = type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget;
    if (!raster) {
        for (const DevicePoint& centre : distinct)
            DrawMarker(marker, centre);
        return;
    }
    // On pixels, the marker is drawn once into a stamp that is then copied to
    // every centre: the same smoothed shape, without a path per centre.
    const int side = 2 * reach + 1;
    QImage stamp(side, side, QImage::Format_ARGB32_Premultiplied);
    stamp.fill(Qt::transparent);
    {
        QPainter stampPainter(&stamp);
        QtCanvas stampCanvas(stampPainter);
        stampCanvas.SetPen(m_pen);
        stampCanvas.SetBrush(m_brush);
        stampCanvas.DrawMarker(marker, {reach, reach});
    }
    for (const DevicePoint& centre : distinct)
        m_painter.drawImage(QPoint(centre.x - reach, centre.y - reach), stamp);
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
    const double o = StrokeOffset();
    m_path.moveTo(m_position.x() + o, m_position.y() + o);
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

LogFont QtCanvas::ToLogFont(const QFont& font, const LogFont& base)
{
    LogFont result = base;
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    result.height = -std::max(1, pixels);
    result.width = 0;
    result.weight = std::clamp(int(font.weight()), 100, 900);
    result.italic = font.italic() ? 1 : 0;
    result.underline = font.underline() ? 1 : 0;
    result.strikeOut = font.strikeOut() ? 1 : 0;
    result.SetFaceName(font.family().toUtf8().constData());
    return result;
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
