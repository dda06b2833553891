// Evaluation speed of parsed, simplified equations: the compiled form that
// Equation::Eval(x) runs, against the element-by-element tree walk as the
// baseline in the same run. Counters give the tree size and the time per node.
#include "equation/eqelem.h"
#include "equation/equation.h"

#include <benchmark/benchmark.h>

#include <string>
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

namespace {

// "x0+x1+...": `count` distinct variables in a flat sum.
std::string DistinctSum(int count)
{
    std::string text = "x0";
    for (int i = 1; i < count; ++i)
        text += "+x" + std::to_string(i);
    return text;
}

// `count` copies of `term` joined by "+"; "#" in the term is replaced by the index.
std::string RepeatedSum(const std::string& term, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += '+';
        std::string piece = term;
        const std::size_t mark = piece.find('#');
        if (mark != std::string::npos)
            piece.replace(mark, 1, std::to_string(i + 1));
        text += piece;
    }
    return text;
}

void ReportOutcome(benchmark::State& state, const Equation& equation, const char* what)
{
    state.SetLabel(equation.m_message ? equation.m_message : what);
    state.counters["nodes"] = EqElem::Count(equation.Root());
}

// Parsing cost per variable: flat must mean linear in the number of names.
void ParseDistinctVariables(benchmark::State& state)
{
    const int count = int(state.range(0));
    const std::string text = DistinctSum(count);
    Equation equation;
    for (auto _ : state)
        equation.Parse(text.c_str());
    state.counters["us_per_variable"] = benchmark::Counter(
        double(state.iterations()) * count * 1e-6,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    ReportOutcome(state, equation, "parsed");
}

// A long text whose brackets nest too deeply, refused before any tree is built.
void RefuseDeepText(benchmark::State& state)
{
    const std::string text = std::string(1001, '(') + DistinctSum(100000) + std::string(1001, ')');
    Equation equation;
    for (auto _ : state)
        equation.Parse(text.c_str());
    state.counters["bytes"] = double(text.size());
    ReportOutcome(state, equation, "accepted");
}

void SimplifySum(benchmark::State& state, const char* term)
{
    const Equation source(RepeatedSum(term, int(state.range(0))).c_str());
    Equation simplified;
    for (auto _ : state) {
        simplified = source;
        simplified.Simplify();
    }
    ReportOutcome(state, simplified, "simplified");
}

void DeriveAndSimplifySum(benchmark::State& state, const char* term)
{
    Equation source(RepeatedSum(term, int(state.range(0))).c_str());
    source.DefineIndepVar("x");
    int variable = 0;
    while (variable < source.NumVars() && std::string(source.GetVarName(variable)) != "x")
        ++variable;
    Equation derivative;
    for (auto _ : state) {
        derivative = source.Deriv(variable);
        derivative.Simplify();
    }
    ReportOutcome(state, derivative, "derived");
}

} // namespace

BENCHMARK(ParseDistinctVariables)->Arg(10000)->Arg(30000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->MinTime(0.2);
BENCHMARK(RefuseDeepText)->Unit(benchmark::kMillisecond)->MinTime(0.2);
BENCHMARK_CAPTURE(SimplifySum, x_plus_x, "x")->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(0.1);
BENCHMARK_CAPTURE(SimplifySum, distinct, "x#")->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(0.1);
BENCHMARK_CAPTURE(SimplifySum, numbers, "#")->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(0.1);
BENCHMARK_CAPTURE(DeriveAndSimplifySum, x_plus_x, "x")->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(0.1);
BENCHMARK_CAPTURE(DeriveAndSimplifySum, coefficients, "x#*x")->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(0.1);
BENCHMARK_CAPTURE(DeriveAndSimplifySum, squares, "x#*x^2")->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(0.1);
