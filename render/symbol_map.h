#pragma once

#include <string>

/// The Unicode character that stands for `code` of the Symbol font
/// (`fontIndex` 2) or of the "Math3" font (3). Codes the table does not name
/// keep their Latin-1 meaning.
char32_t SymbolToUnicode(int fontIndex, unsigned char code);

/// The UTF-8 text to draw for an element's `text` in font `fontIndex`: the
/// Symbol and "Math3" codes mapped one by one, the other fonts' text as it is.
std::string DrawableText(int fontIndex, const std::string& text);
