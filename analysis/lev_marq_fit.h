#pragma once

#include "analysis/fit_data.h"
#include "analysis/fit_parameter.h"
#include "analysis/least_squares.h"
#include "analysis/model_program.h"
#include "equation/equation.h"

#include <atomic>
#include <string>
#include <vector>

/// The options that steer the fit.
struct FitSettings {
    int maxIterations = 1000;
    double tolerance = 1e-6;  ///< absolute change of chi-squared that lets the fit end
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

/// Why a fit that did not converge stopped.
extern const char* const kFitIterationLimit;
extern const char* const kFitSingular;
extern const char* const kFitNoProgress;

/// The result of a fit.
struct FitOutcome {
    FitEnd end = FitEnd::Failed;
    std::string message;           ///< why it failed
    int iterations = 0;            ///< steps taken, rejected ones included
    double chiSquare = 0.0;        ///< the minimised chi-squared
    std::vector<double> errors;    ///< sqrt of the diagonal of `covariance`
    /// (J^T W J)^-1 at the minimum, n x n: the covariance of the parameters
    /// when the y errors are the true sigmas; not scaled by the residuals.
    FitMatrix covariance;
};

/// A Levenberg-Marquardt least-squares fit of a model to a set's points, in
/// double precision. It works on its own copies of the model, the
/// parameters and the data, so it can run on a worker thread while the
/// dialog keeps drawing its own model.
///
/// Each step solves the damped problem min |J d - r|^2 + lambda |D d|^2
/// from a QR factorisation of the weighted Jacobian J (never J^T J, which
/// would square its condition), with D the largest column norm of J seen so
/// far (Marquardt's scaling of the damping by the diagonal). Lambda starts
/// at 0.001, grows tenfold after a step that raises chi-squared and shrinks
/// tenfold after one that lowers it. A parameter on a bound whose gradient
/// points outwards is held there; the others take the projected step, and
/// are released as soon as the gradient points back inside, so the result
/// is the best fit within the bounds.
///
/// The fit converges only at the minimum: after an accepted step that
/// changed chi-squared by less than the tolerance (or by a relative 1e-10),
/// or after a rejected one, and only when the Gauss-Newton step from the
/// point moves no parameter by more than a relative 1e-8 or would lower
/// chi-squared by no more than a relative 1e-12. A slow crawl far from the
/// minimum is not convergence. When no step lowers chi-squared any more,
/// the fit has converged if only rounding is left, and failed ("no
/// progress") otherwise.
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

    /// Chi-squared and the unscaled covariance at the parameters' values as
    /// they stand, without any step: what a converged fit reports, for a
    /// model placed by hand. Fails as `Run` does.
    FitOutcome Linearisation();

    /// The model at each of `x` with its gradient with respect to the
    /// parameters (`slopes[k * count + i]`, a failed derivative replaced by
    /// a central difference), at the parameters' values; `failed[i]` is set
    /// where the model cannot be computed. Raises as `Run` does.
    void GradientAt(const std::vector<float>& x, std::vector<double>& values,
                    std::vector<double>& slopes, std::vector<unsigned char>& failed);

    const Equation& Model() const { return m_model; }
    const std::vector<FitParameter>& Parameters() const { return m_params; }
    const FitData& Data() const { return m_data; }

private:
    // The model and its derivatives evaluated at every point for one set of
    // parameter values.
    struct Pass {
        std::vector<double> values;  // the model at each point
        std::vector<double> slopes;  // derivative k at point i in [k * count + i]
        std::vector<std::size_t> slopeFailures;  // k * count + i of each failed derivative
        int firstFailure = -1;       // first point where the model failed
        double chiSquare = -1.0;     // -1 when the model failed somewhere
    };

    void Iterate(const std::atomic<int>& cancel, FitObserver* observer, FitOutcome& outcome);
    void MakeDerivatives();
    // Evaluates the model and every derivative with `m_values` into `pass`
    // at the data's points (with chi-squared) or at `count` values `x`.
    void Evaluate(Pass& pass);
    void EvaluateAt(const float* x, int count, Pass& pass);
    // Takes a last undamped step from the minimum where it does no harm.
    void Polish(std::vector<double>& accepted, double& chiSquare);
    // The covariance and errors of the linearisation into `outcome`.
    void Conclude(FitOutcome& outcome, int iterations, double chiSquare);
    // The model alone at the data's points with `m_values`; false where it
    // fails at any of them.
    bool EvaluateValues(std::vector<double>& values);
    // The weighted Jacobian of the accepted pass (a failed derivative
    // replaced by a central difference of the model), its QR factors and the
    // gradient J^T r; widens the damping scale.
    void Linearise(Pass& pass);
    double CentralDifference(int k, float x);
    // The parameters whose step is solved for: all but those on a bound
    // whose gradient points out of it.
    void FindFree();
    // Whether the accepted point is the minimum: the undamped step from it
    // moves no parameter by more than a relative 1e-8, or is predicted to
    // lower chi-squared by no more than `reduction` times chi-squared.
    bool AtMinimum(double reduction);
    // Adds to the damped `step` from `accepted` the correction for the
    // model's curvature along it, where that correction is small.
    void Accelerate(double lambda, const std::vector<double>& accepted, std::vector<double>& step);
    // The linear model's drop of chi-squared along `step`.
    double PredictedDrop(const std::vector<double>& step) const;
    // Whether the gradient is zero to within rounding.
    bool GradientVanishes() const;
    void SetValues(const std::vector<double>& values);
    void Report(FitObserver* observer, double chiSquare);

    Equation m_model;
    std::vector<FitParameter> m_params;
    FitData m_data;
    FitSettings m_settings;
    std::vector<Equation> m_derivatives;
    ModelProgram m_program;
    ModelProgram m_valueProgram;  // the model without its derivatives
    std::vector<double> m_values;  // the variable values the program runs with
    Pass m_accepted;
    Pass m_trial;
    std::vector<double> m_probeValues;
    std::vector<double> m_curvature;
    std::vector<double> m_valueBlock;
    std::vector<unsigned char> m_valueFailures;
    std::vector<double> m_weights;  // 1 / sigma of each point when weighted
    // The linearisation at the accepted point.
    std::vector<double> m_columns;   // weighted Jacobian by columns, then QR reflectors
    std::vector<double> m_rhs;       // weighted residuals, then Q^T r
    std::vector<double> m_q;         // the first n values of Q^T r
    FitMatrix m_r;
    std::vector<double> m_gradient;  // J^T r
    std::vector<double> m_norms;     // column norms of J
    std::vector<double> m_scale;     // the damping scale D
    std::vector<int> m_free;
    // Work areas, sized once.
    std::vector<double> m_blockResults;
    std::vector<unsigned char> m_blockFailures;
    std::vector<double*> m_results;  // one block row of m_blockResults per equation
    std::vector<unsigned char*> m_failed;
    std::vector<unsigned char> m_anyFailed;
};
