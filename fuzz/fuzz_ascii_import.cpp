// Feeds any bytes to the text importer in every format: it must return a
// status, never crash, hang or leave the graph's sets inconsistent.
#include "io/ascii_import.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cstddef>
#include <cstdint>
#include <string>


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the format; the rest is the clipboard text.
    const int format = data[0] % 5;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    SilentMessages messages;
    Graph graph;
    const int status = ReadText(graph, text.c_str(), format, messages);
    if (status < -1 || status > 7)
        __builtin_trap();
    for (int i = 0; i < graph.m_plots.Count(); ++i) {
        const Plot& plot = graph.m_plots.Get(i);
        if (plot.HasDx() && plot.m_dx.Count() != plot.PointCount())
            __builtin_trap();
    }
    return 0;
}
