// Importing a ten-minute CD-quality stereo WAV file (44.1 kHz, 16-bit, about
// 26 million samples), against two floors in the same run: reading the file's
// bytes in the same 1 MiB blocks, and storing as many points without reading.
#include "document/tarn_doc.h"
#include "io/document_import.h"
#include "io/wav_file.h"
#include "model/messages.h"
#include "model/plot.h"
#include "render/graph.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint32_t kRate = 44100;
constexpr std::size_t kFrames = std::size_t(kRate) * 600;

const std::string& TenMinuteFile()
{
    static const std::string path = [] {
        const std::string name = "/tmp/corvid-bench-" + std::to_string(getpid()) + "-ten-minutes.wav";
        std::FILE* file = std::fopen(name.c_str(), "wb");
        const std::string header = WavHeader(2, kRate, std::uint32_t(kFrames * 4));
        std::fwrite(header.data(), 1, header.size(), file);
        std::vector<std::int16_t> block(2 * 44100);
        for (std::size_t frame = 0; frame < kFrames; frame += 44100) {
            for (std::size_t i = 0; i < 44100; ++i) {
                const double t = double(frame + i) / kRate;
                block[2 * i] = std::int16_t(20000 * std::sin(2 * M_PI * 440 * t));
                block[2 * i + 1] = std::int16_t(15000 * std::sin(2 * M_PI * 660 * t));
            }
            std::fwrite(block.data(), sizeof(std::int16_t), block.size(), file);
        }
        std::fclose(file);
        return name;
    }();
    return path;
}


void BM_ReadBlocks(benchmark::State& state)
{
    const std::string& path = TenMinuteFile();
    std::unique_ptr<unsigned char[]> block(new unsigned char[1 << 20]);
    for (auto _ : state) {
        const int file = ::open(path.c_str(), O_RDONLY);
        std::uint64_t sum = 0;
        off_t offset = 0;
        for (ssize_t n; (n = ::pread(file, block.get(), 1 << 20, offset)) > 0; offset += n)
            for (ssize_t i = 0; i < n; i += 64)
                sum += block[std::size_t(i)];
        ::close(file);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(2 * kFrames));
}

void BM_StorePoints(benchmark::State& state)
{
    for (auto _ : state) {
        Plot left, right;
        for (std::size_t k = 1; k <= kFrames; ++k) {
            const float x = float(double(k) / kRate);
            left.AddPoint(x, float(k & 0xFFFF));
            right.AddPoint(x, float(k & 0xFFF));
        }
        benchmark::DoNotOptimize(left.PointCount() + right.PointCount());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(2 * kFrames));
}

void BM_ImportWav(benchmark::State& state)
{
    const std::string& path = TenMinuteFile();
    SilentMessages messages;
    for (auto _ : state) {
        CTarnDoc doc;
        if (!ImportFile(doc, path, 5, messages))
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(doc.CurrentGraph().m_plots.Get(1).PointCount());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(2 * kFrames));
}

} // namespace

BENCHMARK(BM_ReadBlocks)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StorePoints)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ImportWav)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv)
{
    // Interleaved repetitions compare the import with its floors at the same
    // moments on a machine whose speed drifts. Flags given on the command line win.
    std::vector<char*> arguments(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char repetitions[] = "--benchmark_repetitions=3";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {interleave, repetitions, aggregates});
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    std::remove(TenMinuteFile().c_str());
    return 0;
}
