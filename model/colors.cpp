#include "model/colors.h"

static constexpr Color kFixedColors[] = {
    0x000000, // black
    0xFFFFFF, // white
    0x0000FF, // red
    0x00FF00, // green
    0xFF0000, // blue
    0xFFFF00, // cyan
    0x646464, // grey
    kNoColor, // none
};

Color ColorFromCode(int code)
{
    if (code < 0)
        return 0u - static_cast<Color>(code);
    if (code <= kNone)
        return kFixedColors[code];
    return 0x000000;
}

int CodeFromColor(Color color)
{
    for (int code = 0; code <= kNone; ++code)
        if (kFixedColors[code] == color)
            return code;
    // Unsigned negation keeps values with the top bit set well defined.
    return static_cast<int>(0u - color);
}

Color NextSetColor(Color previous)
{
    // A custom colour has a negative code; the remainder then follows C's
    // truncating rule, so it may be negative and names a custom colour.
    int code = (CodeFromColor(previous) + 1) % 7;
    if (code == kWhite)
        code = kRed;
    return ColorFromCode(code);
}
