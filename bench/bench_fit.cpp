// The curve fit and the function plot at scale: a three-parameter fit of
// a*exp(-b*x)+c to 10,000 and to 1,000,000 noisy points of 3*exp(-0.5x)+1
// from a = 1, b = 1, c = 0, and a 1,000,000-point plot of sin(x)/x. Baselines
// in the same run: one chi-squared pass evaluating point by point (Eval) and
// one evaluating a run of points together (EvalMany), and the derivative
// work of one step done as the plain formula does it (every derivative
// evaluated again for every product of alpha) against once per point.
#include "analysis/curve_fit.h"
#include "analysis/fit_data.h"
#include "analysis/function_plot.h"
#include "analysis/lev_marq_fit.h"
#include "analysis/set_selection.h"
#include "document/tarn_doc.h"
#include "model/messages.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

// Noisy points of 3 exp(-0.5 x) + 1 for x from 0 to 10.
FitData NoisyDecay(int count)
{
    FitData data;
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 0.05f);
    for (int i = 0; i < count; ++i) {
        const float x = 10.0f * float(i) / float(count - 1);
        data.x.push_back(x);
        data.y.push_back(3.0f * std::exp(-0.5f * x) + 1.0f + noise(random));
    }
    return data;
}

Equation Model()
{
    Equation model("a*exp(-b*x)+c");
    model.DefineIndepVar("x");
    model.Simplify();
    return model;
}

std::vector<FitParameter> Start(Equation& model)
{
    std::vector<FitParameter> parameters;
    const float start[] = {1.0f, 1.0f, 0.0f};  // a, b, c in order of appearance
    for (int i = 0, k = 0; i < model.NumVars(); ++i) {
        if (i == model.IndepVars().Get(0))
            continue;
        FitParameter parameter;
        parameter.varIndex = i;
        parameter.value = start[k++];
        parameter.hasValue = 1;
        model.SetVar(i, parameter.value);
        parameters.push_back(parameter);
    }
    return parameters;
}

void Fit(benchmark::State& state)
{
    const FitData data = NoisyDecay(int(state.range(0)));
    Equation model = Model();
    const std::vector<FitParameter> start = Start(model);
    const std::atomic<int> cancel{0};
    FitOutcome outcome;
    for (auto _ : state) {
        LevMarqFit fit(model, start, data, FitSettings{});
        outcome = fit.Run(cancel);
        benchmark::DoNotOptimize(outcome.chiSquare);
    }
    if (outcome.end != FitEnd::Converged)
        state.SkipWithError(outcome.message.c_str());
    state.counters["iterations"] = outcome.iterations;
    state.counters["points"] = double(data.Count());
}
BENCHMARK(Fit)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(Fit)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(5);

// One chi-squared pass over 10,000 points, point by point.
void ChiSquarePointByPoint(benchmark::State& state)
{
    const FitData data = NoisyDecay(10'000);
    Equation model = Model();
    Start(model);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < data.Count(); ++i) {
            const float r = data.y[std::size_t(i)] - float(model.Eval(data.x[std::size_t(i)]));
            sum += double(r) * double(r);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(ChiSquarePointByPoint)->Unit(benchmark::kMicrosecond);

// The same pass evaluating runs of points together.
void ChiSquareTogether(benchmark::State& state)
{
    const FitData data = NoisyDecay(10'000);
    Equation model = Model();
    Start(model);
    ModelValues evaluator;
    std::vector<double> values;
    for (auto _ : state) {
        evaluator.Evaluate(model, data, values);
        benchmark::DoNotOptimize(ChiSquareOf(data, values));
    }
}
BENCHMARK(ChiSquareTogether)->Unit(benchmark::kMicrosecond);

// Alpha of one step over 10,000 points as the plain formula sums it: each
// derivative evaluated afresh for every one of the n x n products.
void AlphaEveryProduct(benchmark::State& state)
{
    const FitData data = NoisyDecay(10'000);
    Equation model = Model();
    const std::vector<FitParameter> parameters = Start(model);
    std::vector<Equation> derivatives;
    for (const FitParameter& parameter : parameters) {
        derivatives.push_back(model.Deriv(parameter.varIndex));
        derivatives.back().Simplify();
    }
    const std::size_t n = derivatives.size();
    for (auto _ : state) {
        std::vector<double> alpha(n * n, 0.0);
        for (int i = 0; i < data.Count(); ++i) {
            const float x = data.x[std::size_t(i)];
            for (std::size_t j = 0; j < n; ++j)
                for (std::size_t k = 0; k < n; ++k)
                    alpha[j * n + k] += double(float(derivatives[j].Eval(x))) *
                                        double(float(derivatives[k].Eval(x)));
        }
        benchmark::DoNotOptimize(alpha.data());
    }
}
BENCHMARK(AlphaEveryProduct)->Unit(benchmark::kMicrosecond);

// The same alpha with each derivative evaluated once per point, together.
void AlphaOncePerPoint(benchmark::State& state)
{
    const FitData data = NoisyDecay(10'000);
    Equation model = Model();
    const std::vector<FitParameter> parameters = Start(model);
    std::vector<Equation> derivatives;
    for (const FitParameter& parameter : parameters) {
        derivatives.push_back(model.Deriv(parameter.varIndex));
        derivatives.back().Simplify();
    }
    const std::size_t n = derivatives.size();
    std::vector<std::vector<double>> slopes(n);
    ModelValues evaluator;
    for (auto _ : state) {
        for (std::size_t k = 0; k < n; ++k)
            evaluator.Evaluate(derivatives[k], data, slopes[k]);
        std::vector<double> alpha(n * n, 0.0);
        for (int i = 0; i < data.Count(); ++i)
            for (std::size_t j = 0; j < n; ++j)
                for (std::size_t k = j; k < n; ++k)
                    alpha[j * n + k] += double(slopes[j][std::size_t(i)]) * double(slopes[k][std::size_t(i)]);
        benchmark::DoNotOptimize(alpha.data());
    }
}
BENCHMARK(AlphaOncePerPoint)->Unit(benchmark::kMicrosecond);

// "OK" of the Equation Editor for sin(x)/x with 1,000,000 points, set and
// rescaling included.
void PlotFunction(benchmark::State& state)
{
    SilentMessages messages;
    FunctionRequest request;
    request.formula = "sin(x)/x";
    request.min = "-10";
    request.max = "10";
    request.points = "1000000";
    for (auto _ : state) {
        state.PauseTiming();
        CTarnDoc doc;
        state.ResumeTiming();
        const int index = PlotFunction(doc.CurrentGraph(), request, messages);
        benchmark::DoNotOptimize(index);
        state.PauseTiming();
        doc = CTarnDoc();
        state.ResumeTiming();
    }
}
BENCHMARK(PlotFunction)->Unit(benchmark::kMillisecond);

} // namespace
