// Any bytes as a WAV file, read from memory (so a read past the bytes is an
// address error) and through a file, into a graph that may already hold
// sets. Both routes must agree, return only the WAV reader's results, keep
// the earlier sets as they were, and give sets that the sound output can
// sample without trouble.
#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "io/audio_channel.h"
#include "io/wav_reader.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<PlotPoint> Points(const Plot& plot)
{
    return {plot.m_points.begin(), plot.m_points.end()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // Byte 0: whether the graph starts with a set, and a volume for sampling.
    const bool earlierSet = data[0] & 1;
    const int volume = 1 + (data[0] >> 1) % 100;
    const std::uint8_t* bytes = data + 1;
    const std::size_t count = size - 1;

    SilentMessages messages;
    CTarnDoc memoryDoc;
    Graph& graph = memoryDoc.CurrentGraph();
    if (earlierSet)
        ReadText(graph, "1 2\n3 4\n", kImportXY, messages);
    const std::vector<PlotPoint> before = earlierSet ? Points(graph.m_plots.Get(0)) : std::vector<PlotPoint>{};
    const int first = graph.m_plots.Count();

    WavReadReport report;
    const int status = ReadWavBytes(graph, bytes, count, "fuzz.wav", messages, &report);
    if (status != -1 && status != kNoMemory && status != kWavFailed)
        __builtin_trap();
    (void)WavProblemMessage(report, "fuzz.wav");
    if (earlierSet && Points(graph.m_plots.Get(0)) != before)
        __builtin_trap();
    const int added = graph.m_plots.Count() - first;
    if (added < 0 || added > 2)
        __builtin_trap();
    if (added == 2 && graph.m_plots.Get(first).PointCount() != graph.m_plots.Get(first + 1).PointCount())
        __builtin_trap();
    for (int i = first; i < graph.m_plots.Count(); ++i) {
        const Plot& plot = graph.m_plots.Get(i);
        if (std::uint64_t(plot.PointCount()) > report.frameCount)
            __builtin_trap();
        for (const PlotPoint& point : plot.m_points)
            if (!(point.x > 0))
                __builtin_trap();
        std::int16_t samples[64];
        FillChannel(plot, volume, samples, 1 + std::size_t(data[0]) % 64);
    }

    // The same bytes through a file give the same sets.
    const int file = ::memfd_create("corvid-fuzz-wav", 0);
    if (file < 0)
        return 0;
    if (count == 0 || ::write(file, bytes, count) == ssize_t(count)) {
        CTarnDoc fileDoc;
        SilentMessages fileMessages;
        if (earlierSet)
            ReadText(fileDoc.CurrentGraph(), "1 2\n3 4\n", kImportXY, fileMessages);
        const int again = ReadFile(fileDoc.CurrentGraph(), "/proc/self/fd/" + std::to_string(file), kImportWav,
                                   fileMessages);
        if (again != status || fileDoc.CurrentGraph().m_plots.Count() != graph.m_plots.Count())
            __builtin_trap();
        for (int i = first; i < graph.m_plots.Count(); ++i)
            if (Points(fileDoc.CurrentGraph().m_plots.Get(i)) != Points(graph.m_plots.Get(i)))
                __builtin_trap();
    }
    ::close(file);
    return 0;
}
