#pragma once

#include <cstdint>

/// A colour as 0x00BBGGRR (red in the low byte); `kNoColor` means nothing is drawn.
using Color = std::uint32_t;

constexpr Color kNoColor = 0xFF000000u;

/// Colour codes of the dialogs and the import header.
enum ColorCode : int {
    kBlack = 0,
    kWhite = 1,
    kRed = 2,
    kGreen = 3,
    kBlue = 4,
    kCyan = 5,
    kGrey = 6,
    kNone = 7,
};

/// The colour a code names: 0..7 the fixed colours, a negative code -v the
/// custom colour v, any other positive code black.
Color ColorFromCode(int code);

/// The code of a colour: the fixed colours give their code, `kNoColor` gives 7,
/// any other value v gives the custom code -v.
int CodeFromColor(Color color);

/// Default line colour of a new set that follows a set drawn in `previous`:
/// the next code modulo 7, with white skipped for red.
Color NextSetColor(Color previous);

/// Builds a colour from its red, green and blue parts.
constexpr Color RGBColor(int red, int green, int blue)
{
    return Color(red & 0xFF) | (Color(green & 0xFF) << 8) | (Color(blue & 0xFF) << 16);
}
