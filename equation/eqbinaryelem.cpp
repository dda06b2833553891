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

EqElem* EqBinaryElem::CopyNode() const
{
    auto* copy = new EqBinaryElem;
    copy->m_op = m_op;
    return copy;
}

const char* EqBinaryElem::DerivFailure() const
{
    if (!L)
        return "Binary L is NULL";
    if (!R)
        return "Binary R is NULL";
    if (!IsBinaryKind(m_op))
        return "Unknown binary operator";
    return nullptr;
}

EqElem* EqBinaryElem::DerivRule(int, EqElemPtr derivatives[2]) const
{
    auto u = [this] { return EqElemPtr(L->Copy(nullptr)); };
    auto v = [this] { return EqElemPtr(R->Copy(nullptr)); };
    EqElemPtr& du = derivatives[0];
    EqElemPtr& dv = derivatives[1];
    auto binary = [](EqKind op, EqElemPtr left, EqElemPtr right) {
        return Make(op, std::move(left), std::move(right));
    };

    EqElemPtr result;
    switch (m_op) {
    case EqPlus:
    case EqMinus: result = binary(m_op, std::move(du), std::move(dv)); break;
    case EqMultiply: {
        EqElemPtr left = binary(EqMultiply, std::move(du), v());
        result = binary(EqPlus, std::move(left), binary(EqMultiply, u(), std::move(dv)));
        break;
    }
    case EqDivide: {
        EqElemPtr left = binary(EqMultiply, std::move(du), v());
        EqElemPtr numerator = binary(EqMinus, std::move(left), binary(EqMultiply, std::move(dv), u()));
        result = binary(EqDivide, std::move(numerator),
                        binary(EqPower, v(), EqValueElem::MakeNumber(2)));
        break;
    }
    case EqPower: {
        // The general rule, with the natural logarithm of the base.
        EqElemPtr power = binary(EqPower, u(), v());
        EqElemPtr left = binary(EqMultiply, binary(EqDivide, v(), u()), std::move(du));
        EqElemPtr right = binary(EqMultiply, EqUnaryElem::Make(EqLog, u()), std::move(dv));
        result = binary(EqMultiply, std::move(power),
                        binary(EqPlus, std::move(left), std::move(right)));
        break;
    }
    default: throw "Unknown binary operator";
    }
    return result.release();
}

std::uint64_t EqBinaryElem::DerivRuleSize(const std::uint64_t sizes[2],
                                          const std::uint64_t derivativeSizes[2]) const
{
    const std::uint64_t u = sizes[0];
    const std::uint64_t v = sizes[1];
    const std::uint64_t du = derivativeSizes[0];
    const std::uint64_t dv = derivativeSizes[1];
    switch (m_op) {
    case EqMultiply: return 3 + du + dv + u + v;
    case EqDivide: return 6 + du + dv + u + 2 * v;
    case EqPower: return 7 + du + dv + 3 * u + 2 * v;
    default: return 1 + du + dv;
    }
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
