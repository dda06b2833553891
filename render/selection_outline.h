#pragma once

#include "model/colors.h"

#include <vector>

struct BoundingBox;
struct DevicePoint;
class Canvas;

/// The pen colour of every selection mark, drawn in XOR mode: each colour
/// channel of a pixel under a mark moves by half its range, so the mark shows
/// on white, black and mid-grey alike (plain inversion would turn mid-grey
/// into a grey one step darker), and drawing it twice still erases it.
constexpr Color kSelectionInk = 0x808080;

/// Outlines `box` with a dotted pen of width 1 in `kSelectionInk` in XOR
/// mode; the canvas's pen, brush and mode are restored.
void OutlineSelection(Canvas& canvas, const BoundingBox& box);

/// Marks each of `corners` with a 7 x 7 square outline centred on it, solid,
/// in `kSelectionInk` in XOR mode; the canvas's pen, brush and mode are restored.
void MarkSelectionCorners(Canvas& canvas, const std::vector<DevicePoint>& corners);
