#include "analysis/lev_marq_fit.h"

#include "model/error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

const char* const kFitIterationLimit = "Maximum number of iterations exceeded!";
const char* const kFitSingular = "LU_factor: Failed to factor alpha";
const char* const kFitNoProgress =
    "The fit did not converge: no step lowers chi squared any further, yet this is "
    "no minimum (a parameter may have lost its influence on the model; try other "
    "initial estimates).";

namespace {

const char* const kSource = "lev_marq_fit";
const char* const kVagueFailure = "A vauge and unspecified error has occured while fitting";
const char* const kDiscreteFailure = "Unable to compute discrete derivative!";

// Lambda below which a step is long enough for its curvature to matter.
constexpr double kAccelerateBelow = 0.01;
// A step whose drop of chi-squared came this close to the linear model's
// prediction needs no correction for curvature on the next one.
constexpr double kLinearAgreement = 0.95;
// Lambda beyond which no damped step can change a parameter by a rounding
// unit: the fit cannot go on.
constexpr double kLargestLambda = 1e20;
// Lambda stays above this, so that a step never loses its damping entirely.
constexpr double kSmallestLambda = 1e-15;
// A chi-squared drop this small, relative to chi-squared, has settled.
constexpr double kChiSquareSettled = 1e-10;
// An undamped step this small, relative to each parameter, has settled.
constexpr double kStepSettled = 1e-8;
// The undamped step's predicted drop of chi-squared, relative to
// chi-squared, below which the point is the minimum: the parameters are
// then within about 1e-6 standard errors of it.
constexpr double kMinimumReduction = 1e-12;
// The same where no step can lower chi-squared any more: only rounding stands
// between the point and the minimum.
constexpr double kRoundedReduction = 1e-8;
// Below this cosine between each Jacobian column and the residuals, the
// gradient is zero to within rounding.
constexpr double kGradientVanishes = 1e-7;

std::string ChiText(double chiSquare)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", chiSquare);
    return text;
}

// Runs `work` on a new outcome; a failure becomes its message: an
// `Error`'s text, an engine text as it is, anything else the vague one.
template <class Work>
FitOutcome Guarded(Work work)
{
    FitOutcome outcome;
    try {
        work(outcome);
    } catch (const Error& error) {
        outcome.end = FitEnd::Failed;
        outcome.message = error.Text();
    } catch (const char* text) {
        outcome.end = FitEnd::Failed;
        outcome.message = text ? text : kVagueFailure;
    } catch (...) {
        outcome.end = FitEnd::Failed;
        outcome.message = kVagueFailure;
    }
    return outcome;
}

double Clamp(const FitParameter& parameter, double value)
{
    if (parameter.hasMax && value > parameter.max)
        value = parameter.max;
    if (parameter.hasMin && value < parameter.min)
        value = parameter.min;
    return value;
}

} // namespace

LevMarqFit::LevMarqFit(const Equation& model, std::vector<FitParameter> parameters, FitData data,
                       FitSettings settings)
    : m_model(model), m_params(std::move(parameters)), m_data(std::move(data)), m_settings(settings)
{
    if (m_data.Weighted()) {
        m_weights.reserve(m_data.sigma.size());
        for (std::size_t i = 0; i < m_data.sigma.size(); ++i)
            m_weights.push_back(ResidualWeight(m_data, i));
    }
}

FitOutcome LevMarqFit::Run(const std::atomic<int>& cancel, FitObserver* observer)
{
    return Guarded([&](FitOutcome& outcome) { Iterate(cancel, observer, outcome); });
}

