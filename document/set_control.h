#pragma once

#include <string>
#include <vector>

class Graph;
class CTarnDoc;
class Messages;
template <class T>
class List;
class Plot;

/// What a set dialog does, by its action code.
enum SetAction : int {
    kActivateSets = 0,
    kDeactivateSets = 1,
    kDeleteSets = 2,
    kSelectSet = 3,
    kSelectSets = 4,
    kBringSetToTop = 5,
    kSendSetToBottom = 6,
};

/// Most entries a set list shows.
constexpr int kMaxListedSets = 3601;

extern const char* const kSetListTruncated;

/// The logic of the set dialog: which sets it lists for its action, the entry
/// texts, and what "OK" does with the chosen entries. The dialog only shows it.
class SetControl {
public:
    /// Lists the sets of `plots` for `action`. An unknown action shows
    /// "Illegal m_action in CSetControlDialog" and lists nothing; more than 3600
    /// sets show the truncation message once.
    SetControl(int action, List<Plot>& plots, Messages& messages);

    const char* Caption() const;
    /// Whether several entries may be chosen.
    bool MultipleSelection() const;
    const std::vector<std::string>& Entries() const { return m_entries; }
    /// Set index of each entry.
    const std::vector<int>& ListedSets() const { return m_listed; }

    /// Carries out "OK" with the chosen entry rows; returns the result list of
    /// set indices (ascending) that callers of the choosing actions read.
    std::vector<int> Apply(const std::vector<int>& chosenRows);

    int m_action;

private:
    List<Plot>& m_plots;
    std::vector<std::string> m_entries;
    std::vector<int> m_listed;
};

/// After a set command's "OK": re-check the log scales against the new set
/// list, rescale, and mark the document modified.
void FinishSetCommand(CTarnDoc& doc, Messages& messages);

/// The analysis dialogs' set list: the current graph's active sets, entry text
/// "Set #%d (N = %d) \"%s\"", at most 3601 entries.
class PlotListFiller {
public:
    /// Lists the active sets of the current graph, clears their selected flags
    /// and marks the first listed set selected. Returns the entry texts.
    std::vector<std::string> Fill(CTarnDoc& doc, Messages& messages);
    /// Copies the chosen entry rows into the listed sets' selected flags.
    void UpdateSelection(CTarnDoc& doc, const std::vector<int>& chosenRows);
    /// Index of the last selected set, or -1.
    int LastSelected() const { return m_lastSelected; }

private:
    std::vector<int> m_listed;
    int m_lastSelected = -1;
};
