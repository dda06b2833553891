#pragma once

#include "equation/equation.h"
#include "render/curve_function.h"

/// A graph's overlay curve y = f(x) given by a typed equation whose one
/// variable (or the one defined as independent) is x.
class EquationCurve : public CurveFunction {
public:
    /// Takes the parsed equation; its independent variable must be defined.
    explicit EquationCurve(const Equation& equation) : m_equation(equation) {}

    bool IsValid() const override { return m_equation.IsValid(1) != 0; }
    bool Evaluate(double x, double& y) const override;

    const Equation& GetEquation() const { return m_equation; }

private:
    // Evaluation stores its failure in the equation, so sampling changes it.
    mutable Equation m_equation;
};