void LevMarqFit::MakeDerivatives()
{
    m_derivatives.clear();
    for (const FitParameter& parameter : m_params) {
        Equation derivative = m_model.Deriv(parameter.varIndex);
        if (!derivative.IsValid(1))
            throw Error("Unable to compute derivative", kSource, __LINE__);
        if (m_settings.simplify) {
            derivative.Simplify();
            if (!derivative.IsValid(1))
                throw Error("Unable to simplify derivative", kSource, __LINE__);
        }
        m_derivatives.push_back(std::move(derivative));
    }
    std::vector<const Equation*> equations{&m_model};
    for (const Equation& derivative : m_derivatives)
        equations.push_back(&derivative);
    const int independent = m_model.IndepVars().Count() == 1 ? m_model.IndepVars().Get(0) : -1;
    m_program.Compile(equations, m_model.NumVars(), independent);
    m_valueProgram.Compile({&m_model}, m_model.NumVars(), independent);
    m_values.assign(std::size_t(m_model.NumVars()), 0.0);
    for (int i = 0; i < m_model.NumVars(); ++i)
        if (m_model.IsSet(i))
            m_values[std::size_t(i)] = m_model.GetVar(i);
    for (const FitParameter& parameter : m_params)
        m_values[std::size_t(parameter.varIndex)] = parameter.value;
}

void LevMarqFit::Evaluate(Pass& pass)
{
    EvaluateAt(m_data.x.data(), m_data.Count(), pass);
    pass.chiSquare = pass.firstFailure >= 0 ? -1.0 : ChiSquareOf(m_data, pass.values);
}

void LevMarqFit::EvaluateAt(const float* x, int count, Pass& pass)
{
    const std::size_t n = m_params.size();
    const std::size_t outputs = n + 1;
    constexpr int kBlock = ModelProgram::kBlock;
    if (m_results.size() != outputs) {
        m_blockResults.resize(outputs * kBlock);
        m_blockFailures.resize(outputs * kBlock);
        m_results.resize(outputs);
        m_failed.resize(outputs);
        for (std::size_t e = 0; e < outputs; ++e) {
            m_results[e] = m_blockResults.data() + e * kBlock;
            m_failed[e] = m_blockFailures.data() + e * kBlock;
        }
    }
    double* const* results = m_results.data();
    unsigned char* const* failed = m_failed.data();
    pass.values.resize(std::size_t(count));
    pass.slopes.resize(std::size_t(count) * n);
    pass.slopeFailures.clear();
    pass.firstFailure = -1;
    m_anyFailed.resize(outputs);
    for (int start = 0; start < count; start += kBlock) {
        const int size = std::min(kBlock, count - start);
        m_program.Run(m_values.data(), x + start, size, results, failed,
                      m_anyFailed.data());
        std::copy(results[0], results[0] + size, pass.values.data() + start);
        if (m_anyFailed[0] && pass.firstFailure < 0) {
            for (int i = 0; i < size; ++i) {
                if (failed[0][i]) {
                    pass.firstFailure = start + i;
                    break;
                }
            }
        }
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t first = k * std::size_t(count) + std::size_t(start);
            std::copy(results[k + 1], results[k + 1] + size, pass.slopes.data() + first);
            if (m_anyFailed[k + 1])
                for (int i = 0; i < size; ++i)
                    if (failed[k + 1][i])
                        pass.slopeFailures.push_back(first + std::size_t(i));
        }
    }
    pass.chiSquare = -1.0;
}

void LevMarqFit::Report(FitObserver* observer, double chiSquare)
{
    if (observer)
        observer->Progress(m_model, ChiText(chiSquare));
}

double LevMarqFit::CentralDifference(int k, float x)
{
    const int variable = m_params[std::size_t(k)].varIndex;
    const double p = m_model.GetVar(variable);
    // The cube root of the double's precision balances the truncation of
    // the difference against the rounding of the two values.
    const double h = 6e-6 * (p != 0.0 ? std::fabs(p) : 1.0);
    const double plus = p + h;
    const double minus = p - h;
    m_model.ClearMessage();
    m_model.SetVarExact(variable, plus);
    const double high = double(m_model.Eval(x));
    const bool highFailed = m_model.m_message != nullptr;
    m_model.SetVarExact(variable, minus);
    const double low = double(m_model.Eval(x));
    const bool lowFailed = m_model.m_message != nullptr;
    m_model.SetVarExact(variable, p);
    m_model.ClearMessage();
    if (highFailed || lowFailed)
        throw kDiscreteFailure;
    const double slope = (high - low) / (plus - minus);
    if (!std::isfinite(slope))
        throw kDiscreteFailure;  // "Bad discrete derivative"
    return slope;
}

