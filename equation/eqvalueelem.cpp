#include "equation/eqvalueelem.h"

#include "equation/eqtokenstream.h"

EqElemPtr EqValueElem::MakeNumber(double value)
{
    auto number = std::make_unique<EqValueElem>();
    number->m_isConst = 1;
    number->m_value = value;
    return number;
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
        m_varIndex = tokens.VariableIndex(token, variables);
    }
    tokens.Drop();
}

EqElem* EqValueElem::CopyNode() const
{
    auto* copy = new EqValueElem;
    copy->m_varIndex = m_varIndex;
    copy->m_isConst = m_isConst;
    copy->m_value = m_value;
    return copy;
}

EqElem* EqValueElem::DerivRule(int variable, EqElemPtr*) const
{
    return MakeNumber(!m_isConst && m_varIndex == variable ? 1.0 : 0.0).release();
}
