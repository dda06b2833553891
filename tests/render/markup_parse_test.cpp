#include "render/markup_commands.h"
#include "render/markup_parser.h"
#include "render/symbol_map.h"
#include "render/text_element.h"

#include "model/error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A tree as text: each element 'text'font/size (#flags in hex when set),
// then its children: over(...) ^(...) _(...) under(...); chains joined by
// spaces. Symbol codes above 0x7E are written as \xHH.
std::string Dump(const TextElement* element);

std::string Quote(const std::string& text)
{
    std::string out = "'";
    for (unsigned char c : text) {
        if (c < 0x7F) {
            out += char(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "'";
}

std::string DumpOne(const TextElement& e)
{
    std::string out = Quote(e.m_text) + std::to_string(e.m_fontIndex) + "/" + std::to_string(e.m_size);
    if (e.m_flags) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%x", e.m_flags);
        out += hex;
    }
    const char* names[] = {" over(", " ^(", nullptr, " _(", " under("};
    for (int slot : {0, 1, 3, 4})
        if (e.Child(slot))
            out += names[slot] + Dump(e.Child(slot)) + ")";
    return out;
}

std::string Dump(const TextElement* element)
{
    std::string out;
    for (; element; element = element->Child(kSlotNext)) {
        if (!out.empty())
            out += " ";
        out += DumpOne(*element);
    }
    return out;
}

struct TreeRow {
    const char* text;
    const char* tree;
    const char* why;
};

} // namespace

TEST(MarkupParse, TextsBuildTheirTrees)
{
    const TreeRow rows[] = {
        {"Time (s)", "'Time (s)'0/14", "no dollar sign: plain upright text"},
        {"$x^2$", "'x'1/14 ^('2'0/10)", "italic letter, digit at 0.75 size raised"},
        {"$\\alpha_{max}$", "'a'2/14 _('m'1/10 'a'1/10 'x'1/10)", "Symbol alpha, italic subscript"},
        {"$\\sin x$", "'sin'0/14 'x'1/14", "upright function name, italic variable"},
        {"$\\sum_{i=1}^n$", "'S'2/28#70 over('n'1/10) under('i'1/10 '='0/10 '1'0/10)",
         "double-size sigma with limits above and below"},
        {"$\\frac{a}{b}$", "''0/14#1a over('a'1/11) under('b'1/11)", "fraction parts at 0.8"},
        {"$x^2^3$", "'x^2^3'0/14", "a second superscript falls back to raw text"},
        {"$\\foo$", "'\\foo'0/14", "an unknown command falls back to raw text"},
        {"$\\$$", "'$'0/14", "an escaped dollar is a literal dollar"},
        {"$x_1^2$", "'x'1/14 ^('2'0/10) _('1'0/10)", "both scripts, subscript first"},
        {"$x^2_1$", "'x'1/14 ^('2'0/10) _('1'0/10)", "both scripts, superscript first"},
        {"$x ^ 2$", "'x'1/14 ^('2'0/10)", "white space around the caret"},
        {"$x$ and $y$", "'x'1/14 ' and '0/14 'y'1/14", "passages alternate"},
        {"a$b", "'a'0/14 'b'1/14", "an unclosed passage is still mathematics"},
        {"$$", "''0/14", "an empty passage gives an empty element"},
        {"a\r\nb", "'ab'0/14", "line ends are removed"},
        {"$\\hat{x}$", "'x'1/14 over('\\xD9'2/7)", "accent at half the block size over its argument"},
        {"$\\tilde{x}$", "'x'1/14 over('~'2/14)", "the tilde keeps the full size"},
        {"$\\stackrel{def}{=}$", "'='0/14 over('d'1/10 'e'1/10 'f'1/10)", "stacked at 0.75 over the base"},
        {"$\\lim_{n \\rightarrow \\infty}$", "'lim'0/14#40 under('n'1/10 '\\xAE'2/10 '\\xA5'2/10)",
         "lim puts its subscript below"},
        {"$\\int_0^1$", "'\\xF2'2/28#10 ^('1'0/10) _('0'0/10)", "integral scripts stay at the side"},
        {"$\\hbar \\AA$", "'\\xD1'3/14 '\\xDE'3/14", "Math3 characters"},
        {"${ab}^2$", "'a'1/14 'b'1/14 ^('2'0/10)", "a group's script follows its last element"},
        {"$x^{a^b}$", "'x'1/14 ^('a'1/10 ^('b'1/7))", "scripts nest through groups; sizes multiply"},
        {"$\\{\\}\\_\\&\\#\\%$", "'{'0/14 '}'0/14 '_'0/14 '&'0/14 '#'0/14 '%'0/14", "escapes"},
        {"$\xC3\xA9$", "'\\xC3\\xA9'0/14", "a non-ASCII character is one upright element"},
        {"$\\alpha2$", "'\\alpha2'0/14", "digits belong to the command name"},
        {"$\\alpha\\beta$", "'a'2/14 'b'2/14", "a backslash ends a name"},
        {"$x^\\alpha$", "'x'1/14 ^('a'2/10)", "a command as the script argument"},
    };
    for (const TreeRow& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " (" + row.why + ")");
        const std::unique_ptr<TextElement> tree = BuildTextTree(row.text, 14);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(Dump(tree.get()), row.tree);
    }
}

