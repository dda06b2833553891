#include "render/recording_canvas.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

RecordingCanvas::Record RecordingCanvas::Make(Kind kind) const
{
    Record record{kind, {}, {}, 0, {}, m_pen, m_brush, m_mode, m_font};
    return record;
}

Pen RecordingCanvas::SetPen(const Pen& pen)
{
    Pen previous = m_pen;
    m_pen = pen;
    return previous;
}

Brush RecordingCanvas::SetBrush(const Brush& brush)
{
    Brush previous = m_brush;
    m_brush = brush;
    return previous;
}

RasterMode RecordingCanvas::SetRasterMode(RasterMode mode)
{
    RasterMode previous = m_mode;
    m_mode = mode;
    return previous;
}

void RecordingCanvas::MoveTo(int x, int y)
{
    m_position = {x, y};
    Record record = Make(Kind::MoveTo);
    record.points = {m_position};
    m_records.push_back(record);
}

void RecordingCanvas::LineTo(int x, int y)
{
    Record record = Make(Kind::LineTo);
    record.points = {m_position, {x, y}};
    m_records.push_back(record);
    m_position = {x, y};
}

void RecordingCanvas::Rectangle(const DeviceRect& rect)
{
    Record record = Make(Kind::Rectangle);
    record.rect = rect;
    m_records.push_back(record);
}

void RecordingCanvas::Ellipse(const DeviceRect& rect)
{
    Record record = Make(Kind::Ellipse);
    record.rect = rect;
    m_records.push_back(record);
}

void RecordingCanvas::Polygon(const std::vector<DevicePoint>& points)
{
    Record record = Make(Kind::Polygon);
    record.points = points;
    m_records.push_back(record);
}

void RecordingCanvas::Polyline(const std::vector<DevicePoint>& points)
{
    if (points.size() < 2)
        return;
    Record record = Make(Kind::Polyline);
    record.points = points;
    m_records.push_back(record);
    m_position = points.back();
}

void RecordingCanvas::Markers(const Marker& marker, const std::vector<DevicePoint>& centres)
{
    if (m_expandMarkers) {
        Canvas::Markers(marker, centres);
        return;
    }
    Record record = Make(Kind::Markers);
    record.points = centres;
    record.rect = marker.box;
    m_records.push_back(record);
}

void RecordingCanvas::FillRect(const DeviceRect& rect, Color color)
{
    Record record = Make(Kind::FillRect);
    record.rect = rect;
    record.color = color;
    m_records.push_back(record);
}

void RecordingCanvas::SetClipRect(const DeviceRect& rect)
{
    m_clipped = true;
    m_clip = rect;
    Record record = Make(Kind::Clip);
    record.rect = rect;
    m_records.push_back(record);
}

void RecordingCanvas::ClearClip()
{
    m_clipped = false;
    m_records.push_back(Make(Kind::ClearClip));
}

void RecordingCanvas::BeginPath()
{
    m_inPath = true;
    m_records.push_back(Make(Kind::BeginPath));
}

void RecordingCanvas::EndPath()
{
    m_inPath = false;
    m_records.push_back(Make(Kind::EndPath));
}

void RecordingCanvas::StrokePath()
{
    m_records.push_back(Make(Kind::StrokePath));
}

void RecordingCanvas::FillPath()
{
    m_records.push_back(Make(Kind::FillPath));
}

void RecordingCanvas::SetFont(const LogFont& font)
{
    m_font = font;
}

void RecordingCanvas::SetTextColor(Color color)
{
    m_textColor = color;
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text)
{
    Record record = Make(Kind::Text);
    record.points = {{x, y}};
    record.text = text;
    record.color = m_textColor;
    m_records.push_back(record);
}

// Heights beyond a million pixels measure as a million, so hostile font
// sizes cannot overflow the measuring arithmetic.
static int FontHeight(const LogFont& font)
{
    const long long height = std::llabs(static_cast<long long>(font.height));
    return height == 0 ? 16 : static_cast<int>(std::min(height, 1000000LL));
}

TextSize RecordingCanvas::MeasureText(const std::string& text)
{
    const int height = FontHeight(m_font);
    long long characters = 0;
    for (unsigned char byte : text)
        if ((byte & 0xC0) != 0x80) // count UTF-8 lead bytes only
            ++characters;
    const long long width = characters * ((height + 1) / 2);
    return {static_cast<int>(std::min(width, static_cast<long long>(INT_MAX))), height};
}

FontMetrics RecordingCanvas::GetFontMetrics()
{
    const int height = FontHeight(m_font);
    const int ascent = height * 4 / 5;
    return {height, ascent, height - ascent, (height + 1) / 2};
}

GlyphMetrics RecordingCanvas::MeasureGlyph(char32_t)
{
    const FontMetrics metrics = GetFontMetrics();
    return {metrics.averageWidth, 0, -metrics.ascent, metrics.averageWidth, metrics.descent};
}

static const char* KindName(RecordingCanvas::Kind kind)
{
    using Kind = RecordingCanvas::Kind;
    switch (kind) {
    case Kind::MoveTo: return "move";
    case Kind::LineTo: return "line";
    case Kind::Rectangle: return "rect";
    case Kind::Ellipse: return "ellipse";
    case Kind::Polygon: return "polygon";
    case Kind::Polyline: return "polyline";
    case Kind::FillRect: return "fill";
    case Kind::Clip: return "clip";
    case Kind::ClearClip: return "noclip";
    case Kind::BeginPath: return "beginpath";
    case Kind::EndPath: return "endpath";
    case Kind::StrokePath: return "strokepath";
    case Kind::FillPath: return "fillpath";
    case Kind::Text: return "text";
    case Kind::Markers: return "markers";
    }
    return "?";
}

std::string RecordingCanvas::Describe(const Record& record)
{
    std::string out = KindName(record.kind);
    char buffer[64];
    switch (record.kind) {
    case Kind::Rectangle:
    case Kind::Ellipse:
    case Kind::FillRect:
    case Kind::Clip:
        std::snprintf(buffer, sizeof buffer, " %d,%d %d,%d", record.rect.left, record.rect.top,
                      record.rect.right, record.rect.bottom);
        out += buffer;
        break;
    default:
        for (const DevicePoint& point : record.points) {
            std::snprintf(buffer, sizeof buffer, " %d,%d", point.x, point.y);
            out += buffer;
        }
        break;
    }
    if (record.kind == Kind::FillRect) {
        std::snprintf(buffer, sizeof buffer, " #%06x", unsigned(record.color));
        out += buffer;
    }
    if (record.kind == Kind::Text)
        out += " \"" + record.text + "\"";
    if (record.mode == RasterMode::Not)
        out += " not";
    else if (record.mode == RasterMode::XorPen)
        out += " xor";
    return out;
}

std::vector<std::string> RecordingCanvas::Descriptions() const
{
    std::vector<std::string> out;
    out.reserve(m_records.size());
    for (const Record& record : m_records)
        out.push_back(Describe(record));
    return out;
}
