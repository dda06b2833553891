#include "analysis/fit_report.h"

#include <algorithm>
#include <cstdio>

const char* const kFitReportCaption = "Curve Fit Results";

namespace {

// Appends the C format of one value; the texts of names and models may be
// long, so the buffer grows to fit.
template <class... Values>
void Append(std::string& text, const char* format, Values... values)
{
    const int size = std::snprintf(nullptr, 0, format, values...);
    if (size <= 0)
        return;
    std::string piece(std::size_t(size) + 1, '\0');
    std::snprintf(piece.data(), piece.size(), format, values...);
    piece.resize(std::size_t(size));
    text += piece;
}

// The correlation matrix as a table under the parameter names.
void AppendCorrelation(std::string& text, const FitReportInfo& info)
{
    const FitMatrix& correlation = info.statistics.correlation;
    const int n = correlation.num_rows();
    if (n < 2)
        return;
    int width = 7;  // "-1.0000"
    for (const std::string& name : info.names)
        width = std::max(width, int(name.size()));
    text += "Correlation matrix of the parameters:\n";
    Append(text, "%*s", width, "");
    for (int k = 0; k < n; ++k)
        Append(text, "  %*s", width, info.names[std::size_t(k)].c_str());
    text += "\n";
    for (int j = 1; j <= n; ++j) {
        Append(text, "%-*s", width, info.names[std::size_t(j - 1)].c_str());
        for (int k = 1; k <= n; ++k)
            Append(text, "  %*.4f", width, correlation(j, k));
        text += "\n";
    }
    text += "\n";
}

} // namespace

std::string FitReportText(const FitReportInfo& info)
{
    std::string text;
    Append(text, "Performed a %d parameter Levenberg-Marquardt fit.\n\n", int(info.parameters.size()));
    Append(text, "Fitting f(x) = %s\n", info.model.c_str());
    Append(text, "to data set [%d]: %s.\n\n", info.setIndex, info.setName.c_str());
    Append(text, "Iterations required for convergence = %d\n", info.iterations);
    Append(text, "Fit tolerance = %g\n\n", double(info.tolerance));
    Append(text, "Minimized value of chi squared = %g\n\n", info.chiSquare);
    const FitStatistics& statistics = info.statistics;
    for (std::size_t k = 0; k < info.parameters.size(); ++k) {
        const FitParameter& parameter = info.parameters[k];
        const char* name = k < info.names.size() ? info.names[k].c_str() : "";
        if (parameter.atMax)
            Append(text, "** Constrained parameter: %s = max(%s) **\n", name, name);
        if (parameter.atMin)
            Append(text, "** Constrained parameter: %s = min(%s) **\n", name, name);
        const double error = k < statistics.errors.size() ? statistics.errors[k] : 0.0;
        Append(text, "%s = %g +/- %g\n\n", name, parameter.value, error);
    }
    Append(text, "Points = %d, parameters = %d, degrees of freedom = %d\n", statistics.points,
           statistics.parameters, statistics.degreesOfFreedom);
    if (statistics.degreesOfFreedom > 0)
        Append(text, "Reduced chi squared = %g\n", statistics.reducedChiSquare);
    Append(text, "R^2 = %.8g\n", statistics.rSquared);
    if (statistics.weighted)
        text += "Weighted fit: residuals divided by the y error bars; the standard errors come "
                "from the error bars alone (not scaled).\n\n";
    else if (statistics.scaled)
        text += "Unweighted fit: the standard errors are scaled by sqrt(chi squared / degrees "
                "of freedom).\n\n";
    else
        text += "Unweighted fit: the standard errors are not scaled (no degrees of freedom).\n\n";
    AppendCorrelation(text, info);
    if (statistics.degreesOfFreedom <= 0)
        Append(text, "Warning: %d points for %d parameters: the data cannot tell how well the "
                     "parameters are determined.\n",
               statistics.points, statistics.parameters);
    return text;
}