struct FailureRow {
    const char* passage;
    const char* reason;
    std::size_t position;
    const char* token;
};

TEST(MarkupParse, FailuresTellWhatWhereAndOnWhichText)
{
    const FailureRow rows[] = {
        {"x^2^3", "second superscript", 3, "^"},
        {"x_1_2", "second subscript", 3, "_"},
        {"\\foo", "unknown command", 0, "\\foo"},
        {"a + \\", "unknown command", 4, "\\"},
        {"^2", "misplaced character", 0, "^"},
        {"x}", "misplaced character", 1, "}"},
        {"{x", "unclosed brace", 0, "{"},
        {"x^", "script argument missing", 2, ""},
        {"x_{}_", "second subscript", 4, "_"},
        {"\\frac{a}", "command argument missing", 0, "\\frac"},
        {"\\hat x", "command argument missing", 0, "\\hat"},
        {"\\stackrel{a}", "command argument missing", 0, "\\stackrel"},
        {"\\sum^a^b", "second superscript", 6, "^"},
        {"\\hat{\\hat{x}}", "accent over an element that has one", 0, "\\hat"},
        {"\\stackrel{a}{\\hat{x}}", "stacked over an element that has something above", 0,
         "\\stackrel"},
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.passage);
        MarkupFailure failure;
        EXPECT_EQ(ParseMath(row.passage, 14, &failure), nullptr);
        EXPECT_EQ(failure.reason, row.reason);
        EXPECT_EQ(failure.position, row.position);
        EXPECT_EQ(failure.token, row.token);
    }
}

TEST(MarkupParse, NestingIsBoundedAndFallsBackToRawText)
{
    auto nested = [](int depth) {
        return std::string(depth, '{') + "x" + std::string(depth, '}');
    };
    EXPECT_NE(ParseMath(nested(kMaxMarkupNesting), 14), nullptr);
    MarkupFailure failure;
    EXPECT_EQ(ParseMath(nested(kMaxMarkupNesting + 1), 14, &failure), nullptr);
    EXPECT_EQ(failure.reason, "braces nested too deeply");

    const std::string hostile = "$" + nested(10000) + "$";
    const std::unique_ptr<TextElement> tree = BuildTextTree(hostile, 14);
    EXPECT_EQ(tree->m_text, nested(10000));
    EXPECT_EQ(tree->m_fontIndex, kFontUpright);
    const std::unique_ptr<TextElement> unbalanced = BuildTextTree("$" + std::string(10000, '{') + "$", 14);
    EXPECT_EQ(unbalanced->m_text, std::string(10000, '{'));
}

TEST(MarkupParse, LongPassagesNeitherRecurseNorOverflowOnDestruction)
{
    // A million atoms in one passage make a chain a million elements long.
    std::string text = "$";
    for (int i = 0; i < 1000000; ++i)
        text += 'a';
    text += "$";
    std::unique_ptr<TextElement> tree = BuildTextTree(text, 14);
    int count = 0;
    for (const TextElement* e = tree.get(); e; e = e->Child(kSlotNext))
        ++count;
    EXPECT_EQ(count, 1000000);
    tree->Scale(0.5);
    EXPECT_EQ(tree->Last()->m_size, 7);
    tree.reset();
}

TEST(MarkupParse, AttachChecksItsSlot)
{
    TextElement parent("x", 14, kFontItalic);
    try {
        Attach(parent, 5, std::make_unique<TextElement>("2", 14, 0), 1.0);
        FAIL() << "slot 5 accepted";
    } catch (const Bounds_Error& error) {
        EXPECT_STREQ(error.Text(), "loc out of bounds");
        EXPECT_STREQ(error.file, "Text");
    }
    Attach(parent, kSlotSuperscript, std::make_unique<TextElement>("2", 14, 0), 0.75);
    EXPECT_EQ(parent.Child(kSlotSuperscript)->m_size, 10);
    try {
        Attach(parent, kSlotSuperscript, std::make_unique<TextElement>("3", 14, 0), 1.0);
        FAIL() << "occupied slot overwritten";
    } catch (const Error& error) {
        EXPECT_STREQ(error.Text(), "Overwrite!");
    }
}

