#include "equation/eqtokenstream.h"

#include "model/error.h"

EqTokenStream::EqTokenStream(List<EqToken>& tokens, const std::vector<int>& matches)
    : m_tokens(tokens), m_matches(matches), m_end(tokens.Count())
{
}

const EqToken& EqTokenStream::Next() const
{
    if (AtEnd())
        throw Error("Error! List index out of bounds!.", "eqtokenstream", __LINE__);
    return m_tokens.Get(0);
}

void EqTokenStream::Drop()
{
    if (AtEnd())
        throw Error("Error! Attempt to remove an non-existantelement the list.", "eqtokenstream",
                    __LINE__);
    m_tokens.Remove(0);
    ++m_consumed;
}

int EqTokenStream::EnterGroup()
{
    const int open = m_consumed;
    if (AtEnd() || Next().m_kind != EqOpen || open >= int(m_matches.size()) ||
        m_matches[std::size_t(open)] < 0 || m_matches[std::size_t(open)] > m_end)
        throw "Unmatched '('";
    const int outerEnd = m_end;
    Drop();
    m_end = m_matches[std::size_t(open)];
    return outerEnd;
}

void EqTokenStream::LeaveGroup(int outerEnd)
{
    // The group's contents must have been used up; the close bracket is next.
    if (!AtEnd())
        throw "Missing a binary operator between braces or before '-'";
    m_end = outerEnd;
    Drop();
}
