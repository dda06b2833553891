#include "equation/eqelem.h"

#include "equation/eqbinaryelem.h"
#include "equation/eqtokenstream.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <algorithm>
#include <cmath>
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
    // A group's contents are built in this same loop: when they are used up,
    // the group closes and building goes on from the group element.
    EqElem* element = this;
    while (element) {
        EqElem* next = element->PushStep(tokens, variables);
        element = next ? next : tokens.LeaveGroup();
    }
}

double EqElem::Eval(const double* values) const
{
    // Post-order over an explicit stack; each binary element is visited three
    // times: checks and first operand, second operand, then the operator.
    struct Frame {
        const EqElem* element;
        int stage;
    };
    std::vector<Frame> pending{{this, 0}};
    std::vector<double> results;
    while (!pending.empty()) {
        Frame& frame = pending.back();
        const EqElem* element = frame.element;
        if (const EqValueElem* value = AsValue(element)) {
            if (value->m_isConst) {
                results.push_back(value->m_value);
            } else {
                if (!values)
                    throw "NULL stack";
                if (value->m_varIndex < 0)
                    throw "stack underflow Eval()";
                results.push_back(values[value->m_varIndex]);
            }
            pending.pop_back();
            continue;
        }
        if (const EqUnaryElem* unary = AsUnary(element)) {
            if (frame.stage == 0) {
                if (!unary->C)
                    throw "Unary C is NULL";
                frame.stage = 1;
                pending.push_back({unary->C, 0});
                continue;
            }
            const char* message = nullptr;
            results.back() = EqUnaryElem::Apply(unary->m_op, results.back(), message);
            if (message)
                throw message;
            pending.pop_back();
            continue;
        }
        const EqBinaryElem* binary = AsBinary(element);
        if (!binary)
            throw "Unknown unary operator";
        const bool rightFirst = EqBinaryElem::RightFirst(binary->m_op);
        if (frame.stage == 0) {
            if (!binary->L)
                throw "Binary L is NULL";
            if (!binary->R)
                throw "Binary R is NULL";
            if (!IsBinaryKind(binary->m_op))
                throw "Unknown binary operator";
            frame.stage = 1;
            pending.push_back({rightFirst ? binary->R : binary->L, 0});
            continue;
        }
        if (frame.stage == 1) {
            frame.stage = 2;
            pending.push_back({rightFirst ? binary->L : binary->R, 0});
            continue;
        }
        const double second = results.back();
        results.pop_back();
        const double first = results.back();
        const char* message = nullptr;
        results.back() = rightFirst ? EqBinaryElem::Apply(binary->m_op, second, first, message)
                                    : EqBinaryElem::Apply(binary->m_op, first, second, message);
        if (message)
            throw message;
        pending.pop_back();
    }
    return results.back();
}

EqElem* EqElem::Copy(EqElem* parent) const
{
    EqElem* top = CopyNode();
    top->P = parent;
    try {
        std::vector<std::pair<const EqElem*, EqElem*>> pending{{this, top}};
        while (!pending.empty()) {
            auto [source, copy] = pending.back();
            pending.pop_back();
            if (const EqUnaryElem* unary = AsUnary(source)) {
                if (unary->C) {
                    EqElem* child = unary->C->CopyNode();
                    child->P = copy;
                    static_cast<EqUnaryElem*>(copy)->C = child;
                    pending.emplace_back(unary->C, child);
                }
            } else if (const EqBinaryElem* binary = AsBinary(source)) {
                auto* target = static_cast<EqBinaryElem*>(copy);
                if (binary->L) {
                    target->L = binary->L->CopyNode();
                    target->L->P = copy;
                    pending.emplace_back(binary->L, target->L);
                }
                if (binary->R) {
                    target->R = binary->R->CopyNode();
                    target->R->P = copy;
                    pending.emplace_back(binary->R, target->R);
                }
            }
        }
    } catch (...) {
        DeleteTree(top);
        throw;
    }
    return top;
}

