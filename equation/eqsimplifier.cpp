#include "equation/eqsimplifier.h"

#include "equation/eqbinaryelem.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

bool IsNumber(const EqElem* element)
{
    const EqValueElem* value = AsValue(element);
    return value && value->m_isConst;
}

double NumberOf(const EqElem* element) { return AsValue(element)->m_value; }

bool IsZero(const EqElem* element) { return IsNumber(element) && NumberOf(element) == 0.0; }

bool IsOne(const EqElem* element)
{
    return IsNumber(element) && std::fabs(NumberOf(element) - 1.0) < 1e-14;
}

bool IsUnaryOf(const EqElem* element, int op)
{
    const EqUnaryElem* unary = AsUnary(element);
    return unary && unary->m_op == op;
}

EqUnaryElem* NewMinus()
{
    auto* minus = new EqUnaryElem;
    minus->m_op = EqUnaryMinus;
    return minus;
}

bool IsAdditive(int op) { return op == EqPlus || op == EqMinus; }
bool IsProduct(int op) { return op == EqMultiply || op == EqDivide; }

bool SameClass(int a, int b)
{
    return (IsAdditive(a) && IsAdditive(b)) || (IsProduct(a) && IsProduct(b));
}

int InverseOf(int op)
{
    switch (op) {
    case EqCos: return EqAcos;
    case EqSin: return EqAsin;
    case EqTan: return EqAtan;
    case EqExp: return EqLog;
    case EqLog: return EqExp;
    default: return -1;
    }
}

// The terms of a like-term search: the element, then in pre-order the operands
// reached through binary elements of the class of `op`.
void CollectTerms(EqElem* element, int op, std::vector<EqElem*>& terms)
{
    std::vector<EqElem*> pending;
    if (element)
        pending.push_back(element);
    while (!pending.empty()) {
        EqElem* term = pending.back();
        pending.pop_back();
        terms.push_back(term);
        EqBinaryElem* binary = AsBinary(term);
        if (binary && SameClass(binary->m_op, op)) {
            if (binary->R)
                pending.push_back(binary->R);
            if (binary->L)
                pending.push_back(binary->L);
        }
    }
}

// Bits of EqElem::m_facts: one per rule ("nothing to rewrite in this
// subtree"), and one for a known hash.
constexpr std::uint32_t kBraceFact = 1u << 0;
constexpr std::uint32_t kUnaryPlusFact = 1u << 1;
constexpr std::uint32_t kNegationFact = 1u << 2;
constexpr std::uint32_t kSubtractFact = 1u << 3;
constexpr std::uint32_t kFoldFact = 1u << 4;
constexpr std::uint32_t kInverseFact = 1u << 5;
constexpr std::uint32_t kZeroFact = 1u << 6;
constexpr std::uint32_t kOneFact = 1u << 7;
constexpr std::uint32_t kLikeTermsFact = 1u << 8;
constexpr std::uint32_t kHashFact = 1u << 9;
constexpr std::uint32_t kConstantFact = 1u << 10;
// The rule bits: what a changed number can invalidate. Hashes treat all
// numbers alike and first constants are found by position, not by value.
constexpr std::uint32_t kRuleFacts = kHashFact - 1;

std::uint32_t Mix(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t h = a * 0x9e3779b1u ^ (b + 0x7f4a7c15u + (a << 6) + (a >> 2));
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

constexpr std::uint32_t kNullHash = 0x51ed270bu;

} // namespace

EqSimplifier::EqSimplifier(EqElem*& root) : m_root(root)
{
    // Facts left by an earlier simplification may no longer hold.
    std::vector<EqElem*> pending;
    if (root)
        pending.push_back(root);
    while (!pending.empty()) {
        EqElem* element = pending.back();
        pending.pop_back();
        element->m_facts = 0;
        if (EqUnaryElem* unary = AsUnary(element)) {
            if (unary->C)
                pending.push_back(unary->C);
        } else if (EqBinaryElem* binary = AsBinary(element)) {
            if (binary->L)
                pending.push_back(binary->L);
            if (binary->R)
                pending.push_back(binary->R);
        }
    }
}

bool EqSimplifier::Spend()
{
    return --m_budget > 0;
}

