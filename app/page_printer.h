#pragma once

#include <QRect>
#include <QSize>

class Canvas;
class CTarnDoc;
class Messages;
class QPrinter;
struct PageRect;

/// The largest rectangle of the on-screen page's aspect (`screenPage`) that
/// fits `area`, centred along the direction with room to spare. Empty when
/// either size is empty.
QRect FitPageAspect(const QRect& area, QSize screenPage);

/// Draws the page for a printer on `canvas` over `rect`: every graph and free
/// label is print-scaled by `printerDpi` / `screenDpi` (fonts, pens, gaps)
/// and in print mode, so no selection marks are drawn, and the page is
/// always filled; afterwards everything is back as it was.
void DrawPrintedPage(CTarnDoc& doc, Canvas& canvas, const PageRect& rect, int printerDpi, int screenDpi);

/// Prints the page on `printer`: the region of the screen page's aspect in
/// the printer's drawing rectangle. Returns that region (printer pixels), or
/// an empty one when the printer cannot be drawn on.
QRect PrintPage(CTarnDoc& doc, QPrinter& printer, QSize screenPage, int screenDpi);

/// What the WYSIWYG query learns about the default printer.
struct PrinterFacts {
    bool hasDefault = false;  // a default printer is installed
    bool valid = false;       // its device could be opened
    int width = 0;            // its drawing rectangle in pixels
    int height = 0;

    /// The facts of `printer` with the page that Print Setup gave it; the
    /// default printer's when it prints to a file instead of a printer.
    static PrinterFacts Of(const QPrinter& printer);
};

/// The default printer's facts, asked of the print system.
PrinterFacts DefaultPrinterFacts();

/// The printer page's height / width for WYSIWYG mode; false, with the
/// message shown and `aspect` 1.0, when it cannot be had.
bool PrinterAspect(const PrinterFacts& facts, Messages& messages, float& aspect);

/// The page on the clipboard as a bitmap of `size` pixels and as an SVG
/// picture, both drawn in print mode (no selection marks).
void CopyPageToClipboard(CTarnDoc& doc, QSize size, Messages& messages);
