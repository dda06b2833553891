#pragma once

#include <cstdint>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

class EqBinaryElem;
class EqElem;
class EqUnaryElem;
class EqValueElem;

/// Rewrites an expression tree in place by the algebraic simplification rules:
/// bracket groups and unary plus go, signs move outwards, constants fold,
/// neutral elements and inverse function pairs vanish, repeated terms combine.
/// The tree's value is unchanged except where a rule drops a failing part
/// (0*log(x) is 0, exp(log(x)) is x). Failures are raised as constant message
/// texts; the tree stays whole and usable up to the failing rule. Every walk
/// keeps its own work list, so trees of any depth are safe.
class EqSimplifier {
public:
    /// Works on the tree whose root pointer is `root`; rules that replace the
    /// root update it.
    explicit EqSimplifier(EqElem*& root);

    /// Runs the rule passes until a pass changes nothing.
    void Run();

    /// Splices the unary element `element` out: its child takes its place.
    /// Raises "NULL ptr in RemoveUnaryElem" for a null element.
    void RemoveUnaryElem(EqElem* element);

    /// Puts the new unary element `parent` above `element`, in its place; it
    /// takes `parent` over and deletes it when it raises an error.
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
    // What a walk has still to do: visit an element, visit a binary element's
    // right operand, or leave an element (marking its subtree clean when no
    // rule fired below it since it was entered).
    enum class Step : std::uint8_t { kEnter, kRight, kExit };
    struct Frame {
        EqElem* element;
        std::uint32_t fires;  // low bits of m_fires; only compared for equality
        Step step;
    };

    // One rule walk from `start` (see Run). `fact` is the rule's bit in
    // EqElem::m_facts: a subtree marked with it is known to hold nothing the
    // rule could rewrite and is skipped, which gives the same result as
    // walking through it.
    template <class Rule>
    bool Walk(EqElem* start, Rule rule, std::uint32_t fact);
    template <class Rule>
    bool Repeat(Rule rule, std::uint32_t fact);

    // A rule that fired asks the walk to go on through `element` next (or
    // through the right operand of `binary`), as if walking it anew.
    void Continue(EqElem* element);
    void ContinueRight(EqBinaryElem* binary);

    bool Brace(EqElem* element);
    bool RemoveUnaryPlus(EqElem* element);
    bool Negation(EqElem* element);
    bool SubtractConstant(EqElem* element);
    bool FoldConstants(EqElem* element);
    bool Inverse(EqElem* element);
    bool Zero(EqElem* element);
    bool One(EqElem* element);
    bool LikeTerms(EqElem* element);

    // GetNextConstVal with the answers kept in m_firstConstants while the
    // subtree stays as it is.
    EqValueElem* FirstConstant(EqElem* element, int& sign, int op);

    // The left terms of m_chain: takes one out, or tells whether one may
    // equal `term` (false only when none can).
    void ForgetLeftTerm(EqElem* term);
    bool MayHaveLeftTerm(EqElem* term);

    // Forgets what is known about `element` and the elements above it.
    static void Touch(EqElem* element);
    // The same after only the value of `number` changed.
    static void TouchValue(EqValueElem* number);
    // A structural hash that equal subtrees share (all numbers hash alike,
    // since equality allows them to differ a little), kept in the elements.
    static std::uint32_t HashOf(EqElem* element);
    // IsEqual with the hashes as a quick refusal.
    static bool SameTerm(EqElem* a, EqElem* b);

    // Puts `replacement` where `element` is (below its parent, or as the root).
    void Replace(EqElem* element, EqElem* replacement);
    // Replaces `element` by its operand `keep` and deletes the rest of it.
    EqElem* ReplaceByOperand(EqElem* element, EqElem* keep);
    bool Spend();

    EqElem*& m_root;
    long m_budget = 100000;  // rule walks before giving up on a runaway loop
    long m_fires = 0;        // rules fired so far, in all walks
    std::vector<Frame> m_pending;
    std::vector<EqElem*> m_terms;  // scratch for LikeTerms
    // The first number below each entered element, with its sign.
    std::unordered_map<const EqElem*, std::pair<EqValueElem*, int>> m_firstConstants;
    // Hash counts of the left terms of m_chain, valid while no rule has fired.
    std::unordered_map<std::uint32_t, int> m_leftHashes;  // terms other than numbers
    std::multiset<double> m_leftNumbers;
    EqBinaryElem* m_chain = nullptr;
    long m_chainFires = -1;
};