// Unary chains are followed downward; a rule that fires on an element stops
// the descent there, and both operands of a binary element are visited, left
// first. What a rule used to do by walking part of the tree again it now asks
// for with Continue, which runs before anything still pending, in the same
// order as the nested walk did.
template <class Rule>
bool EqSimplifier::Walk(EqElem* start, Rule rule, std::uint32_t fact)
{
    const long firesBefore = m_fires;
    m_pending.clear();
    m_pending.push_back({start, 0, Step::kEnter});
    while (!m_pending.empty()) {
        const Frame frame = m_pending.back();
        m_pending.pop_back();
        EqElem* element = frame.element;
        switch (frame.step) {
        case Step::kEnter:
            // Left operands and unary chains are followed in this loop; only
            // right operands that may hold something wait on the stack.
            while (element && !(element->m_facts & fact)) {
                EqUnaryElem* unary = AsUnary(element);
                EqBinaryElem* binary = unary ? nullptr : AsBinary(element);
                if (!unary && !binary)
                    break;  // values end the walk
                if ((this->*rule)(element)) {
                    ++m_fires;
                    break;
                }
                m_pending.push_back({element, std::uint32_t(m_fires), Step::kExit});
                if (unary) {
                    element = unary->C;
                    continue;
                }
                // Nothing that happens below L can change R or what is known about it.
                const EqElem* right = binary->R;
                if (right && !(right->m_facts & fact) && right->Class() != EqElemClass::kValue)
                    m_pending.push_back({binary, 0, Step::kRight});
                element = binary->L;
            }
            break;
        case Step::kRight:
            m_pending.push_back({static_cast<EqBinaryElem*>(element)->R, 0, Step::kEnter});
            break;
        case Step::kExit:
            if (frame.fires == std::uint32_t(m_fires))
                element->m_facts |= fact;
            break;
        }
    }
    return m_fires != firesBefore;
}

void EqSimplifier::Continue(EqElem* element)
{
    m_pending.push_back({element, 0, Step::kEnter});
}

void EqSimplifier::ContinueRight(EqBinaryElem* binary)
{
    m_pending.push_back({binary, 0, Step::kRight});
}

template <class Rule>
bool EqSimplifier::Repeat(Rule rule, std::uint32_t fact)
{
    bool any = false;
    while (Spend() && Walk(m_root, rule, fact))
        any = true;
    return any;
}

void EqSimplifier::Run()
{
    bool changed = true;
    while (changed && m_budget > 0) {
        SimplifyBrace();
        changed = false;
        changed |= Repeat(&EqSimplifier::RemoveUnaryPlus, kUnaryPlusFact);
        changed |= Repeat(&EqSimplifier::Negation, kNegationFact);
        changed |= Repeat(&EqSimplifier::SubtractConstant, kSubtractFact);
        while (Spend() && Walk(m_root, &EqSimplifier::FoldConstants, kFoldFact)) {
            changed = true;
            Repeat(&EqSimplifier::Zero, kZeroFact);
            Repeat(&EqSimplifier::One, kOneFact);
        }
        changed |= Repeat(&EqSimplifier::Inverse, kInverseFact);
        changed |= Repeat(&EqSimplifier::Zero, kZeroFact);
        changed |= Repeat(&EqSimplifier::One, kOneFact);
        while (Spend() && Walk(m_root, &EqSimplifier::LikeTerms, kLikeTermsFact)) {
            changed = true;
            Repeat(&EqSimplifier::Zero, kZeroFact);
            Repeat(&EqSimplifier::One, kOneFact);
        }
    }
}

void EqSimplifier::Touch(EqElem* element)
{
    if (!element)
        return;
    element->m_facts = 0;
    // A fact about a subtree holds for every subtree below it, so the first
    // element above that knows nothing has nothing known above it either.
    for (EqElem* at = element->P; at && at->m_facts; at = at->P)
        at->m_facts = 0;
}

void EqSimplifier::TouchValue(EqValueElem* number)
{
    number->m_facts &= std::uint16_t(~kRuleFacts);
    for (EqElem* at = number->P; at && (at->m_facts & kRuleFacts); at = at->P)
        at->m_facts &= std::uint16_t(~kRuleFacts);
}

