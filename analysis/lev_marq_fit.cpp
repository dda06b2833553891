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

} // namespace

LevMarqFit::LevMarqFit(const Equation& model, std::vector<FitParameter> parameters, FitData data,
                       FitSettings settings)
    : m_model(model), m_params(std::move(parameters)), m_data(std::move(data)), m_settings(settings)
{
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
}

float LevMarqFit::ChiSquare(std::vector<float>& values, int& firstFailure)
{
    firstFailure = m_evaluator.Evaluate(m_model, m_data, values);
    if (firstFailure >= 0)
        return -1.0f;
    return ChiSquareOf(m_data, values);
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

void LevMarqFit::BuildAlphaBeta(FitMatrix& alpha, FitVector& beta)
{
    const int n = int(m_params.size());
    const int count = m_data.Count();
    m_blockResults.resize(std::size_t(n) * kFitBlock);
    m_blockFailures.resize(std::size_t(n) * kFitBlock);
    m_slopes.resize(std::size_t(n));
    m_alphaSums.assign(std::size_t(n) * std::size_t(n), 0.0);
    m_betaSums.assign(std::size_t(n), 0.0);
    for (int start = 0; start < count; start += kFitBlock) {
        const int size = std::min(kFitBlock, count - start);
        for (int k = 0; k < n; ++k)
            m_derivatives[std::size_t(k)].EvalMany(m_data.x.data() + start, size,
                                                   m_blockResults.data() + std::size_t(k) * kFitBlock,
                                                   m_blockFailures.data() + std::size_t(k) * kFitBlock);
        for (int i = 0; i < size; ++i) {
            const int point = start + i;
            for (int k = 0; k < n; ++k) {
                const std::size_t at = std::size_t(k) * kFitBlock + std::size_t(i);
                m_slopes[std::size_t(k)] = m_blockFailures[at]
                                               ? CentralDifference(k, m_data.x[std::size_t(point)])
                                               : float(m_blockResults[at]);
            }
            if (point == m_acceptedFailure)
                throw Error("Unable to compute function.", kSource, __LINE__);
            const float residual = m_data.y[std::size_t(point)] - m_accepted[std::size_t(point)];
            const float sigma = m_data.Sigma(point);
            const double weight = sigma != 0.0f ? 1.0 / (double(sigma) * double(sigma)) : 1.0;
            for (int j = 0; j < n; ++j) {
                const double slope = double(m_slopes[std::size_t(j)]) * weight;
                m_betaSums[std::size_t(j)] += double(residual) * slope;
                double* row = m_alphaSums.data() + std::size_t(j) * std::size_t(n);
                // The matrix is symmetric: the upper triangle is summed and mirrored.
                for (int k = j; k < n; ++k)
                    row[k] += slope * double(m_slopes[std::size_t(k)]);
            }
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

    float chiSquare = ChiSquare(m_accepted, m_acceptedFailure);
    Report(observer, chiSquare);
    bool plainCurrent = false;
    int iterations = 0;
    while (!cancel.load()) {
        if (!plainCurrent) {
            BuildAlphaBeta(plainAlpha, plainBeta);
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
            float trial = parameter.value + step;
            parameter.atMax = 0;
            parameter.atMin = 0;
            if (parameter.hasMax && trial > parameter.max) {
                parameter.atMax = 1;
                step = parameter.max - parameter.value;
                trial = parameter.max;
            }
            if (parameter.hasMin && trial < parameter.min) {
                parameter.atMin = 1;
                step = parameter.min - parameter.value;
                trial = parameter.min;
            }
            delta[std::size_t(k)] = step;
            m_model.SetVar(parameter.varIndex, trial);
        }
        if (cancel.load())
            return;

        int trialFailure = -1;
        const float trialChiSquare = ChiSquare(m_trial, trialFailure);
        Report(observer, chiSquare);
        bool converged = false;
        // A step into a region where the model cannot be computed, or whose
        // chi-squared is not a number, is no improvement.
        if (!(trialChiSquare <= chiSquare) || trialFailure >= 0) {
            lambda = 10.0f * lambda;
            for (const FitParameter& parameter : m_params)
                m_model.SetVar(parameter.varIndex, parameter.value);
        } else {
            lambda = 0.1f * lambda;
            for (int k = 0; k < n; ++k)
                m_params[std::size_t(k)].value += delta[std::size_t(k)];
            SetAccepted();
            std::swap(m_accepted, m_trial);
            m_acceptedFailure = trialFailure;
            plainCurrent = false;
            if (m_settings.tolerance > std::fabs(trialChiSquare - chiSquare)) {
                converged = true;
                BuildAlphaBeta(plainAlpha, plainBeta);
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
