// Saving and opening a page of 10 sets x 1,000,000 points, in memory (the
// encoding alone) and through a file (the safe writer and the whole read).
#include "document/document_file.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "model/messages.h"
#include "render/graph.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const CTarnDoc& BigPage()
{
    static const CTarnDoc page = [] {
        CTarnDoc doc;
        for (int s = 0; s < 10; ++s) {
            Plot plot;
            for (int i = 0; i < 1000000; ++i)
                plot.AddPoint(float(i), float(s) + float(i % 1000) * 0.001f);
            plot.m_handOver = 1;
            doc.CurrentGraph().m_plots.Append(plot);
        }
        return doc;
    }();
    return page;
}

std::string g_folder;

void BM_EncodeDocument(benchmark::State& state)
{
    const CTarnDoc& page = BigPage();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string encoded = DocumentToBytes(page);
        bytes = encoded.size();
        benchmark::DoNotOptimize(encoded.data());
    }
    state.SetBytesProcessed(std::int64_t(bytes) * state.iterations());
}
BENCHMARK(BM_EncodeDocument)->Unit(benchmark::kMillisecond);

void BM_DecodeDocument(benchmark::State& state)
{
    const std::string encoded = DocumentToBytes(BigPage());
    SilentMessages messages;
    for (auto _ : state) {
        CTarnDoc doc;
        if (!DocumentFromBytes(doc, encoded.data(), encoded.size(), messages))
            state.SkipWithError("the page did not open");
        benchmark::DoNotOptimize(doc.m_graphs.data());
    }
    state.SetBytesProcessed(std::int64_t(encoded.size()) * state.iterations());
}
BENCHMARK(BM_DecodeDocument)->Unit(benchmark::kMillisecond);

void BM_SaveDocument(benchmark::State& state)
{
    const CTarnDoc& page = BigPage();
    const std::string path = g_folder + "/page.cpl";
    SilentMessages messages;
    for (auto _ : state) {
        if (!SaveDocument(page, path, messages))
            state.SkipWithError("the page was not saved");
    }
    state.SetBytesProcessed(std::int64_t(std::filesystem::file_size(path)) * state.iterations());
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

void BM_OpenDocument(benchmark::State& state)
{
    const std::string path = g_folder + "/page.cpl";
    SilentMessages messages;
    SaveDocument(BigPage(), path, messages);
    for (auto _ : state) {
        CTarnDoc doc;
        if (!OpenDocument(doc, path, messages))
            state.SkipWithError("the page did not open");
        benchmark::DoNotOptimize(doc.m_graphs.data());
    }
    state.SetBytesProcessed(std::int64_t(std::filesystem::file_size(path)) * state.iterations());
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvid-bench-doc.XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    g_folder = pattern;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove_all(g_folder, error);
    return 0;
}
