// Streaming 10,000,000 points through a real pipe into the reader that
// corvid-batch runs (reading, then the end-of-stream steps into graph 0),
// against the floor of moving the same bytes through the pipe and nothing
// else, and the reader alone on bytes in memory.
#include "document/tarn_doc.h"
#include "io/memory_pipe_source.h"
#include "io/pipe_buffer.h"
#include "io/pipe_endings.h"
#include "io/pipe_events.h"
#include "io/pipe_finish.h"
#include "io/pipe_reader.h"
#include "model/messages.h"
#include "render/graph.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPoints = 10'000'000;

void PutInt(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(char((value >> shift) & 0xFF));
}

void PutReal(std::string& out, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutInt(out, bits);
}

// Version, one set, the points, end of data.
const std::string& Stream()
{
    static const std::string bytes = [] {
        std::string out;
        out.reserve(std::size_t(kPoints) * 9 + 64);
        out.push_back(20);
        PutInt(out, 4);
        out.push_back(1);
        out.push_back(0);
        out.push_back(0);
        PutInt(out, 6);
        out.append("bench", 6);
        for (int i = 0; i < kPoints; ++i) {
            out.push_back(3);
            PutReal(out, float(i) * 1e-3f);
            PutReal(out, std::sin(float(i) * 1e-4f) + 2.0f);
        }
        out.push_back(4);
        return out;
    }();
    return bytes;
}

// Writes the stream into a new pipe from another thread; returns the read end.
int StartWriter(std::thread& writer)
{
    std::signal(SIGPIPE, SIG_IGN);
    int ends[2];
    if (::pipe(ends) != 0)
        return -1;
    writer = std::thread([write = ends[1]] {
        const std::string& bytes = Stream();
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(write, bytes.data() + done, std::min<std::size_t>(bytes.size() - done, 1 << 16));
            if (n <= 0)
                break;
            done += std::size_t(n);
        }
        ::close(write);
    });
    return ends[0];
}

class NoEndings : public PipeEndings {
public:
    bool SaveDocument(CTarnDoc&, const std::string&, Messages&) override { return true; }
    bool ExportImage(CTarnDoc&, const std::string&, int, int, int, Messages&) override { return true; }
};

class NoEvents : public PipeEvents {
public:
    void Status(int, int) override {}
    void Text(PipeText, const std::string&) override {}
    void FontSize(PipeText, int) override {}
};

void Report(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.SetBytesProcessed(state.iterations() * std::int64_t(Stream().size()));
}

void BM_PipeBytesOnly(benchmark::State& state)
{
    Stream();
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        std::thread writer;
        const int read = StartWriter(writer);
        std::size_t total = 0;
        while (const ssize_t n = ::read(read, buffer.data(), buffer.size())) {
            if (n < 0)
                break;
            total += std::size_t(n);
        }
        benchmark::DoNotOptimize(total);
        writer.join();
        ::close(read);
    }
    Report(state);
}
BENCHMARK(BM_PipeBytesOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_PipeIntoGraph(benchmark::State& state)
{
    Stream();
    for (auto _ : state) {
        CTarnDoc doc;
        SilentMessages messages;
        NoEndings endings;
        std::thread writer;
        doc.m_pipeNumber = StartWriter(writer);
        const int read = doc.m_pipeNumber;
        const bool ok = ReadPipeInThisThread(doc, messages, endings);
        writer.join();
        ::close(read);
        if (!ok || doc.m_graphs[0].m_plots.Get(0).PointCount() != kPoints)
            state.SkipWithError("the stream was not read whole");
        state.PauseTiming(); // freeing the page is no part of reading
        doc.OnNewDocument();
        state.ResumeTiming();
    }
    Report(state);
}
BENCHMARK(BM_PipeIntoGraph)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ReaderFromMemory(benchmark::State& state)
{
    Stream();
    for (auto _ : state) {
        MemoryPipeSource source(Stream());
        PipeBuffer input(source);
        NoEvents events;
        PipeResult result = ReadPipe(input, events);
        if (result.failed || result.finished.Get(0).PointCount() != kPoints)
            state.SkipWithError("the stream was not read whole");
    }
    Report(state);
}
BENCHMARK(BM_ReaderFromMemory)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
