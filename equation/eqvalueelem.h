#pragma once

#include "equation/eqelem.h"

/// A leaf: a number (`m_isConst` non-zero, value in `m_value`) or a variable
/// (index `m_varIndex` into the equation's variable table).
class EqValueElem : public EqElem {
public:
    EqValueElem() : EqElem(EqElemClass::kValue) {}
    /// A new number element.
    static EqElemPtr MakeNumber(double value);

    EqKind Type() const override { return m_isConst ? EqNumber : EqSymbol; }
    EqElem* PushStep(EqTokenStream& tokens, List<EqToken>& variables) override;

    /// A number token makes a number; any other token is looked up by its text
    /// in `variables` (appended when new) and makes a variable.
    void Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables) override;
    EqElem* CopyNode() const override;
    const char* DerivFailure() const override { return nullptr; }
    /// 1 for the variable `variable`, 0 for anything else.
    EqElem* DerivRule(int variable, EqElemPtr derivatives[2]) const override;
    std::uint64_t DerivRuleSize(const std::uint64_t*, const std::uint64_t*) const override
    {
        return 1;
    }
    bool ReplaceChild(EqElem*, EqElem*) override { return false; }

    int m_varIndex = 0;
    int m_isConst = 0;
    double m_value = 0.0;
};

/// `element` as a value element, or null when it is of another class.
inline EqValueElem* AsValue(EqElem* element)
{
    if (!element || element->Class() != EqElemClass::kValue)
        return nullptr;
    return static_cast<EqValueElem*>(element);
}
inline const EqValueElem* AsValue(const EqElem* element)
{
    if (!element || element->Class() != EqElemClass::kValue)
        return nullptr;
    return static_cast<const EqValueElem*>(element);
}
