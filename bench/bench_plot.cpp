// Data-set chains: adding, traversing and copying ten million points, against
// a plain std::vector (the floor) and a node-per-point chain (the old design).
#include "model/plot.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <forward_list>
#include <unistd.h>
#include <vector>

static constexpr int kPoints = 10'000'000;

static long ResidentBytes()
{
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

static void BM_PlotAddPoints(benchmark::State& state)
{
    double bytesPerPoint = 0, residentPerPoint = 0;
    for (auto _ : state) {
        const long before = ResidentBytes();
        Plot plot;
        for (int i = 0; i < kPoints; ++i)
            plot.AddPoint(float(i), float(i) * 0.5f);
        benchmark::DoNotOptimize(plot.PointCount());
        bytesPerPoint = double(plot.HeldBytes()) / kPoints;
        residentPerPoint = double(ResidentBytes() - before) / kPoints;
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.counters["held_bytes_per_point"] = bytesPerPoint;
    state.counters["resident_bytes_per_point"] = residentPerPoint;
}
BENCHMARK(BM_PlotAddPoints)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_VectorPushBack(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<PlotPoint> points;
        for (int i = 0; i < kPoints; ++i)
            points.push_back({float(i), float(i) * 0.5f});
        benchmark::DoNotOptimize(points.data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_VectorPushBack)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_NodeChainPush(benchmark::State& state)
{
    for (auto _ : state) {
        std::forward_list<PlotPoint> points;
        for (int i = 0; i < kPoints; ++i)
            points.push_front({float(i), float(i) * 0.5f});
        benchmark::DoNotOptimize(&points);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_NodeChainPush)->Unit(benchmark::kMillisecond)->Iterations(3);

static const Plot& BigPlot()
{
    static Plot plot = [] {
        Plot filled;
        for (int i = 0; i < kPoints; ++i)
            filled.AddPoint(float(i), float(i) * 0.5f);
        return filled;
    }();
    return plot;
}

static void BM_PlotTraverse(benchmark::State& state)
{
    const Plot& plot = BigPlot();
    for (auto _ : state) {
        double sum = 0;
        plot.m_points.ForEachFromTop([&sum](const PlotPoint& point) { sum += point.y; });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_PlotTraverse)->Unit(benchmark::kMillisecond);

static void BM_PlotTraverseIterator(benchmark::State& state)
{
    const Plot& plot = BigPlot();
    for (auto _ : state) {
        double sum = 0;
        for (const PlotPoint& point : plot.m_points)
            sum += point.y;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_PlotTraverseIterator)->Unit(benchmark::kMillisecond);

static void BM_VectorTraverse(benchmark::State& state)
{
    std::vector<PlotPoint> points(kPoints);
    for (auto _ : state) {
        double sum = 0;
        for (auto it = points.rbegin(); it != points.rend(); ++it)
            sum += it->y;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_VectorTraverse)->Unit(benchmark::kMillisecond);

static void BM_PlotCopy(benchmark::State& state)
{
    const Plot& plot = BigPlot();
    for (auto _ : state) {
        Plot copy(plot);
        benchmark::DoNotOptimize(copy.PointCount());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_PlotCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_PlotHandOver(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Plot source = BigPlot();
        source.m_handOver = 1;
        state.ResumeTiming();
        Plot copy(source);
        benchmark::DoNotOptimize(copy.PointCount());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_PlotHandOver)->Unit(benchmark::kMicrosecond)->Iterations(3);
