#include "render/markup_layout.h"

#include "render/canvas.h"
#include "render/symbol_map.h"
#include "render/text_element.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace {

// Most distinct characters of one element whose ink boxes are measured; a
// longer text takes the font's ascent and descent beyond them.
constexpr std::size_t kMostMeasuredGlyphs = 64;

// Where the middle of ordinary text lies above the baseline, in font heights:
// big operators and fractions are centred there.
constexpr double kTextMiddle = 0.3;

// A laid-out part: runs and bars relative to its own origin, its advance and
// how far it reaches above (ascent) and below (descent) the baseline.
struct Piece {
    std::vector<TextRun> runs;
    std::vector<TextBar> bars;
    int width = 0;
    int ascent = 0;
    int descent = 0;
    int left = 0;
    int right = 0;

    void Append(Piece&& other, int du, int dv)
    {
        for (TextRun& run : other.runs) {
            run.u += du;
            run.v += dv;
            runs.push_back(std::move(run));
        }
        for (TextBar& bar : other.bars) {
            bar.u0 += du;
            bar.u1 += du;
            bar.v += dv;
            bars.push_back(bar);
        }
        ascent = std::max(ascent, other.ascent - dv);
        descent = std::max(descent, other.descent + dv);
        left = std::min(left, other.left + du);
        right = std::max(right, other.right + du);
    }
};

struct CoreSize {
    int width = 0;
    int ascent = 0;
    int descent = 0;
};

class Layout {
public:
    Layout(const TextFontTable& fonts, double spacing, Canvas& canvas)
        : m_fonts(fonts), m_spacing(spacing), m_canvas(canvas)
    {
    }

    Piece Chain(const TextElement& first, int contextSize);

private:
    Piece Element(const TextElement& element, int contextSize);
    CoreSize Measure(const TextElement& element, const std::string& text);
    void Select(int fontIndex, int size);
    int Gap() const { return std::max(1, int(std::lround(2 * m_spacing))); }

    const TextFontTable& m_fonts;
    double m_spacing;
    Canvas& m_canvas;
    int m_fontIndex = -1;
    int m_size = -1;
    std::map<std::tuple<int, int, char32_t>, GlyphMetrics> m_glyphs;
};

void Layout::Select(int fontIndex, int size)
{
    if (fontIndex == m_fontIndex && size == m_size)
        return;
    m_canvas.SetFont(RunFont(m_fonts, fontIndex, size, 0));
    m_fontIndex = fontIndex;
    m_size = size;
}

// Decodes UTF-8 leniently: a stray byte stands for itself.
std::vector<char32_t> Characters(const std::string& text)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (i + length > text.size())
            length = 1;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(c);
        i += length;
    }
    return out;
}

CoreSize Layout::Measure(const TextElement& element, const std::string& text)
{
    CoreSize core;
    if (text.empty())
        return core;
    const int size = std::max(1, element.m_size);
    Select(element.m_fontIndex, size);
    core.width = m_canvas.MeasureText(text).width;
    // The vertical extent comes from the ink of the glyphs, so that scripts
    // hug the letters they belong to.
    std::set<char32_t> distinct;
    bool inked = false;
    bool truncated = false;
    for (char32_t c : Characters(text)) {
        if (!distinct.insert(c).second)
            continue;
        if (distinct.size() > kMostMeasuredGlyphs) {
            truncated = true;
            break;
        }
        const auto key = std::make_tuple(element.m_fontIndex, size, c);
        auto found = m_glyphs.find(key);
        if (found == m_glyphs.end())
            found = m_glyphs.emplace(key, m_canvas.MeasureGlyph(c)).first;
        const GlyphMetrics& glyph = found->second;
        if (glyph.right == glyph.left && glyph.bottom == glyph.top)
            continue;
        inked = true;
        core.ascent = std::max(core.ascent, -glyph.top);
        core.descent = std::max(core.descent, glyph.bottom);
    }
    if (truncated || !inked) {
        // Without glyph metrics (blank text, or beyond the measured glyphs)
        // the font's own ascent and descent serve.
        const FontMetrics metrics = m_canvas.GetFontMetrics();
        core.ascent = std::max(core.ascent, metrics.ascent);
        core.descent = std::max(core.descent, metrics.descent);
    }
    return core;
}

