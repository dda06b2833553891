#pragma once

/// One sample of the overlay curve, in data units.
struct CurveSample {
    double x;
    double y;
};

/// The overlay function y = f(x) of a graph, as the graph sees it: something
/// that may hold a valid expression and evaluates it at x. The equation
/// engine provides the implementation.
class CurveFunction {
public:
    virtual ~CurveFunction() = default;
    /// Whether a valid expression is held.
    virtual bool IsValid() const = 0;
    /// Evaluates at `x`; false when the evaluation reports an error (the
    /// error is cleared so the next sample starts clean).
    virtual bool Evaluate(double x, double& y) const = 0;
};
