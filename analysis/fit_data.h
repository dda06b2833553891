#pragma once

#include <vector>

class Equation;
class Plot;

/// The points of the set being fitted, copied in the order of its point list
/// so that the fit never reads the page, with the y error of each point
/// when the fit is weighted.
struct FitData {
    std::vector<float> x;
    std::vector<float> y;
    /// One y error per point when weighted (a set with fewer errors than
    /// points repeats its last one), empty when not.
    std::vector<float> sigma;

    /// Copies `plot`'s points; weighted when `weight` is set and the set has
    /// y errors.
    static FitData FromPlot(const Plot& plot, bool weight);

    int Count() const { return int(x.size()); }
    bool Weighted() const { return !sigma.empty(); }
    /// The error of point `i`, 1 when not weighted.
    float Sigma(int i) const { return sigma.empty() ? 1.0f : sigma[std::size_t(i)]; }
};

/// Points evaluated together by `ModelValues` and the fit.
constexpr int kFitBlock = 4096;

/// Evaluates a model at every x of the data, a block of points at a time,
/// into the model value of each point.
class ModelValues {
public:
    /// Evaluates `model` (independent variable defined) at every x of `data`
    /// into `values` (resized to the point count). Returns the index of the
    /// first point where the model failed, or -1; `failure` (when given)
    /// then receives its message.
    int Evaluate(Equation& model, const FitData& data, std::vector<double>& values,
                 const char** failure = nullptr);

private:
    std::vector<double> m_results;
    std::vector<const char*> m_failures;
};

/// The chi-squared of residuals `y - f` over the data with `f` from
/// `values`: each residual divided by its point's y error when that is not 0,
/// squared and summed, all in double.
double ChiSquareOf(const FitData& data, const std::vector<double>& values);

/// The factor of each point's residual in chi-squared: 1 / sigma when the
/// data are weighted and sigma is not 0, else 1.
inline double ResidualWeight(const FitData& data, std::size_t i)
{
    return data.sigma.empty() || data.sigma[i] == 0.0f ? 1.0 : 1.0 / double(data.sigma[i]);
}
