#pragma once

#include "analysis/fit_data.h"
#include "analysis/fit_parameter.h"
#include "analysis/lu_decomposition.h"
#include "analysis/model_program.h"
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
/// The model and its partial derivatives are evaluated together, each part
/// they share once, and each derivative once per point for every product
/// of alpha and beta; the values of an accepted trial step serve the next
/// alpha and beta, and a rejected step only re-damps the kept ones. The
/// numbers are those of evaluating every equation afresh where the step
/// needs it.
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
    // The model and its derivatives evaluated at every point for one set of
    // parameter values.
    struct Pass {
        std::vector<float> values;     // the model at each point
        std::vector<float> slopes;     // derivative k at point i in [i * n + k]
        std::vector<int> slopeFailures;  // i * n + k of each failed derivative, ascending
        int firstFailure = -1;         // first point where the model failed
        float chiSquare = -1.0f;       // -1 when the model failed somewhere
    };

    void Iterate(const std::atomic<int>& cancel, FitObserver* observer, FitOutcome& outcome);
    void MakeDerivatives();
    // Evaluates the model and every derivative with `m_values` into `pass`.
    void Evaluate(Pass& pass);
    // Alpha (undamped) and beta from the accepted pass; a derivative that
    // failed at a point is replaced there by a central difference of the model.
    void BuildAlphaBeta(const Pass& pass, FitMatrix& alpha, FitVector& beta);
    float CentralDifference(int k, float x);
    void SetAccepted();
    void Report(FitObserver* observer, float chiSquare);

    Equation m_model;
    std::vector<FitParameter> m_params;
    FitData m_data;
    FitSettings m_settings;
    std::vector<Equation> m_derivatives;
    ModelProgram m_program;
    std::vector<double> m_values;  // the variable values the program runs with
    Pass m_accepted;
    Pass m_trial;
    // Work areas, sized once.
    std::vector<double> m_blockResults;
    std::vector<unsigned char> m_blockFailures;
    std::vector<double*> m_results;          // one block row of m_blockResults per equation
    std::vector<unsigned char*> m_failed;
    std::vector<unsigned char> m_anyFailed;
    std::vector<double> m_weights;   // 1 / sigma^2 of each point when weighted
    std::vector<float> m_ownSlopes;  // a point's slopes with central differences
    std::vector<double> m_alphaSums;
    std::vector<double> m_betaSums;
};
