#pragma once

#include "analysis/least_squares.h"

#include <vector>

struct FitData;

/// How good a fit is and how well its parameters are known.
struct FitStatistics {
    int points = 0;
    int parameters = 0;
    int degreesOfFreedom = 0;     ///< points - parameters
    double chiSquare = 0.0;
    double reducedChiSquare = 0.0;  ///< chi-squared / degrees of freedom (0 without any)
    double rSquared = 0.0;        ///< 1 - chi-squared / the (weighted) spread of y about its mean
    bool weighted = false;        ///< residuals divided by the y errors
    /// The errors are scaled by sqrt(reduced chi-squared): an unweighted fit
    /// estimates the points' common sigma from the residuals. A weighted fit
    /// takes the y errors as the true sigmas and is not scaled.
    bool scaled = false;
    FitMatrix covariance;         ///< of the parameters, as the errors are
    std::vector<double> errors;   ///< standard error of each parameter
    FitMatrix correlation;        ///< covariance / (error_j error_k)
};

/// The statistics of a fit with chi-squared `chiSquare` and unscaled
/// covariance (J^T W J)^-1 `covariance` of `data` (weighted when it has y
/// errors). Without degrees of
/// freedom an unweighted fit's errors stay unscaled.
FitStatistics DescribeFit(const FitData& data, double chiSquare, const FitMatrix& covariance);

/// The quantile of Student's t distribution with `degrees` degrees of
/// freedom at probability `p` (0 < p < 1); NaN for `degrees` < 1.
double StudentQuantile(double p, int degrees);
