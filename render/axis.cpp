#include "render/axis.h"

#include "model/drawing_settings.h"
#include "model/error.h"
#include "render/canvas.h"
#include "render/scale_map.h"

Axis::Axis(float x, float y, float length, int orientation, float min, float max,
           int tickDirection, int labelSide)
    : m_majorSpacing((max - min) * 0.2f), m_minorSpacing((max - min) * 0.1f), m_length(length),
      m_orientation(orientation), m_tickDirection(tickDirection), m_min(min), m_max(max),
      m_labelSide(labelSide)
{
    m_x = x;
    m_y = y;
}

void Axis::Draw(Canvas& canvas, const PageRect& page) const
{
    if (!m_visible)
        return;
    if (m_orientation != kHorizontal && m_orientation != kVertical)
        throw Error("Illegal axis orientation", "saxisobject", __LINE__);
    Pen pen;
    pen.color = m_color;
    pen.width = lineScaling;
    pen.cosmetic = use16BitCoordinates;
    pen.cap = PenCap::Square;
    pen.join = PenJoin::Bevel;
    const Pen previous = canvas.SetPen(pen);
    if (m_drawLine) {
        if (m_orientation == kVertical) {
            const int x = FractionToDeviceX(m_x, page.left, page.right);
            canvas.Line(x, FractionToDeviceY(m_y - m_length / 2, page.top, page.bottom), x,
                        FractionToDeviceY(m_y + m_length / 2, page.top, page.bottom));
        } else {
            const int y = FractionToDeviceY(m_y, page.top, page.bottom);
            canvas.Line(FractionToDeviceX(m_x - m_length / 2, page.left, page.right), y,
                        FractionToDeviceX(m_x + m_length / 2, page.left, page.right), y);
        }
    }
    canvas.SetPen(previous);
    if (m_selected && !m_printMode)
        DrawSelection(canvas, page);
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
    const BoundingBox box = GetBoundingBox(page);
    Pen pen;
    pen.style = PenStyle::Dot;
    const Pen previousPen = canvas.SetPen(pen);
    const Brush previousBrush = canvas.SetBrush(Brush::Hollow());
    const RasterMode previousMode = canvas.SetRasterMode(RasterMode::XorPen);
    canvas.Rectangle({box.x - box.halfWidth, box.y - box.halfHeight, box.x + box.halfWidth,
                      box.y + box.halfHeight});
    canvas.SetRasterMode(previousMode);
    canvas.SetBrush(previousBrush);
    canvas.SetPen(previousPen);
}

void Axis::DrawGrid(Canvas&, const PageRect&, float) const {}
