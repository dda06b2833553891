#pragma once

#include "render/text_element.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

/// Deepest nesting of braced groups a mathematical passage may have; deeper
/// text fails to parse and is drawn as its raw characters.
constexpr int kMaxMarkupNesting = 32;

/// Why a mathematical passage failed to parse: what went wrong, at which
/// byte of the passage, and the text found there.
struct MarkupFailure {
    std::string reason;
    std::size_t position = 0;
    std::string token;
};

/// Parses one mathematical passage (the text between two dollar signs) into
/// a chain of elements of font height `size`. White space only gives one
/// empty element. Returns null when the passage does not parse (unknown
/// command, "^", "_" or "}" where an atom belongs, an unclosed brace, a second
/// superscript or subscript on one atom, a missing command argument, nesting
/// deeper than `kMaxMarkupNesting`); `failure` then tells why.
std::unique_ptr<TextElement> ParseMath(std::string_view passage, int size,
                                       MarkupFailure* failure = nullptr);

/// Builds the tree of a whole text: carriage returns and line feeds are
/// dropped, the rest is split at every "$" not preceded by a backslash into
/// plain and mathematical passages (plain first), plain passages become one
/// upright element each, mathematical ones are parsed and fall back to their
/// raw characters in the upright font when they fail. The passages are
/// chained through slot 2. Never null: an empty text gives one empty element.
std::unique_ptr<TextElement> BuildTextTree(std::string_view text, int size);
