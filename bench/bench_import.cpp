// Importing text data end to end, against a bare std::from_chars loop over the
// same bytes (the floor: reading numbers and nothing else).
#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "model/messages.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string MakeFile(const char* name, int lines, int columns)
{
    const std::string path = "/tmp/corvid-bench-" + std::to_string(getpid()) + "-" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (int i = 0; i < lines; ++i) {
        std::fprintf(file, "%.6g", i * 0.001);
        for (int c = 1; c < columns; ++c)
            std::fprintf(file, "\t%.7g", std::sin(i * 0.01 + c) * 1000.0);
        std::fputc('\n', file);
    }
    std::fclose(file);
    return path;
}

const std::string& TwoColumnFile()
{
    static const std::string path = MakeFile("xy.txt", 1'000'000, 2);
    return path;
}

const std::string& FiveColumnFile()
{
    static const std::string path = MakeFile("nxy.txt", 200'000, 5);
    return path;
}


std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void FromCharsLoop(benchmark::State& state, const std::string& path)
{
    // The bytes are in memory before timing starts: the loop only parses.
    const std::string text = ReadBytes(path);
    for (auto _ : state) {
        const char* p = text.data();
        const char* end = p + text.size();
        double sum = 0;
        while (p < end) {
            while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r'))
                ++p;
            double value = 0;
            auto result = std::from_chars(p, end, value);
            if (result.ptr == p)
                ++p;
            else
                p = result.ptr;
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(text.size()));
}

void Import(benchmark::State& state, const std::string& path, int format)
{
    SilentMessages messages;
    for (auto _ : state) {
        CTarnDoc doc;
        const int status = ReadFile(doc.CurrentGraph(), path, format, messages);
        if (status != -1)
            state.SkipWithError("import failed");
        doc.CurrentGraph().AutoScale(false, messages);
        benchmark::DoNotOptimize(doc.CurrentGraph().m_plots.Count());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(ReadBytes(path).size()));
}

} // namespace

static void BM_FromCharsLoop_XY(benchmark::State& state) { FromCharsLoop(state, TwoColumnFile()); }
static void BM_Import_XY(benchmark::State& state) { Import(state, TwoColumnFile(), kImportXY); }
static void BM_FromCharsLoop_NXY5(benchmark::State& state) { FromCharsLoop(state, FiveColumnFile()); }
static void BM_Import_NXY5(benchmark::State& state) { Import(state, FiveColumnFile(), kImportNXY); }

BENCHMARK(BM_FromCharsLoop_XY)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_Import_XY)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_FromCharsLoop_NXY5)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_Import_NXY5)->Unit(benchmark::kMillisecond)->MinTime(0.5);

int main(int argc, char** argv)
{
    // This machine's speed drifts; interleaved repetitions compare the import
    // with its baseline at the same moments. Flags given on the command line win.
    std::vector<char*> arguments(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char repetitions[] = "--benchmark_repetitions=5";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {interleave, repetitions, aggregates});
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    std::remove(TwoColumnFile().c_str());
    std::remove(FiveColumnFile().c_str());
    return 0;
}