void LevMarqFit::Linearise(Pass& pass)
{
    const int count = m_data.Count();
    const int n = int(m_params.size());
    if (pass.firstFailure >= 0)
        throw Error("Unable to compute function.", kSource, __LINE__);
    for (std::size_t place : pass.slopeFailures) {
        const int k = int(place / std::size_t(count));
        const std::size_t point = place % std::size_t(count);
        pass.slopes[place] = CentralDifference(k, m_data.x[point]);
    }
    pass.slopeFailures.clear();
    m_columns.resize(pass.slopes.size());
    m_rhs.resize(std::size_t(count));
    const bool weighted = !m_weights.empty();
    for (int i = 0; i < count; ++i) {
        const double weight = weighted ? m_weights[std::size_t(i)] : 1.0;
        m_rhs[std::size_t(i)] = (double(m_data.y[std::size_t(i)]) - pass.values[std::size_t(i)]) * weight;
    }
    m_gradient.assign(std::size_t(n), 0.0);
    m_norms.assign(std::size_t(n), 0.0);
    m_scale.resize(std::size_t(n), 0.0);
    for (int k = 0; k < n; ++k) {
        const std::size_t first = std::size_t(k) * std::size_t(count);
        double gradient = 0.0;
        double norm = 0.0;
        for (int i = 0; i < count; ++i) {
            const double weight = weighted ? m_weights[std::size_t(i)] : 1.0;
            const double value = pass.slopes[first + std::size_t(i)] * weight;
            m_columns[first + std::size_t(i)] = value;
            gradient += value * m_rhs[std::size_t(i)];
            norm += value * value;
        }
        m_gradient[std::size_t(k)] = gradient;
        m_norms[std::size_t(k)] = std::sqrt(norm);
        m_scale[std::size_t(k)] = std::max(m_scale[std::size_t(k)], m_norms[std::size_t(k)]);
    }
    FactorQR(m_columns, count, n, m_rhs, m_r);
    m_q.assign(m_rhs.begin(), m_rhs.begin() + std::min(n, count));
    m_q.resize(std::size_t(n), 0.0);
}

void LevMarqFit::FindFree()
{
    m_free.clear();
    for (std::size_t k = 0; k < m_params.size(); ++k) {
        FitParameter& parameter = m_params[k];
        // The gradient J^T r points where chi-squared falls.
        const double downhill = m_gradient[k];
        parameter.atMax = parameter.hasMax && parameter.value >= parameter.max;
        parameter.atMin = parameter.hasMin && parameter.value <= parameter.min;
        const bool held = (parameter.atMax && downhill > 0.0) || (parameter.atMin && downhill < 0.0);
        if (!held)
            m_free.push_back(int(k));
    }
}

double LevMarqFit::PredictedDrop(const std::vector<double>& step) const
{
    // The linear model's drop of chi-squared along `step`: 2 g.d - |J d|^2,
    // with |J d| = |R d|.
    const int n = int(m_params.size());
    double slope = 0.0;
    double curvature = 0.0;
    for (int i = 1; i <= n; ++i) {
        double row = 0.0;
        for (int j = i; j <= n; ++j)
            row += m_r(i, j) * step[std::size_t(j - 1)];
        curvature += row * row;
        slope += m_gradient[std::size_t(i - 1)] * step[std::size_t(i - 1)];
    }
    return 2.0 * slope - curvature;
}

