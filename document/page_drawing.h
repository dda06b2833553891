#pragma once

#include "model/colors.h"

class Canvas;
class CTarnDoc;
struct PageRect;

/// How the page is drawn: for a printer (the page is always filled, with
/// `windowColor` when it has no colour of its own) or for the screen.
struct PageDrawOptions {
    bool printing = false;
    Color windowColor = 0xFFFFFF;
};

/// Draws the page: the page colour, then every graph in page order with the
/// current graph last so that it lies on top, then the free text labels.
void DrawPage(const CTarnDoc& doc, Canvas& canvas, const PageRect& page,
              const PageDrawOptions& options = {});
