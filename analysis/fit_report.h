#pragma once

#include "analysis/fit_parameter.h"

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
    float chiSquare = 0.0f;
    std::vector<std::string> names;        ///< parameter names, in order
    std::vector<FitParameter> parameters;  ///< values and bound flags
    std::vector<float> errors;             ///< standard errors
};

/// The report: the fit, the model and set, iterations, tolerance and
/// chi-squared, then per parameter a constrained-parameter line when its
/// last step was held at a bound and "NAME = VALUE +/- ERROR".
std::string FitReportText(const FitReportInfo& info);
