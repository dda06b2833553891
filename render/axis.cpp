#include "render/axis.h"

#include "model/drawing_settings.h"
#include "model/error.h"
#include "render/axis_label.h"
#include "render/scale_map.h"
#include "render/selection_outline.h"
#include "render/style_pen.h"

#include <cmath>

Axis::Axis(float x, float y, float length, int orientation, float min, float max,
           int tickDirection, int labelSide)
    : m_majorSpacing((max - min) * 0.2f), m_minorSpacing((max - min) * 0.1f), m_length(length),
      m_orientation(orientation), m_tickDirection(tickDirection), m_min(min), m_max(max),
      m_labelSide(labelSide)
{
    m_x = x;
    m_y = y;
}

void Axis::CheckOrientation() const
{
    if (m_orientation != kHorizontal && m_orientation != kVertical)
        throw Error("Illegal axis orientation", "saxisobject", __LINE__);
}

float Axis::LowerEnd() const
{
    return (m_orientation == kVertical ? m_y : m_x) - m_length / 2;
}

float Axis::UpperEnd() const
{
    return (m_orientation == kVertical ? m_y : m_x) + m_length / 2;
}

DevicePoint Axis::AxisPoint(const PageRect& page, float position) const
{
    if (m_orientation == kVertical)
        return {FractionToDeviceX(m_x, page.left, page.right),
                FractionToDeviceY(position, page.top, page.bottom)};
    return {FractionToDeviceX(position, page.left, page.right),
            FractionToDeviceY(m_y, page.top, page.bottom)};
}

// The step in page fraction between ticks `spacing` apart in data units, or 0
// when it is no usable step: not positive, not finite, or so small that the
// axis would carry more than the most ticks.
static float Step(float spacing, const Axis& axis)
{
    const float step = spacing * axis.m_length / (axis.m_max - axis.m_min);
    if (!std::isfinite(step) || !(step > 0.0f) || axis.m_length / step > Axis::kMostTicks)
        return 0.0f;
    return step;
}

// Calls `visit` at the positions from `start` by `step` while `more` holds;
// stops after the most ticks, so a step lost in float rounding cannot hang.
template <class More, class Visit>
static void Walk(float start, float step, More&& more, Visit&& visit)
{
    if (step <= 0.0f)
        return;
    int count = 0;
    for (float p = start; more(p) && count <= Axis::kMostTicks; p += step, ++count)
        visit(p);
}

std::vector<DeviceSegment> Axis::TickSegments(const PageRect& page) const
{
    CheckOrientation();
    std::vector<DeviceSegment> ticks;
    const float lower = LowerEnd();
    const float upper = UpperEnd();
    const bool backwards = m_tickDirection == kTicksLeft || m_tickDirection == kTicksUp;
    auto tick = [&](float position, int length) {
        const DevicePoint from = AxisPoint(page, position);
        const int offset = backwards ? -length : length;
        const DevicePoint to = m_orientation == kVertical ? DevicePoint{from.x + offset, from.y}
                                                          : DevicePoint{from.x, from.y + offset};
        ticks.push_back({from, to});
    };
    const float majorStep = Step(m_majorSpacing, *this);
    Walk(lower, majorStep, [&](float p) { return p <= upper + 1e-6; }, [&](float p) {
        tick(p, m_majorTickLength);
        if (!m_log)
            return;
        for (int k = 2; k <= 9; ++k) {
            const float intermediate = p + majorStep * float(std::log10(double(k)));
            if (intermediate < upper)
                tick(intermediate, m_minorTickLength);
        }
    });
    if (!m_log)
        Walk(lower, Step(m_minorSpacing, *this), [&](float p) { return p <= upper; },
             [&](float p) { tick(p, m_minorTickLength); });
    return ticks;
}

std::vector<AxisLabelSpot> Axis::LabelSpots() const
{
    std::vector<AxisLabelSpot> spots;
    const float upper = UpperEnd();
    float value = m_min;
    Walk(LowerEnd(), Step(m_majorSpacing, *this), [&](float p) { return p <= upper + 1e-6; },
         [&](float p) {
             spots.push_back({value, p});
             value += m_majorSpacing;
         });
    return spots;
}

std::vector<DeviceSegment> Axis::GridSegments(const PageRect& page, float gridLength) const
{
    CheckOrientation();
    std::vector<DeviceSegment> lines;
    if (!m_showGrid)
        return lines;
    const float lower = LowerEnd();
    const float upper = UpperEnd();
    auto line = [&](float position) {
        const DevicePoint from = AxisPoint(page, position);
        const DevicePoint to =
            m_orientation == kVertical
                ? DevicePoint{FractionToDeviceX(m_x + gridLength, page.left, page.right), from.y}
                : DevicePoint{from.x, FractionToDeviceY(m_y + gridLength, page.top, page.bottom)};
        lines.push_back({from, to});
    };
    const float majorStep = Step(m_majorSpacing, *this);
    Walk(lower, majorStep, [&](float p) { return p < upper - 1e-6; }, [&](float p) {
        // The line at the lower end would lie on the perpendicular axis.
        if (p != lower)
            line(p);
        if (!m_log)
            return;
        for (int k = 2; k <= 9; ++k) {
            const float intermediate = p + majorStep * float(std::log10(double(k)));
            if (!(intermediate < upper))
                break;
            line(intermediate);
        }
    });
    if (!m_log) {
        const float minorStep = Step(m_minorSpacing, *this);
        Walk(lower + minorStep, minorStep, [&](float p) { return p < upper - 1e-6; }, line);
    }
    return lines;
}

