#include "document/legend_edit.h"

#include "document/set_control.h"
#include "render/graph.h"

#include <cstdio>

LegendEdit::LegendEdit(Graph& graph) : m_graph(graph)
{
    const Legend& legend = graph.m_legend;
    m_showBox = legend.m_showBox;
    m_boxFillColor = legend.m_boxFillColor;
    m_boxEdgeColor = legend.m_boxEdgeColor;
    m_font = legend.m_font;
    m_textColor = legend.m_textColor;
    for (int i = 0; i < graph.m_plots.Count() && int(m_listed.size()) < kMaxListedSets; ++i) {
        const Plot& plot = graph.m_plots.Get(i);
        if (!plot.m_visible)
            continue;
        char text[64];
        std::snprintf(text, sizeof text, "Set #%d (N = %d) \"", i, plot.PointCount());
        m_entries.push_back(text + plot.m_info + "\"");
        m_listed.push_back(i);
        m_copies.push_back(plot.m_label);
    }
    if (!m_listed.empty())
        m_selected = 0;
}

std::string LegendEdit::SelectedText() const
{
    return m_selected < 0 ? std::string() : m_copies[m_selected].m_text;
}

std::string LegendEdit::Select(int row, const std::string& shownText)
{
    if (m_selected >= 0)
        m_copies[m_selected].SetText(shownText, m_font, m_copies[m_selected].Orientation(),
                                     m_textColor);
    if (row >= 0 && row < int(m_copies.size()))
        m_selected = row;
    return SelectedText();
}

void LegendEdit::Apply(const std::string& shownText)
{
    Select(m_selected, shownText);
    bool anyText = false;
    for (std::size_t k = 0; k < m_copies.size(); ++k) {
        TextObject& copy = m_copies[k];
        copy.SetText(copy.m_text, m_font, copy.Orientation(), m_textColor);
        m_graph.m_plots.Get(m_listed[k]).m_label = copy;
        anyText = anyText || !copy.m_text.empty();
    }
    // Active sets beyond the listed ones keep their entries but still count.
    for (int i = 0; i < m_graph.m_plots.Count(); ++i) {
        const Plot& plot = m_graph.m_plots.Get(i);
        anyText = anyText || (plot.m_visible && !plot.m_label.m_text.empty());
    }
    Legend& legend = m_graph.m_legend;
    legend.m_visible = anyText ? 1 : 0;
    if (!legend.m_visible)
        legend.m_selected = 0;
    legend.m_showBox = m_showBox;
    legend.m_boxFillColor = m_boxFillColor;
    legend.m_boxEdgeColor = m_boxEdgeColor;
    legend.m_font = m_font;
    legend.m_textColor = m_textColor;
}
