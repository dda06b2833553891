#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/log_font.h"

#include <array>
#include <string>
#include <vector>

class Canvas;
struct TextElement;

/// The four fonts of a text block, by font index.
using TextFontTable = std::array<LogFont, 4>;

/// Characters placed by the layout: drawn in font `fontIndex` of the table at
/// height `size`, with the baseline starting at offset (u, v) from the block's
/// origin: u along the baseline, v across it (downward positive), unturned.
struct TextRun {
    int fontIndex = 0;
    int size = 0;
    std::string text; ///< UTF-8, Symbol codes already mapped
    int u = 0;
    int v = 0;
    bool operator==(const TextRun&) const = default;
};

/// A fraction bar from u0 to u1 at v, `width` units thick.
struct TextBar {
    int u0 = 0;
    int u1 = 0;
    int v = 0;
    int width = 1;
    bool operator==(const TextBar&) const = default;
};

/// A laid-out text: its runs and bars, and the rectangle they cover, all
/// relative to the origin on the baseline and unturned (so `top` is usually
/// negative). `right` is the width along the baseline.
struct TextLayout {
    std::vector<TextRun> runs;
    std::vector<TextBar> bars;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

/// The font of index `fontIndex` of `fonts` at height `size` (at least 1),
/// turned by `orientation` tenths of a degree.
LogFont RunFont(const TextFontTable& fonts, int fontIndex, int size, int orientation);

/// Lays out the tree that starts at `root`, measuring every element through
/// `canvas` in unturned fonts. `spacing` multiplies the small gaps and the
/// fraction bar (1 on the screen, the printer's ratio while printing). A
/// script sits to the right of its element, raised or lowered; limits,
/// accents, numerators and denominators are centred above and below; big
/// operators and fractions are centred on the middle of the text around them.
TextLayout LayOutText(const TextElement& root, const TextFontTable& fonts, double spacing,
                      Canvas& canvas);

/// Device position of offset (u, v) from origin (x, y) turned by
/// `orientation` tenths of a degree counter-clockwise: (x + u c + v s,
/// y - u s + v c) with every product truncated toward zero.
DevicePoint TurnOffset(int x, int y, int u, int v, int orientation);

/// Draws `layout` with its origin at (x, y), every run in its font turned by
/// `orientation`, in `color`; bars are solid lines of a square-ended pen.
void EmitText(const TextLayout& layout, const TextFontTable& fonts, int orientation, Color color,
              int x, int y, Canvas& canvas);
