#pragma once

#include "analysis/fit_parameter.h"
#include "analysis/fit_statistics.h"

#include <string>
#include <vector>

/// Caption of the window that shows the fit's report.
extern const char* const kFitReportCaption;

/// What the report of a converged fit tells.
struct FitReportInfo {
    std::string model;        ///< the f(x) text as typed
    int setIndex = -1;
    std::string setName;
    int iterations = 0;
    float tolerance = 0.0f;
    double chiSquare = 0.0;
    std::vector<std::string> names;        ///< parameter names, in order
    std::vector<FitParameter> parameters;  ///< values and bound flags
    FitStatistics statistics;              ///< the errors and the quality of the fit
};

/// The report: the fit, the model and set, iterations, tolerance and
/// chi-squared, then per parameter a constrained-parameter line when it
/// ends on a bound and "NAME = VALUE +/- ERROR"; then the points and
/// degrees of freedom, reduced chi-squared, R^2, whether the fit was
/// weighted and how the errors were found, the correlation matrix, and a
/// warning when there are no more points than parameters.
std::string FitReportText(const FitReportInfo& info);