bool LevMarqFit::AtMinimum(double reduction)
{
    const double chiSquare = m_accepted.chiSquare;
    if (chiSquare == 0.0)
        return true;
    std::vector<double> step;
    // Where the undamped problem is singular, a whisper of damping picks
    // the shortest of its steps.
    if (!SolveDamped(m_r, m_q, m_free, m_scale, 0.0, step) &&
        !SolveDamped(m_r, m_q, m_free, m_scale, 1e-12, step))
        return false;
    // The step as the bounds let it be taken; the linear model's drop of
    // chi-squared along it is 2 g.d - |J d|^2, with |J d| = |R d|.
    const int n = int(m_params.size());
    bool small = true;
    for (int k = 0; k < n; ++k) {
        const FitParameter& parameter = m_params[std::size_t(k)];
        const double value = parameter.value;
        step[std::size_t(k)] = Clamp(parameter, value + step[std::size_t(k)]) - value;
        small = small && std::fabs(step[std::size_t(k)]) <= kStepSettled * std::fabs(value);
    }
    return small || PredictedDrop(step) <= reduction * chiSquare;
}

void LevMarqFit::Accelerate(double lambda, const std::vector<double>& accepted, std::vector<double>& step)
{
    // The model's second derivative along the step, from one probe of the
    // model alone a tenth of the way, corrects the step for the curvature of
    // the valley it runs along (geodesic acceleration).
    const std::size_t n = m_params.size();
    const std::size_t count = std::size_t(m_data.Count());
    for (std::size_t k = 1; k <= n; ++k)
        if (m_r(int(k), int(k)) == 0.0)
            return;
    constexpr double kProbe = 0.1;
    std::vector<double> probe(n);
    for (std::size_t k = 0; k < n; ++k)
        probe[k] = accepted[k] + kProbe * step[k];
    SetValues(probe);
    const bool computed = EvaluateValues(m_probeValues);
    SetValues(accepted);
    if (!computed)
        return;
    // f_vv = 2 / h ((f(p + h v) - f(p)) / h - J v), weighted as the residuals.
    m_curvature.assign(count, 0.0);
    for (std::size_t k = 0; k < n; ++k) {
        const double* slope = m_accepted.slopes.data() + k * count;
        const double along = step[k];
        for (std::size_t i = 0; i < count; ++i)
            m_curvature[i] -= slope[i] * along;
    }
    const bool weighted = !m_weights.empty();
    for (std::size_t i = 0; i < count; ++i) {
        const double weight = weighted ? m_weights[i] * m_weights[i] : 1.0;
        m_curvature[i] = weight * 2.0 / kProbe *
                         ((m_probeValues[i] - m_accepted.values[i]) / kProbe + m_curvature[i]);
    }
    // The damped solve needs the first n values of Q^T (-W f_vv), which is
    // R^-T J^T (-W f_vv): n sums over the points and a triangular solve.
    std::vector<double> target(n, 0.0);
    for (std::size_t k = 0; k < n; ++k) {
        const double* slope = m_accepted.slopes.data() + k * count;
        double sum = 0.0;
        for (std::size_t i = 0; i < count; ++i)
            sum -= slope[i] * m_curvature[i];
        target[k] = sum;
    }
    for (std::size_t i = 0; i < n; ++i) {
        double sum = target[i];
        for (std::size_t j = 0; j < i; ++j)
            sum -= m_r(int(j + 1), int(i + 1)) * target[j];
        target[i] = sum / m_r(int(i + 1), int(i + 1));
    }
    std::vector<double> acceleration;
    if (!SolveDamped(m_r, target, m_free, m_scale, lambda, acceleration))
        return;
    double velocity = 0.0;
    double correction = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        velocity += (m_scale[k] * step[k]) * (m_scale[k] * step[k]);
        correction += (m_scale[k] * acceleration[k]) * (m_scale[k] * acceleration[k]);
    }
    // A correction as large as the step itself means the quadratic picture
    // no longer holds: keep the plain step.
    if (!(2.0 * std::sqrt(correction) <= 0.75 * std::sqrt(velocity)))
        return;
    for (std::size_t k = 0; k < n; ++k)
        step[k] += 0.5 * acceleration[k];
}

