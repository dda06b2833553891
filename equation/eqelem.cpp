#include "equation/eqelem.h"

#include "equation/eqbinaryelem.h"
#include "equation/eqtokenstream.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <algorithm>
#include <utility>

namespace {

bool IsMultiplicative(int kind) { return kind == EqDivide || kind == EqMultiply || kind == EqPower; }

// True when an operator `next` binds tighter than the binary operator `op`
// and so takes op's right operand as its own left operand.
bool BindsTighter(int op, int next)
{
    if (op == EqPlus || op == EqMinus)
        return IsMultiplicative(next);
    if (op == EqDivide || op == EqMultiply)
        return next == EqPower;
    return false;
}

} // namespace

void EqElem::Push(EqTokenStream& tokens, List<EqToken>& variables)
{
    for (EqElem* element = this; element; element = element->PushStep(tokens, variables)) {
    }
}

void EqElem::DeleteTree(EqElem* root)
{
    std::vector<EqElem*> pending;
    if (root)
        pending.push_back(root);
    while (!pending.empty()) {
        EqElem* element = pending.back();
        pending.pop_back();
        element->ReleaseChildren(pending);
        delete element;
    }
}

int EqElem::Depth(const EqElem* root, int limit)
{
    if (!root)
        return 0;
    std::vector<std::pair<const EqElem*, int>> pending{{root, 1}};
    int deepest = 0;
    while (!pending.empty()) {
        auto [element, depth] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, depth);
        if (deepest > limit)
            return deepest;
        const EqElem* children[2];
        const int count = Children(element, children);
        for (int i = 0; i < count; ++i)
            pending.emplace_back(children[i], depth + 1);
    }
    return deepest;
}

int EqElem::Count(const EqElem* root)
{
    std::vector<const EqElem*> pending;
    if (root)
        pending.push_back(root);
    int count = 0;
    while (!pending.empty()) {
        const EqElem* element = pending.back();
        pending.pop_back();
        ++count;
        const EqElem* children[2];
        const int childCount = Children(element, children);
        for (int i = 0; i < childCount; ++i)
            pending.push_back(children[i]);
    }
    return count;
}

EqElem* EqElem::Root(EqElem* element)
{
    while (element && element->P)
        element = element->P;
    return element;
}

int EqElem::Children(const EqElem* element, const EqElem* out[2])
{
    int count = 0;
    if (auto* binary = dynamic_cast<const EqBinaryElem*>(element)) {
        if (binary->L)
            out[count++] = binary->L;
        if (binary->R)
            out[count++] = binary->R;
    } else if (auto* unary = dynamic_cast<const EqUnaryElem*>(element)) {
        if (unary->C)
            out[count++] = unary->C;
    }
    return count;
}

EqElem* EqElem::NewFor(EqKind kind)
{
    if (IsUnaryKind(kind))
        return new EqUnaryElem;
    return new EqValueElem;
}

EqElem* EqElem::Climb(EqTokenStream& tokens, List<EqToken>& variables)
{
    const EqKind own = Type();
    const EqKind next = tokens.NextKind();
    EqElem* parent = P;

    if (!parent) {
        if (!IsBinaryKind(next)) {
            if (IsValueKind(own))
                throw "Parse error: binary operator expected after value";
            if (IsBinaryKind(own))
                throw "NULL P pointer and binary->!binary Push";
            throw "NULL P pointer and unary->!binary Push";
        }
        auto* top = new EqBinaryElem;
        top->L = this;
        P = top;
        top->Init(tokens, nullptr, variables);
        return top;
    }

    const EqKind parentKind = parent->Type();
    if (!IsBinaryKind(own) && IsBinaryKind(parentKind) && BindsTighter(parentKind, next)) {
        auto* tighter = new EqBinaryElem;
        parent->ReplaceChild(this, tighter);
        tighter->L = this;
        P = tighter;
        tighter->Init(tokens, parent, variables);
        return tighter;
    }

    if (parentKind == EqGroup || (parentKind == EqUnaryMinus && IsMultiplicative(next))) {
        if (!IsBinaryKind(next)) {
            if (IsValueKind(own))
                throw "Missing a binary operator between braces or after '-'";
            throw "Missing a binary operator between braces or before '-'";
        }
        auto* inner = new EqBinaryElem;
        parent->ReplaceChild(this, inner);
        inner->L = this;
        P = inner;
        inner->Init(tokens, parent, variables);
        return inner;
    }
    return parent;
}
