#include "render/selection_outline.h"

#include "render/canvas.h"

// Draws `shapes` with a hollow brush and `pen` in XOR mode, then puts the
// canvas's pen, brush and mode back.
template <class Shapes>
static void DrawMarks(Canvas& canvas, const Pen& pen, Shapes shapes)
{
    const Pen previousPen = canvas.SetPen(pen);
    const Brush previousBrush = canvas.SetBrush(Brush::Hollow());
    const RasterMode previousMode = canvas.SetRasterMode(RasterMode::XorPen);
    shapes();
    canvas.SetRasterMode(previousMode);
    canvas.SetBrush(previousBrush);
    canvas.SetPen(previousPen);
}

void OutlineSelection(Canvas& canvas, const BoundingBox& box)
{
    Pen pen;
    pen.color = kSelectionInk;
    pen.style = PenStyle::Dot;
    DrawMarks(canvas, pen, [&] {
        canvas.Rectangle({box.x - box.halfWidth, box.y - box.halfHeight, box.x + box.halfWidth,
                          box.y + box.halfHeight});
    });
}

void MarkSelectionCorners(Canvas& canvas, const std::vector<DevicePoint>& corners)
{
    Pen pen;
    pen.color = kSelectionInk;
    DrawMarks(canvas, pen, [&] {
        for (DevicePoint corner : corners)
            canvas.Rectangle({corner.x - 3, corner.y - 3, corner.x + 4, corner.y + 4});
    });
}
