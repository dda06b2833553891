#pragma once

#include "equation/eqelem.h"

#include <cmath>

/// An arithmetic operator ("+", "-", "/", "*", "^") over `L` and `R`.
class EqBinaryElem : public EqElem {
public:
    EqBinaryElem() : EqElem(EqElemClass::kBinary) {}
    ~EqBinaryElem() override;

    /// A new binary element of operator `op` over `left` and `right`.
    static EqElemPtr Make(EqKind op, EqElemPtr left, EqElemPtr right);

    /// Applies `op` to the operands. On a failure returns 0 and sets `message`.
    static double Apply(int op, double left, double right, const char*& message)
    {
        double result;
        switch (op) {
        case EqPlus: return left + right;
        case EqMinus: return left - right;
        case EqMultiply: return left * right;
        case EqDivide:
            result = left / right;
            if (!std::isfinite(result)) {
                message = "Binary divide by zero";
                return 0.0;
            }
            return result;
        case EqPower:
            result = std::pow(left, right);
            if (!std::isfinite(result)) {
                message = "Binary pow range error";
                return 0.0;
            }
            return result;
        default: message = "Unknown binary operator"; return 0.0;
        }
    }

    /// True for the operators whose right operand is evaluated first ("+", "*").
    static bool RightFirst(int op) { return op == EqPlus || op == EqMultiply; }

    EqKind Type() const override { return m_op; }
    EqElem* PushStep(EqTokenStream& tokens, List<EqToken>& variables) override;

    /// Takes the operator token from the front of `tokens`.
    void Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables) override;
    EqElem* CopyNode() const override;
    const char* DerivFailure() const override;
    /// The sum, product, quotient and general power rules over copies of the
    /// operands and their derivatives.
    EqElem* DerivRule(int variable, EqElemPtr derivatives[2]) const override;
    std::uint64_t DerivRuleSize(const std::uint64_t sizes[2],
                                const std::uint64_t derivativeSizes[2]) const override;
    bool ReplaceChild(EqElem* child, EqElem* replacement) override;

    EqElem* L = nullptr;
    EqElem* R = nullptr;
    EqKind m_op = EqPlus;
};

/// `element` as a binary element, or null when it is of another class.
inline EqBinaryElem* AsBinary(EqElem* element)
{
    if (!element || element->Class() != EqElemClass::kBinary)
        return nullptr;
    return static_cast<EqBinaryElem*>(element);
}
inline const EqBinaryElem* AsBinary(const EqElem* element)
{
    if (!element || element->Class() != EqElemClass::kBinary)
        return nullptr;
    return static_cast<const EqBinaryElem*>(element);
}