std::uint32_t EqSimplifier::HashOf(EqElem* element)
{
    if (!element)
        return kNullHash;
    if (element->m_facts & kHashFact)
        return element->m_hash;
    // Post-order over the elements whose hash is not known yet.
    struct Frame {
        EqElem* element;
        bool expanded;
    };
    std::vector<Frame> pending{{element, false}};
    auto known = [](const EqElem* child) {
        return !child || (child->m_facts & kHashFact);
    };
    auto hashOf = [](const EqElem* child) { return child ? child->m_hash : kNullHash; };
    while (!pending.empty()) {
        Frame& frame = pending.back();
        EqElem* at = frame.element;
        EqUnaryElem* unary = AsUnary(at);
        EqBinaryElem* binary = unary ? nullptr : AsBinary(at);
        if (!frame.expanded) {
            frame.expanded = true;
            if (unary && !known(unary->C)) {
                pending.push_back({unary->C, false});
                continue;
            }
            if (binary) {
                const bool left = known(binary->L);
                const bool right = known(binary->R);
                if (!right)
                    pending.push_back({binary->R, false});
                if (!left)
                    pending.push_back({binary->L, false});
                if (!left || !right)
                    continue;
            }
        }
        std::uint32_t hash;
        if (const EqValueElem* value = AsValue(at)) {
            hash = value->m_isConst ? Mix(EqNumber, 0) : Mix(EqSymbol, std::uint32_t(value->m_varIndex));
        } else if (unary) {
            hash = Mix(std::uint32_t(unary->m_op) + 64, hashOf(unary->C));
        } else if (binary) {
            std::uint32_t left = hashOf(binary->L);
            std::uint32_t right = hashOf(binary->R);
            // Equality lets "+" and "*" swap their operands.
            if ((binary->m_op == EqPlus || binary->m_op == EqMultiply) && right < left)
                std::swap(left, right);
            hash = Mix(Mix(std::uint32_t(binary->m_op) + 128, left), right);
        } else {
            hash = kNullHash;
        }
        at->m_hash = hash;
        at->m_facts |= kHashFact;
        pending.pop_back();
    }
    return element->m_hash;
}

bool EqSimplifier::SameTerm(EqElem* a, EqElem* b)
{
    const EqValueElem* left = AsValue(a);
    const EqValueElem* right = AsValue(b);
    if (left || right) {
        if (!left || !right || left->m_isConst != right->m_isConst)
            return left && a->IsEqual(b);
        if (left->m_isConst)
            return std::fabs(left->m_value - right->m_value) < 1e-14;
        return left->m_varIndex == right->m_varIndex;
    }
    if (a->Type() != b->Type() || HashOf(a) != HashOf(b))
        return false;
    return a->IsEqual(b);
}

void EqSimplifier::Replace(EqElem* element, EqElem* replacement)
{
    EqElem* parent = element->P;
    if (!parent) {
        m_root = replacement;
        if (replacement)
            replacement->P = nullptr;
        Touch(replacement);
        return;
    }
    if (!parent->ReplaceChild(element, replacement))
        throw "Illegal value op in InsertUnaryParent";
    Touch(replacement ? replacement : parent);
}

EqElem* EqSimplifier::ReplaceByOperand(EqElem* element, EqElem* keep)
{
    EqBinaryElem* binary = AsBinary(element);
    if (binary->L == keep)
        binary->L = nullptr;
    else
        binary->R = nullptr;
    Replace(element, keep);
    delete element;
    return keep;
}

void EqSimplifier::RemoveUnaryElem(EqElem* element)
{
    EqUnaryElem* unary = AsUnary(element);
    if (!unary)
        throw "NULL ptr in RemoveUnaryElem";
    EqElem* child = unary->C;
    if (!child)
        throw "Unary C is NULL";
    unary->C = nullptr;
    Replace(unary, child);
    delete unary;
}

