#include "render/text_block.h"

#include "render/canvas.h"
#include "render/markup_parser.h"

static TextFontTable DefaultFonts()
{
    TextFontTable fonts;
    for (LogFont& font : fonts) {
        font.height = -14;
        font.weight = 400;
        font.charSet = 1; // default character set
    }
    fonts[kFontItalic].italic = 1;
    fonts[kFontItalic].charSet = 0; // ANSI
    fonts[kFontSymbol].SetFaceName("Symbol");
    fonts[kFontMath3].SetFaceName("Math3");
    return fonts;
}

TextBlock::TextBlock() : m_root(std::make_unique<TextElement>("", 14, kFontUpright)), m_fonts(DefaultFonts())
{
}

void TextBlock::SetText(std::string_view text, const LogFont& font, int orientation, Color color)
{
    m_source = std::string(text);
    m_sourceFont = font;
    m_orientation = orientation;
    m_color = color;
    m_size = font.height < 0 ? -font.height : font.height;
    if (m_size == 0)
        m_size = 14;
    m_fonts = DefaultFonts();
    for (LogFont& entry : m_fonts) {
        entry.height = -m_size;
        entry.escapement = orientation;
        entry.orientation = orientation;
    }
    for (int index : {int(kFontUpright), int(kFontItalic)}) {
        LogFont& entry = m_fonts[index];
        entry.SetFaceName(font.faceName);
        entry.weight = font.weight;
        entry.underline = font.underline;
        entry.strikeOut = font.strikeOut;
    }
    m_fonts[kFontUpright].italic = font.italic;
    m_root = BuildTextTree(text, m_size);
}

TextLayout TextBlock::Layout(Canvas& canvas, double spacing) const
{
    return LayOutText(*m_root, m_fonts, spacing, canvas);
}

DeviceRect TextBlock::Measure(Canvas& canvas, int x, int y, double spacing) const
{
    const TextLayout layout = Layout(canvas, spacing);
    return {x + layout.left, y + layout.top, x + layout.right, y + layout.bottom};
}

void TextBlock::Draw(Canvas& canvas, int x, int y, double spacing) const
{
    EmitText(Layout(canvas, spacing), m_fonts, m_orientation, m_color, x, y, canvas);
}
