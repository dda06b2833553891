#include "equation/eqbinaryelem.h"

#include "equation/eqtokenstream.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

namespace {

bool IsMultiplicative(int kind) { return kind == EqDivide || kind == EqMultiply || kind == EqPower; }

} // namespace

EqBinaryElem::~EqBinaryElem()
{
    DeleteTree(L);
    DeleteTree(R);
}

EqElemPtr EqBinaryElem::Make(EqKind op, EqElemPtr left, EqElemPtr right)
{
    auto binary = std::make_unique<EqBinaryElem>();
    binary->m_op = op;
    if (left) {
        left->P = binary.get();
        binary->L = left.release();
    }
    if (right) {
        right->P = binary.get();
        binary->R = right.release();
    }
    return binary;
}

double EqBinaryElem::Eval(const double* values) const
{
    if (!L)
        throw "Binary L is NULL";
    if (!R)
        throw "Binary R is NULL";
    if (!IsBinaryKind(m_op))
        throw "Unknown binary operator";
    double left;
    double right;
    if (RightFirst(m_op)) {
        right = R->Eval(values);
        left = L->Eval(values);
    } else {
        left = L->Eval(values);
        right = R->Eval(values);
    }
    const char* message = nullptr;
    const double result = Apply(m_op, left, right, message);
    if (message)
        throw message;
    return result;
}

EqElem* EqBinaryElem::PushStep(EqTokenStream& tokens, List<EqToken>& variables)
{
    if (tokens.AtEnd())
        return nullptr;
    const EqKind next = tokens.NextKind();
    if (!R) {
        if (IsBinaryKind(next))
            throw "Cannot push binary elem on binary R";
        EqElem* right = NewFor(next);
        R = right;
        right->Init(tokens, this, variables);
        return right;
    }
    // A tighter operator takes the right operand: a+b*c is a+(b*c).
    const bool tighter = ((m_op == EqPlus || m_op == EqMinus) && IsMultiplicative(next)) ||
                         ((m_op == EqDivide || m_op == EqMultiply) && next == EqPower);
    if (tighter) {
        auto* inner = new EqBinaryElem;
        inner->L = R;
        R->P = inner;
        R = inner;
        inner->Init(tokens, this, variables);
        return inner;
    }
    return Climb(tokens, variables);
}

void EqBinaryElem::Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>&)
{
    P = parent;
    m_op = tokens.NextKind();
    tokens.Drop();
}

EqElem* EqBinaryElem::Copy(EqElem* parent) const
{
    auto copy = std::make_unique<EqBinaryElem>();
    copy->P = parent;
    copy->m_op = m_op;
    if (L)
        copy->L = L->Copy(copy.get());
    if (R)
        copy->R = R->Copy(copy.get());
    return copy.release();
}

static bool SameOperand(const EqElem* a, const EqElem* b)
{
    if (!a || !b)
        return a == b;
    return a->IsEqual(b);
}

bool EqBinaryElem::IsEqual(const EqElem* other) const
{
    const EqBinaryElem* binary = AsBinary(other);
    if (!binary || binary->m_op != m_op)
        return false;
    if (SameOperand(L, binary->L) && SameOperand(R, binary->R))
        return true;
    if (m_op == EqPlus || m_op == EqMultiply)
        return SameOperand(L, binary->R) && SameOperand(R, binary->L);
    return false;
}

EqElem* EqBinaryElem::Deriv(int variable, EqElem* parent) const
{
    if (!L)
        throw "Binary L is NULL";
    if (!R)
        throw "Binary R is NULL";

    auto u = [this] { return EqElemPtr(L->Copy(nullptr)); };
    auto v = [this] { return EqElemPtr(R->Copy(nullptr)); };
    auto du = [this, variable] { return EqElemPtr(L->Deriv(variable, nullptr)); };
    auto dv = [this, variable] { return EqElemPtr(R->Deriv(variable, nullptr)); };
    auto binary = [](EqKind op, EqElemPtr left, EqElemPtr right) {
        return Make(op, std::move(left), std::move(right));
    };

    EqElemPtr result;
    switch (m_op) {
    case EqPlus:
    case EqMinus: result = binary(m_op, du(), dv()); break;
    case EqMultiply:
        result = binary(EqPlus, binary(EqMultiply, du(), v()), binary(EqMultiply, u(), dv()));
        break;
    case EqDivide:
        result = binary(EqDivide,
                        binary(EqMinus, binary(EqMultiply, du(), v()),
                               binary(EqMultiply, dv(), u())),
                        binary(EqPower, v(), EqValueElem::MakeNumber(2)));
        break;
    case EqPower:
        // The general rule, with the natural logarithm of the base.
        result = binary(EqMultiply, binary(EqPower, u(), v()),
                        binary(EqPlus, binary(EqMultiply, binary(EqDivide, v(), u()), du()),
                               binary(EqMultiply, EqUnaryElem::Make(EqLog, u()), dv())));
        break;
    default: throw "Unknown binary operator";
    }
    result->P = parent;
    return result.release();
}

bool EqBinaryElem::ReplaceChild(EqElem* child, EqElem* replacement)
{
    if (L == child)
        L = replacement;
    else if (R == child)
        R = replacement;
    else
        return false;
    if (replacement)
        replacement->P = this;
    return true;
}

void EqBinaryElem::ReleaseChildren(std::vector<EqElem*>& out)
{
    if (L)
        out.push_back(L);
    if (R)
        out.push_back(R);
    L = nullptr;
    R = nullptr;
}
