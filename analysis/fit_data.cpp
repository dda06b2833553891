#include "analysis/fit_data.h"

#include "equation/equation.h"
#include "model/plot.h"

#include <algorithm>

FitData FitData::FromPlot(const Plot& plot, bool weight)
{
    FitData data;
    const std::size_t count = std::size_t(plot.PointCount());
    data.x.reserve(count);
    data.y.reserve(count);
    plot.m_points.ForEachFromTop([&data](const PlotPoint& point) {
        data.x.push_back(point.x);
        data.y.push_back(point.y);
    });
    if (weight && plot.HasDy()) {
        data.sigma.reserve(count);
        auto error = plot.m_dy.begin();
        float last = 0.0f;
        for (std::size_t i = 0; i < count; ++i) {
            if (error != plot.m_dy.end()) {
                last = *error;
                ++error;
            }
            data.sigma.push_back(last);
        }
    }
    return data;
}

int ModelValues::Evaluate(Equation& model, const FitData& data, std::vector<double>& values,
                          const char** failure)
{
    const int count = data.Count();
    values.resize(std::size_t(count));
    m_results.resize(kFitBlock);
    m_failures.resize(kFitBlock);
    int firstFailure = -1;
    for (int start = 0; start < count; start += kFitBlock) {
        const int n = std::min(kFitBlock, count - start);
        model.EvalMany(data.x.data() + start, n, m_results.data(), m_failures.data());
        for (int i = 0; i < n; ++i) {
            values[std::size_t(start + i)] = m_results[std::size_t(i)];
            if (m_failures[std::size_t(i)] && firstFailure < 0) {
                firstFailure = start + i;
                if (failure)
                    *failure = m_failures[std::size_t(i)];
            }
        }
    }
    return firstFailure;
}

double ChiSquareOf(const FitData& data, const std::vector<double>& values)
{
    double sum = 0.0;
    const std::size_t count = data.x.size();
    for (std::size_t i = 0; i < count; ++i) {
        // A point whose error is 0 keeps the weight 1.
        const double residual = (double(data.y[i]) - values[i]) * ResidualWeight(data, i);
        sum += residual * residual;
    }
    return sum;
}