void EqSimplifier::InsertParent(EqElem* element, EqUnaryElem* parent)
{
    // The new parent belongs to this call until it is in the tree: a tree
    // that refuses it raises its error without leaking it.
    std::unique_ptr<EqUnaryElem> owned(parent);
    if (!element)
        throw "NULL ptr in InsertParent";
    if (!parent)
        throw "NULL ptr_P in InsertParent";
    EqElem* above = element->P;
    if (above && !AsUnary(above) && !AsBinary(above))
        throw "Illegal value op in InsertUnaryParent";
    Replace(element, parent);
    owned.release();
    parent->C = element;
    element->P = parent;
}

void EqSimplifier::SimplifyBrace()
{
    Walk(m_root, &EqSimplifier::Brace, kBraceFact);
}

bool EqSimplifier::Brace(EqElem* element)
{
    if (!IsUnaryOf(element, EqGroup))
        return false;
    const EqBinaryElem* parent = AsBinary(element->P);
    if (parent && parent->L != element && parent->R != element)
        throw "Disconnected tree in SimplifyBrace";
    RemoveUnaryElem(element);
    return true;
}

bool EqSimplifier::RemoveUnaryPlus(EqElem* element)
{
    if (!IsUnaryOf(element, EqUnaryPlus))
        return false;
    RemoveUnaryElem(element);
    return true;
}

bool EqSimplifier::Negation(EqElem* element)
{
    if (EqUnaryElem* unary = AsUnary(element)) {
        if (unary->m_op != EqUnaryMinus || !IsUnaryOf(unary->C, EqUnaryMinus))
            return false;
        EqElem* inner = unary->C;
        RemoveUnaryElem(inner);
        RemoveUnaryElem(unary);
        return true;
    }
    EqBinaryElem* binary = AsBinary(element);
    if (!binary)
        return false;
    if ((binary->m_op == EqPlus || binary->m_op == EqMinus) &&
        IsUnaryOf(binary->R, EqUnaryMinus)) {
        binary->m_op = binary->m_op == EqPlus ? EqMinus : EqPlus;
        Touch(binary);
        RemoveUnaryElem(binary->R);
        return true;
    }
    if (IsProduct(binary->m_op)) {
        EqElem* negated = IsUnaryOf(binary->L, EqUnaryMinus)   ? binary->L
                          : IsUnaryOf(binary->R, EqUnaryMinus) ? binary->R
                                                               : nullptr;
        if (!negated)
            return false;
        // Allocated first, so running out of memory leaves the tree as it was.
        std::unique_ptr<EqUnaryElem> minus(NewMinus());
        RemoveUnaryElem(negated);
        InsertParent(binary, minus.release());
        return true;
    }
    return false;
}

bool EqSimplifier::SubtractConstant(EqElem* element)
{
    EqBinaryElem* binary = AsBinary(element);
    if (!binary || binary->m_op != EqMinus)
        return false;
    if (IsNumber(binary->R)) {
        binary->m_op = EqPlus;
        AsValue(binary->R)->m_value = -NumberOf(binary->R);
        Touch(binary);
        return true;
    }
    if (IsNumber(binary->L)) {
        EqUnaryElem* minus = NewMinus();
        binary->m_op = EqPlus;
        AsValue(binary->L)->m_value = -NumberOf(binary->L);
        Touch(binary);
        InsertParent(binary, minus);
        return true;
    }
    return false;
}

EqValueElem* EqSimplifier::GetNextConstVal(EqElem* element, int& sign, int op)
{
    if (!element)
        throw "NULL pointer in GetNextConstVal";
    // Pre-order, left operands first, each element with its sign.
    std::vector<std::pair<EqElem*, int>> pending{{element, sign}};
    while (!pending.empty()) {
        auto [at, atSign] = pending.back();
        pending.pop_back();
        if (IsNumber(at)) {
            sign = atSign;
            return AsValue(at);
        }
        EqBinaryElem* binary = AsBinary(at);
        if (!binary || !SameClass(binary->m_op, op) || !binary->L || !binary->R)
            continue;
        const bool flips = binary->m_op == EqMinus || binary->m_op == EqDivide;
        pending.emplace_back(binary->R, flips ? -atSign : atSign);
        pending.emplace_back(binary->L, atSign);
    }
    return nullptr;
}

