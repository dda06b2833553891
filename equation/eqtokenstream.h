#pragma once

#include "equation/eqtoken.h"
#include "model/list.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class EqElem;

/// The token list as the tree builder consumes it: tokens are taken from the
/// front; inside a bracket group only the group's own tokens are visible, so
/// the group's contents are built exactly as a whole equation is, without
/// copying them into a list of their own. The stream also keeps the open
/// groups and an index of the variable names, so building needs no recursion
/// and no search through the variable list.
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

    /// Removes the open bracket in front, limits the stream to the tokens
    /// before its matching close bracket and remembers `group` as the element
    /// that holds them. Raises "Unmatched '('" when there is no such bracket.
    void EnterGroup(EqElem* group);

    /// Closes the innermost open group once its tokens are used up: removes
    /// the close bracket, restores the outer limit and returns the group's
    /// element. Null when no group is open.
    EqElem* LeaveGroup();

    /// The index of the variable named by `token` in `variables`, appending
    /// the token when the name is new, so indices follow first appearance.
    int VariableIndex(const EqToken& token, List<EqToken>& variables);

private:
    List<EqToken>& m_tokens;
    const std::vector<int>& m_matches;
    int m_consumed = 0;
    int m_end = 0;
    std::vector<std::pair<EqElem*, int>> m_groups;  // open groups and their outer limits
    std::unordered_map<std::string, int> m_names;    // variable name -> index
    int m_indexed = 0;                               // entries of the list in m_names
};
