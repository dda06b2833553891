#include "document/set_control.h"

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "render/graph.h"

#include <algorithm>
#include <cstdio>

const char* const kSetListTruncated =
    "The maximum number of plots that can be displayed in a\r\nListBox has been reached - "
    "plot list has been truncated!";

static std::string EntryText(int index, const Plot& plot, bool withName)
{
    char text[96];
    std::snprintf(text, sizeof text, "Set #%d (N = %d)", index, plot.PointCount());
    std::string entry = text;
    if (withName)
        entry += " " + plot.m_info;
    return entry;
}

SetControl::SetControl(int action, List<Plot>& plots, Messages& messages)
    : m_action(action), m_plots(plots)
{
    if (action < kActivateSets || action > kSendSetToBottom) {
        messages.Show("Illegal m_action in CSetControlDialog");
        return;
    }
    if (plots.Count() > kMaxListedSets - 1)
        messages.Show(kSetListTruncated);
    const bool withName = action <= kDeleteSets;
    const int last = std::min(plots.Count(), kMaxListedSets);
    for (int i = 0; i < last; ++i) {
        const Plot& plot = plots.Get(i);
        if (action == kActivateSets && plot.m_visible)
            continue;
        if (action == kDeactivateSets && !plot.m_visible)
            continue;
        m_entries.push_back(EntryText(i, plot, withName));
        m_listed.push_back(i);
    }
}

const char* SetControl::Caption() const
{
    switch (m_action) {
    case kActivateSets: return "Activate Sets";
    case kDeactivateSets: return "Dectivate Sets";
    case kDeleteSets: return "Delete Sets";
    case kSelectSets: return "Select a Set(s)";
    default: return "Select Set";
    }
}

bool SetControl::MultipleSelection() const
{
    return m_action == kActivateSets || m_action == kDeactivateSets || m_action == kDeleteSets ||
           m_action == kSelectSets;
}

std::vector<int> SetControl::Apply(const std::vector<int>& chosenRows)
{
    std::vector<int> rows;
    for (int row : chosenRows)
        if (row >= 0 && row < int(m_listed.size()))
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!MultipleSelection() && rows.size() > 1)
        rows.resize(1);

    std::vector<int> result;
    for (int row : rows)
        result.push_back(m_listed[row]);
    switch (m_action) {
    case kActivateSets:
    case kDeactivateSets:
        for (int index : result)
            m_plots.Get(index).m_visible = m_action == kActivateSets ? 1 : 0;
        break;
    case kDeleteSets:
        // Remove from the back so the remaining indices stay valid.
        for (auto index = result.rbegin(); index != result.rend(); ++index)
            m_plots.Remove(*index);
        break;
    case kBringSetToTop:
        for (int index : result)
            m_plots.MoveToFront(index);
        break;
    case kSendSetToBottom:
        for (int index : result)
            m_plots.MoveToBack(index);
        break;
    default:
        break;
    }
    return result;
}

void FinishSetCommand(CTarnDoc& doc, Messages& messages)
{
    Graph& graph = doc.CurrentGraph();
    graph.SetLogScale(graph.m_xLog, graph.m_yLog, messages);
    graph.AutoScale(false, messages);
    doc.SetModifiedFlag();
}

std::vector<std::string> PlotListFiller::Fill(CTarnDoc& doc, Messages& messages)
{
    std::vector<std::string> entries;
    m_listed.clear();
    m_lastSelected = -1;
    List<Plot>& plots = doc.CurrentGraph().m_plots;
    for (int i = 0; i < plots.Count() && int(m_listed.size()) < kMaxListedSets; ++i) {
        Plot& plot = plots.Get(i);
        if (!plot.m_visible)
            continue;
        plot.m_selected = 0;
        char text[96];
        std::snprintf(text, sizeof text, "Set #%d (N = %d) \"", i, plot.PointCount());
        entries.push_back(text + plot.m_info + "\"");
        m_listed.push_back(i);
    }
    if (int(m_listed.size()) == kMaxListedSets)
        messages.Show(kSetListTruncated);
    if (!m_listed.empty()) {
        plots.Get(m_listed.front()).m_selected = 1;
        m_lastSelected = m_listed.front();
    }
    return entries;
}

void PlotListFiller::UpdateSelection(CTarnDoc& doc, const std::vector<int>& chosenRows)
{
    List<Plot>& plots = doc.CurrentGraph().m_plots;
    for (std::size_t row = 0; row < m_listed.size(); ++row) {
        if (m_listed[row] >= plots.Count())
            break;
        Plot& plot = plots.Get(m_listed[row]);
        const bool chosen =
            std::find(chosenRows.begin(), chosenRows.end(), int(row)) != chosenRows.end();
        plot.m_selected = chosen ? 1 : 0;
        if (chosen)
            m_lastSelected = m_listed[row];
    }
}
