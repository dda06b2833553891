// Evaluation speed of parsed, simplified equations: the compiled form that
// Equation::Eval(x) runs, against the element-by-element tree walk as the
// baseline in the same run. Counters give the tree size and the time per node.
#include "equation/eqelem.h"
#include "equation/equation.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr const char* kShortFormula = "a*exp(-b*x)+c";
constexpr const char* kLongFormula = "a0+x*(a1+x*(a2+x*a3))+b*sin(w*x+p)*exp(-k*x)+c";

// The equation as a function plot uses it: simplified, x independent, every
// parameter set.
Equation Prepare(const char* text)
{
    Equation equation(text);
    equation.Simplify();
    equation.DefineIndepVar("x");
    for (int i = 0; i < equation.NumVars(); ++i)
        equation.SetVar(i, 0.25f + 0.125f * float(i));
    return equation;
}

void Report(benchmark::State& state, const Equation& equation)
{
    const double nodes = EqElem::Count(equation.Root());
    state.counters["nodes"] = nodes;
    state.counters["ns_per_eval"] = benchmark::Counter(
        double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["ns_per_node"] = benchmark::Counter(
        double(state.iterations()) * nodes,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void EvalCompiled(benchmark::State& state, const char* text)
{
    Equation equation = Prepare(text);
    float x = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(equation.Eval(x));
        x = x < 4.0f ? x + 0.001f : 0.0f;
    }
    if (equation.m_message)
        state.SkipWithError(equation.m_message);
    Report(state, equation);
}

void EvalTreeWalk(benchmark::State& state, const char* text)
{
    Equation equation = Prepare(text);
    std::vector<double> values;
    for (int i = 0; i < equation.NumVars(); ++i)
        values.push_back(equation.GetVar(i));
    const int independent = equation.IndepVars().Get(0);
    float x = 0.0f;
    for (auto _ : state) {
        values[std::size_t(independent)] = double(x);
        benchmark::DoNotOptimize(equation.Root()->Eval(values.data()));
        x = x < 4.0f ? x + 0.001f : 0.0f;
    }
    Report(state, equation);
}

void ParseAndSimplify(benchmark::State& state, const char* text)
{
    for (auto _ : state) {
        Equation equation(text);
        equation.Simplify();
        benchmark::DoNotOptimize(equation.Root());
    }
}

} // namespace

BENCHMARK_CAPTURE(EvalCompiled, short_formula, kShortFormula)->Iterations(10000000);
BENCHMARK_CAPTURE(EvalTreeWalk, short_formula, kShortFormula)->Iterations(10000000);
BENCHMARK_CAPTURE(EvalCompiled, thirty_nodes, kLongFormula)->Iterations(10000000);
BENCHMARK_CAPTURE(EvalTreeWalk, thirty_nodes, kLongFormula)->Iterations(10000000);
BENCHMARK_CAPTURE(ParseAndSimplify, thirty_nodes, kLongFormula);
