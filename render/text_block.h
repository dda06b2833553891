#pragma once

#include "model/colors.h"
#include "model/log_font.h"
#include "render/canvas.h"
#include "render/markup_layout.h"
#include "render/text_element.h"

#include <memory>
#include <string>
#include <string_view>


/// One block of markup text: the tree parsed from its text, the four fonts
/// its elements use (upright and italic in the block's face, "Symbol" and
/// "Math3"), its orientation in tenths of a degree, its size (the font height
/// as a positive number) and its colour. Parsing never measures; measuring
/// and drawing go through the canvas they are given.
class TextBlock {
public:
    /// An empty block with the default fonts (height 14, "Times New Roman").
    TextBlock();

    /// Stores the settings, rebuilds the font table (every entry takes the
    /// font's height and `orientation`; the upright and italic entries take
    /// its face, weight, underline and strike-out, the upright one also its
    /// italic) and builds a new tree from `text`. A mathematical passage that
    /// does not parse is kept as its raw characters.
    void SetText(std::string_view text, const LogFont& font, int orientation, Color color);

    /// The layout of the tree, measured through `canvas`; `spacing` scales the
    /// small gaps (the printer's ratio while printing, else 1).
    TextLayout Layout(Canvas& canvas, double spacing = 1.0) const;
    /// The rectangle the text covers with its origin on the baseline at (x, y),
    /// unturned.
    DeviceRect Measure(Canvas& canvas, int x, int y, double spacing = 1.0) const;
    /// Draws the tree with its origin on the baseline at (x, y).
    void Draw(Canvas& canvas, int x, int y, double spacing = 1.0) const;

    const TextElement& Root() const { return *m_root; }
    const TextFontTable& Fonts() const { return m_fonts; }
    int Orientation() const { return m_orientation; }
    int Size() const { return m_size; }
    Color TextColor() const { return m_color; }
    /// The text, font and colour the block was built from.
    const std::string& SourceText() const { return m_source; }
    const LogFont& SourceFont() const { return m_sourceFont; }

private:
    std::unique_ptr<TextElement> m_root;
    TextFontTable m_fonts;
    int m_orientation = 0;
    int m_size = 14;
    Color m_color = 0x000000;
    std::string m_source;
    LogFont m_sourceFont;
};
