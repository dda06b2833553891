#pragma once

#include "model/colors.h"
#include "model/log_font.h"
#include "model/text_object.h"

#include <string>
#include <vector>

class Graph;
class Messages;

/// The logic of the "Legend" dialog. It works on working copies of the
/// legend entries of the graph's active sets (among its first 3601 sets), so
/// that nothing changes until `Apply`; the dialog only shows it.
class LegendEdit {
public:
    /// Lists the active sets ("Set #%d (N = %d) \"%s\""), makes the working
    /// copies, selects the first entry and takes the legend's box settings,
    /// font and text colour.
    explicit LegendEdit(Graph& graph);

    const std::vector<std::string>& Entries() const { return m_entries; }
    /// Set index of each entry.
    const std::vector<int>& ListedSets() const { return m_listed; }
    /// The selected entry row, -1 when the list is empty.
    int Selected() const { return m_selected; }
    /// Selects another entry: the text shown is stored into the previously
    /// selected entry's copy (with the dialog's font and colour), and the
    /// newly selected entry's text is returned for showing.
    std::string Select(int row, const std::string& shownText);
    /// The text of the selected entry's copy ("" without entries).
    std::string SelectedText() const;

    /// OK: stores `shownText` into the selected copy, gives every copy the
    /// dialog's font and text colour, writes the copies back into the sets'
    /// legend entries and the box settings, font and colour into the legend.
    /// The legend is shown exactly when some active set's entry has text;
    /// hiding it also unselects it.
    void Apply(const std::string& shownText);

    int m_showBox = 0;
    Color m_boxFillColor = kNoColor;
    Color m_boxEdgeColor = 0;
    LogFont m_font;
    Color m_textColor = 0;

private:
    Graph& m_graph;
    std::vector<std::string> m_entries;
    std::vector<int> m_listed;
    std::vector<TextObject> m_copies;
    int m_selected = -1;
};
