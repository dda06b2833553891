#pragma once

#include "equation/eqelem.h"

#include <cmath>

/// A sign, a function or a bracket group applied to the child `C`.
class EqUnaryElem : public EqElem {
public:
    EqUnaryElem() : EqElem(EqElemClass::kUnary) {}
    ~EqUnaryElem() override;

    /// A new unary element of operator `op` over `child`.
    static EqElemPtr Make(EqKind op, EqElemPtr child);

    /// Applies the unary operator `op` to `v`. On a domain failure returns 0
    /// and sets `message`; otherwise leaves `message` alone.
    static double Apply(int op, double v, const char*& message)
    {
        double result;
        switch (op) {
        case EqUnaryMinus: return -v;
        case EqUnaryPlus:
        case EqGroup: return v;
        case EqSqrt: result = std::sqrt(v); return Checked(result, "Unary sqrt of negative number", message);
        case EqCos: return std::cos(v);
        case EqSin: return std::sin(v);
        case EqTan: return std::tan(v);
        case EqAcos: return std::acos(v);
        case EqAsin: return std::asin(v);
        case EqAtan: return std::atan(v);
        case EqSec: result = 1.0 / std::cos(v); return Checked(result, "Unary sec divide by zero", message);
        case EqCsc: result = 1.0 / std::sin(v); return Checked(result, "Unary csc divide by zero", message);
        case EqCot: result = 1.0 / std::tan(v); return Checked(result, "Unary cot divide by zero", message);
        case EqCosh: return std::cosh(v);
        case EqSinh: return std::sinh(v);
        case EqTanh: return std::tanh(v);
        case EqExp: return std::exp(v);
        case EqLog: result = std::log(v); return Checked(result, "Unary log of <= 0", message);
        case EqLog10: result = std::log10(v); return Checked(result, "Unary log10 of <= 0", message);
        case EqAbs: return std::fabs(v);
        default: message = "Unknown unary operator"; return 0.0;
        }
    }

    EqKind Type() const override { return m_op; }
    EqElem* PushStep(EqTokenStream& tokens, List<EqToken>& variables) override;

    /// A sign or function token sets the operator; an open bracket makes a
    /// group, whose contents the builder adds up to the matching bracket.
    void Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables) override;
    EqElem* CopyNode() const override;
    const char* DerivFailure() const override;
    /// f'(u) * d(u), with f'(u) built from copies of the child u.
    EqElem* DerivRule(int variable, EqElemPtr derivatives[2]) const override;
    std::uint64_t DerivRuleSize(const std::uint64_t sizes[2],
                                const std::uint64_t derivativeSizes[2]) const override;
    bool ReplaceChild(EqElem* child, EqElem* replacement) override;

    EqElem* C = nullptr;
    EqKind m_op = EqGroup;

private:
    // Non-finite means every exponent bit is set: infinite or not a number.
    static double Checked(double result, const char* failure, const char*& message)
    {
        if (!std::isfinite(result)) {
            message = failure;
            return 0.0;
        }
        return result;
    }
};

/// `element` as a unary element, or null when it is of another class.
inline EqUnaryElem* AsUnary(EqElem* element)
{
    if (!element || element->Class() != EqElemClass::kUnary)
        return nullptr;
    return static_cast<EqUnaryElem*>(element);
}
inline const EqUnaryElem* AsUnary(const EqElem* element)
{
    if (!element || element->Class() != EqElemClass::kUnary)
        return nullptr;
    return static_cast<const EqUnaryElem*>(element);
}
