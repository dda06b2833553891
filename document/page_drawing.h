#pragma once

#include "model/colors.h"

#include <string>

class Canvas;
class CTarnDoc;
struct PageRect;

/// How the page is drawn: for a printer (the page is always filled, with
/// `windowColor` when it has no colour of its own) or for the screen.
struct PageDrawOptions {
    bool printing = false;
    Color windowColor = 0xFFFFFF;
    /// Receives the message of the first graph that could not be drawn, when given.
    std::string* failure = nullptr;
};

/// Draws the page: the page colour, then every graph in page order with the
/// current graph last so that it lies on top, then the free text labels. A
/// graph whose drawing raises an error (an axis of an illegal orientation)
/// is left as far as it got; the others are still drawn.
void DrawPage(const CTarnDoc& doc, Canvas& canvas, const PageRect& page,
              const PageDrawOptions& options = {});
