// Drawing one data set of a million points into a 1600 x 1200 image, as a
// one-pixel solid line and as circles: through QtCanvas (antialiased, the
// whole graph with its axes) and through RecordingCanvas (the drawing code
// alone: mapping, thinning, geometry). A smooth curve and a random scatter.
#include "model/messages.h"
#include "model/plot.h"
#include "platform/qt_canvas.h"
#include "render/graph.h"
#include "render/plot_drawing.h"
#include "render/recording_canvas.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <random>

namespace {

constexpr int kPoints = 1'000'000;
const PageRect kPage{0, 0, 1600, 1200};


void EnsureApp()
{
    static int argc = 1;
    static char name[] = "bench_plot_draw";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

// A graph holding one set: a damped oscillation, or points scattered at random.
Graph MakeGraph(bool scatter, int symbol)
{
    Graph graph;
    Plot plot;
    std::mt19937 random(1);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    for (int i = 0; i < kPoints; ++i) {
        const float x = 20.0f * float(i) / kPoints;
        plot.AddPoint(x, scatter ? uniform(random) : std::exp(-x / 4) * std::cos(2 * x));
    }
    plot.m_pointStyle = symbol;
    plot.m_lineStyle = symbol == kNoSymbol ? kSolid : kNoLine;
    plot.m_xPositive = plot.m_yPositive = 1;
    graph.m_plots.Append(plot);
    graph.SyncPlotGeometry();
    SilentMessages messages;
    graph.AutoScale(false, messages);
    return graph;
}

const Graph& Cached(bool scatter, int symbol)
{
    static Graph graphs[2][2] = {{MakeGraph(false, kNoSymbol), MakeGraph(false, kCircle)},
                                 {MakeGraph(true, kNoSymbol), MakeGraph(true, kCircle)}};
    return graphs[scatter][symbol == kCircle];
}

void QtDraw(benchmark::State& state, bool scatter, int symbol)
{
    EnsureApp();
    const Graph& graph = Cached(scatter, symbol);
    QImage image(1600, 1200, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(painter);
        graph.Draw(canvas, kPage);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void RecordedDraw(benchmark::State& state, bool scatter, int symbol)
{
    const Graph& graph = Cached(scatter, symbol);
    std::size_t primitives = 0;
    for (auto _ : state) {
        RecordingCanvas canvas;
        canvas.m_expandMarkers = false;
        DrawPlot(canvas, graph.m_plots.Get(0), kPage);
        primitives = canvas.m_records.size();
        std::size_t points = 0;
        for (const auto& record : canvas.m_records)
            points += record.points.size();
        state.counters["points_emitted"] = double(points);
        benchmark::DoNotOptimize(canvas.m_records.data());
    }
    state.counters["records"] = double(primitives);
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_QtLineCurve(benchmark::State& state) { QtDraw(state, false, kNoSymbol); }
void BM_QtCirclesCurve(benchmark::State& state) { QtDraw(state, false, kCircle); }
void BM_QtLineScatter(benchmark::State& state) { QtDraw(state, true, kNoSymbol); }
void BM_QtCirclesScatter(benchmark::State& state) { QtDraw(state, true, kCircle); }
void BM_RecordedLineCurve(benchmark::State& state) { RecordedDraw(state, false, kNoSymbol); }
void BM_RecordedCirclesCurve(benchmark::State& state) { RecordedDraw(state, false, kCircle); }
void BM_RecordedLineScatter(benchmark::State& state) { RecordedDraw(state, true, kNoSymbol); }
void BM_RecordedCirclesScatter(benchmark::State& state) { RecordedDraw(state, true, kCircle); }

BENCHMARK(BM_QtLineCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtCirclesCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtLineScatter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtCirclesScatter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordedLineCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordedCirclesCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordedLineScatter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordedCirclesScatter)->Unit(benchmark::kMillisecond);

} // namespace
