#pragma once

#include "equation/eqtoken.h"
#include "model/list.h"

#include <memory>
#include <vector>

class EqTokenStream;

/// Deepest expression tree (and deepest bracket nesting) the engine accepts.
/// Every tree walk recurses at most a small multiple of this, so any text,
/// however long or deeply bracketed, fails cleanly instead of exhausting the stack.
constexpr int kEqMaxDepth = 1000;

/// The message for a text or a derivative deeper than `kEqMaxDepth`.
inline constexpr const char* kEqTooDeepMessage =
    "Equation nested too deeply (more than 1000 levels)";

/// Base of the expression tree's elements. Each element owns its children;
/// `P` links back to the parent (null at the root). Failures are raised as
/// constant message texts (`throw "..."`).
class EqElem {
public:
    EqElem() = default;
    EqElem(const EqElem&) = delete;
    EqElem& operator=(const EqElem&) = delete;
    virtual ~EqElem() = default;

    /// Evaluates the subtree with the variable values `values` (indexed by
    /// variable index). Raises the domain and broken-tree messages.
    virtual double Eval(const double* values) const = 0;

    /// The element's kind: the operator for unary and binary elements, 27 for
    /// a number and 28 for a variable.
    virtual EqKind Type() const = 0;

    /// One step of the tree builder: continues from this element with the
    /// remaining tokens and returns the element the builder continues from,
    /// or null when no token remains. `Push` repeats it.
    virtual EqElem* PushStep(EqTokenStream& tokens, List<EqToken>& variables) = 0;

    /// Takes this element's own tokens from the front of `tokens` and links
    /// the element below `parent`. Symbols new to `variables` are appended.
    virtual void Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables) = 0;

    /// A deep copy of the subtree whose root gets `parent` as its parent.
    virtual EqElem* Copy(EqElem* parent) const = 0;

    /// Structural equality: numbers within 1e-14, the same variable, the same
    /// operator with equal operands ("+" and "*" also with swapped operands).
    virtual bool IsEqual(const EqElem* other) const = 0;

    /// A new subtree, the derivative with respect to variable `variable`,
    /// linked below `parent`. Raises "Derivative of abs() not implemented!".
    virtual EqElem* Deriv(int variable, EqElem* parent) const = 0;

    /// Puts `replacement` where the child `child` is; returns false when
    /// `child` is not a child of this element.
    virtual bool ReplaceChild(EqElem* child, EqElem* replacement) = 0;

    /// Moves the children into `out` and forgets them, so deleting this
    /// element afterwards deletes only itself.
    virtual void ReleaseChildren(std::vector<EqElem*>& out) = 0;

    /// Runs the tree builder from this element until the tokens are used up.
    /// Iterative, so long flat texts cost no stack.
    void Push(EqTokenStream& tokens, List<EqToken>& variables);

    /// Deletes a subtree without recursion.
    static void DeleteTree(EqElem* root);

    /// Number of elements on the longest path from `root` down (0 for null);
    /// counting stops once it passes `limit`. Without recursion.
    static int Depth(const EqElem* root, int limit);

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

protected:
    // The builder's rules for a complete element: bind to the next operator
    // at the right level, climbing to the parent as needed.
    EqElem* Climb(EqTokenStream& tokens, List<EqToken>& variables);

};

/// Owning pointer to a subtree; deleting it deletes the subtree.
using EqElemPtr = std::unique_ptr<EqElem>;
