#pragma once

#include "equation/eqelem.h"

#include <cmath>

/// An arithmetic operator ("+", "-", "/", "*", "^") over `L` and `R`.
class EqBinaryElem : public EqElem {
public:
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

    /// Raises "Binary L is NULL" / "Binary R is NULL" for a missing operand,
    /// evaluates the operands in the operator's order ("+" and "*": R then L;
    /// the others L then R) and applies the operator.
    double Eval(const double* values) const override;
    EqKind Type() const override { return m_op; }
    EqElem* PushStep(EqTokenStream& tokens, List<EqToken>& variables) override;

    /// Takes the operator token from the front of `tokens`.
    void Init(EqTokenStream& tokens, EqElem* parent, List<EqToken>& variables) override;
    EqElem* Copy(EqElem* parent) const override;
    bool IsEqual(const EqElem* other) const override;
    EqElem* Deriv(int variable, EqElem* parent) const override;
    bool ReplaceChild(EqElem* child, EqElem* replacement) override;
    void ReleaseChildren(std::vector<EqElem*>& out) override;

    EqElem* L = nullptr;
    EqElem* R = nullptr;
    EqKind m_op = EqPlus;
};

/// `element` as a binary element, or null when it is of another class.
inline EqBinaryElem* AsBinary(EqElem* element) { return dynamic_cast<EqBinaryElem*>(element); }
inline const EqBinaryElem* AsBinary(const EqElem* element)
{
    return dynamic_cast<const EqBinaryElem*>(element);
}