bool EqElem::IsEqual(const EqElem* other) const
{
    // The recursive definition run on an explicit stack. A binary frame's
    // stages: 0 compare L with L, 1 then R with R, 2 that failed, so for "+"
    // and "*" try L with R, 3 then R with L, 4 done. `result` carries the
    // answer of the last finished comparison.
    struct Frame {
        const EqElem* a;
        const EqElem* b;
        int stage;
    };
    std::vector<Frame> pending;
    bool result = false;

    // Answers a comparison at once where no operands are involved, or opens a frame.
    auto begin = [&](const EqElem* a, const EqElem* b) {
        if (!a || !b) {
            result = a == b;
            return;
        }
        if (const EqValueElem* value = AsValue(a)) {
            if (!IsValueKind(b->Type())) {
                result = false;
                return;
            }
            auto* right = static_cast<const EqValueElem*>(b);
            if (value->m_isConst && right->m_isConst)
                result = std::fabs(value->m_value - right->m_value) < 1e-14;
            else if (!value->m_isConst && !right->m_isConst)
                result = value->m_varIndex == right->m_varIndex;
            else
                result = false;
            return;
        }
        if (const EqUnaryElem* unary = AsUnary(a)) {
            const EqUnaryElem* right = AsUnary(b);
            if (!right || right->m_op != unary->m_op) {
                result = false;
                return;
            }
            pending.push_back({a, b, 0});
            return;
        }
        const EqBinaryElem* binary = AsBinary(a);
        const EqBinaryElem* right = AsBinary(b);
        if (!binary || !right || right->m_op != binary->m_op) {
            result = false;
            return;
        }
        pending.push_back({a, b, 0});
    };

    begin(this, other);
    while (!pending.empty()) {
        Frame& frame = pending.back();
        if (const EqUnaryElem* unary = AsUnary(frame.a)) {
            const EqUnaryElem* right = AsUnary(frame.b);
            if (frame.stage == 0) {
                frame.stage = 1;
                begin(unary->C, right->C);
            } else {
                pending.pop_back();
            }
            continue;
        }
        const auto* binary = static_cast<const EqBinaryElem*>(frame.a);
        const auto* right = static_cast<const EqBinaryElem*>(frame.b);
        const bool commutes = binary->m_op == EqPlus || binary->m_op == EqMultiply;
        switch (frame.stage) {
        case 0:
            frame.stage = 1;
            begin(binary->L, right->L);
            break;
        case 1:
            if (result) {
                frame.stage = 2;
                begin(binary->R, right->R);
            } else if (commutes) {
                frame.stage = 3;
                begin(binary->L, right->R);
            } else {
                pending.pop_back();
            }
            break;
        case 2:
            if (!result && commutes) {
                frame.stage = 3;
                begin(binary->L, right->R);
            } else {
                pending.pop_back();
            }
            break;
        case 3:
            if (result) {
                frame.stage = 4;
                begin(binary->R, right->L);
            } else {
                pending.pop_back();
            }
            break;
        default: pending.pop_back(); break;
        }
    }
    return result;
}

EqElem* EqElem::Deriv(int variable, EqElem* parent) const
{
    // Post-order: each element's rule runs once its children's derivatives
    // wait on `done`, in child order.
    struct Frame {
        const EqElem* element;
        bool expanded;
    };
    std::vector<Frame> pending{{this, false}};
    std::vector<EqElemPtr> done;
    while (!pending.empty()) {
        Frame& frame = pending.back();
        const EqElem* element = frame.element;
        const EqElem* children[2];
        const int count = Children(element, children);
        if (!frame.expanded) {
            if (const char* failure = element->DerivFailure())
                throw failure;
            frame.expanded = true;
            // The right operand is pushed first so that the left one is done first.
            for (int i = count - 1; i >= 0; --i)
                pending.push_back({children[i], false});
            continue;
        }
        EqElemPtr derivatives[2];
        for (int i = count - 1; i >= 0; --i) {
            derivatives[i] = std::move(done.back());
            done.pop_back();
        }
        done.emplace_back(element->DerivRule(variable, derivatives));
        pending.pop_back();
    }
    EqElem* result = done.back().release();
    result->P = parent;
    return result;
}

std::uint64_t EqElem::DerivSize(std::uint64_t limit) const
{
    // Sizes saturate just past the limit, so products of huge counts cannot overflow.
    const std::uint64_t cap = limit + 1;
    struct Sizes {
        std::uint64_t size;
        std::uint64_t derivative;
    };
    struct Frame {
        const EqElem* element;
        bool expanded;
    };
    std::vector<Frame> pending{{this, false}};
    std::vector<Sizes> done;
    while (!pending.empty()) {
        Frame& frame = pending.back();
        const EqElem* element = frame.element;
        const EqElem* children[2];
        const int count = Children(element, children);
        if (!frame.expanded) {
            frame.expanded = true;
            for (int i = count - 1; i >= 0; --i)
                pending.push_back({children[i], false});
            continue;
        }
        std::uint64_t sizes[2] = {0, 0};
        std::uint64_t derivativeSizes[2] = {0, 0};
        std::uint64_t size = 1;
        for (int i = count - 1; i >= 0; --i) {
            sizes[i] = done.back().size;
            derivativeSizes[i] = done.back().derivative;
            size += sizes[i];
            done.pop_back();
        }
        const std::uint64_t derivative = element->DerivRuleSize(sizes, derivativeSizes);
        done.push_back({std::min(size, cap), std::min(derivative, cap)});
        pending.pop_back();
    }
    return done.back().derivative;
}

void EqElem::DeleteTree(EqElem* root)
{
    // The elements waiting to be deleted are chained through their parent
    // links, so deleting allocates nothing: it must work when memory has run out.
    if (!root)
        return;
    root->P = nullptr;
    EqElem* pending = root;
    auto chain = [&pending](EqElem*& child) {
        if (!child)
            return;
        child->P = pending;
        pending = child;
        child = nullptr;
    };
    while (pending) {
        EqElem* element = pending;
        pending = element->P;
        if (EqUnaryElem* unary = AsUnary(element)) {
            chain(unary->C);
        } else if (EqBinaryElem* binary = AsBinary(element)) {
            chain(binary->L);
            chain(binary->R);
        }
        delete element;
    }
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
    if (const EqBinaryElem* binary = AsBinary(element)) {
        if (binary->L)
            out[count++] = binary->L;
        if (binary->R)
            out[count++] = binary->R;
    } else if (const EqUnaryElem* unary = AsUnary(element)) {
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
