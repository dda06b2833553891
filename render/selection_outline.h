#pragma once

struct BoundingBox;
class Canvas;

/// Outlines `box` with a dotted black pen of width 1 in XOR mode, so that
/// drawing it twice erases it; the canvas's pen, brush and mode are restored.
void OutlineSelection(Canvas& canvas, const BoundingBox& box);
