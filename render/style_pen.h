#pragma once

#include "model/colors.h"
#include "render/canvas.h"

#include <vector>

class GraphObject;

/// `number` x `numerator` / `denominator` rounded half away from zero, without
/// overflow in between; -1 when `denominator` is 0.
int MulDiv(int number, int numerator, int denominator);

/// The user dash pattern of line style code `style` in device units: Solid
/// 1, 0; Dotted 4, 4; Dashed 18, 8; Dash-Dot 8, 6, 2, 6; Dash-Dot-Dot 8, 4, 2,
/// 4, 2, 4. Empty for None and for unknown codes.
std::vector<int> DashPattern(int style);

/// The plain pen of line style code `style` (None and unknown codes give the
/// null pen), `width` device pixels wide. A pen colour of "none" draws nothing.
Pen PlainStylePen(int style, int width, Color color);

/// The pen of a styled line of `width` (data-set lines, grid lines): the plain
/// pen of the style when the style is Solid, the width is 1 or 16-bit
/// coordinates are in use; otherwise a geometric pen with square ends, `join`
/// and the style's dash pattern, each length scaled by the owner's print
/// scaling while it prints.
Pen StyledLinePen(int style, int width, Color color, PenJoin join, const GraphObject& owner);