Pen Axis::LinePen() const
{
    Pen pen;
    pen.color = m_color;
    pen.width = lineScaling;
    pen.cosmetic = use16BitCoordinates;
    pen.cap = PenCap::Square;
    pen.join = PenJoin::Bevel;
    if (m_color == kNoColor)
        pen.style = PenStyle::Null;
    return pen;
}

Pen Axis::GridPen() const
{
    return StyledLinePen(m_gridType, m_gridSize * lineScaling, m_gridColor, PenJoin::Round, *this);
}

void Axis::Draw(Canvas& canvas, const PageRect& page) const
{
    if (!m_visible)
        return;
    CheckOrientation();
    const Pen previous = canvas.SetPen(LinePen());
    if (m_drawLine) {
        // A vertical axis runs from its lower end upwards, a horizontal one left to right.
        const DevicePoint from = AxisPoint(page, LowerEnd());
        const DevicePoint to = AxisPoint(page, UpperEnd());
        canvas.Line(from.x, from.y, to.x, to.y);
    }
    if (m_showTicks)
        canvas.Segments(TickSegments(page));
    if (m_showLabels && m_labelColor != kNoColor) {
        canvas.SetFont(m_labelFont);
        canvas.SetTextColor(m_labelColor);
        for (const AxisLabelSpot& spot : LabelSpots())
            DrawLabel(canvas, page, spot.value, spot.position);
    }
    canvas.SetPen(previous);
    if (m_selected && !m_printMode)
        DrawSelection(canvas, page);
}

void Axis::DrawLabel(Canvas& canvas, const PageRect& page, float value, float position) const
{
    CheckOrientation();
    const AxisLabelText text = FormatAxisLabel(value, m_format, m_precision, m_log != 0);
    const DevicePoint point = AxisPoint(page, position);
    const TextSize size = canvas.MeasureText(text.main);
    int x = 0;
    int top = 0;
    if (m_orientation == kVertical) {
        top = point.y - size.height / 2;
        x = m_labelSide == kTicksLeft ? point.x - 2 * m_majorTickLength - size.width
                                      : point.x + 2 * m_majorTickLength;
    } else {
        x = point.x - size.width / 2;
        top = m_labelSide == kTicksUp ? point.y - 2 * m_majorTickLength - size.height
                                      : point.y + 2 * m_majorTickLength;
    }
    // The canvas places text by its baseline; the label is placed by its top.
    canvas.TextOut(x, top + canvas.GetFontMetrics().ascent, text.main);
    if (text.exponent.empty())
        return;
    LogFont small = m_labelFont;
    if (small.height < -2)
        small.height = MulDiv(small.height, 2, 3);
    canvas.SetFont(small);
    canvas.TextOut(x + size.width, top + canvas.GetFontMetrics().ascent, text.exponent);
    canvas.SetFont(m_labelFont);
}

void Axis::DrawGrid(Canvas& canvas, const PageRect& page, float gridLength) const
{
    CheckOrientation();
    if (!m_showGrid)
        return;
    const Pen pen = GridPen();
    if (pen.style == PenStyle::Null)
        return;
    const std::vector<DeviceSegment> lines = GridSegments(page, gridLength);
    const Pen previous = canvas.SetPen(pen);
    canvas.Segments(lines);
    canvas.SetPen(previous);
}

void Axis::BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect)
{
    GraphObject::BeginPrintScaling(canvas, num, den, rect);
    m_labelFont.height = -MulDiv(-m_labelFont.height, num, den);
    m_majorTickLength = MulDiv(m_majorTickLength, num, den);
    m_minorTickLength = MulDiv(m_minorTickLength, num, den);
}

void Axis::EndPrintScaling(Canvas& canvas, const PageRect& rect)
{
    const int num = m_scaleNum;
    const int den = m_scaleDen;
    m_labelFont.height = -MulDiv(-m_labelFont.height, den, num);
    m_majorTickLength = MulDiv(m_majorTickLength, den, num);
    m_minorTickLength = MulDiv(m_minorTickLength, den, num);
    GraphObject::EndPrintScaling(canvas, rect);
}

BoundingBox Axis::GetBoundingBox(const PageRect& page) const
{
    if (!m_drawLine)
        return {};
    const int x = FractionToDeviceX(m_x, page.left, page.right);
    const int y = FractionToDeviceY(m_y, page.top, page.bottom);
    if (m_orientation == kVertical) {
        const int length = ClampCoord(double(page.Height()) * m_length);
        return {x, y, 5, (length + 10) / 2};
    }
    const int length = ClampCoord(double(page.Width()) * m_length);
    return {x, y, (length + 10) / 2, 5};
}

void Axis::DrawSelection(Canvas& canvas, const PageRect& page) const
{
    OutlineSelection(canvas, GetBoundingBox(page));
}