EqValueElem* EqSimplifier::FirstConstant(EqElem* element, int& sign, int op)
{
    if (!element)
        throw "NULL pointer in GetNextConstVal";
    if (IsNumber(element))
        return AsValue(element);
    auto entered = [op](const EqElem* at) {
        const EqBinaryElem* binary = AsBinary(at);
        return binary && SameClass(binary->m_op, op) && binary->L && binary->R;
    };
    if (!entered(element))
        return nullptr;
    // Post-order over the entered elements whose answer is not known yet.
    auto known = [](const EqElem* at) { return (at->m_facts & kConstantFact) != 0; };
    std::vector<std::pair<EqElem*, bool>> pending;
    if (!known(element))
        pending.emplace_back(element, false);
    while (!pending.empty()) {
        auto& [at, expanded] = pending.back();
        EqBinaryElem* binary = AsBinary(at);
        if (!expanded) {
            expanded = true;
            const bool left = entered(binary->L) && !known(binary->L);
            const bool right = entered(binary->R) && !known(binary->R);
            if (right)
                pending.emplace_back(binary->R, false);
            if (left)
                pending.emplace_back(binary->L, false);
            if (left || right)
                continue;
        }
        auto answer = [&](EqElem* child) -> std::pair<EqValueElem*, int> {
            if (IsNumber(child))
                return {AsValue(child), 1};
            if (entered(child))
                return m_firstConstants[child];
            return {nullptr, 1};
        };
        std::pair<EqValueElem*, int> found = answer(binary->L);
        if (!found.first) {
            found = answer(binary->R);
            if (binary->m_op == EqMinus || binary->m_op == EqDivide)
                found.second = -found.second;
        }
        m_firstConstants[binary] = found;
        binary->m_facts |= kConstantFact;
        pending.pop_back();
    }
    const auto [found, relative] = m_firstConstants[element];
    if (found)
        sign *= relative;
    return found;
}

bool EqSimplifier::FoldConstants(EqElem* element)
{
    if (EqUnaryElem* unary = AsUnary(element)) {
        if (!IsNumber(unary->C))
            return false;
        const double value = unary->Eval(nullptr);
        EqElem* number = unary->C;
        AsValue(number)->m_value = value;
        RemoveUnaryElem(unary);
        return true;
    }
    EqBinaryElem* binary = AsBinary(element);
    if (!binary || !binary->L || !binary->R)
        return false;
    if (binary->m_op == EqPower) {
        if (!IsNumber(binary->L) || !IsNumber(binary->R))
            return false;
        AsValue(binary->L)->m_value = binary->Eval(nullptr);
        AsValue(binary->R)->m_value = 1.0;
        TouchValue(AsValue(binary->L));
        TouchValue(AsValue(binary->R));
        return true;
    }
    if (!IsAdditive(binary->m_op) && !IsProduct(binary->m_op))
        return false;

    int leftSign = 1;
    int rightSign = binary->m_op == EqMinus || binary->m_op == EqDivide ? -1 : 1;
    EqValueElem* left = FirstConstant(binary->L, leftSign, binary->m_op);
    EqValueElem* right = FirstConstant(binary->R, rightSign, binary->m_op);
    if (!left || !right || IsOne(left) || IsOne(right))
        return false;

    if (IsAdditive(binary->m_op)) {
        left->m_value = left->m_value + leftSign * rightSign * right->m_value;
        right->m_value = 0.0;
    } else {
        // The signs are exponents here: +1 a factor, -1 a divisor.
        if (leftSign * rightSign == 1) {
            left->m_value = left->m_value * right->m_value;
        } else {
            if (left->m_value == 0.0 || right->m_value == 0.0)
                return false;
            left->m_value = left->m_value / right->m_value;
        }
        right->m_value = 1.0;
    }
    TouchValue(left);
    TouchValue(right);
    // The rule goes on through L and then R once more.
    ContinueRight(binary);
    Continue(binary->L);
    return true;
}

bool EqSimplifier::Inverse(EqElem* element)
{
    EqUnaryElem* unary = AsUnary(element);
    if (!unary)
        return false;
    const int inverse = InverseOf(unary->m_op);
    if (inverse < 0 || !IsUnaryOf(unary->C, inverse))
        return false;
    EqElem* inner = unary->C;
    RemoveUnaryElem(inner);
    RemoveUnaryElem(unary);
    return true;
}

