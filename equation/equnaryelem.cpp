#include "equation/equnaryelem.h"

#include "equation/eqbinaryelem.h"
#include "equation/eqtokenstream.h"
#include "equation/eqvalueelem.h"

EqUnaryElem::~EqUnaryElem()
{
    DeleteTree(C);
}

EqElemPtr EqUnaryElem::Make(EqKind op, EqElemPtr child)
{
    auto unary = std::make_unique<EqUnaryElem>();
    unary->m_op = op;
    if (child) {
        child->P = unary.get();
        unary->C = child.release();
    }
    return unary;
}

double EqUnaryElem::Eval(const double* values) const
{
    if (!C)
        throw "Unary C is NULL";
    const double v = C->Eval(values);
    const char* message = nullptr;
    const double result = Apply(m_op, v, message);
    if (message)
        throw message;
    return result;
}

EqElem* EqUnaryElem::PushStep(EqTokenStream& tokens, List<EqToken>& variables)
{
    if (tokens.AtEnd())
        return nullptr;
    if (C)
        return Climb(tokens, variables);
    EqElem* child = NewFor(tokens.NextKind());
    C = child;
    child->Init(tokens, this, variables);
    return child;
}

void EqUnaryElem::Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables)
{
    P = parent;
    const EqKind kind = tokens.NextKind();
    if (kind != EqOpen) {
        m_op = kind;
        tokens.Drop();
        return;
    }
    // A bracket group: its contents are built like a whole equation whose
    // top element hangs below this one.
    m_op = EqGroup;
    const int outerEnd = tokens.EnterGroup();
    EqElem* first = NewFor(tokens.NextKind());
    C = first;
    first->Init(tokens, this, variables);
    first->Push(tokens, variables);
    tokens.LeaveGroup(outerEnd);
}

EqElem* EqUnaryElem::Copy(EqElem* parent) const
{
    auto copy = std::make_unique<EqUnaryElem>();
    copy->P = parent;
    copy->m_op = m_op;
    if (C)
        copy->C = C->Copy(copy.get());
    return copy.release();
}

bool EqUnaryElem::IsEqual(const EqElem* other) const
{
    const EqUnaryElem* unary = AsUnary(other);
    if (!unary || unary->m_op != m_op)
        return false;
    if (!C || !unary->C)
        return C == unary->C;
    return C->IsEqual(unary->C);
}

EqElem* EqUnaryElem::Deriv(int variable, EqElem* parent) const
{
    if (!C)
        throw "Unary C is NULL";
    if (m_op == EqAbs)
        throw "Derivative of abs() not implemented!";

    auto u = [this] { return EqElemPtr(C->Copy(nullptr)); };
    auto number = [](double value) { return EqValueElem::MakeNumber(value); };
    auto unary = [](EqKind op, EqElemPtr child) { return Make(op, std::move(child)); };
    auto binary = [](EqKind op, EqElemPtr left, EqElemPtr right) {
        return EqBinaryElem::Make(op, std::move(left), std::move(right));
    };

    EqElemPtr slope;
    switch (m_op) {
    case EqUnaryMinus: slope = number(-1); break;
    case EqUnaryPlus:
    case EqGroup: slope = number(1); break;
    case EqSqrt: slope = binary(EqDivide, number(0.5), unary(EqSqrt, u())); break;
    case EqCos: slope = unary(EqUnaryMinus, unary(EqSin, u())); break;
    case EqSin: slope = unary(EqCos, u()); break;
    case EqTan: slope = binary(EqPower, unary(EqSec, u()), number(2)); break;
    case EqAcos:
    case EqAsin:
        slope = binary(EqDivide, number(m_op == EqAcos ? -1 : 1),
                       unary(EqSqrt, binary(EqMinus, number(1),
                                            binary(EqPower, u(), number(2)))));
        break;
    case EqAtan:
        slope = binary(EqDivide, number(1),
                       binary(EqPlus, number(1), binary(EqPower, u(), number(2))));
        break;
    case EqSec: slope = binary(EqMultiply, unary(EqSec, u()), unary(EqTan, u())); break;
    case EqCsc:
        slope = unary(EqUnaryMinus, binary(EqMultiply, unary(EqCot, u()), unary(EqCsc, u())));
        break;
    case EqCot: slope = unary(EqUnaryMinus, binary(EqPower, unary(EqCsc, u()), number(2))); break;
    case EqCosh: slope = unary(EqSinh, u()); break;
    case EqSinh: slope = unary(EqCosh, u()); break;
    case EqTanh: slope = binary(EqPower, unary(EqCosh, u()), number(-2)); break;
    case EqExp: slope = unary(EqExp, u()); break;
    case EqLog: slope = binary(EqDivide, number(1), u()); break;
    case EqLog10: slope = binary(EqDivide, number(0.43429448190325176), u()); break;
    default: throw "Unknown unary operator";
    }
    EqElemPtr inner(C->Deriv(variable, nullptr));
    EqElemPtr result = binary(EqMultiply, std::move(slope), std::move(inner));
    result->P = parent;
    return result.release();
}

bool EqUnaryElem::ReplaceChild(EqElem* child, EqElem* replacement)
{
    if (C != child)
        return false;
    C = replacement;
    if (replacement)
        replacement->P = this;
    return true;
}

void EqUnaryElem::ReleaseChildren(std::vector<EqElem*>& out)
{
    if (C)
        out.push_back(C);
    C = nullptr;
}
