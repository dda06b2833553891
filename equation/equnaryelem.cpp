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

void EqUnaryElem::Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>&)
{
    P = parent;
    const EqKind kind = tokens.NextKind();
    if (kind != EqOpen) {
        m_op = kind;
        tokens.Drop();
        return;
    }
    // A bracket group: its contents are built like a whole equation whose
    // top element hangs below this one; PushStep starts them.
    m_op = EqGroup;
    tokens.EnterGroup(this);
}

EqElem* EqUnaryElem::CopyNode() const
{
    auto* copy = new EqUnaryElem;
    copy->m_op = m_op;
    return copy;
}

const char* EqUnaryElem::DerivFailure() const
{
    if (!C)
        return "Unary C is NULL";
    if (m_op == EqAbs)
        return "Derivative of abs() not implemented!";
    if (m_op != EqUnaryMinus && m_op != EqUnaryPlus && m_op != EqGroup && !IsFunctionKind(m_op))
        return "Unknown unary operator";
    return nullptr;
}

EqElem* EqUnaryElem::DerivRule(int, EqElemPtr derivatives[2]) const
{
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
    return binary(EqMultiply, std::move(slope), std::move(derivatives[0])).release();
}

std::uint64_t EqUnaryElem::DerivRuleSize(const std::uint64_t sizes[2],
                                         const std::uint64_t derivativeSizes[2]) const
{
    const std::uint64_t u = sizes[0];
    std::uint64_t slope;
    switch (m_op) {
    case EqSqrt: slope = 3 + u; break;
    case EqCos: slope = 2 + u; break;
    case EqSin:
    case EqCosh:
    case EqSinh:
    case EqExp: slope = 1 + u; break;
    case EqTan:
    case EqTanh: slope = 3 + u; break;
    case EqAcos:
    case EqAsin: slope = 7 + u; break;
    case EqAtan: slope = 6 + u; break;
    case EqSec: slope = 3 + 2 * u; break;
    case EqCsc: slope = 4 + 2 * u; break;
    case EqCot: slope = 4 + u; break;
    case EqLog:
    case EqLog10: slope = 2 + u; break;
    default: slope = 1; break;  // a number: -1 or 1
    }
    return 1 + slope + derivativeSizes[0];
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