bool EqSimplifier::Zero(EqElem* element)
{
    EqBinaryElem* binary = AsBinary(element);
    if (!binary || !binary->L || !binary->R)
        return false;
    switch (binary->m_op) {
    case EqPlus:
        if (IsZero(binary->L) || IsZero(binary->R)) {
            EqElem* kept = ReplaceByOperand(binary, IsZero(binary->L) ? binary->R : binary->L);
            Continue(kept);
            return true;
        }
        return false;
    case EqMinus:
        if (IsZero(binary->L)) {
            std::unique_ptr<EqUnaryElem> minus(NewMinus());
            EqElem* kept = ReplaceByOperand(binary, binary->R);
            InsertParent(kept, minus.release());
            Continue(kept);
            return true;
        }
        if (IsZero(binary->R)) {
            EqElem* kept = ReplaceByOperand(binary, binary->L);
            Continue(kept);
            return true;
        }
        return false;
    case EqDivide:
        if (IsZero(binary->L)) {
            ReplaceByOperand(binary, binary->L);
            return true;
        }
        return false;
    case EqMultiply:
        if (IsZero(binary->L) || IsZero(binary->R)) {
            ReplaceByOperand(binary, IsZero(binary->L) ? binary->L : binary->R);
            return true;
        }
        return false;
    case EqPower:
        if (IsZero(binary->L)) {
            ReplaceByOperand(binary, binary->L);
            return true;
        }
        if (IsZero(binary->R)) {
            AsValue(binary->R)->m_value = 1.0;
            ReplaceByOperand(binary, binary->R);
            return true;
        }
        return false;
    default: return false;
    }
}

bool EqSimplifier::One(EqElem* element)
{
    EqBinaryElem* binary = AsBinary(element);
    if (!binary || !binary->L || !binary->R)
        return false;
    switch (binary->m_op) {
    case EqPower:
        if (IsOne(binary->L) || IsOne(binary->R)) {
            ReplaceByOperand(binary, binary->L);
            return true;
        }
        return false;
    case EqMultiply:
        if (IsOne(binary->L)) {
            ReplaceByOperand(binary, binary->R);
            return true;
        }
        if (IsOne(binary->R)) {
            ReplaceByOperand(binary, binary->L);
            return true;
        }
        return false;
    case EqDivide:
        if (IsOne(binary->R)) {
            ReplaceByOperand(binary, binary->L);
            return true;
        }
        return false;
    default: return false;
    }
}

int EqSimplifier::GetOp(const EqElem* q, const EqElem* left, const EqElem* right)
{
    const EqBinaryElem* top = AsBinary(q);
    if (!top || (!IsAdditive(top->m_op) && !IsProduct(top->m_op)))
        throw "Bad operator in GetOp";
    const int flip = IsAdditive(top->m_op) ? EqMinus : EqDivide;
    // Each "-" (or "/") between a term and Q that the path enters through its
    // right operand turns the term's sign.
    auto signOf = [q, flip](const EqElem* term, const char* lost) {
        int sign = 1;
        for (const EqElem* at = term; at != q; at = at->P) {
            const EqElem* parent = at->P;
            if (!parent)
                throw lost;
            const EqBinaryElem* binary = AsBinary(parent);
            if (parent != q && binary && binary->m_op == flip && binary->R == at)
                sign = -sign;
        }
        return sign;
    };
    const int leftSign = signOf(left, "NULL tmp_L->P in GetOp");
    const int rightSign = signOf(right, "NULL tmp_R->P in GetOp");
    if (leftSign == rightSign)
        return top->m_op;
    switch (top->m_op) {
    case EqPlus: return EqMinus;
    case EqMinus: return EqPlus;
    case EqMultiply: return EqDivide;
    default: return EqMultiply;
    }
}

void EqSimplifier::ForgetLeftTerm(EqElem* term)
{
    if (IsNumber(term)) {
        auto entry = m_leftNumbers.find(NumberOf(term));
        if (entry != m_leftNumbers.end())
            m_leftNumbers.erase(entry);
        return;
    }
    auto entry = m_leftHashes.find(HashOf(term));
    if (entry != m_leftHashes.end() && --entry->second == 0)
        m_leftHashes.erase(entry);
}

