#pragma once

#include "analysis/fit_data.h"
#include "analysis/fit_parameter.h"
#include "analysis/lu_decomposition.h"
#include "equation/equation.h"

#include <atomic>
#include <string>
#include <vector>

/// The options that steer the fit.
struct FitSettings {
    int maxIterations = 1000;
    float tolerance = 1e-6f;  ///< absolute change of chi-squared that ends the fit
    int simplify = 1;         ///< simplify the derivatives
};

/// What a running fit reports, on the thread that runs it.
class FitObserver {
public:
    virtual ~FitObserver() = default;
    /// After each chi-squared: the model as it stands (trial values while a
    /// step is being tried) and the text of the best chi-squared so far.
    virtual void Progress(const Equation& model, const std::string& chiText) = 0;
};

/// How a fit ended.
enum class FitEnd { Converged, Cancelled, Failed };

/// The result of a fit.
struct FitOutcome {
    FitEnd end = FitEnd::Failed;
    std::string message;          ///< why it failed
    int iterations = 0;           ///< steps taken, rejected ones included
    float chiSquare = 0.0f;       ///< the minimised chi-squared
    std::vector<float> errors;    ///< standard error of each parameter
};

/// A Levenberg-Marquardt least-squares fit of a model to a set's points, in
/// single precision with TNT matrices. It works on its own copies of the
/// model, the parameters and the data, so it can run on a worker thread
/// while the dialog keeps drawing its own model.
///
/// Each step evaluates each partial derivative once per point and reuses it
/// for every product of alpha and beta, and reuses the model values of the
/// accepted chi-squared for beta; a rejected step only re-damps the kept
/// alpha and beta. The numbers are those of evaluating everything afresh.
class LevMarqFit {
public:
    /// `model` has its independent variable defined and every parameter set.
    LevMarqFit(const Equation& model, std::vector<FitParameter> parameters, FitData data,
               FitSettings settings);

    /// Runs the fit until it converges, fails or `cancel` becomes non-zero
    /// (polled before each step and after each trial step). Failures become
    /// the outcome's message: an `Error`'s text ("Excepts error thrown" when
    /// it has none), an engine text as it is, anything else "A vauge and
    /// unspecified error has occured while fitting". The parameters keep
    /// the last accepted step; the model keeps the last values set into it.
    FitOutcome Run(const std::atomic<int>& cancel, FitObserver* observer = nullptr);

    const Equation& Model() const { return m_model; }
    const std::vector<FitParameter>& Parameters() const { return m_params; }

private:
    void Iterate(const std::atomic<int>& cancel, FitObserver* observer, FitOutcome& outcome);
    void MakeDerivatives();
    // The chi-squared of the model's current values, filling `values`; -1
    // when the model fails at a point.
    float ChiSquare(std::vector<float>& values, int& firstFailure);
    // Alpha (undamped) and beta at the accepted values.
    void BuildAlphaBeta(FitMatrix& alpha, FitVector& beta);
    float CentralDifference(int k, float x);
    void SetAccepted();
    void Report(FitObserver* observer, float chiSquare);

    Equation m_model;
    std::vector<FitParameter> m_params;
    FitData m_data;
    FitSettings m_settings;
    std::vector<Equation> m_derivatives;
    ModelValues m_evaluator;
    std::vector<float> m_accepted;  // model values at the accepted parameters
    std::vector<float> m_trial;     // model values of the step being tried
    int m_acceptedFailure = -1;     // first point where the accepted model failed
    // Work areas of BuildAlphaBeta, sized once.
    std::vector<double> m_blockResults;
    std::vector<const char*> m_blockFailures;
    std::vector<float> m_slopes;
    std::vector<double> m_alphaSums;
    std::vector<double> m_betaSums;
};
