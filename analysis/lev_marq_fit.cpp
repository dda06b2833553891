#include "analysis/lev_marq_fit.h"

#include "model/error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <utility>

namespace {

const char* const kSource = "lev_marq_fit";
const char* const kVagueFailure = "A vauge and unspecified error has occured while fitting";
const char* const kDiscreteFailure = "Unable to compute discrete derivative!";

std::string ChiText(float chiSquare)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(chiSquare));
    return text;
}

// Alpha and beta sums over points where the model and every derivative
// could be evaluated, for N parameters: the sums live in registers, in the
// same order of addition as the general loop.
template <int N>
void SumAlphaBeta(const float* slopes, const float* values, const float* ys, const double* weights,
                  int count, double* alphaSums, double* betaSums)
{
    double alpha[N][N] = {};
    double beta[N] = {};
    for (int point = 0; point < count; ++point) {
        const float* slope = slopes + std::size_t(point) * N;
        const double residual = double(ys[point] - values[point]);
        const double weight = weights ? weights[point] : 1.0;
        for (int j = 0; j < N; ++j) {
            const double weighted = weights ? double(slope[j]) * weight : double(slope[j]);
            beta[j] += residual * weighted;
            for (int k = j; k < N; ++k)
                alpha[j][k] += weighted * double(slope[k]);
        }
    }
    for (int j = 0; j < N; ++j) {
        betaSums[j] = beta[j];
        for (int k = j; k < N; ++k)
            alphaSums[j * N + k] = alpha[j][k];
    }
}

} // namespace

LevMarqFit::LevMarqFit(const Equation& model, std::vector<FitParameter> parameters, FitData data,
                       FitSettings settings)
    : m_model(model), m_params(std::move(parameters)), m_data(std::move(data)), m_settings(settings)
{
    // 1 / sigma^2 of each point, once; a point whose error is 0 keeps the weight 1.
    if (m_data.Weighted()) {
        m_weights.reserve(m_data.sigma.size());
        for (float sigma : m_data.sigma)
            m_weights.push_back(sigma != 0.0f ? 1.0 / (double(sigma) * double(sigma)) : 1.0);
    }
}

FitOutcome LevMarqFit::Run(const std::atomic<int>& cancel, FitObserver* observer)
{
    FitOutcome outcome;
    try {
        Iterate(cancel, observer, outcome);
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
    m_values.assign(std::size_t(m_model.NumVars()), 0.0);
    for (int i = 0; i < m_model.NumVars(); ++i)
        if (m_model.IsSet(i))
            m_values[std::size_t(i)] = m_model.GetVar(i);
}

void LevMarqFit::Evaluate(Pass& pass)
{
    const int count = m_data.Count();
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
        m_program.Run(m_values.data(), m_data.x.data() + start, size, results, failed,
                      m_anyFailed.data());
        float* values = pass.values.data() + start;
        for (int i = 0; i < size; ++i)
            values[i] = float(results[0][i]);
        if (m_anyFailed[0] && pass.firstFailure < 0) {
            for (int i = 0; i < size; ++i) {
                if (failed[0][i]) {
                    pass.firstFailure = start + i;
                    break;
                }
            }
        }
        float* slopes = pass.slopes.data() + std::size_t(start) * n;
        for (std::size_t k = 0; k < n; ++k) {
            const double* column = results[k + 1];
            for (int i = 0; i < size; ++i)
                slopes[std::size_t(i) * n + k] = float(column[i]);
        }
        bool anySlopeFailed = false;
        for (std::size_t k = 0; k < n; ++k)
            anySlopeFailed = anySlopeFailed || m_anyFailed[k + 1];
        if (anySlopeFailed) {
            for (int i = 0; i < size; ++i)
                for (std::size_t k = 0; k < n; ++k)
                    if (failed[k + 1][i])
                        pass.slopeFailures.push_back(int((std::size_t(start + i)) * n + k));
        }
    }
    pass.chiSquare = pass.firstFailure >= 0 ? -1.0f : ChiSquareOf(m_data, pass.values);
}

void LevMarqFit::Report(FitObserver* observer, float chiSquare)
{
    if (observer)
        observer->Progress(m_model, ChiText(chiSquare));
}

