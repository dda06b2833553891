#include "render/symbol_map.h"

#include "render/text_element.h"

#include <iterator>

namespace {

struct SymbolCode {
    int font;
    unsigned char code;
    char32_t unicode;
};

// The one table from Symbol and "Math3" codes to Unicode. The Symbol codes
// follow the standard Symbol font encoding; "Math3" has only the three
// characters the commands use.
const SymbolCode kSymbolCodes[] = {
    // Greek capitals and small letters
    {kFontSymbol, 'A', U'\u0391'}, {kFontSymbol, 'B', U'\u0392'}, {kFontSymbol, 'C', U'\u03A7'},
    {kFontSymbol, 'D', U'\u0394'}, {kFontSymbol, 'E', U'\u0395'}, {kFontSymbol, 'F', U'\u03A6'},
    {kFontSymbol, 'G', U'\u0393'}, {kFontSymbol, 'H', U'\u0397'}, {kFontSymbol, 'I', U'\u0399'},
    {kFontSymbol, 'J', U'\u03D1'}, {kFontSymbol, 'K', U'\u039A'}, {kFontSymbol, 'L', U'\u039B'},
    {kFontSymbol, 'M', U'\u039C'}, {kFontSymbol, 'N', U'\u039D'}, {kFontSymbol, 'O', U'\u039F'},
    {kFontSymbol, 'P', U'\u03A0'}, {kFontSymbol, 'Q', U'\u0398'}, {kFontSymbol, 'R', U'\u03A1'},
    {kFontSymbol, 'S', U'\u03A3'}, {kFontSymbol, 'T', U'\u03A4'}, {kFontSymbol, 'U', U'\u03A5'},
    {kFontSymbol, 'V', U'\u03C2'}, {kFontSymbol, 'W', U'\u03A9'}, {kFontSymbol, 'X', U'\u039E'},
    {kFontSymbol, 'Y', U'\u03A8'}, {kFontSymbol, 'Z', U'\u0396'},
    {kFontSymbol, 'a', U'\u03B1'}, {kFontSymbol, 'b', U'\u03B2'}, {kFontSymbol, 'c', U'\u03C7'},
    {kFontSymbol, 'd', U'\u03B4'}, {kFontSymbol, 'e', U'\u03B5'}, {kFontSymbol, 'f', U'\u03C6'},
    {kFontSymbol, 'g', U'\u03B3'}, {kFontSymbol, 'h', U'\u03B7'}, {kFontSymbol, 'i', U'\u03B9'},
    {kFontSymbol, 'j', U'\u03D5'}, {kFontSymbol, 'k', U'\u03BA'}, {kFontSymbol, 'l', U'\u03BB'},
    {kFontSymbol, 'm', U'\u03BC'}, {kFontSymbol, 'n', U'\u03BD'}, {kFontSymbol, 'o', U'\u03BF'},
    {kFontSymbol, 'p', U'\u03C0'}, {kFontSymbol, 'q', U'\u03B8'}, {kFontSymbol, 'r', U'\u03C1'},
    {kFontSymbol, 's', U'\u03C3'}, {kFontSymbol, 't', U'\u03C4'}, {kFontSymbol, 'u', U'\u03C5'},
    {kFontSymbol, 'v', U'\u03D6'}, {kFontSymbol, 'w', U'\u03C9'}, {kFontSymbol, 'x', U'\u03BE'},
    {kFontSymbol, 'y', U'\u03C8'}, {kFontSymbol, 'z', U'\u03B6'},
    // Symbols in the ASCII range
    {kFontSymbol, 0x22, U'\u2200'}, {kFontSymbol, 0x24, U'\u2203'}, {kFontSymbol, 0x27, U'\u220B'},
    {kFontSymbol, 0x2A, U'\u2217'}, {kFontSymbol, 0x2D, U'\u2212'}, {kFontSymbol, 0x40, U'\u2245'},
    {kFontSymbol, 0x5C, U'\u2234'}, {kFontSymbol, 0x5E, U'\u22A5'}, {kFontSymbol, 0x7E, U'\u223C'},
    // Upper half
    {kFontSymbol, 0xA0, U'\u20AC'}, {kFontSymbol, 0xA1, U'\u03D2'}, {kFontSymbol, 0xA2, U'\u2032'},
    {kFontSymbol, 0xA3, U'\u2264'}, {kFontSymbol, 0xA4, U'\u2044'}, {kFontSymbol, 0xA5, U'\u221E'},
    {kFontSymbol, 0xA6, U'\u0192'}, {kFontSymbol, 0xA7, U'\u2663'}, {kFontSymbol, 0xA8, U'\u2666'},
    {kFontSymbol, 0xA9, U'\u2665'}, {kFontSymbol, 0xAA, U'\u2660'}, {kFontSymbol, 0xAB, U'\u2194'},
    {kFontSymbol, 0xAC, U'\u2190'}, {kFontSymbol, 0xAD, U'\u2191'}, {kFontSymbol, 0xAE, U'\u2192'},
    {kFontSymbol, 0xAF, U'\u2193'}, {kFontSymbol, 0xB0, U'\u00B0'}, {kFontSymbol, 0xB1, U'\u00B1'},
    {kFontSymbol, 0xB2, U'\u2033'}, {kFontSymbol, 0xB3, U'\u2265'}, {kFontSymbol, 0xB4, U'\u00D7'},
    {kFontSymbol, 0xB5, U'\u221D'}, {kFontSymbol, 0xB6, U'\u2202'}, {kFontSymbol, 0xB7, U'\u2022'},
    {kFontSymbol, 0xB8, U'\u00F7'}, {kFontSymbol, 0xB9, U'\u2260'}, {kFontSymbol, 0xBA, U'\u2261'},
    {kFontSymbol, 0xBB, U'\u2248'}, {kFontSymbol, 0xBC, U'\u2026'}, {kFontSymbol, 0xBF, U'\u21B5'},
    {kFontSymbol, 0xC0, U'\u2135'}, {kFontSymbol, 0xC1, U'\u2111'}, {kFontSymbol, 0xC2, U'\u211C'},
    {kFontSymbol, 0xC3, U'\u2118'}, {kFontSymbol, 0xC4, U'\u2297'}, {kFontSymbol, 0xC5, U'\u2295'},
    {kFontSymbol, 0xC6, U'\u2205'}, {kFontSymbol, 0xC7, U'\u2229'}, {kFontSymbol, 0xC8, U'\u222A'},
    {kFontSymbol, 0xC9, U'\u2283'}, {kFontSymbol, 0xCA, U'\u2287'}, {kFontSymbol, 0xCB, U'\u2284'},
    {kFontSymbol, 0xCC, U'\u2282'}, {kFontSymbol, 0xCD, U'\u2286'}, {kFontSymbol, 0xCE, U'\u2208'},
    {kFontSymbol, 0xCF, U'\u2209'}, {kFontSymbol, 0xD0, U'\u2220'}, {kFontSymbol, 0xD1, U'\u2207'},
    {kFontSymbol, 0xD2, U'\u00AE'}, {kFontSymbol, 0xD3, U'\u00A9'}, {kFontSymbol, 0xD4, U'\u2122'},
    {kFontSymbol, 0xD5, U'\u220F'}, {kFontSymbol, 0xD6, U'\u221A'}, {kFontSymbol, 0xD7, U'\u22C5'},
    {kFontSymbol, 0xD8, U'\u00AC'}, {kFontSymbol, 0xD9, U'\u2227'}, {kFontSymbol, 0xDA, U'\u2228'},
    {kFontSymbol, 0xDB, U'\u21D4'}, {kFontSymbol, 0xDC, U'\u21D0'}, {kFontSymbol, 0xDD, U'\u21D1'},
    {kFontSymbol, 0xDE, U'\u21D2'}, {kFontSymbol, 0xDF, U'\u21D3'}, {kFontSymbol, 0xE0, U'\u25CA'},
    {kFontSymbol, 0xE1, U'\u2329'}, {kFontSymbol, 0xE5, U'\u2211'}, {kFontSymbol, 0xF1, U'\u232A'},
    {kFontSymbol, 0xF2, U'\u222B'},
    // "Math3"
    {kFontMath3, 0xD1, U'\u210F'}, {kFontMath3, 0xDE, U'\u00C5'}, {kFontMath3, 0x37, U'\u2225'},
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

char32_t SymbolToUnicode(int fontIndex, unsigned char code)
{
    for (const SymbolCode& entry : kSymbolCodes)
        if (entry.font == fontIndex && entry.code == code)
            return entry.unicode;
    return char32_t(code);
}

std::string DrawableText(int fontIndex, const std::string& text)
{
    if (fontIndex != kFontSymbol && fontIndex != kFontMath3)
        return text;
    std::string out;
    out.reserve(text.size() * 3);
    for (unsigned char code : text)
        AppendUtf8(out, SymbolToUnicode(fontIndex, code));
    return out;
}