TEST(MarkupParse, EverySymbolCommandMapsToAUnicodeCharacter)
{
    // Every Greek letter, symbol, arrow and big operator draws as exactly its
    // one Unicode character. An entry missing from the table would draw the
    // Latin-1 character of the font code: a Latin letter, or for the codes
    // from 0xC0 up a letter such as U+00F2 for the integral sign's 0xF2.
    struct Row {
        const char* name;
        const char* drawn; // UTF-8
    };
    const Row rows[] = {
        {"alpha", "\u03B1"}, {"beta", "\u03B2"}, {"gamma", "\u03B3"}, {"delta", "\u03B4"},
        {"epsilon", "\u03B5"}, {"varepsilon", "\u03B5"}, {"zeta", "\u03B6"}, {"eta", "\u03B7"},
        {"theta", "\u03B8"}, {"vartheta", "\u03B8"}, {"iota", "\u03B9"}, {"kappa", "\u03BA"},
        {"lambda", "\u03BB"}, {"mu", "\u03BC"}, {"nu", "\u03BD"}, {"xi", "\u03BE"}, {"pi", "\u03C0"},
        {"varpi", "\u03C0"}, {"rho", "\u03C1"}, {"varrho", "\u03C1"}, {"sigma", "\u03C3"},
        {"varsigma", "\u03C3"}, {"tau", "\u03C4"}, {"upsilon", "\u03C5"}, {"phi", "\u03C6"},
        {"varphi", "\u03C6"}, {"chi", "\u03C7"}, {"psi", "\u03C8"}, {"omega", "\u03C9"},
        {"Gamma", "\u0393"}, {"Delta", "\u0394"}, {"Theta", "\u0398"}, {"Lambda", "\u039B"},
        {"Xi", "\u039E"}, {"Pi", "\u03A0"}, {"Sigma", "\u03A3"}, {"Upsilon", "\u03A5"}, {"Phi", "\u03A6"},
        {"Psi", "\u03A8"}, {"Omega", "\u03A9"}, {"approx", "\u2248"}, {"bullet", "\u2022"},
        {"cap", "\u2229"}, {"cup", "\u222A"}, {"cdot", "\u22C5"}, {"cong", "\u2245"}, {"div", "\u00F7"},
        {"equiv", "\u2261"}, {"exists", "\u2203"}, {"forall", "\u2200"}, {"geq", "\u2265"},
        {"leq", "\u2264"}, {"infty", "\u221E"}, {"ldots", "\u2026"}, {"nabla", "\u2207"},
        {"neq", "\u2260"}, {"oplus", "\u2295"}, {"otimes", "\u2297"}, {"partial", "\u2202"},
        {"perp", "\u22A5"}, {"pm", "\u00B1"}, {"propto", "\u221D"}, {"sim", "\u223C"},
        {"times", "\u00D7"}, {"leftarrow", "\u2190"}, {"rightarrow", "\u2192"}, {"uparrow", "\u2191"},
        {"downarrow", "\u2193"}, {"leftrightarrow", "\u2194"}, {"Leftrightarrow", "\u21D4"},
        {"Leftarrow", "\u21D0"}, {"Rightarrow", "\u21D2"}, {"Downarrow", "\u21D3"}, {"hbar", "\u210F"},
        {"AA", "\u00C5"}, {"parallel", "\u2225"}, {"int", "\u222B"}, {"sum", "\u03A3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const MarkupCommand* command = FindMarkupCommand(row.name);
        ASSERT_NE(command, nullptr);
        const std::string drawn = DrawableText(command->fontIndex, command->text);
        EXPECT_EQ(drawn, row.drawn);
    }
    EXPECT_EQ(DrawableText(kFontSymbol, "a"), "\u03B1");
    EXPECT_EQ(DrawableText(kFontSymbol, "\xBB"), "\u2248");
    EXPECT_EQ(DrawableText(kFontMath3, "\xD1"), "\u210F");
    EXPECT_EQ(DrawableText(kFontItalic, "a"), "a");
    EXPECT_EQ(FindMarkupCommand("Alpha"), nullptr);
    EXPECT_EQ(FindMarkupCommand("si"), nullptr);
}