float LevMarqFit::CentralDifference(int k, float x)
{
    const int variable = m_params[std::size_t(k)].varIndex;
    const float p = float(m_model.GetVar(variable));
    const float h = 1e-6f;
    float plus = p + h;
    float minus = p - h;
    // Where both perturbed values round back to p (a magnitude of about 32
    // and more) the difference could only ever say 0; step by the
    // parameter's own scale instead and divide by the step actually taken.
    const bool scaled = plus == minus;
    if (scaled) {
        const float step = std::fabs(p) * 1e-6f;
        plus = p + step;
        minus = p - step;
    }
    m_model.ClearMessage();
    m_model.SetVar(variable, plus);
    const double high = double(m_model.Eval(x));
    const bool highFailed = m_model.m_message != nullptr;
    m_model.SetVar(variable, minus);
    const double low = double(m_model.Eval(x));
    const bool lowFailed = m_model.m_message != nullptr;
    m_model.SetVar(variable, p);
    m_model.ClearMessage();
    if (highFailed || lowFailed)
        throw kDiscreteFailure;
    const float slope = scaled ? float((high - low) / (double(plus) - double(minus)))
                               : float((high - low) * 500000.0);
    if (!std::isfinite(slope))
        throw kDiscreteFailure;  // "Bad discrete derivative"
    return slope;
}

void LevMarqFit::BuildAlphaBeta(const Pass& pass, FitMatrix& alpha, FitVector& beta)
{
    const int n = int(m_params.size());
    const int count = m_data.Count();
    m_alphaSums.assign(std::size_t(n) * std::size_t(n), 0.0);
    m_betaSums.assign(std::size_t(n), 0.0);
    m_ownSlopes.resize(std::size_t(n));
    float* own = m_ownSlopes.data();
    auto failure = pass.slopeFailures.begin();
    const bool weighted = !m_weights.empty();
    const bool clean = pass.slopeFailures.empty() && pass.firstFailure < 0;
    const double* weights = weighted ? m_weights.data() : nullptr;
    auto sum = [&](auto kernel) {
        kernel(pass.slopes.data(), pass.values.data(), m_data.y.data(), weights, count,
               m_alphaSums.data(), m_betaSums.data());
    };
    if (clean && n >= 1 && n <= 4) {
        switch (n) {
        case 1: sum(SumAlphaBeta<1>); break;
        case 2: sum(SumAlphaBeta<2>); break;
        case 3: sum(SumAlphaBeta<3>); break;
        case 4: sum(SumAlphaBeta<4>); break;
        }
    }
    for (int point = (clean && n >= 1 && n <= 4) ? count : 0; point < count; ++point) {
        const std::size_t first = std::size_t(point) * std::size_t(n);
        const float* slope = pass.slopes.data() + first;
        if (failure != pass.slopeFailures.end() && *failure < int(first) + n) {
            // Some derivative failed here: copy the slopes, with central
            // differences in their places.
            for (int k = 0; k < n; ++k) {
                if (failure != pass.slopeFailures.end() && *failure == int(first) + k) {
                    ++failure;
                    own[k] = CentralDifference(k, m_data.x[std::size_t(point)]);
                } else {
                    own[k] = slope[k];
                }
            }
            slope = own;
        }
        if (point == pass.firstFailure)
            throw Error("Unable to compute function.", kSource, __LINE__);
        const double residual = double(m_data.y[std::size_t(point)] - pass.values[std::size_t(point)]);
        const double weight = weighted ? m_weights[std::size_t(point)] : 1.0;
        for (int j = 0; j < n; ++j) {
            const double weightedSlope = weighted ? double(slope[j]) * weight : double(slope[j]);
            m_betaSums[std::size_t(j)] += residual * weightedSlope;
            double* row = m_alphaSums.data() + std::size_t(j) * std::size_t(n);
            // The matrix is symmetric: the upper triangle is summed and mirrored.
            for (int k = j; k < n; ++k)
                row[k] += weightedSlope * double(slope[k]);
        }
    }
    for (int j = 0; j < n; ++j) {
        beta(j + 1) = float(m_betaSums[std::size_t(j)]);
        for (int k = j; k < n; ++k) {
            const float sum = float(m_alphaSums[std::size_t(j) * std::size_t(n) + std::size_t(k)]);
            alpha(j + 1, k + 1) = sum;
            alpha(k + 1, j + 1) = sum;
        }
    }
}

