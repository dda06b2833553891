#include "equation/eqtokenstream.h"

#include "model/error.h"

EqTokenStream::EqTokenStream(List<EqToken>& tokens, const std::vector<int>& matches)
    : m_tokens(tokens), m_matches(matches), m_end(tokens.Count())
{
    // At most every other token is a name; sized once, the index never rehashes.
    m_names.reserve(std::size_t(tokens.Count() / 2 + 1));
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

void EqTokenStream::EnterGroup(EqElem* group)
{
    const int open = m_consumed;
    if (AtEnd() || Next().m_kind != EqOpen || open >= int(m_matches.size()) ||
        m_matches[std::size_t(open)] < 0 || m_matches[std::size_t(open)] > m_end)
        throw "Unmatched '('";
    m_groups.emplace_back(group, m_end);
    Drop();
    m_end = m_matches[std::size_t(open)];
}

EqElem* EqTokenStream::LeaveGroup()
{
    if (m_groups.empty())
        return nullptr;
    // The group's contents must have been used up; the close bracket is next.
    if (!AtEnd())
        throw "Missing a binary operator between braces or before '-'";
    auto [group, outerEnd] = m_groups.back();
    m_groups.pop_back();
    m_end = outerEnd;
    Drop();
    return group;
}

int EqTokenStream::VariableIndex(const EqToken& token, List<EqToken>& variables)
{
    // Names already in the list (a caller may hand in a filled one) are indexed
    // first; the first of equal names keeps its index, as a search would find it.
    for (; m_indexed < variables.Count(); ++m_indexed)
        m_names.emplace(variables.Get(m_indexed).m_text, m_indexed);
    if (auto known = m_names.find(token.m_text); known != m_names.end())
        return known->second;
    auto entry = m_names.emplace(token.m_text, variables.Count()).first;
    try {
        variables.Append(token);
    } catch (...) {
        m_names.erase(entry);
        throw;
    }
    m_indexed = variables.Count();
    return entry->second;
}
