#include "render/selection_outline.h"

#include "render/canvas.h"

void OutlineSelection(Canvas& canvas, const BoundingBox& box)
{
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
