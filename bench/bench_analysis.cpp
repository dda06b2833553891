// Statistics, histogram, integration and the derivative of a ten-million-point
// set, against a plain traversal of the same points (the floor). Integration
// is measured on data in file order (traversed in descending x, recognised
// without a sort) and on shuffled data, where the copy is sorted.
#include "analysis/differences.h"
#include "analysis/histogram.h"
#include "analysis/integration.h"
#include "analysis/statistics.h"
#include "model/plot.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

static constexpr int kPoints = 10'000'000;

// A noisy sine over ascending x, added in file order.
static const Plot& OrderedPlot()
{
    static Plot plot = [] {
        Plot filled;
        std::mt19937 random(1);
        std::normal_distribution<float> noise(0, 0.1f);
        for (int i = 0; i < kPoints; ++i)
            filled.AddPoint(float(i) * 1e-3f, std::sin(float(i) * 1e-4f) + noise(random));
        return filled;
    }();
    return plot;
}

static const Plot& ShuffledPlot()
{
    static Plot plot = [] {
        std::vector<PlotPoint> points(OrderedPlot().m_points.begin(), OrderedPlot().m_points.end());
        std::shuffle(points.begin(), points.end(), std::mt19937(2));
        Plot filled;
        for (const PlotPoint& point : points)
            filled.AddPoint(point.x, point.y);
        return filled;
    }();
    return plot;
}

static void BM_Traverse(benchmark::State& state)
{
    const Plot& plot = OrderedPlot();
    for (auto _ : state) {
        double sum = 0;
        plot.m_points.ForEachFromTop([&sum](const PlotPoint& point) { sum += point.y; });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Traverse)->Unit(benchmark::kMillisecond);

static void BM_Statistics(benchmark::State& state)
{
    const Plot& plot = OrderedPlot();
    for (auto _ : state)
        benchmark::DoNotOptimize(StatisticsText(plot));
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Statistics)->Unit(benchmark::kMillisecond);

static void BM_Histogram(benchmark::State& state)
{
    const Plot& plot = OrderedPlot();
    HistogramBins bins;
    bins.start = -1.5f;
    bins.width = 3.0f / float(state.range(0));
    bins.count = int(state.range(0));
    bins.normalize = true;
    for (auto _ : state) {
        Plot result;
        BuildHistogram(plot, 0, bins, result);
        benchmark::DoNotOptimize(result.PointCount());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Histogram)->Arg(100)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

static void BM_IntegrateFileOrder(benchmark::State& state)
{
    const Plot& plot = OrderedPlot();
    for (auto _ : state) {
        double integral = 0;
        Integrate(plot, {}, integral);
        benchmark::DoNotOptimize(integral);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_IntegrateFileOrder)->Unit(benchmark::kMillisecond);

static void BM_IntegrateShuffled(benchmark::State& state)
{
    const Plot& plot = ShuffledPlot();
    for (auto _ : state) {
        double integral = 0;
        Integrate(plot, {true, 100.0f, 9000.0f}, integral);
        benchmark::DoNotOptimize(integral);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_IntegrateShuffled)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor for the shuffled case: sorting the same number of floats alone.
static void BM_SortFloats(benchmark::State& state)
{
    std::vector<float> xs;
    ShuffledPlot().m_points.ForEachFromTop([&xs](const PlotPoint& point) { xs.push_back(point.x); });
    for (auto _ : state) {
        std::vector<float> copy = xs;
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_SortFloats)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_Derivative(benchmark::State& state)
{
    const Plot& plot = OrderedPlot();
    for (auto _ : state) {
        Plot result;
        BuildDerivative(plot, 0, SlopePlacement::Centered, result);
        benchmark::DoNotOptimize(result.PointCount());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_Derivative)->Unit(benchmark::kMillisecond)->Iterations(3);
