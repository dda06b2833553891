#include "render/style_pen.h"

#include "model/drawing_settings.h"
#include "model/graph_object.h"
#include "model/style_codes.h"

#include <cstdint>
#include <cstdlib>

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(number) * numerator;
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(denominator) / 2) /
                                   std::llabs(denominator);
    const bool negative = (product < 0) != (denominator < 0);
    return int(negative ? -magnitude : magnitude);
}

std::vector<int> DashPattern(int style)
{
    switch (style) {
    case kSolid: return {1, 0};
    case kDotted: return {4, 4};
    case kDashed: return {18, 8};
    case kDashDot: return {8, 6, 2, 6};
    case kDashDotDot: return {8, 4, 2, 4, 2, 4};
    default: return {};
    }
}

Pen PlainStylePen(int style, int width, Color color)
{
    Pen pen;
    pen.color = color;
    pen.width = width;
    switch (style) {
    case kSolid: pen.style = PenStyle::Solid; break;
    case kDotted: pen.style = PenStyle::Dot; break;
    case kDashed: pen.style = PenStyle::Dash; break;
    case kDashDot: pen.style = PenStyle::DashDot; break;
    case kDashDotDot: pen.style = PenStyle::DashDotDot; break;
    default: pen.style = PenStyle::Null; break;
    }
    if (color == kNoColor)
        pen.style = PenStyle::Null;
    return pen;
}

Pen StyledLinePen(int style, int width, Color color, PenJoin join, const GraphObject& owner)
{
    const std::vector<int> pattern = DashPattern(style);
    if (style == kSolid || width == 1 || use16BitCoordinates || pattern.empty())
        return PlainStylePen(style, width, color);
    Pen pen;
    pen.color = color;
    pen.width = width;
    pen.cosmetic = false;
    pen.cap = PenCap::Square;
    pen.join = join;
    pen.style = color == kNoColor ? PenStyle::Null : PenStyle::User;
    pen.dashes = pattern;
    if (owner.m_printMode)
        for (int& length : pen.dashes)
            length = MulDiv(length, owner.m_scaleNum, owner.m_scaleDen);
    return pen;
}
