#include "equation/eqvalueelem.h"

#include "equation/eqtokenstream.h"

#include <cmath>

EqElemPtr EqValueElem::MakeNumber(double value)
{
    auto number = std::make_unique<EqValueElem>();
    number->m_isConst = 1;
    number->m_value = value;
    return number;
}

double EqValueElem::Eval(const double* values) const
{
    if (m_isConst)
        return m_value;
    if (!values)
        throw "NULL stack";
    if (m_varIndex < 0)
        throw "stack underflow Eval()";
    return values[m_varIndex];
}

EqElem* EqValueElem::PushStep(EqTokenStream& tokens, List<EqToken>& variables)
{
    if (tokens.AtEnd())
        return nullptr;
    return Climb(tokens, variables);
}

void EqValueElem::Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables)
{
    P = parent;
    const EqToken& token = tokens.Next();
    if (token.m_kind == EqNumber) {
        m_isConst = 1;
        m_value = token.m_value;
    } else {
        m_isConst = 0;
        const int count = variables.Count();
        int index = 0;
        while (index < count && variables.Get(index).m_text != token.m_text)
            ++index;
        if (index == count)
            variables.Append(token);
        m_varIndex = index;
    }
    tokens.Drop();
}

EqElem* EqValueElem::Copy(EqElem* parent) const
{
    auto* copy = new EqValueElem;
    copy->P = parent;
    copy->m_varIndex = m_varIndex;
    copy->m_isConst = m_isConst;
    copy->m_value = m_value;
    return copy;
}

bool EqValueElem::IsEqual(const EqElem* other) const
{
    if (!other || !IsValueKind(other->Type()))
        return false;
    auto* value = static_cast<const EqValueElem*>(other);
    if (m_isConst && value->m_isConst)
        return std::fabs(m_value - value->m_value) < 1e-14;
    if (!m_isConst && !value->m_isConst)
        return m_varIndex == value->m_varIndex;
    return false;
}

EqElem* EqValueElem::Deriv(int variable, EqElem* parent) const
{
    EqElemPtr result = MakeNumber(!m_isConst && m_varIndex == variable ? 1.0 : 0.0);
    result->P = parent;
    return result.release();
}