bool LevMarqFit::EvaluateValues(std::vector<double>& values)
{
    const int count = m_data.Count();
    constexpr int kBlock = ModelProgram::kBlock;
    values.resize(std::size_t(count));
    m_valueBlock.resize(kBlock);
    m_valueFailures.resize(kBlock);
    double* results[] = {m_valueBlock.data()};
    unsigned char* failed[] = {m_valueFailures.data()};
    unsigned char anyFailed = 0;
    for (int start = 0; start < count; start += kBlock) {
        const int size = std::min(kBlock, count - start);
        m_valueProgram.Run(m_values.data(), m_data.x.data() + start, size, results, failed, &anyFailed);
        if (anyFailed)
            return false;
        std::copy(m_valueBlock.data(), m_valueBlock.data() + size, values.data() + start);
    }
    return true;
}

bool LevMarqFit::GradientVanishes() const
{
    const double residual = std::sqrt(std::max(m_accepted.chiSquare, 0.0));
    if (residual == 0.0)
        return true;
    for (int k : m_free) {
        const double norm = m_norms[std::size_t(k)];
        if (norm > 0.0 && std::fabs(m_gradient[std::size_t(k)]) > kGradientVanishes * norm * residual)
            return false;
    }
    return true;
}

void LevMarqFit::SetValues(const std::vector<double>& values)
{
    for (std::size_t k = 0; k < m_params.size(); ++k) {
        const int variable = m_params[k].varIndex;
        m_model.SetVarExact(variable, values[k]);
        m_values[std::size_t(variable)] = values[k];
    }
}

void LevMarqFit::Iterate(const std::atomic<int>& cancel, FitObserver* observer, FitOutcome& outcome)
{
    outcome.end = FitEnd::Cancelled;
    MakeDerivatives();
    const std::size_t n = m_params.size();
    double lambda = 0.001;
    std::vector<double> step;
    std::vector<double> accepted(n);
    std::vector<double> trial(n);
    for (std::size_t k = 0; k < n; ++k)
        accepted[k] = m_params[k].value;

    Evaluate(m_accepted);
    double chiSquare = m_accepted.chiSquare;
    Report(observer, chiSquare);
    bool linearised = false;
    double agreement = 0.0;  // actual over predicted drop of the last step
    int iterations = 0;
    while (!cancel.load()) {
        if (!linearised) {
            Linearise(m_accepted);
            linearised = true;
        }
        FindFree();
        if (!SolveDamped(m_r, m_q, m_free, m_scale, lambda, step))
            throw Error(kFitSingular, kSource, __LINE__);
        // Curvature matters for long, nearly undamped steps that the linear
        // model did not predict well last time.
        if (lambda < kAccelerateBelow && !(agreement >= kLinearAgreement))
            Accelerate(lambda, accepted, step);
        const double predicted = PredictedDrop(step);
        for (std::size_t k = 0; k < n; ++k)
            trial[k] = Clamp(m_params[k], accepted[k] + step[k]);
        SetValues(trial);
        if (cancel.load())
            return;

        Evaluate(m_trial);
        const double trialChiSquare = m_trial.chiSquare;
        Report(observer, chiSquare);
        bool converged = false;
        // A step into a region where the model cannot be computed, or whose
        // chi-squared is not a number, is no improvement; nor is one that
        // leaves chi-squared as it was, which would otherwise let rounding
        // wander on for ever.
        agreement = predicted > 0.0 ? (chiSquare - trialChiSquare) / predicted : 0.0;
        if (!(trialChiSquare < chiSquare) || m_trial.firstFailure >= 0) {
            lambda *= 10.0;
            SetValues(accepted);
            converged = AtMinimum(kMinimumReduction);
            if (!converged && lambda > kLargestLambda) {
                if (!AtMinimum(kRoundedReduction) && !GradientVanishes())
                    throw Error(kFitNoProgress, kSource, __LINE__);
                converged = true;
            }
        } else {
            lambda = std::max(0.1 * lambda, kSmallestLambda);
            const double drop = chiSquare - trialChiSquare;
            accepted = trial;
            for (std::size_t k = 0; k < n; ++k)
                m_params[k].value = accepted[k];
            std::swap(m_accepted, m_trial);
            chiSquare = trialChiSquare;
            linearised = false;
            if (drop < m_settings.tolerance || drop <= kChiSquareSettled * (chiSquare + drop)) {
                Linearise(m_accepted);
                linearised = true;
                FindFree();
                converged = AtMinimum(kMinimumReduction);
            }
        }
        ++iterations;
        if (iterations > m_settings.maxIterations)
            throw Error(kFitIterationLimit, kSource, __LINE__);
        if (converged && !cancel.load()) {
            FindFree();
            Polish(accepted, chiSquare);
            Conclude(outcome, iterations, chiSquare);
            return;
        }
    }
}

