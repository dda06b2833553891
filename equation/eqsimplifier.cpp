#include "equation/eqsimplifier.h"

#include "equation/eqbinaryelem.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <cmath>

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
    if (!element)
        return;
    terms.push_back(element);
    EqBinaryElem* binary = AsBinary(element);
    if (binary && SameClass(binary->m_op, op)) {
        CollectTerms(binary->L, op, terms);
        CollectTerms(binary->R, op, terms);
    }
}

} // namespace

bool EqSimplifier::Spend()
{
    return --m_budget > 0;
}

// Unary chains are followed in a loop; a rule that fires on a unary element
// stops the descent there. Both operands of a binary element are visited.
template <class Rule>
bool EqSimplifier::Walk(EqElem* element, Rule rule)
{
    while (EqUnaryElem* unary = AsUnary(element)) {
        if ((this->*rule)(unary))
            return true;
        element = unary->C;
    }
    EqBinaryElem* binary = AsBinary(element);
    if (!binary)
        return false;
    if ((this->*rule)(binary))
        return true;
    const bool left = Walk(binary->L, rule);
    const bool right = Walk(binary->R, rule);
    return left || right;
}

template <class Rule>
bool EqSimplifier::Repeat(Rule rule)
{
    bool any = false;
    while (Spend() && Walk(m_root, rule))
        any = true;
    return any;
}

void EqSimplifier::Run()
{
    bool changed = true;
    while (changed && m_budget > 0) {
        SimplifyBrace();
        changed = false;
        changed |= Repeat(&EqSimplifier::RemoveUnaryPlus);
        changed |= Repeat(&EqSimplifier::Negation);
        changed |= Repeat(&EqSimplifier::SubtractConstant);
        while (Spend() && Walk(m_root, &EqSimplifier::FoldConstants)) {
            changed = true;
            Repeat(&EqSimplifier::Zero);
            Repeat(&EqSimplifier::One);
        }
        changed |= Repeat(&EqSimplifier::Inverse);
        changed |= Repeat(&EqSimplifier::Zero);
        changed |= Repeat(&EqSimplifier::One);
        while (Spend() && Walk(m_root, &EqSimplifier::LikeTerms)) {
            changed = true;
            Repeat(&EqSimplifier::Zero);
            Repeat(&EqSimplifier::One);
        }
    }
}

void EqSimplifier::Replace(EqElem* element, EqElem* replacement)
{
    EqElem* parent = element->P;
    if (!parent) {
        m_root = replacement;
        if (replacement)
            replacement->P = nullptr;
        return;
    }
    if (!parent->ReplaceChild(element, replacement))
        throw "Illegal value op in InsertUnaryParent";
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
    if (!element)
        throw "NULL ptr in InsertParent";
    if (!parent)
        throw "NULL ptr_P in InsertParent";
    EqElem* above = element->P;
    if (above && !AsUnary(above) && !AsBinary(above))
        throw "Illegal value op in InsertUnaryParent";
    Replace(element, parent);
    parent->C = element;
    element->P = parent;
}

void EqSimplifier::SimplifyBrace()
{
    Walk(m_root, &EqSimplifier::Brace);
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
        RemoveUnaryElem(binary->R);
        return true;
    }
    if (IsProduct(binary->m_op)) {
        EqElem* negated = IsUnaryOf(binary->L, EqUnaryMinus)   ? binary->L
                          : IsUnaryOf(binary->R, EqUnaryMinus) ? binary->R
                                                               : nullptr;
        if (!negated)
            return false;
        RemoveUnaryElem(negated);
        InsertParent(binary, NewMinus());
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
        return true;
    }
    if (IsNumber(binary->L)) {
        binary->m_op = EqPlus;
        AsValue(binary->L)->m_value = -NumberOf(binary->L);
        InsertParent(binary, NewMinus());
        return true;
    }
    return false;
}

EqValueElem* EqSimplifier::GetNextConstVal(EqElem* element, int& sign, int op)
{
    if (!element)
        throw "NULL pointer in GetNextConstVal";
    if (IsNumber(element))
        return AsValue(element);
    EqBinaryElem* binary = AsBinary(element);
    if (!binary || !SameClass(binary->m_op, op) || !binary->L || !binary->R)
        return nullptr;
    int leftSign = sign;
    if (EqValueElem* found = GetNextConstVal(binary->L, leftSign, op)) {
        sign = leftSign;
        return found;
    }
    int rightSign = binary->m_op == EqMinus || binary->m_op == EqDivide ? -sign : sign;
    if (EqValueElem* found = GetNextConstVal(binary->R, rightSign, op)) {
        sign = rightSign;
        return found;
    }
    return nullptr;
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
        return true;
    }
    if (!IsAdditive(binary->m_op) && !IsProduct(binary->m_op))
        return false;

    int leftSign = 1;
    int rightSign = binary->m_op == EqMinus || binary->m_op == EqDivide ? -1 : 1;
    EqValueElem* left = GetNextConstVal(binary->L, leftSign, binary->m_op);
    EqValueElem* right = GetNextConstVal(binary->R, rightSign, binary->m_op);
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
    Walk(binary->L, &EqSimplifier::FoldConstants);
    Walk(binary->R, &EqSimplifier::FoldConstants);
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
            Walk(kept, &EqSimplifier::Zero);
            return true;
        }
        return false;
    case EqMinus:
        if (IsZero(binary->L)) {
            EqElem* kept = ReplaceByOperand(binary, binary->R);
            InsertParent(kept, NewMinus());
            Walk(kept, &EqSimplifier::Zero);
            return true;
        }
        if (IsZero(binary->R)) {
            EqElem* kept = ReplaceByOperand(binary, binary->L);
            Walk(kept, &EqSimplifier::Zero);
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

bool EqSimplifier::LikeTerms(EqElem* element)
{
    EqBinaryElem* q = AsBinary(element);
    if (!q || !q->L || !q->R || (!IsAdditive(q->m_op) && !IsProduct(q->m_op)))
        return false;
    std::vector<EqElem*> leftTerms;
    std::vector<EqElem*> rightTerms;
    CollectTerms(q->L, q->m_op, leftTerms);
    CollectTerms(q->R, q->m_op, rightTerms);
    EqElem* a = nullptr;
    EqElem* b = nullptr;
    for (EqElem* left : leftTerms) {
        for (EqElem* right : rightTerms) {
            if (left->IsEqual(right)) {
                a = left;
                b = right;
                break;
            }
        }
        if (a)
            break;
    }
    // Numbers are left to constant folding.
    if (!a || IsNumber(a))
        return false;

    const int op = GetOp(q, a, b);
    auto becomeNumber = [this](EqElem* term, double value) {
        EqElem* number = EqValueElem::MakeNumber(value).release();
        Replace(term, number);
        EqElem::DeleteTree(term);
    };
    auto becomeDouble = [this](EqElem* term, EqKind combine) {
        EqElem* doubled =
            EqBinaryElem::Make(combine, nullptr, EqValueElem::MakeNumber(2)).release();
        Replace(term, doubled);
        AsBinary(doubled)->L = term;
        term->P = doubled;
    };
    switch (op) {
    case EqPlus: becomeDouble(a, EqMultiply); becomeNumber(b, 0); break;
    case EqMinus: becomeNumber(a, 0); becomeNumber(b, 0); break;
    case EqMultiply: becomeDouble(a, EqPower); becomeNumber(b, 1); break;
    default: becomeNumber(a, 1); becomeNumber(b, 1); break;
    }
    return true;
}
