#pragma once

#include "equation/eqtoken.h"
#include "model/list.h"

#include <string>

class EqElem;

/// Turns equation text into an expression tree: normalisation, cutting into
/// tokens, the token-sequence checks and the tree builder. Failures are raised
/// as constant message texts (`throw "..."`); a container misuse raises `Error`.
class EqParser {
public:
    /// The text without white space (space, tab, newline, carriage return,
    /// vertical tab, form feed) and with A-Z lowered.
    static std::string Normalise(const char* text);

    /// Cuts normalised text into classified tokens; raises the message of the
    /// first piece that `EqToken::Set` rejects.
    static List<EqToken> Cut(const std::string& text);

    /// Builds the tree of normalised `text`, appending its variables to
    /// `variables` in order of first appearance. Returns the owned root.
    /// Raises the first failing check's message; nothing is leaked on failure.
    static EqElem* Build(const std::string& text, List<EqToken>& variables);
};
