#include "equation/eqparser.h"

#include "equation/eqelem.h"
#include "equation/eqtokenstream.h"

#include <cstring>
#include <vector>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

constexpr const char* kDelimiters = "()[]{}+-*/^";

bool IsDelimiter(char c) { return c != '\0' && std::strchr(kDelimiters, c) != nullptr; }

// Bracket facts about the whole token list, gathered in one pass so the
// per-token checks stay linear however long the text is.
struct BracketMap {
    std::vector<int> matches;  // close bracket of each open bracket, -1 when none
    std::vector<int> nesting;  // depth of each open bracket, 1 at the outside
    std::vector<int> valuesBefore;  // numbers and names before each index
    int opens = 0;
    int closes = 0;
};

BracketMap MapBrackets(const std::vector<int>& kinds)
{
    const int count = int(kinds.size());
    BracketMap map;
    map.matches.assign(std::size_t(count), -1);
    map.nesting.assign(std::size_t(count), 0);
    map.valuesBefore.assign(std::size_t(count) + 1, 0);
    std::vector<int> open;
    for (int i = 0; i < count; ++i) {
        const int kind = kinds[std::size_t(i)];
        map.valuesBefore[std::size_t(i) + 1] =
            map.valuesBefore[std::size_t(i)] + (IsValueKind(kind) ? 1 : 0);
        if (kind == EqOpen) {
            ++map.opens;
            open.push_back(i);
            map.nesting[std::size_t(i)] = int(open.size());
        } else if (kind == EqClose) {
            ++map.closes;
            // A close bracket with nothing open matches no bracket that follows.
            if (!open.empty()) {
                map.matches[std::size_t(open.back())] = i;
                open.pop_back();
            }
        }
    }
    return map;
}

// Runs the sequence checks in their order at every index, turning signs in
// unary position into unary operators.
void CheckSequence(List<EqToken>& tokens, std::vector<int>& kinds, const BracketMap& map)
{
    const int count = int(kinds.size());
    for (int i = 0; i < count; ++i) {
        int& kind = kinds[std::size_t(i)];
        const int before = i > 0 ? kinds[std::size_t(i) - 1] : -1;
        const int after = i + 1 < count ? kinds[std::size_t(i) + 1] : -1;

        if (i == count - 1 && kind != EqClose && !IsValueKind(kind))
            throw "Dangling expression";

        if ((kind == EqMinus || kind == EqPlus) &&
            (i == 0 || IsBinaryKind(before) || before == EqOpen || before == EqUnaryPlus ||
             before == EqUnaryMinus)) {
            kind = kind == EqMinus ? EqUnaryMinus : EqUnaryPlus;
            tokens.Get(i).m_kind = EqKind(kind);
        }

        if (IsBinaryKind(kind)) {
            if (i == 0)
                throw "Binary operator at start of Equation";
            if (IsBinaryKind(before) || before == EqOpen || after == EqClose)
                throw "Misplaced binary operator";
        }

        if (IsFunctionKind(kind) && after != EqOpen)
            throw "Missing '('";

        // Counted at brackets only, so "x(" is a dangling expression first.
        if ((kind == EqOpen || kind == EqClose) && map.opens != map.closes)
            throw "Unmatched '(' or ')'";

        if (kind == EqOpen) {
            const int match = map.matches[std::size_t(i)];
            if (match < 0)
                throw "Unmatched '('";
            if (map.valuesBefore[std::size_t(match)] == map.valuesBefore[std::size_t(i) + 1])
                throw "Empty '()'";
            if (map.nesting[std::size_t(i)] > kEqMaxDepth)
                throw kEqTooDeepMessage;
        }
    }
}

} // namespace

std::string EqParser::Normalise(const char* text)
{
    std::string normal;
    for (const char* c = text; *c; ++c) {
        if (IsBlank(*c))
            continue;
        normal.push_back(*c >= 'A' && *c <= 'Z' ? char(*c - 'A' + 'a') : *c);
    }
    return normal;
}

List<EqToken> EqParser::Cut(const std::string& text)
{
    List<EqToken> tokens;
    const char* position = text.c_str();
    const char* const end = position + text.size();
    while (position < end) {
        const char* stop = position + 1;
        if (!IsDelimiter(*position)) {
            while (stop < end && !IsDelimiter(*stop))
                ++stop;
        }
        EqToken token;
        if (const char* message = token.Set(position, int(stop - position)))
            throw message;
        tokens.Append(token);
        position = stop;
    }
    return tokens;
}

EqElem* EqParser::Build(const std::string& text, List<EqToken>& variables)
{
    List<EqToken> tokens = Cut(text);
    std::vector<int> kinds;
    kinds.reserve(std::size_t(tokens.Count()));
    for (int i = 0; i < tokens.Count(); ++i)
        kinds.push_back(tokens.Get(i).m_kind);
    const BracketMap map = MapBrackets(kinds);
    CheckSequence(tokens, kinds, map);
    if (kinds.empty())
        throw "No equation";

    EqTokenStream stream(tokens, map.matches);
    EqElem* first = nullptr;
    try {
        first = EqElem::NewFor(stream.NextKind());
        first->Init(stream, nullptr, variables);
        first->Push(stream, variables);
    } catch (...) {
        EqElem::DeleteTree(EqElem::Root(first));
        throw;
    }
    EqElem* root = EqElem::Root(first);
    if (!root)
        throw "NULL tree";
    return root;
}
