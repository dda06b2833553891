#pragma once

#include "render/markup_layout.h"

class Canvas;
class TextBlock;
class TextObject;
struct PageRect;

/// The text block of `text`, built from its text, font, orientation and
/// colour on first use and rebuilt whenever they changed since.
const TextBlock& TextBlockOf(const TextObject& text);

/// Lays out `text` through `canvas` and stores its measured size in the
/// object (for its bounding box and hit tests). An empty text measures 0 x 0.
TextLayout MeasureTextObject(const TextObject& text, Canvas& canvas);

/// Draws `text` centred on the device position of its page-fraction position,
/// turned by its orientation, and its selection outline when it is selected
/// and not printing. Draws nothing when it is invisible or its text is empty.
void DrawTextObject(const TextObject& text, Canvas& canvas, const PageRect& page);

/// Draws `text` centred on the device point (cx, cy), whatever its position
/// and visibility say (used by the legend for its entries).
void DrawTextAt(const TextObject& text, Canvas& canvas, int cx, int cy);

/// The selection outline of `text`: its bounding box, dotted, in XOR mode.
void DrawTextSelection(const TextObject& text, Canvas& canvas, const PageRect& page);
