// The extra result sets of the curve fit: the residuals and the confidence
// band of the model curve.
#include "analysis/curve_fit.h"

#include "analysis/fit_data.h"
#include "analysis/fit_statistics.h"
#include "analysis/set_selection.h"
#include "model/error.h"
#include "model/messages.h"
#include "model/style_codes.h"
#include "render/graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

std::string Named(const char* format, int index)
{
    char name[64];
    std::snprintf(name, sizeof name, format, index);
    return name;
}

} // namespace

int CurveFit::SaveResiduals()
{
    if (m_setIndex < 0 || m_setIndex >= m_graph.m_plots.Count()) {
        m_messages.Show(kFitSelectOneSet);
        return -1;
    }
    SetParameterValues();
    const FitData data = FitData::FromPlot(m_graph.m_plots.Get(m_setIndex), false);
    Plot result;
    float smallestY = 0.0f;
    bool any = false;
    // Pushed from the last point to the first, so the residuals keep the
    // order of the set's own points.
    for (int i = data.Count() - 1; i >= 0; --i) {
        const float x = data.x[std::size_t(i)];
        m_model.ClearMessage();
        const double value = double(m_model.Eval(x));
        const float residual = float(double(data.y[std::size_t(i)]) - value);
        if (m_model.m_message || !std::isfinite(residual))
            continue;
        result.AddPoint(x, residual);
        if (!any || residual < smallestY)
            smallestY = residual;
        any = true;
    }
    m_model.ClearMessage();
    if (!any) {
        m_messages.Show("Unable to evalute the functionwithin the given range of x");
        return -1;
    }
    result.m_info = Named("Residuals of plot %d", m_setIndex);
    result.m_pointStyle = kCircle;
    result.m_lineStyle = kNoLine;
    const Plot& fitted = m_graph.m_plots.Get(m_setIndex);
    float start = fitted.m_xMin < fitted.m_xMax ? fitted.m_xMin : fitted.m_xMax;
    return AddCurveSet(result, start, smallestY);
}

int CurveFit::SaveConfidenceBand()
{
    if (m_setIndex < 0 || m_setIndex >= m_graph.m_plots.Count()) {
        m_messages.Show(kFitSelectOneSet);
        return -1;
    }
    SetParameterValues();
    std::unique_ptr<LevMarqFit> fit = MakeFit();
    const FitOutcome linear = fit->Linearisation();
    if (linear.end != FitEnd::Converged) {
        m_messages.Show(linear.message);
        return -1;
    }
    const FitStatistics statistics = DescribeFit(fit->Data(), linear.chiSquare, linear.covariance);
    if (statistics.degreesOfFreedom <= 0) {
        m_messages.Show("The confidence band needs more points than parameters.");
        return -1;
    }
    const double t = StudentQuantile(0.975, statistics.degreesOfFreedom);
    float start = 0.0f;
    const std::vector<float> xs = CurveXs(start);
    std::vector<double> values;
    std::vector<double> slopes;
    std::vector<unsigned char> failed;
    try {
        fit->GradientAt(xs, values, slopes, failed);
    } catch (const Error& error) {
        m_messages.Show(error.Text());
        return -1;
    } catch (const char* text) {
        m_messages.Show(text);
        return -1;
    }
    const int n = statistics.parameters;
    const std::size_t count = xs.size();
    Plot lower;
    Plot upper;
    float smallestLower = 0.0f;
    float smallestUpper = 0.0f;
    bool any = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (failed[i])
            continue;
        double variance = 0.0;
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n; ++k)
                variance += slopes[std::size_t(j) * count + i] * statistics.covariance(j + 1, k + 1) *
                            slopes[std::size_t(k) * count + i];
        const double half = t * std::sqrt(std::max(variance, 0.0));
        const float low = float(values[i] - half);
        const float high = float(values[i] + half);
        if (!std::isfinite(low) || !std::isfinite(high))
            continue;
        lower.AddPoint(xs[i], low);
        upper.AddPoint(xs[i], high);
        smallestLower = any ? std::min(smallestLower, low) : low;
        smallestUpper = any ? std::min(smallestUpper, high) : high;
        any = true;
    }
    if (!any) {
        m_messages.Show("Unable to evalute the functionwithin the given range of x");
        return -1;
    }
    lower.m_info = Named("Lower 95%% confidence band of plot %d", m_setIndex);
    upper.m_info = Named("Upper 95%% confidence band of plot %d", m_setIndex);
    for (Plot* band : {&lower, &upper}) {
        band->m_pointStyle = kNoSymbol;
        band->m_lineStyle = kDashed;
        band->m_lineColor = 0x000000;
    }
    const int index = AddCurveSet(lower, start, smallestLower);
    AddCurveSet(upper, start, smallestUpper);
    return index;
}
