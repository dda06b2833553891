#include "analysis/set_selection.h"

#include "document/tarn_doc.h"
#include "render/graph.h"

#include <cstdio>

const char* const kNoPlotsSelected = "No Plots have been selected!";

std::vector<int> SelectedSets(const Graph& graph)
{
    std::vector<int> sets;
    for (int i = 0; i < graph.m_plots.Count(); ++i) {
        const Plot& plot = graph.m_plots.Get(i);
        if (plot.m_visible && plot.m_selected)
            sets.push_back(i);
    }
    return sets;
}

std::vector<std::string> TargetGraphEntries(const CTarnDoc& doc)
{
    std::vector<std::string> entries{"Current"};
    for (std::size_t i = 0; i < doc.m_graphs.size(); ++i) {
        if (!doc.m_graphs[i].m_visible)
            continue;
        char number[16];
        std::snprintf(number, sizeof number, "%d", int(i));
        entries.push_back(number);
    }
    return entries;
}

int TargetGraphIndex(const CTarnDoc& doc, int entry)
{
    int listed = 0;
    for (std::size_t i = 0; i < doc.m_graphs.size(); ++i) {
        if (!doc.m_graphs[i].m_visible)
            continue;
        if (++listed == entry)
            return int(i);
    }
    return doc.m_currentGraph;
}

int AppendResultSet(Graph& graph, Plot& result)
{
    // A hand-over moves the chains into the graph's copy, unchanged in order.
    result.m_handOver = 1;
    try {
        graph.m_plots.Append(result);
    } catch (...) {
        result.m_handOver = 0;
        throw;
    }
    result.m_handOver = 0;
    return graph.m_plots.Count() - 1;
}