bool EqSimplifier::MayHaveLeftTerm(EqElem* term)
{
    if (!IsNumber(term))
        return m_leftHashes.count(HashOf(term)) != 0;
    // Numbers all hash alike; their values are searched instead, in a range
    // a little wider than the tolerance, then tested as equality tests them.
    const double value = NumberOf(term);
    for (auto at = m_leftNumbers.lower_bound(value - 2e-14);
         at != m_leftNumbers.end() && *at <= value + 2e-14; ++at) {
        if (std::fabs(*at - value) < 1e-14)
            return true;
    }
    return false;
}

bool EqSimplifier::LikeTerms(EqElem* element)
{
    EqBinaryElem* q = AsBinary(element);
    if (!q || !q->L || !q->R || (!IsAdditive(q->m_op) && !IsProduct(q->m_op)))
        return false;
    // The right terms are few in a left-leaning chain; the left ones are
    // enumerated lazily in their order, so the search ends at the first match.
    std::vector<EqElem*>& rightTerms = m_terms;
    rightTerms.clear();
    CollectTerms(q->R, q->m_op, rightTerms);

    // Walking down a chain, Q's left terms are the previous element's left
    // terms less Q and Q's right terms; their hashes tell at once when no
    // pair can be equal, which keeps a walk down a long chain linear.
    const bool follows = m_chain && m_chainFires == m_fires && m_chain->L == q &&
                         SameClass(m_chain->m_op, q->m_op);
    if (follows) {
        ForgetLeftTerm(q);
        for (EqElem* term : rightTerms)
            ForgetLeftTerm(term);
        m_chain = q;
        bool possible = false;
        for (EqElem* term : rightTerms)
            possible = possible || MayHaveLeftTerm(term);
        if (!possible)
            return false;
    }

    EqElem* a = nullptr;
    EqElem* b = nullptr;
    std::vector<EqElem*> pending{q->L};
    auto next = [&pending, q]() {
        EqElem* left = pending.back();
        pending.pop_back();
        EqBinaryElem* binary = AsBinary(left);
        if (binary && SameClass(binary->m_op, q->m_op)) {
            if (binary->R)
                pending.push_back(binary->R);
            if (binary->L)
                pending.push_back(binary->L);
        }
        return left;
    };
    while (!pending.empty() && !a) {
        EqElem* left = next();
        for (EqElem* right : rightTerms) {
            if (SameTerm(left, right)) {
                a = left;
                b = right;
                break;
            }
        }
    }
    if (!a && !follows) {
        // Nothing here: remember the left terms for the element below.
        m_leftHashes.clear();
        m_leftNumbers.clear();
        pending.assign(1, q->L);
        while (!pending.empty()) {
            EqElem* term = next();
            if (IsNumber(term)) {
                // A not-a-number equals nothing and would break the ordering.
                if (!std::isnan(NumberOf(term)))
                    m_leftNumbers.insert(NumberOf(term));
            } else {
                ++m_leftHashes[HashOf(term)];
            }
        }
        m_chain = q;
        m_chainFires = m_fires;
    }
    // Numbers are left to constant folding.
    if (!a || IsNumber(a))
        return false;

    const int op = GetOp(q, a, b);
    // The new elements are made before the tree changes, so running out of
    // memory leaves it as it was.
    const bool doubles = op == EqPlus || op == EqMultiply;
    EqElemPtr first = doubles ? EqBinaryElem::Make(op == EqPlus ? EqMultiply : EqPower, nullptr,
                                                   EqValueElem::MakeNumber(2))
                              : EqValueElem::MakeNumber(op == EqMinus ? 0 : 1);
    EqElemPtr second = EqValueElem::MakeNumber(op == EqPlus || op == EqMinus ? 0 : 1);
    if (doubles) {
        EqElem* doubled = first.release();
        Replace(a, doubled);
        AsBinary(doubled)->L = a;
        a->P = doubled;
    } else {
        Replace(a, first.release());
        EqElem::DeleteTree(a);
    }
    Replace(b, second.release());
    EqElem::DeleteTree(b);
    return true;
}
