#pragma once

#include <string>
#include <vector>

/// One formula plotted with an equation editor, with its fields as entered.
struct FunctionHistoryEntry {
    std::string formula;   ///< f(x), x(t) or r(t)
    std::string formula2;  ///< y(t) of a parametric curve, else empty
    std::string points;    ///< the number of points as typed
    std::string min;
    std::string max;
};

/// The formulas one kind of equation editor has plotted, newest first;
/// entry 0 is the one the open editor works on.
class FunctionHistory {
public:
    /// Whether two entries are the same: equal formulas, and either every
    /// formula empty or the same number of points and range texts.
    static bool Same(const FunctionHistoryEntry& a, const FunctionHistoryEntry& b);

    /// On opening an editor: `entry` goes to position 0 unless a same entry exists.
    void AddOnOpening(const FunctionHistoryEntry& entry);
    /// After a successful plot: entry 0 is removed, then `entry` goes to
    /// position 0 unless a same entry exists.
    void AddAfterPlot(const FunctionHistoryEntry& entry);

    int Count() const { return int(m_entries.size()); }

    std::vector<FunctionHistoryEntry> m_entries;

private:
    bool Contains(const FunctionHistoryEntry& entry) const;
};
