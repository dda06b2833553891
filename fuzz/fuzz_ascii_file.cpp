// Any bytes as a data file, read the way corvid reads files: through the file
// window with its refills, with NUL bytes and long lines, by ImportFile with
// its messages, log fall-back and rescale, into a graph that may already hold
// sets. It must never crash or hang, return only its status codes, and never
// touch the sets that were there before.
#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "io/document_import.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// The points of a set, to see that it is left as it was.
std::vector<PlotPoint> Points(const Plot& plot)
{
    return {plot.m_points.begin(), plot.m_points.end()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    // Byte 0: format (0-4), whether the graph starts with sets, log axes, route.
    // Byte 1: how often the body repeats: once below 240, else 2^(2 (byte - 240))
    // times up to 3 MB in all, so small inputs reach the long-line limit and
    // the window's refills while most runs stay quick.
    const int format = data[0] % 5;
    const bool earlierSets = data[0] & 0x08;
    const int xLog = (data[0] >> 4) & 1, yLog = (data[0] >> 5) & 1;
    const std::string body(reinterpret_cast<const char*>(data + 2), size - 2);
    std::size_t repeats = data[1] < 240 ? 1 : std::size_t(1) << std::min(2 * (data[1] - 240), 22);
    while (repeats > 1 && repeats * body.size() > (3u << 20))
        repeats /= 2;

    const int file = ::memfd_create("corvid-fuzz", 0);
    if (file < 0)
        return 0;
    for (std::size_t i = 0; i < repeats; ++i)
        if (::write(file, body.data(), body.size()) != ssize_t(body.size()))
            break;
    const std::string path = "/proc/self/fd/" + std::to_string(file);

    SilentMessages messages;
    CTarnDoc doc;
    Graph& graph = doc.CurrentGraph();
    std::vector<std::vector<PlotPoint>> before;
    if (earlierSets) {
        ReadText(graph, "1 2\n3 4\n \n5 6 7\n", kImportNXY, messages);
        for (int i = 0; i < graph.m_plots.Count(); ++i)
            before.push_back(Points(graph.m_plots.Get(i)));
    }
    graph.m_xLog = xLog;
    graph.m_yLog = yLog;

    // Bit 6 of byte 0 picks the route: the reader alone, whose status codes
    // are checked, or the whole import with its messages, fall-back and rescale.
    if (data[0] & 0x40) {
        ImportFile(doc, path, format, messages);
    } else {
        const int status = ReadFile(graph, path, format, messages);
        if (status < -1 || status == 0 || status > 7)
            __builtin_trap();
    }
    ::close(file);

    if (graph.m_plots.Count() < int(before.size()))
        __builtin_trap();
    for (std::size_t i = 0; i < before.size(); ++i)
        if (Points(graph.m_plots.Get(int(i))) != before[i])
            __builtin_trap();
    for (int i = int(before.size()); i < graph.m_plots.Count(); ++i) {
        const Plot& plot = graph.m_plots.Get(i);
        if ((plot.HasDx() && plot.m_dx.Count() != plot.PointCount()) ||
            (plot.HasDy() && plot.m_dy.Count() != plot.PointCount()))
            __builtin_trap();
    }
    return 0;
}
