#pragma once

#include <string_view>

/// What a backslash command of the markup makes.
enum class MarkupCommandKind {
    Character,   ///< one element holding `text` in font `fontIndex`
    BigOperator, ///< a character drawn at double size with `flags`
    Function,    ///< the command's name in upright letters, with `flags`
    Accent,      ///< `text` at `scale` x the block size over a braced argument
    Fraction,    ///< \frac{numerator}{denominator}
    Stackrel,    ///< \stackrel{top}{base}
};

/// One entry of the command table. `text` holds codes of the Symbol or
/// "Math3" font when `fontIndex` is 2 or 3.
struct MarkupCommand {
    const char* name;
    MarkupCommandKind kind;
    int fontIndex;
    const char* text;
    int flags;
    double scale;
};

/// The command called `name` (case-sensitive, compared over its whole
/// length), or null when there is none.
const MarkupCommand* FindMarkupCommand(std::string_view name);