void LevMarqFit::Polish(std::vector<double>& accepted, double& chiSquare)
{
    // One undamped step from the minimum takes the last digits that the
    // damping left; it is kept only where it does not raise chi-squared
    // beyond rounding.
    std::vector<double> step;
    if (!SolveDamped(m_r, m_q, m_free, m_scale, 0.0, step))
        return;
    std::vector<double> polished(accepted.size());
    for (std::size_t k = 0; k < accepted.size(); ++k)
        polished[k] = Clamp(m_params[k], accepted[k] + step[k]);
    SetValues(polished);
    Evaluate(m_trial);
    // At the minimum the two chi-squared values may differ only by rounding.
    if (m_trial.firstFailure >= 0 || !(m_trial.chiSquare <= chiSquare * (1.0 + 1e-14))) {
        SetValues(accepted);
        return;
    }
    accepted = polished;
    for (std::size_t k = 0; k < accepted.size(); ++k)
        m_params[k].value = accepted[k];
    std::swap(m_accepted, m_trial);
    chiSquare = m_accepted.chiSquare;
    Linearise(m_accepted);
    FindFree();
}

void LevMarqFit::Conclude(FitOutcome& outcome, int iterations, double chiSquare)
{
    if (!CovarianceFromR(m_r, outcome.covariance))
        throw Error("InvertMatrix: Failed to factor matrix", kSource, __LINE__);
    outcome.errors.clear();
    for (int k = 1; k <= outcome.covariance.num_rows(); ++k)
        outcome.errors.push_back(std::sqrt(std::fabs(outcome.covariance(k, k))));
    outcome.end = FitEnd::Converged;
    outcome.iterations = iterations;
    outcome.chiSquare = chiSquare;
}

FitOutcome LevMarqFit::Linearisation()
{
    return Guarded([&](FitOutcome& outcome) {
        MakeDerivatives();
        Evaluate(m_accepted);
        Linearise(m_accepted);
        FindFree();
        Conclude(outcome, 0, m_accepted.chiSquare);
    });
}

void LevMarqFit::GradientAt(const std::vector<float>& x, std::vector<double>& values,
                            std::vector<double>& slopes, std::vector<unsigned char>& failed)
{
    if (m_derivatives.size() != m_params.size() || m_values.empty())
        MakeDerivatives();
    Pass pass;
    const int count = int(x.size());
    EvaluateAt(x.data(), count, pass);
    failed.assign(x.size(), 0);
    // Where the model itself fails there is nothing to differentiate.
    for (int i = 0; i < count; ++i) {
        m_model.ClearMessage();
        if (i >= pass.firstFailure && pass.firstFailure >= 0) {
            m_model.Eval(x[std::size_t(i)]);
            failed[std::size_t(i)] = m_model.m_message != nullptr;
        }
    }
    m_model.ClearMessage();
    for (std::size_t place : pass.slopeFailures) {
        const std::size_t point = place % x.size();
        if (!failed[point])
            pass.slopes[place] = CentralDifference(int(place / x.size()), x[point]);
    }
    values = std::move(pass.values);
    slopes = std::move(pass.slopes);
}