Piece Layout::Element(const TextElement& element, int contextSize)
{
    Piece piece;
    const std::string text = DrawableText(element.m_fontIndex, element.m_text);
    const CoreSize core = Measure(element, text);
    const int gap = Gap();
    const int ownSize = std::max(1, element.m_size);

    Piece above, below, superscript, subscript;
    const bool hasAbove = element.Child(kSlotAbove) != nullptr;
    const bool hasBelow = element.Child(kSlotBelow) != nullptr;
    if (hasAbove)
        above = Chain(*element.Child(kSlotAbove), ownSize);
    if (hasBelow)
        below = Chain(*element.Child(kSlotBelow), ownSize);
    const int column = std::max({core.width, above.width, below.width});

    piece.width = column;
    piece.right = column;
    int top = -core.ascent;
    int bottom = core.descent;
    if (!text.empty())
        piece.runs.push_back({element.m_fontIndex, ownSize, text, (column - core.width) / 2, 0});
    if (element.m_flags & kTextFraction) {
        const int barWidth = std::max(1, int(std::lround(m_spacing)));
        const int barV = -ownSize / 2;
        piece.bars.push_back({0, column, barV, barWidth});
        top = std::min(top, barV - barWidth);
        bottom = std::max(bottom, barV + barWidth);
        if (text.empty()) {
            top = barV - barWidth;
            bottom = barV + barWidth;
        }
    }
    piece.ascent = std::max(0, -top);
    piece.descent = std::max(0, bottom);
    if (hasAbove)
        piece.Append(std::move(above), (column - above.width) / 2, top - gap - above.descent);
    if (hasBelow)
        piece.Append(std::move(below), (column - below.width) / 2, bottom + gap + below.ascent);

    const int scriptU = column + gap;
    int scriptWidth = 0;
    if (const TextElement* child = element.Child(kSlotSuperscript)) {
        superscript = Chain(*child, ownSize);
        const int raise = std::max(core.ascent - superscript.ascent / 2, ownSize / 3);
        scriptWidth = std::max(scriptWidth, superscript.width);
        piece.Append(std::move(superscript), scriptU, -raise);
    }
    if (const TextElement* child = element.Child(kSlotSubscript)) {
        subscript = Chain(*child, ownSize);
        const int lower = std::max(core.descent / 2, ownSize / 6) + subscript.ascent / 6;
        scriptWidth = std::max(scriptWidth, subscript.width);
        piece.Append(std::move(subscript), scriptU, lower);
    }
    if (element.Child(kSlotSuperscript) || element.Child(kSlotSubscript))
        piece.width = scriptU + scriptWidth;
    piece.right = std::max(piece.right, piece.width);

    if (element.m_flags & kTextBigOperator) {
        // Centre the whole piece on the middle of the surrounding text.
        const int middle = (piece.descent - piece.ascent) / 2;
        const int target = -int(contextSize * kTextMiddle);
        Piece centred;
        centred.width = piece.width;
        centred.right = piece.right;
        centred.Append(std::move(piece), 0, target - middle);
        return centred;
    }
    return piece;
}

Piece Layout::Chain(const TextElement& first, int contextSize)
{
    // The surrounding text of a big operator is the first ordinary element;
    // without one, the operator's own size before it was doubled.
    contextSize = std::max(1, (first.m_flags & kTextFraction) ? first.m_size : first.m_size / 2);
    for (const TextElement* e = &first; e; e = e->Child(kSlotNext)) {
        if (!(e->m_flags & kTextBigOperator)) {
            contextSize = std::max(1, e->m_size);
            break;
        }
    }
    Piece chain;
    int pen = 0;
    for (const TextElement* e = &first; e; e = e->Child(kSlotNext)) {
        Piece piece = Element(*e, contextSize);
        const int advance = piece.width;
        chain.Append(std::move(piece), pen, 0);
        pen += advance;
    }
    chain.width = pen;
    chain.right = std::max(chain.right, pen);
    return chain;
}

} // namespace

LogFont RunFont(const TextFontTable& fonts, int fontIndex, int size, int orientation)
{
    LogFont font = fonts[std::clamp(fontIndex, 0, 3)];
    font.height = -std::max(1, size);
    font.escapement = orientation;
    font.orientation = orientation;
    return font;
}

TextLayout LayOutText(const TextElement& root, const TextFontTable& fonts, double spacing,
                      Canvas& canvas)
{
    Layout layout(fonts, spacing, canvas);
    Piece piece = layout.Chain(root, std::max(1, root.m_size));
    TextLayout out;
    out.runs = std::move(piece.runs);
    out.bars = std::move(piece.bars);
    out.left = piece.left;
    out.top = -piece.ascent;
    out.right = piece.right;
    out.bottom = piece.descent;
    return out;
}

DevicePoint TurnOffset(int x, int y, int u, int v, int orientation)
{
    if (orientation == 0)
        return {x + u, y + v};
    const double angle = orientation * 0.0017453292519944445;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {x + int(u * c) + int(v * s), y - int(u * s) + int(v * c)};
}

void EmitText(const TextLayout& layout, const TextFontTable& fonts, int orientation, Color color,
              int x, int y, Canvas& canvas)
{
    if (color == kNoColor)
        return;
    canvas.SetTextColor(color);
    int fontIndex = -1;
    int size = -1;
    for (const TextRun& run : layout.runs) {
        if (run.fontIndex != fontIndex || run.size != size) {
            canvas.SetFont(RunFont(fonts, run.fontIndex, run.size, orientation));
            fontIndex = run.fontIndex;
            size = run.size;
        }
        const DevicePoint at = TurnOffset(x, y, run.u, run.v, orientation);
        canvas.TextOut(at.x, at.y, run.text);
    }
    if (layout.bars.empty())
        return;
    Pen pen;
    pen.color = color;
    pen.cosmetic = false;
    pen.cap = PenCap::Square;
    pen.join = PenJoin::Bevel;
    const Pen previous = canvas.SetPen(pen);
    for (const TextBar& bar : layout.bars) {
        Pen barPen = pen;
        barPen.width = bar.width;
        canvas.SetPen(barPen);
        const DevicePoint from = TurnOffset(x, y, bar.u0, bar.v, orientation);
        const DevicePoint to = TurnOffset(x, y, bar.u1, bar.v, orientation);
        canvas.Line(from.x, from.y, to.x, to.y);
    }
    canvas.SetPen(previous);
}
