#pragma once

#include "equation/eqtoken.h"
#include "model/list.h"

#include <cstdint>
#include <memory>
#include <vector>

class EqTokenStream;

/// Deepest bracket nesting the engine accepts. Brackets are the only way a
/// text nests by itself (function calls bring their own bracket); long
/// operator chains and sign chains are legal at any length, since every tree
/// algorithm keeps its own work list instead of recursing.
constexpr int kEqMaxDepth = 1000;

/// The message for a text whose brackets nest deeper than `kEqMaxDepth`.
inline constexpr const char* kEqTooDeepMessage =
    "Equation nested too deeply (more than 1000 levels)";

/// Most elements a derivative may have. A derivative can grow with the square
/// of its source (x*x*...*x, x^x^...^x); its size is counted before it is built,
/// so no text can make differentiation exhaust memory.
constexpr std::uint64_t kEqMaxDerivSize = 2000000;

/// The message for a derivative larger than `kEqMaxDerivSize`.
inline constexpr const char* kEqDerivTooLargeMessage =
    "Derivative too large to compute (more than 2000000 elements)";

/// The message stored when memory runs out while parsing, simplifying,
/// differentiating, copying or compiling an equation.
inline constexpr const char* kEqNoMemoryMessage = "Not enough memory for the equation";

/// The three classes of tree elements, so that an element's class is told
/// without a dynamic cast.
enum class EqElemClass : std::uint8_t { kValue, kUnary, kBinary };

/// Base of the expression tree's elements. Each element owns its children;
/// `P` links back to the parent (null at the root). Failures are raised as
/// constant message texts (`throw "..."`). No operation recurses with the
/// depth of the tree.
class EqElem {
public:
    EqElem(const EqElem&) = delete;
    EqElem& operator=(const EqElem&) = delete;
    virtual ~EqElem() = default;

    /// Evaluates the subtree with the variable values `values` (indexed by
    /// variable index), operands in each operator's order. Raises the domain
    /// and broken-tree messages of the first failing element.
    double Eval(const double* values) const;

    /// The element's kind: the operator for unary and binary elements, 27 for
    /// a number and 28 for a variable.
    virtual EqKind Type() const = 0;

    /// Whether the element is a value, a unary or a binary element.
    EqElemClass Class() const { return m_class; }

    /// One step of the tree builder: continues from this element with the
    /// remaining tokens and returns the element the builder continues from,
    /// or null when the current group (or the text) has no token left.
    virtual EqElem* PushStep(EqTokenStream& tokens, List<EqToken>& variables) = 0;

    /// Takes this element's own tokens from the front of `tokens` and links
    /// the element below `parent`. Symbols new to `variables` are appended.
    /// An open bracket opens a group whose contents the builder adds next.
    virtual void Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables) = 0;

    /// A copy of this element alone: operator or value, no children, no parent.
    virtual EqElem* CopyNode() const = 0;

    /// A deep copy of the subtree whose root gets `parent` as its parent.
    EqElem* Copy(EqElem* parent) const;

    /// Structural equality: numbers within 1e-14, the same variable, the same
    /// operator with equal operands ("+" and "*" also with swapped operands).
    bool IsEqual(const EqElem* other) const;

    /// A new subtree, the derivative with respect to variable `variable`,
    /// linked below `parent`. Raises "Derivative of abs() not implemented!"
    /// and the broken-tree messages. Callers bound the size with `DerivSize`.
    EqElem* Deriv(int variable, EqElem* parent) const;

    /// Number of elements `Deriv` would build (whatever the variable), counted
    /// without building anything; counts stop at `limit` + 1.
    std::uint64_t DerivSize(std::uint64_t limit) const;

    /// The message that differentiating this element alone raises (a missing
    /// operand, an operator without derivative), or null.
    virtual const char* DerivFailure() const = 0;

    /// This element's differentiation rule, given the derivatives of its
    /// children (`derivatives[0]` for the child or left operand, `[1]` for the
    /// right operand), which it takes over.
    virtual EqElem* DerivRule(int variable, std::unique_ptr<EqElem> derivatives[2]) const = 0;

    /// Number of elements `DerivRule` builds, from the sizes of the children
    /// (`sizes`) and of their derivatives (`derivativeSizes`).
    virtual std::uint64_t DerivRuleSize(const std::uint64_t sizes[2],
                                        const std::uint64_t derivativeSizes[2]) const = 0;

    /// Puts `replacement` where the child `child` is; returns false when
    /// `child` is not a child of this element.
    virtual bool ReplaceChild(EqElem* child, EqElem* replacement) = 0;

    /// Runs the tree builder from this element until the tokens are used up,
    /// closing each group when its tokens are. Iterative.
    void Push(EqTokenStream& tokens, List<EqToken>& variables);

    /// Deletes a subtree without recursion and without allocating.
    static void DeleteTree(EqElem* root);

    /// Number of elements in the subtree (0 for null). Without recursion.
    static int Count(const EqElem* root);

    /// The root of the tree that holds `element`.
    static EqElem* Root(EqElem* element);

    /// The children of `element` in left-to-right order (none for values).
    static int Children(const EqElem* element, const EqElem* out[2]);

    /// A new, not yet initialised element of the class that a token of `kind`
    /// starts: unary for 5..26, a value otherwise.
    static EqElem* NewFor(EqKind kind);

    EqElem* P = nullptr;

    /// Facts the simplifier keeps about this subtree between its walks (which
    /// rules found nothing in it, whether `m_hash` is known). Any change in
    /// the subtree clears them; they mean nothing outside a simplification.
    std::uint16_t m_facts = 0;

private:
    const EqElemClass m_class;

public:
    /// The simplifier's structural hash of the subtree, valid while its fact says so.
    std::uint32_t m_hash = 0;

protected:
    explicit EqElem(EqElemClass elementClass) : m_class(elementClass) {}

    // The builder's rules for a complete element: bind to the next operator
    // at the right level, climbing to the parent as needed.
    EqElem* Climb(EqTokenStream& tokens, List<EqToken>& variables);
};

/// Owning pointer to a subtree; deleting it deletes the subtree.
using EqElemPtr = std::unique_ptr<EqElem>;
