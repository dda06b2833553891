// Recording a movie: 100 frames of 800 x 600, each showing one set of
// 100,000 points, uncompressed and as Motion JPEG, against drawing the same
// frames without writing them (the floor every recording stands on).
#include "document/tarn_doc.h"
#include "io/movie_recorder.h"
#include "io/movie_settings.h"
#include "model/messages.h"
#include "platform/page_frame_renderer.h"
#include "render/graph.h"
#include "render/raster_image.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

constexpr int kFrames = 100;
constexpr int kPoints = 100000;

CTarnDoc& HundredSets()
{
    static CTarnDoc* doc = [] {
        auto* page = new CTarnDoc;
        Graph& graph = page->CurrentGraph();
        for (int set = 0; set < kFrames; ++set) {
            Plot plot;
            const double phase = set * 0.0628;
            for (int i = 0; i < kPoints; ++i) {
                const double x = i * 1e-4;
                plot.AddPoint(float(x), float(std::sin(6.283 * x + phase) + 0.1 * std::sin(97.0 * x * (set + 1))));
            }
            graph.m_plots.Append(plot);
        }
        SilentMessages quiet;
        graph.SyncPlotGeometry();
        graph.AutoScale(true, quiet);
        graph.m_singlePlotOnly = 1;
        graph.m_singlePlotIndex = 0;
        return page;
    }();
    return *doc;
}

void Report(benchmark::State& state)
{
    state.counters["frames_per_second"] =
        benchmark::Counter(double(kFrames) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DrawFramesOnly(benchmark::State& state)
{
    CTarnDoc& doc = HundredSets();
    PageFrameRenderer renderer;
    RasterImage image;
    image.Allocate(800, 600);
    Graph& graph = doc.CurrentGraph();
    for (auto _ : state) {
        for (int set = 0; set < kFrames; ++set) {
            graph.m_singlePlotIndex = set;
            renderer.RenderFrame(doc, image);
            benchmark::DoNotOptimize(image.Row(0)[0]);
        }
    }
    graph.m_singlePlotIndex = 0;
    Report(state);
}

// Takes the codec of the run without asking anyone.
struct FixedCodec : MovieProgress {
    explicit FixedCodec(AviCodec codec) : codec(codec) {}
    bool ChooseCompression(MovieSettings& settings) override
    {
        settings.codec = codec;
        return true;
    }
    AviCodec codec;
};

void Record(benchmark::State& state, AviCodec codec)
{
    CTarnDoc& doc = HundredSets();
    MovieSettings settings;
    settings.fileName = "/tmp/corvid-bench-" + std::to_string(getpid()) + "-movie.avi";
    settings.width = 800;
    settings.height = 600;
    settings.start = 0;
    settings.stop = kFrames - 1;
    PageFrameRenderer renderer;
    FixedCodec progress(codec);
    SilentMessages messages;
    long long bytes = 0;
    for (auto _ : state) {
        if (RecordMovie(doc, settings, renderer, progress, messages) != MovieResult::Recorded)
            state.SkipWithError("the movie was not recorded");
        if (std::FILE* file = std::fopen(settings.fileName.c_str(), "rb")) {
            std::fseek(file, 0, SEEK_END);
            bytes = std::ftell(file);
            std::fclose(file);
        }
    }
    std::remove(settings.fileName.c_str());
    Report(state);
    state.counters["file_MB"] = double(bytes) / 1e6;
}

void BM_RecordUncompressed(benchmark::State& state) { Record(state, AviCodec::Uncompressed); }
void BM_RecordMotionJpeg(benchmark::State& state) { Record(state, AviCodec::MotionJpeg); }

BENCHMARK(BM_DrawFramesOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_RecordUncompressed)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_RecordMotionJpeg)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
