#pragma once

#include <vector>

class EqElem;
class EqUnaryElem;
class EqValueElem;

/// Rewrites an expression tree in place by the algebraic simplification rules:
/// bracket groups and unary plus go, signs move outwards, constants fold,
/// neutral elements and inverse function pairs vanish, repeated terms combine.
/// The tree's value is unchanged except where a rule drops a failing part
/// (0*log(x) is 0, exp(log(x)) is x). Failures are raised as constant message
/// texts; the tree stays whole and usable up to the failing rule.
class EqSimplifier {
public:
    /// Works on the tree whose root pointer is `root`; rules that replace the
    /// root update it.
    explicit EqSimplifier(EqElem*& root) : m_root(root) {}

    /// Runs the rule passes until a pass changes nothing.
    void Run();

    /// Splices the unary element `element` out: its child takes its place.
    /// Raises "NULL ptr in RemoveUnaryElem" for a null element.
    void RemoveUnaryElem(EqElem* element);

    /// Puts the new unary element `parent` above `element`, in its place.
    /// Raises "NULL ptr in InsertParent", "NULL ptr_P in InsertParent" for null
    /// arguments and "Illegal value op in InsertUnaryParent" when `element`
    /// hangs below an element that cannot hold children.
    void InsertParent(EqElem* element, EqUnaryElem* parent);

    /// Removes every bracket group that is not below another group.
    /// Raises "Disconnected tree in SimplifyBrace" for a broken parent link.
    void SimplifyBrace();

    /// The first number in `element` reached through operators of `op`'s class
    /// ("+"/"-" or "*"/"/"), left operands first; `sign` is flipped for each
    /// "-" or "/" right operand on the way. Null when there is none. Raises
    /// "NULL pointer in GetNextConstVal" for a null element.
    static EqValueElem* GetNextConstVal(EqElem* element, int& sign, int op);

    /// The operator by which the terms `left` (below Q's L) and `right` (below
    /// Q's R) effectively combine at `q`. Raises "Bad operator in GetOp",
    /// "NULL tmp_L->P in GetOp" or "NULL tmp_R->P in GetOp".
    static int GetOp(const EqElem* q, const EqElem* left, const EqElem* right);

private:
    template <class Rule>
    bool Walk(EqElem* element, Rule rule);
    template <class Rule>
    bool Repeat(Rule rule);

    bool Brace(EqElem* element);
    bool RemoveUnaryPlus(EqElem* element);
    bool Negation(EqElem* element);
    bool SubtractConstant(EqElem* element);
    bool FoldConstants(EqElem* element);
    bool Inverse(EqElem* element);
    bool Zero(EqElem* element);
    bool One(EqElem* element);
    bool LikeTerms(EqElem* element);

    // Puts `replacement` where `element` is (below its parent, or as the root).
    void Replace(EqElem* element, EqElem* replacement);
    // Replaces `element` by its operand `keep` and deletes the rest of it.
    EqElem* ReplaceByOperand(EqElem* element, EqElem* keep);
    bool Spend();

    EqElem*& m_root;
    long m_budget = 100000;  // rule walks before giving up on a runaway loop
};
