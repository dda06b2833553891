#include "render/equation_curve.h"

#include <cmath>

bool EquationCurve::Evaluate(double x, double& y) const
{
    m_equation.ClearMessage();
    long double value = 0;
    try {
        value = m_equation.Eval(float(x));
    } catch (...) {
        m_equation.ClearMessage();
        return false;
    }
    if (m_equation.m_message) {
        m_equation.ClearMessage();
        return false;
    }
    y = double(value);
    return std::isfinite(y);
}