void LevMarqFit::SetAccepted()
{
    for (const FitParameter& parameter : m_params) {
        m_model.SetVar(parameter.varIndex, parameter.value);
        m_values[std::size_t(parameter.varIndex)] = double(parameter.value);
        for (Equation& derivative : m_derivatives)
            derivative.SetVar(parameter.varIndex, parameter.value);
    }
}

void LevMarqFit::Iterate(const std::atomic<int>& cancel, FitObserver* observer, FitOutcome& outcome)
{
    outcome.end = FitEnd::Cancelled;
    MakeDerivatives();
    const int n = int(m_params.size());
    float lambda = 0.001f;
    FitMatrix plainAlpha(n, n, 0.0f), alpha(n, n, 0.0f);
    FitVector plainBeta(n, 0.0f), beta(n, 0.0f);
    PivotVector pivot(n, 0);
    std::vector<float> delta(static_cast<std::size_t>(n));
    std::vector<float> trial(static_cast<std::size_t>(n));

    Evaluate(m_accepted);
    float chiSquare = m_accepted.chiSquare;
    Report(observer, chiSquare);
    bool plainCurrent = false;
    int iterations = 0;
    while (!cancel.load()) {
        if (!plainCurrent) {
            BuildAlphaBeta(m_accepted, plainAlpha, plainBeta);
            plainCurrent = true;
        }
        alpha = plainAlpha;
        beta = plainBeta;
        for (int k = 1; k <= n; ++k)
            alpha(k, k) *= 1.0f + lambda;
        if (!LUFactor(alpha, pivot))
            throw Error("LU_factor: Failed to factor alpha", kSource, __LINE__);
        LUSolve(alpha, pivot, beta);

        for (int k = 0; k < n; ++k) {
            FitParameter& parameter = m_params[std::size_t(k)];
            float step = beta(k + 1);
            float value = parameter.value + step;
            parameter.atMax = 0;
            parameter.atMin = 0;
            if (parameter.hasMax && value > parameter.max) {
                parameter.atMax = 1;
                step = parameter.max - parameter.value;
                value = parameter.max;
            }
            if (parameter.hasMin && value < parameter.min) {
                parameter.atMin = 1;
                step = parameter.min - parameter.value;
                value = parameter.min;
            }
            delta[std::size_t(k)] = step;
            trial[std::size_t(k)] = value;
            m_model.SetVar(parameter.varIndex, value);
            m_values[std::size_t(parameter.varIndex)] = double(value);
        }
        if (cancel.load())
            return;

        Evaluate(m_trial);
        const float trialChiSquare = m_trial.chiSquare;
        Report(observer, chiSquare);
        bool converged = false;
        // A step into a region where the model cannot be computed, or whose
        // chi-squared is not a number, is no improvement.
        if (!(trialChiSquare <= chiSquare) || m_trial.firstFailure >= 0) {
            lambda = 10.0f * lambda;
            for (const FitParameter& parameter : m_params) {
                m_model.SetVar(parameter.varIndex, parameter.value);
                m_values[std::size_t(parameter.varIndex)] = double(parameter.value);
            }
        } else {
            lambda = 0.1f * lambda;
            bool moved = false;
            for (int k = 0; k < n; ++k) {
                FitParameter& parameter = m_params[std::size_t(k)];
                parameter.value += delta[std::size_t(k)];
                // Held at a bound, value + (bound - value) may round off the bound.
                moved = moved || parameter.value != trial[std::size_t(k)];
            }
            SetAccepted();
            if (moved)
                Evaluate(m_accepted);
            else
                std::swap(m_accepted, m_trial);
            plainCurrent = false;
            if (m_settings.tolerance > std::fabs(trialChiSquare - chiSquare)) {
                converged = true;
                BuildAlphaBeta(m_accepted, plainAlpha, plainBeta);
                plainCurrent = true;
            }
            chiSquare = trialChiSquare;
        }
        ++iterations;
        if (iterations > m_settings.maxIterations)
            throw Error("Maximum number of iterations exceeded!", kSource, __LINE__);
        if (converged && !cancel.load()) {
            FitMatrix covariance = plainAlpha;
            InvertMatrix(covariance);
            outcome.errors.clear();
            for (int k = 1; k <= n; ++k)
                outcome.errors.push_back(std::sqrt(std::fabs(covariance(k, k))));
            outcome.end = FitEnd::Converged;
            outcome.iterations = iterations;
            outcome.chiSquare = chiSquare;
            return;
        }
    }
}
