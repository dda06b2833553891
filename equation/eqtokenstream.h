#pragma once

#include "equation/eqtoken.h"
#include "model/list.h"

#include <vector>

/// The token list as the tree builder consumes it: tokens are taken from the
/// front; inside a bracket group only the group's own tokens are visible, so
/// the group's contents are built exactly as a whole equation is, without
/// copying them into a list of their own.
class EqTokenStream {
public:
    /// `matches` gives, for each open bracket's index in the original list,
    /// the index of its close bracket.
    EqTokenStream(List<EqToken>& tokens, const std::vector<int>& matches);

    /// True when the current group (or the whole list) has no token left.
    bool AtEnd() const { return m_consumed >= m_end; }

    /// The first remaining token. Raises the list's `Error` when none is left.
    const EqToken& Next() const;

    /// Kind of the first remaining token.
    EqKind NextKind() const { return Next().m_kind; }

    /// Removes the first remaining token.
    void Drop();

    /// Removes the open bracket in front and limits the stream to the tokens
    /// before its matching close bracket. Returns the limit to restore.
    int EnterGroup();

    /// Removes the close bracket in front and restores the outer limit.
    void LeaveGroup(int outerEnd);

private:
    List<EqToken>& m_tokens;
    const std::vector<int>& m_matches;
    int m_consumed = 0;
    int m_end = 0;
};
