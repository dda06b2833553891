// How import costs grow with the shape of the input: many blocks, many option
// lines, many files by wildcard. Each case runs at three sizes; the time per
// item (the "per_item" counter, in ns) stays flat when the cost is linear.
#include "document/tarn_command_line_info.h"
#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "io/startup_actions.h"
#include "model/messages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvid-bench.XXXXXX").string();
        return std::filesystem::path(::mkdtemp(pattern.data()));
    }();
    return folder;
}

std::string WriteText(const std::string& name, const std::string& text)
{
    const std::string path = (ScratchFolder() / name).string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return path;
}

void PerItem(benchmark::State& state)
{
    state.counters["per_item"] = benchmark::Counter(double(state.range(0)) * double(state.iterations()),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A logger's output: one sample, then a blank line, many times over.
void BM_ManyBlocks(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += "1 2\n \n";
    const std::string path = WriteText("blocks-" + std::to_string(state.range(0)) + ".txt", text);
    SilentMessages messages;
    for (auto _ : state) {
        CTarnDoc doc;
        ReadFile(doc.CurrentGraph(), path, kImportXY, messages);
        benchmark::DoNotOptimize(doc.CurrentGraph().m_plots.Count());
    }
    PerItem(state);
}

// The same as clipboard text.
void BM_ManyBlocksPasted(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += "1 2\n \n";
    SilentMessages messages;
    for (auto _ : state) {
        CTarnDoc doc;
        ReadText(doc.CurrentGraph(), text.c_str(), kImportXY, messages);
        benchmark::DoNotOptimize(doc.CurrentGraph().m_plots.Count());
    }
    PerItem(state);
}

// One option line per set, then the data.
void BM_ManyOptionLines(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += "#@set[" + std::to_string(i) + "].info name\n";
    text += "1 2\n";
    const std::string path = WriteText("options-" + std::to_string(state.range(0)) + ".txt", text);
    SilentMessages messages;
    for (auto _ : state) {
        CTarnDoc doc;
        ReadFile(doc.CurrentGraph(), path, kImportXY, messages);
        benchmark::DoNotOptimize(doc.CurrentGraph().m_plots.Count());
    }
    PerItem(state);
}

// A folder of small runs imported by one wildcard, as from the command line.
void BM_ManyFilesByWildcard(benchmark::State& state)
{
    const std::filesystem::path folder = ScratchFolder() / ("runs-" + std::to_string(state.range(0)));
    std::filesystem::create_directories(folder);
    for (int i = 0; i < state.range(0); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "run%06d.dat", i);
        std::FILE* file = std::fopen((folder / name).c_str(), "wb");
        std::fprintf(file, "%d 1\n%d 2\n%d 3\n", i, i + 1, i + 2);
        std::fclose(file);
    }
    const std::string pattern = (folder / "run*.dat").string();
    SilentMessages messages;
    for (auto _ : state) {
        awaitingFiles = false;
        CTarnDoc doc;
        TarnCommandLineInfo info = ParseStartupCommandLine({"-xy", pattern}, messages);
        RunStartupImports(doc, info, messages);
        benchmark::DoNotOptimize(doc.CurrentGraph().m_plots.Count());
    }
    PerItem(state);
}

} // namespace

BENCHMARK(BM_ManyBlocks)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyBlocksPasted)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyOptionLines)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyFilesByWildcard)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(ScratchFolder());
    return 0;
}
