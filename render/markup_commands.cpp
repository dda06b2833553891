#include "render/markup_commands.h"

#include "render/text_element.h"

#include <iterator>

namespace {

using K = MarkupCommandKind;
constexpr int S = kFontSymbol;

// Greek letters, symbols and arrows are Symbol-font codes; the drawing code
// turns them into Unicode characters through one table.
const MarkupCommand kCommands[] = {
    {"alpha", K::Character, S, "a", 0, 1}, {"beta", K::Character, S, "b", 0, 1},
    {"gamma", K::Character, S, "g", 0, 1}, {"delta", K::Character, S, "d", 0, 1},
    {"epsilon", K::Character, S, "e", 0, 1}, {"varepsilon", K::Character, S, "e", 0, 1},
    {"zeta", K::Character, S, "z", 0, 1}, {"eta", K::Character, S, "h", 0, 1},
    {"theta", K::Character, S, "q", 0, 1}, {"vartheta", K::Character, S, "q", 0, 1},
    {"iota", K::Character, S, "i", 0, 1}, {"kappa", K::Character, S, "k", 0, 1},
    {"lambda", K::Character, S, "l", 0, 1}, {"mu", K::Character, S, "m", 0, 1},
    {"nu", K::Character, S, "n", 0, 1}, {"xi", K::Character, S, "x", 0, 1},
    {"pi", K::Character, S, "p", 0, 1}, {"varpi", K::Character, S, "p", 0, 1},
    {"rho", K::Character, S, "r", 0, 1}, {"varrho", K::Character, S, "r", 0, 1},
    {"sigma", K::Character, S, "s", 0, 1}, {"varsigma", K::Character, S, "s", 0, 1},
    {"tau", K::Character, S, "t", 0, 1}, {"upsilon", K::Character, S, "u", 0, 1},
    {"phi", K::Character, S, "f", 0, 1}, {"varphi", K::Character, S, "f", 0, 1},
    {"chi", K::Character, S, "c", 0, 1}, {"psi", K::Character, S, "y", 0, 1},
    {"omega", K::Character, S, "w", 0, 1}, {"Gamma", K::Character, S, "G", 0, 1},
    {"Delta", K::Character, S, "D", 0, 1}, {"Theta", K::Character, S, "Q", 0, 1},
    {"Lambda", K::Character, S, "L", 0, 1}, {"Xi", K::Character, S, "X", 0, 1},
    {"Pi", K::Character, S, "P", 0, 1}, {"Sigma", K::Character, S, "S", 0, 1},
    {"Upsilon", K::Character, S, "U", 0, 1}, {"Phi", K::Character, S, "F", 0, 1},
    {"Psi", K::Character, S, "Y", 0, 1}, {"Omega", K::Character, S, "W", 0, 1},

    {"approx", K::Character, S, "\xBB", 0, 1}, {"bullet", K::Character, S, "\xB7", 0, 1},
    {"cap", K::Character, S, "\xC7", 0, 1}, {"cup", K::Character, S, "\xC8", 0, 1},
    {"cdot", K::Character, S, "\xD7", 0, 1}, {"cong", K::Character, S, "\x40", 0, 1},
    {"div", K::Character, S, "\xB8", 0, 1}, {"equiv", K::Character, S, "\xBA", 0, 1},
    {"exists", K::Character, S, "\x24", 0, 1}, {"forall", K::Character, S, "\x22", 0, 1},
    {"geq", K::Character, S, "\xB3", 0, 1}, {"leq", K::Character, S, "\xA3", 0, 1},
    {"infty", K::Character, S, "\xA5", 0, 1}, {"ldots", K::Character, S, "\xBC", 0, 1},
    {"nabla", K::Character, S, "\xD1", 0, 1}, {"neq", K::Character, S, "\xB9", 0, 1},
    {"oplus", K::Character, S, "\xC5", 0, 1}, {"otimes", K::Character, S, "\xC4", 0, 1},
    {"partial", K::Character, S, "\xB6", 0, 1}, {"perp", K::Character, S, "\x5E", 0, 1},
    {"pm", K::Character, S, "\xB1", 0, 1}, {"propto", K::Character, S, "\xB5", 0, 1},
    {"sim", K::Character, S, "\x7E", 0, 1}, {"times", K::Character, S, "\xB4", 0, 1},
    {"leftarrow", K::Character, S, "\xAC", 0, 1}, {"rightarrow", K::Character, S, "\xAE", 0, 1},
    {"uparrow", K::Character, S, "\xAD", 0, 1}, {"downarrow", K::Character, S, "\xAF", 0, 1},
    {"leftrightarrow", K::Character, S, "\xAB", 0, 1},
    {"Leftrightarrow", K::Character, S, "\xDB", 0, 1},
    {"Leftarrow", K::Character, S, "\xDC", 0, 1}, {"Rightarrow", K::Character, S, "\xDE", 0, 1},
    {"Downarrow", K::Character, S, "\xDF", 0, 1},
    {"hbar", K::Character, kFontMath3, "\xD1", 0, 1},
    {"AA", K::Character, kFontMath3, "\xDE", 0, 1},
    {"parallel", K::Character, kFontMath3, "\x37", 0, 1},

    {"int", K::BigOperator, S, "\xF2", kTextBigOperator, 2.0},
    {"sum", K::BigOperator, S, "S", kTextBigOperator | kTextLimitsAbove | kTextLimitsBelow, 2.0},

    {"arccos", K::Function, 0, nullptr, 0, 1}, {"arcsin", K::Function, 0, nullptr, 0, 1},
    {"arctan", K::Function, 0, nullptr, 0, 1}, {"arg", K::Function, 0, nullptr, 0, 1},
    {"cos", K::Function, 0, nullptr, 0, 1}, {"cosh", K::Function, 0, nullptr, 0, 1},
    {"cot", K::Function, 0, nullptr, 0, 1}, {"csc", K::Function, 0, nullptr, 0, 1},
    {"deg", K::Function, 0, nullptr, 0, 1}, {"det", K::Function, 0, nullptr, 0, 1},
    {"dim", K::Function, 0, nullptr, 0, 1}, {"exp", K::Function, 0, nullptr, 0, 1},
    {"gcd", K::Function, 0, nullptr, 0, 1}, {"hom", K::Function, 0, nullptr, 0, 1},
    {"inf", K::Function, 0, nullptr, 0, 1}, {"ker", K::Function, 0, nullptr, 0, 1},
    {"lg", K::Function, 0, nullptr, 0, 1}, {"lim", K::Function, 0, nullptr, kTextLimitsBelow, 1},
    {"liminf", K::Function, 0, nullptr, 0, 1}, {"limsup", K::Function, 0, nullptr, 0, 1},
    {"ln", K::Function, 0, nullptr, 0, 1}, {"log", K::Function, 0, nullptr, 0, 1},
    {"max", K::Function, 0, nullptr, 0, 1}, {"min", K::Function, 0, nullptr, 0, 1},
    {"Pr", K::Function, 0, nullptr, 0, 1}, {"sec", K::Function, 0, nullptr, 0, 1},
    {"sin", K::Function, 0, nullptr, 0, 1}, {"sinh", K::Function, 0, nullptr, 0, 1},
    {"sup", K::Function, 0, nullptr, 0, 1}, {"tan", K::Function, 0, nullptr, 0, 1},
    {"tanh", K::Function, 0, nullptr, 0, 1},

    {"bar", K::Accent, S, "\x2D", 0, 0.5}, {"dot", K::Accent, S, "\xB7", 0, 0.5},
    {"ddot", K::Accent, S, "\xB7\xB7", 0, 0.5}, {"hat", K::Accent, S, "\xD9", 0, 0.5},
    {"vec", K::Accent, S, "\xAE", 0, 0.5}, {"tilde", K::Accent, S, "\x7E", 0, 1.0},

    {"frac", K::Fraction, 0, "", kTextBigOperator | kTextFraction | kTextStackHigh, 0.8},
    {"stackrel", K::Stackrel, 0, nullptr, 0, 0.75},
};

} // namespace

const MarkupCommand* FindMarkupCommand(std::string_view name)
{
    for (const MarkupCommand& command : kCommands)
        if (name == command.name)
            return &command;
    return nullptr;
}
