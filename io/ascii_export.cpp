#include "io/ascii_export.h"

#include "io/float_text.h"
#include "model/messages.h"
#include "model/safe_file_writer.h"
#include "render/graph.h"

#include <new>
#include <stdexcept>

namespace {

// Appends one row per point with the set's error values, in traversal order;
// rows stop at the end of the shortest chain. Each value has at least
// `minimumDigits` digits and as many more as it needs to read back exactly.
void AppendRows(std::string& text, const Plot& plot, int minimumDigits, const char* lineEnd)
{
    auto dx = plot.m_dx.begin();
    auto dy = plot.m_dy.begin();
    const bool hasDx = plot.HasDx();
    const bool hasDy = plot.HasDy();
    for (const PlotPoint& point : plot.m_points) {
        if ((hasDx && dx == plot.m_dx.end()) || (hasDy && dy == plot.m_dy.end()))
            break;
        AppendFloat(text, point.x, minimumDigits);
        text += '\t';
        AppendFloat(text, point.y, minimumDigits);
        if (hasDx) {
            text += '\t';
            AppendFloat(text, *dx++, minimumDigits);
        }
        if (hasDy) {
            text += '\t';
            AppendFloat(text, *dy++, minimumDigits);
        }
        text += lineEnd;
    }
}

} // namespace

std::string ExportText(const Graph& graph, const std::vector<int>& sets)
{
    std::string text;
    for (int index : sets) {
        if (index < 0 || index >= graph.m_plots.Count())
            continue;
        const Plot& plot = graph.m_plots.Get(index);
        text += "# " + plot.m_info + " (set " + std::to_string(index) + ")\n";
        AppendRows(text, plot, 6, "\n");
        text += "\t\n";
    }
    return text;
}

bool ExportData(const Graph& graph, const std::vector<int>& sets, const std::string& path,
                Messages& messages)
{
    if (!WriteFileSafely(path, ExportText(graph, sets))) {
        messages.Show("Can't open " + path + "for writing");
        return false;
    }
    return true;
}

std::size_t CopyDataEstimate(const Graph& graph, const std::vector<int>& sets)
{
    std::size_t size = 0;
    for (int index : sets) {
        if (index < 0 || index >= graph.m_plots.Count())
            continue;
        const Plot& plot = graph.m_plots.Get(index);
        const int chains = (plot.HasDx() ? 1 : 0) + (plot.HasDy() ? 1 : 0);
        size += 6 + 28 * std::size_t(plot.PointCount()) + 15 * std::size_t(chains);
    }
    return size;
}

static void AppendCopyRows(std::string& text, const Graph& graph, const std::vector<int>& sets)
{
    for (int index : sets) {
        if (index < 0 || index >= graph.m_plots.Count())
            continue;
        AppendRows(text, graph.m_plots.Get(index), 7, "\r\n");
        text += "\t\r\n";
    }
}

std::string CopyDataText(const Graph& graph, const std::vector<int>& sets)
{
    // The estimate is only the first reservation: rows of long numbers may
    // need more, and the text grows rather than failing the copy.
    std::string text;
    text.reserve(CopyDataEstimate(graph, sets));
    AppendCopyRows(text, graph, sets);
    return text;
}

bool CopyData(const Graph& graph, const std::vector<int>& sets, Messages& messages,
              const std::function<bool(const std::string&)>& putOnClipboard)
{
    std::string text;
    try {
        text.reserve(CopyDataEstimate(graph, sets));
    } catch (const std::bad_alloc&) {
        messages.Show("Unable to get memory for data copy");
        return false;
    } catch (const std::length_error&) {
        messages.Show("Unable to get memory for data copy");
        return false;
    }
    try {
        AppendCopyRows(text, graph, sets);
    } catch (const std::bad_alloc&) {
        // Only rows longer than the estimate need more than was reserved.
        messages.Show("Text buffer exhausted! Copy error!");
        return false;
    }
    if (!putOnClipboard(text)) {
        messages.Show("Can't open the clipboard (it's already open in another application).");
        return false;
    }
    return true;
}
